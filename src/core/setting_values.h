// Conversions between the settings file's texts and the values they hold.
// The reader is forgiving: a value it cannot convert yields nullopt so that
// start-up can fall back to the key's first-run default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace scribbit {

// The numeric value at the start of the text: leading blanks, an optional
// sign, digits with an optional fraction and exponent. 0 when the text does
// not start with a number; nullopt only when the number is too large for a
// double.
std::optional<double> LeadingNumber(std::u16string_view text);

// The text's leading number rounded half to even into 32 bits (0 when there
// is none); nullopt when it lies outside the 32-bit range.
std::optional<std::int32_t> ReadInt32Setting(std::u16string_view text);

// A number that makes up the whole text apart from blanks, rounded half to
// even into 32 bits; nullopt for anything else.
std::optional<std::int32_t> ReadWholeInt32Setting(std::u16string_view text);

// "True" / "False" in any letter case, or a number (0 false, else true)
// that makes up the whole text apart from blanks. nullopt otherwise.
std::optional<bool> ReadBooleanSetting(std::u16string_view text);

// A colour as decimal or "&H" hexadecimal, either a 0x00BBGGRR value or a
// system colour (high bit set, index in the low byte). nullopt otherwise.
std::optional<Color> ReadColorSetting(std::u16string_view text);

// A font size in points: a positive number that makes up the whole text.
std::optional<double> ReadFontSizeSetting(std::u16string_view text);

std::u16string FormatBoolean(bool value);
std::u16string FormatInt32(std::int32_t value);
// Up to four decimals, no trailing zeros: 13.5 -> "13.5", 9 -> "9".
std::u16string FormatFontSize(double points);
// "&H" and upper-case hexadecimal without leading zeros: "&H80000008", "&H0".
std::u16string FormatColor(Color color);

}  // namespace scribbit
