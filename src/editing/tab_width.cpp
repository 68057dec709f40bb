#include "editing/tab_width.h"

#include <charconv>
#include <cmath>
#include <string>

#include "core/decimal.h"
#include "editing/entry_text.h"

namespace scribbit {
namespace {

// Full-width digits, signs and point as their ASCII forms; nullopt for a
// character that cannot be part of a number.
std::optional<char> AsciiOf(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFF01 + 0x21);
    if ((c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.' || c == u'e' || c == u'E')
        return static_cast<char>(c);
    return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ParseTabSpaceEntry(std::u16string_view entry) {
    entry = TrimBlanks(entry);
    if (entry.empty()) return std::nullopt;
    std::string ascii;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        const auto c = AsciiOf(entry[i]);
        if (!c) return std::nullopt;
        ascii += *c;
    }
    // from_chars takes no leading plus; a second sign is no number.
    std::size_t start = 0;
    if (ascii[0] == '+') {
        start = 1;
        if (ascii.size() > 1 && (ascii[1] == '+' || ascii[1] == '-')) return std::nullopt;
    }
    double value = 0;
    const char* first = ascii.data() + start;
    const char* last = ascii.data() + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec != std::errc() || ptr != last || !std::isfinite(value)) return std::nullopt;
    // nearbyint rounds a half to the even neighbour: 2.5 → 2, 3.5 → 4.
    const double rounded = std::nearbyint(value);
    if (rounded < 1 || rounded > MaxTabSpace) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

TabSpaceDialogModel::TabSpaceDialogModel(std::int32_t& tabSpace) : tabSpace_(tabSpace) {
    if (tabSpace_ < 1 || tabSpace_ > MaxTabSpace) tabSpace_ = DefaultTabSpace;
    initialEntry_ = Decimal(static_cast<std::uint64_t>(tabSpace_));
}

bool TabSpaceDialogModel::OnOK(std::u16string_view entry) {
    const auto value = ParseTabSpaceEntry(entry);
    if (!value) return false;
    tabSpace_ = *value;
    return true;
}

}  // namespace scribbit
