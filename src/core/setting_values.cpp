#include "core/setting_values.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace scribbit {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Whether a number a double cannot hold is too small rather than too large:
// its first significant digit, exponent included, lies right of the point.
bool TooSmall(std::string_view number) {
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    long long exponent = 0;  // saturated: beyond this size only its sign matters
    for (const char c : number.substr(std::min(e + 1, number.size())))
        if (c >= '0' && c <= '9') exponent = std::min(exponent * 10 + (c - '0'), 1000000LL);
    if (e + 1 < number.size() && number[e + 1] == '-') exponent = -exponent;
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return true;
    const long long magnitude =
        first < point ? static_cast<long long>(point - first) - 1 : -static_cast<long long>(first - point);
    return magnitude + exponent < 0;
}

struct ScannedNumber {
    bool found = false;   // the text starts with digits (after sign and blanks)
    bool inRange = true;  // representable as a double
    double value = 0;
    std::size_t end = 0;  // first unit after the number
};

// Reads sign, digits, fraction and exponent from the start of text (blanks
// before the number are skipped). The characters are ASCII by construction,
// so they narrow safely for from_chars.
ScannedNumber ScanNumber(std::u16string_view text) {
    ScannedNumber result;
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const std::size_t start = pos;
    std::size_t digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
    if (pos < text.size() && text[pos] == u'.') {
        ++pos;
        while (pos < text.size() && IsDigit(text[pos])) ++pos, ++digits;
    }
    if (digits == 0) return result;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        std::size_t exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-')) ++exponent;
        if (exponent < text.size() && IsDigit(text[exponent])) {
            while (exponent < text.size() && IsDigit(text[exponent])) ++exponent;
            pos = exponent;
        }
    }
    std::string narrow;
    narrow.reserve(pos - start);
    for (std::size_t i = start; i < pos; ++i) narrow.push_back(static_cast<char>(text[i]));
    double value = 0;
    auto [ptr, ec] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    // Far below the smallest double the number is zero, not out of range.
    if (ec == std::errc::result_out_of_range && TooSmall(narrow)) ec = std::errc(), value = 0;
    result.found = true;
    result.end = pos;
    if (ec != std::errc() || ptr != narrow.data() + narrow.size() || !std::isfinite(value)) {
        result.inRange = false;
        return result;
    }
    result.value = negative ? -value : value;
    return result;
}

// The whole text (apart from blanks) is one number.
std::optional<double> WholeNumber(std::u16string_view text) {
    text = TrimBlanks(text);
    const ScannedNumber number = ScanNumber(text);
    if (!number.found || !number.inRange || number.end != text.size()) return std::nullopt;
    return number.value;
}

std::optional<std::int64_t> RoundHalfEven(double value, double low, double high) {
    // nearbyint follows the default rounding mode, round-half-to-even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= low && rounded <= high)) return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

bool EqualsIgnoringAsciiCase(std::u16string_view text, std::u16string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        if (c != word[i]) return false;
    }
    return true;
}

std::optional<std::uint32_t> HexDigits(std::u16string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char16_t c : digits) {
        int digit = -1;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
        if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

bool IsUsableColor(Color color) {
    if (color & SystemColorFlag) return (color & 0x7FFFFF00u) == 0;  // a system colour index
    return (color & 0xFF000000u) == 0;                               // 0x00BBGGRR
}

std::u16string Widen(std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

std::optional<double> LeadingNumber(std::u16string_view text) {
    const ScannedNumber number = ScanNumber(text);
    if (!number.found) return 0.0;
    if (!number.inRange) return std::nullopt;
    return number.value;
}

namespace {

// A number read from a setting, rounded half to even into 32 bits.
std::optional<std::int32_t> RoundedInt32(std::optional<double> number) {
    if (!number) return std::nullopt;
    const auto rounded = RoundHalfEven(*number, std::numeric_limits<std::int32_t>::min(),
                                       std::numeric_limits<std::int32_t>::max());
    if (!rounded) return std::nullopt;
    return static_cast<std::int32_t>(*rounded);
}

}  // namespace

std::optional<std::int32_t> ReadInt32Setting(std::u16string_view text) {
    return RoundedInt32(LeadingNumber(text));
}

std::optional<std::int32_t> ReadWholeInt32Setting(std::u16string_view text) {
    return RoundedInt32(WholeNumber(text));
}

std::optional<bool> ReadBooleanSetting(std::u16string_view text) {
    text = TrimBlanks(text);
    if (EqualsIgnoringAsciiCase(text, u"true")) return true;
    if (EqualsIgnoringAsciiCase(text, u"false")) return false;
    const std::optional<double> number = WholeNumber(text);
    if (!number) return std::nullopt;
    return *number != 0;
}

std::optional<Color> ReadColorSetting(std::u16string_view text) {
    text = TrimBlanks(text);
    std::optional<Color> color;
    if (text.size() > 2 && text[0] == u'&' && (text[1] == u'H' || text[1] == u'h')) {
        std::u16string_view digits = text.substr(2);
        if (!digits.empty() && digits.back() == u'&') digits.remove_suffix(1);  // the Long type suffix
        color = HexDigits(digits);
    } else if (const std::optional<double> number = WholeNumber(text)) {
        // Signed values come from a 32-bit signed reading of the same bits.
        if (const auto rounded = RoundHalfEven(*number, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::uint32_t>::max())) {
            color = static_cast<Color>(static_cast<std::uint32_t>(*rounded));
        }
    }
    if (!color || !IsUsableColor(*color)) return std::nullopt;
    return color;
}

std::optional<double> ReadFontSizeSetting(std::u16string_view text) {
    // The font dialog offers nothing larger; a bigger size is a damaged file.
    constexpr double LargestPointSize = 1638;
    const std::optional<double> size = WholeNumber(text);
    if (!size || !(*size > 0) || *size > LargestPointSize) return std::nullopt;
    // A size the file would store as "0" would not read back next time.
    if (FormatFontSize(*size) == u"0") return std::nullopt;
    return size;
}

std::u16string FormatBoolean(bool value) {
    return value ? u"True" : u"False";
}

std::u16string FormatInt32(std::int32_t value) {
    return Widen(std::to_string(value));
}

std::u16string FormatFontSize(double points) {
    if (!std::isfinite(points)) points = 0;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, points, std::chars_format::fixed, 4);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0");
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return Widen(text);
}

std::u16string FormatColor(Color color) {
    char buffer[16];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, color, 16);
    std::string digits(buffer, ec == std::errc() ? end : buffer);
    for (char& c : digits) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    return u"&H" + Widen(digits);
}

}  // namespace scribbit
