// The locale's doubles. FakeLocale is the ANSI code page of a Japanese
// system (932). As the system does, it writes "?" for a character without a
// code (one per unit of a surrogate pair) and reports the first; it reads
// U+30FB for each byte, or lead and trail byte, that makes no character;
// NUL stays. FakeTextServices maps kana, width and case by explicit tables
// for the characters the suites use, compares ignoring all three, and
// formats its clock as H:mm:ss and yyyy/MM/dd. The contract holds its
// tables to the system's answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/locale_services.h"
#include "platform/text_services.h"

namespace scribbit {

class FakeLocale : public LocaleServices {
public:
    AnsiEncoding ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;
};

class FakeTextServices : public TextServices {
public:
    std::optional<std::u16string> Map(std::u16string_view text, TextMapping mapping) const override;
    bool EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const override;
    LocalTime Now() const override { return now; }
    std::u16string FormatTime(const LocalTime& time) const override;
    std::u16string FormatShortDate(const LocalTime& time) const override;

    static std::vector<std::u16string_view> Columns();  // every column of the tables

    LocalTime now{2002, 12, 25, 9, 5, 7};
    bool failMapping = false;  // as when the system runs out of memory
};

}  // namespace scribbit
