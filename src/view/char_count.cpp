#include "view/char_count.h"

#include <array>
#include <cstdint>
#include <string>

namespace scribbit {
namespace {

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// How many bytes each character takes in the ANSI code page, asked of the
// locale's own converter so that the sum is exactly the length of the
// converted text (a character without a code counts the one default byte
// the converter writes for it). The code pages the system uses as ANSI
// encode characters independently and never put byte 0x0A inside a
// multi-byte character, so one conversion of every character followed by
// a line feed gives all widths at once; a table that does not come out
// that way is refused and the caller converts the whole text instead.
struct AnsiWidths {
    std::array<std::uint8_t, 0x10000> bmp{};
    std::size_t pair = 0;           // a surrogate pair (one character)
    std::size_t loneSurrogate = 0;  // a surrogate without its partner
};

bool MeasureWidths(const LocaleServices& locale, AnsiWidths& widths) {
    std::u16string probe;
    probe.reserve(2 * 0x10000);
    for (std::uint32_t c = 0; c < 0x10000; ++c) {
        if (c == u'\n' || IsSurrogate(static_cast<char16_t>(c))) continue;
        probe += static_cast<char16_t>(c);
        probe += u'\n';
    }
    const std::string bytes = locale.ToAnsi(probe).bytes;
    std::uint32_t c = 0;
    std::size_t pieceStart = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        if (bytes[at] != '\n') continue;
        while (c < 0x10000 && (c == u'\n' || IsSurrogate(static_cast<char16_t>(c)))) ++c;
        const std::size_t width = at - pieceStart;
        if (c >= 0x10000 || width == 0 || width > 4) return false;
        widths.bmp[c++] = static_cast<std::uint8_t>(width);
        pieceStart = at + 1;
    }
    while (c < 0x10000 && (c == u'\n' || IsSurrogate(static_cast<char16_t>(c)))) ++c;
    if (c != 0x10000 || pieceStart != bytes.size()) return false;
    widths.bmp[u'\n'] = static_cast<std::uint8_t>(locale.ToAnsi(u"\n").bytes.size());
    widths.pair = locale.ToAnsi(u"\U00020B9F").bytes.size();
    widths.loneSurrogate = locale.ToAnsi(u"\xD800").bytes.size();
    return widths.loneSurrogate == locale.ToAnsi(u"\xDC00").bytes.size();
}

std::size_t AnsiByteCount(const LocaleServices& locale, std::u16string_view text) {
    // Measuring costs one conversion of 128 K units, far less than a large
    // text; a small one is simply converted.
    if (text.size() < 0x40000) return locale.ToAnsi(text).bytes.size();
    static thread_local AnsiWidths widths;
    if (!MeasureWidths(locale, widths)) return locale.ToAnsi(text).bytes.size();
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (!IsSurrogate(unit)) {
            count += widths.bmp[unit];
        } else if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
            count += widths.pair;
            ++at;
        } else {
            count += widths.loneSurrogate;
        }
    }
    return count;
}

}  // namespace

void UpdateCharCount(AppContext& context) {
    const Ports& ports = context.ports;
    EditView& editor = context.ActiveEditor();
    const std::size_t count = ports.menus.IsChecked(menu::CountCharacters)
                                  ? editor.TextLength()
                                  : AnsiByteCount(ports.locale, editor.Text());
    const std::string digits = std::to_string(count);
    ports.sttSTATUS.SetPanelText(CountPanel, std::u16string(digits.begin(), digits.end()));
}
void SetCountUnit(AppContext& context, bool countCharacters) {
    const Ports& ports = context.ports;
    ports.menus.SetChecked(menu::CountCharacters, countCharacters);
    ports.menus.SetChecked(menu::CountBytes, !countCharacters);
    ports.sttSTATUS.SetPanelText(CountUnitPanel,
                                 std::u16string(countCharacters ? CountUnitCharacters : CountUnitBytes));
}

void mnuCOUNT_Click(AppContext& context, int index) {
    if (index != menu::CountCharacters.index && index != menu::CountBytes.index) return;
    SetCountUnit(context, index == menu::CountCharacters.index);
    UpdateCharCount(context);
}

}  // namespace scribbit
