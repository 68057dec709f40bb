// The ANSI code page of a Japanese system (932) without the system:
// conversion tables taken once from the C library's CP932 converter.
//
// What it does where the code page has no answer:
// - A character without a code of its own becomes "?" and the first one is
//   reported. Only mappings that go both ways count: the converter's
//   one-way conveniences (WAVE DASH to the full-width tilde's code, YEN SIGN
//   to the backslash...) would be best-fit substitutions, which the system
//   converter does not make when asked not to. A surrogate pair is one
//   character and becomes one "?"; a lone surrogate becomes "?" as well.
// - Bytes that are not valid CP932 decode to U+30FB (KATAKANA MIDDLE DOT),
//   the system's replacement character for this code page: a lead byte
//   followed by a byte in the trail range takes both bytes with it; a lead
//   byte before anything else (or at the end) is replaced alone, so a line
//   break after it survives. Single bytes without a character (80, A0,
//   FD-FF) are replaced one by one.
// - NUL bytes stay U+0000.
//
// Both directions are table look-ups, linear in the text.
#pragma once

#include <string>
#include <string_view>

#include "platform/locale_services.h"

namespace scribbit {

class FakeLocale : public LocaleServices {
public:
    AnsiEncoding ToAnsi(std::u16string_view text) const override;
    std::u16string FromAnsi(std::string_view bytes) const override;

    mutable int toAnsiCalls = 0;
    mutable int fromAnsiCalls = 0;
};

}  // namespace scribbit
