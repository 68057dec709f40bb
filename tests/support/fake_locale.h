// The ANSI code page of a Japanese system (932) for the characters the
// suites use: ASCII, the half-width katakana and a table of double-byte
// characters that the contract holds to the system's. As the system does, it
// writes "?" for a character without a code (for each unit of a surrogate
// pair) and reports the first; it reads U+30FB, the code page's replacement
// character, for a lead and trail byte without a character and for each byte
// that starts none (80, A0, FD-FF, a lead byte before a non-trail byte, so a
// line break after it survives); NUL bytes stay U+0000.
#pragma once

#include <string>
#include <string_view>

#include "platform/locale_services.h"

namespace scribbit {

class FakeLocale : public LocaleServices {
public:
    AnsiEncoding ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;

    // The double-byte table: characters, and their two-byte codes in the same
    // order; a character with a second code comes again at the end with it.
    static std::u16string_view TableCharacters();
    static std::string_view TableCodes();
};

}  // namespace scribbit
