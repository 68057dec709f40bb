// The locale's text services: the kana, width and case mappings, the
// comparison that ignores case, width and kana type, and the system's time
// and short date formats.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scribbit {

enum class TextMapping { Katakana, Hiragana, HalfWidth, FullWidth, UpperCase, LowerCase };

// A moment of the local clock.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1-12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class TextServices {
public:
    TextServices() = default;
    TextServices(const TextServices&) = delete;
    TextServices& operator=(const TextServices&) = delete;
    virtual ~TextServices() = default;

    // The locale's mapping of a text. The result can differ in length: a
    // half-width kana followed by a voiced mark composes into one full-width
    // character, and a full-width voiced kana splits into two half-width
    // units. nullopt when the system could not map (out of memory).
    virtual std::optional<std::u16string> Map(std::u16string_view text, TextMapping mapping) const = 0;

    // The locale's comparison with case, character width and kana type
    // ignored: true when the two texts compare equal.
    virtual bool EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const = 0;

    virtual LocalTime Now() const = 0;
    // The complete time (hours, minutes and seconds) in the user's time format.
    virtual std::u16string FormatTime(const LocalTime& time) const = 0;
    // The date in the user's short date format.
    virtual std::u16string FormatShortDate(const LocalTime& time) const = 0;
};

}  // namespace scribbit
