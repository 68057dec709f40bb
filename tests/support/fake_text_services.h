// In-memory locale text services: the kana, width and case mappings as
// explicit tables of the characters the suites use (the contract checks
// that the system maps each of them the same way), a settable clock and the
// time format H:mm:ss and short date format yyyy/MM/dd.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_services.h"

namespace scribbit {

class FakeTextServices : public TextServices {
public:
    std::optional<std::u16string> Map(std::u16string_view text, TextMapping mapping) const override;
    bool EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const override;
    LocalTime Now() const override { return now; }
    std::u16string FormatTime(const LocalTime& time) const override;
    std::u16string FormatShortDate(const LocalTime& time) const override;

    // Every column of the tables, for the contract to map.
    static std::vector<std::u16string_view> Columns();

    LocalTime now{2002, 12, 25, 9, 5, 7};
    // Every Map fails, as when the system runs out of memory.
    bool failMapping = false;
    // Calls, to see that an empty text is not handed to the system.
    mutable long long mapCalls = 0;
};

}  // namespace scribbit
