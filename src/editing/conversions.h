// The text conversions of the text-processing menu, each a function from a
// text to a text. Every search-and-replace step compares in text mode.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "editing/text_compare.h"
#include "platform/text_services.h"

namespace scribbit {

// The indexes of mnuCHANGE (separators included) that convert.
enum class Conversion : int {
    HiraganaToKatakana = 0,
    FullWidthToHalfWidth = 1,
    ToUpperCase = 2,
    KatakanaToHiragana = 4,
    HalfWidthToFullWidth = 5,
    ToLowerCase = 6,
    CrLfToLf = 8,
    LfToCrLf = 9,
    TabsToSpaces = 11,
    SpacesToTabs = 12,
    BackslashToSlash = 14,
    SlashToBackslash = 15,
    TrimLineEnds = 17,
    RemoveLineBreaks = 18,
    AppendBrTags = 20,
};

// The conversion chosen by a menu index; nullopt for separators and
// indexes outside the menu.
std::optional<Conversion> ConversionAt(int index);
// The two conversions that ask for the tab width first.
bool UsesTabSpace(Conversion conversion);

std::u16string CrLfToLf(std::u16string_view s, TextFolder& folder);
std::u16string LfToCrLf(std::u16string_view s, TextFolder& folder);
std::u16string TabsToSpaces(std::u16string_view s, std::int32_t tabSpace, TextFolder& folder);
std::u16string SpacesToTabs(std::u16string_view s, std::int32_t tabSpace, TextFolder& folder);
std::u16string BackslashToSlash(std::u16string_view s, TextFolder& folder);
std::u16string SlashToBackslash(std::u16string_view s, TextFolder& folder);
std::u16string TrimLineEnds(std::u16string_view s);
std::u16string RemoveLineBreaks(std::u16string_view s, TextFolder& folder);
std::u16string AppendBrTags(std::u16string_view s, TextFolder& folder);
// Half-width to full-width: the ASCII " first becomes ” (which the Japanese
// code page holds), then the locale's full-width mapping.
std::optional<std::u16string> HalfWidthToFullWidth(std::u16string_view s, const TextServices& services,
                                                   TextFolder& folder);

// Converts s; nullopt when the locale's mapping failed. Throws
// std::bad_alloc (or std::length_error) when the result cannot be held.
std::optional<std::u16string> Convert(Conversion conversion, std::u16string_view s, std::int32_t tabSpace,
                                      const TextServices& services, TextFolder& folder);

}  // namespace scribbit
