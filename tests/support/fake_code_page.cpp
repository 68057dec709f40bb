// The Japanese ANSI code page through the C library's converter, whose
// table for it is the system's. A character the converter only maps by a
// best fit (it does not come back from the round trip) has no code, as the
// program asks of the system.
#include <iconv.h>

#include <cstdint>

#include "support/fake_locale.h"

namespace scribbit {
namespace {

// One character or byte pair converted, or nothing when it has no counterpart.
std::string Convert(bool toAnsi, std::string_view in) {
    static const iconv_t converters[] = {iconv_open("UTF-16LE", "CP932"), iconv_open("CP932", "UTF-16LE")};
    char* source = const_cast<char*>(in.data());
    std::size_t sourceLeft = in.size(), targetLeft = 4;
    std::string out(targetLeft, '\0');
    char* target = out.data();
    if (iconv(converters[toAnsi], &source, &sourceLeft, &target, &targetLeft) == std::size_t(-1)) return {};
    out.resize(out.size() - targetLeft);
    return out;
}

}  // namespace

AnsiEncoding FakeLocale::ToAnsi(std::u16string_view text) const {
    AnsiEncoding result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string unit{char(text[i] & 0xFF), char(text[i] >> 8)};
        const std::string code = Convert(true, unit);
        const bool kept = !code.empty() && Convert(false, code) == unit;
        if (!kept && result.firstUnrepresentable == NoPosition) result.firstUnrepresentable = i;
        result.bytes += kept ? code : "?";
    }
    return result;
}

// A byte that starts no character, and a lead and trail byte without one,
// read as U+30FB; a lead byte before a non-trail byte is read alone, so a
// line break after it survives.
std::u16string FakeLocale::FromAnsi(std::string_view bytes) const {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = std::uint8_t(bytes[i]),
                           next = i + 1 < bytes.size() ? std::uint8_t(bytes[i + 1]) : 0;
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const bool pair = lead && next >= 0x40 && next <= 0xFC && next != 0x7F;
        const std::string unit = Convert(false, bytes.substr(i, pair ? 2 : 1));
        text += unit.size() == 2 ? char16_t(std::uint8_t(unit[0]) | std::uint8_t(unit[1]) << 8) : u'\u30FB';
        i += pair;
    }
    return text;
}

}  // namespace scribbit
