// The ANSI code page of a Japanese system (932) without the system, for the
// characters the suites use: ASCII, the half-width katakana, and an explicit
// table of double-byte characters (punctuation, full-width letters and
// digits, kana, Greek, the circled numbers and the kanji of the tests). The
// contract checks that the system converts every one of them the same way.
//
// What it does where the table has no answer:
// - A character without a code becomes "?" and the first one is reported;
//   each unit of a surrogate pair is a "?" of its own.
// - A lead byte followed by a byte in the trail range is one character;
//   without a code it reads as U+30FB (KATAKANA MIDDLE DOT), the system's
//   replacement character for this code page. A lead byte before anything
//   else is replaced alone, so a line break after it survives, and single
//   bytes without a character (80, A0, FD-FF) are replaced one by one.
// - NUL bytes stay U+0000.
#pragma once

#include <string>
#include <string_view>

#include "platform/locale_services.h"

namespace scribbit {

class FakeLocale : public LocaleServices {
public:
    AnsiEncoding ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;

    // The double-byte table: characters, and their codes (two bytes each)
    // in the same order. A character with two codes comes again at the end
    // with its second code, which decodes to it but is never written.
    static std::u16string_view TableCharacters();
    static std::string_view TableCodes();
};

}  // namespace scribbit
