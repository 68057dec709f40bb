// The locale's text mappings, comparison and time and date formats, from
// the system's national-language functions.
#pragma once

#include "platform/text_services.h"

namespace scribbit {

class TextServicesWin32 final : public TextServices {
public:
    std::optional<std::u16string> Map(std::u16string_view text, TextMapping mapping) const override;
    bool EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const override;
    LocalTime Now() const override;
    std::u16string FormatTime(const LocalTime& time) const override;
    std::u16string FormatShortDate(const LocalTime& time) const override;
};

}  // namespace scribbit
