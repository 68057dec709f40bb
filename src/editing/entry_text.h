// What the dialogs' entry fields share: the blanks a user may leave around
// a number (half-width space, tab, full-width space) do not count.
#pragma once

#include <string_view>

namespace scribbit {

constexpr bool IsEntryBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0x3000;
}

constexpr std::u16string_view TrimBlanks(std::u16string_view entry) {
    while (!entry.empty() && IsEntryBlank(entry.front())) entry.remove_prefix(1);
    while (!entry.empty() && IsEntryBlank(entry.back())) entry.remove_suffix(1);
    return entry;
}

}  // namespace scribbit
