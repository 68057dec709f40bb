// The numbers a user types or a settings file holds, against exact decimal
// arithmetic: margins, the tab width, line numbers and the settings' whole
// numbers, full-width digits and exponents included.
#include "core/setting_values.h"
#include "editing/entry_text.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "fuzz/fuzz_input.h"
#include "printing/page_setup_dialog.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

// Digits without zeros at either end, times ten to the exponent.
struct Number {
    bool negative = false, found = false;
    std::string digits;
    long long exponent = 0;
    std::size_t end = 0;  // the first unit after the number
    // More digits than a double holds: a parser may round the last ones away.
    bool Loose() const { return digits.size() > 15; }
    // Rounded half to even; nullopt outside low to high.
    std::optional<long long> Rounded(long long low, long long high) const {
        const long long size = std::ssize(digits), whole = digits.empty() ? 0 : size + exponent;
        if (whole > 18) return std::nullopt;
        long long value = 0;
        for (long long i = 0; i < whole; ++i) value = value * 10 + (i < size ? digits[i] - '0' : 0);
        // With the zeros at the end gone, any digit after the first one dropped is not 0.
        const char next = whole >= 0 && whole < size ? digits[whole] : '0';
        if (next > '5' || (next == '5' && (whole + 1 < size || value % 2))) ++value;
        value = negative ? -value : value;
        return value >= low && value <= high ? std::optional(value) : std::nullopt;
    }
};

// Sign, digits with one point and, when asked, an exponent with digits.
Number Scan(std::u16string_view s, bool exponent) {
    const auto at = [&](std::size_t i) -> char16_t { return i < s.size() ? s[i] : 0; };
    const auto digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    Number n;
    std::size_t i = 0, point = s.npos;
    if (at(i) == u'+' || at(i) == u'-') n.negative = at(i++) == u'-';
    for (; digit(at(i)) || (at(i) == u'.' && point == s.npos); ++i) {
        if (at(i) == u'.') point = n.digits.size();
        if (at(i) != u'.') n.digits += static_cast<char>(at(i));
    }
    n.found = !n.digits.empty();
    if (point != s.npos) n.exponent -= static_cast<long long>(n.digits.size() - point);
    std::size_t e = i + 1 + (at(i + 1) == u'+' || at(i + 1) == u'-');
    if (n.found && exponent && (at(i) == u'e' || at(i) == u'E') && digit(at(e))) {
        long long power = 0;
        for (; digit(at(e)); ++e) power = std::min(power * 10 + (at(e) - u'0'), 1000000LL);
        n.exponent += at(i + 1) == u'-' ? -power : power;
        i = e;
    }
    n.end = i;
    n.digits.erase(0, std::min(n.digits.find_first_not_of('0'), n.digits.size()));
    for (; !n.digits.empty() && n.digits.back() == '0'; n.digits.pop_back()) ++n.exponent;
    return n;
}

}  // namespace
}  // namespace scribbit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    if (size < 2) return 0;
    const long long lines = data[0] * 256 + data[1];
    const std::u16string entry =
        TextOf(Bytes(data + 2, size - 2), u"0123456789012345.+-eE 0.\t　０５９．－ｅx,");
    std::u16string wide(TrimBlanks(entry));  // the dialogs take full-width forms as well
    for (char16_t& c : wide) c = c >= 0xFF01 && c <= 0xFF5E ? static_cast<char16_t>(c - 0xFEE0) : c;

    const Number plain = Scan(wide, false);
    const long long margin = plain.Rounded(LLONG_MIN, LLONG_MAX).value_or(plain.negative ? -32767 : 32767);
    if (!plain.Loose()) EXPECT_EQ(ParseMargin(entry), std::clamp(margin, -32767LL, 32767LL)) << Utf8(entry);
    EXPECT_EQ(ParseMargin(MarginText(ParseMargin(entry))), ParseMargin(entry));
    const bool digitsOnly = !wide.empty() && wide.find_first_not_of(u"0123456789") == wide.npos;
    EXPECT_EQ(ParseLineNumber(entry, lines), digitsOnly ? plain.Rounded(1, lines) : std::nullopt)
        << Utf8(entry);

    const Number tab = Scan(wide, true);
    const bool number =
        tab.found && tab.end == wide.size() && wide.find_first_not_of(u"0123456789+-.eE") == wide.npos;
    if (!tab.Loose())
        EXPECT_EQ(ParseTabSpaceEntry(entry), number ? tab.Rounded(1, 32767) : std::nullopt) << Utf8(entry);

    // The settings file's blanks are the ASCII ones, its digits ASCII only.
    const std::size_t start = std::min(entry.find_first_not_of(u" \t"), entry.size());
    const Number setting = Scan(std::u16string_view(entry).substr(start), true);
    const auto value = setting.found ? setting.Rounded(INT32_MIN, INT32_MAX) : 0;
    const bool whole = setting.found && entry.find_first_not_of(u" \t", start + setting.end) == entry.npos;
    if (!setting.Loose()) EXPECT_EQ(ReadInt32Setting(entry), value) << Utf8(entry);
    if (!setting.Loose())
        EXPECT_EQ(ReadWholeInt32Setting(entry), whole ? value : std::nullopt) << Utf8(entry);
    return 0;
}
