#include "view/char_count.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "core/decimal.h"
#include "core/utf16.h"
#include "core/working_pointer.h"

namespace scribbit {
namespace {

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

// A sparse sample of the code page (every 61st character and the ones the
// table treats apart), converted again at each use of a kept table: a
// different locale at the same address shows as different bytes, at the
// cost of a conversion of about a thousand characters.
std::string Fingerprint(const LocaleServices& locale) {
    std::u16string sample;
    for (std::uint32_t c = 1; c < 0x10000; c += 61) {
        if (!IsSurrogate(static_cast<char16_t>(c))) sample += static_cast<char16_t>(c);
    }
    sample += u"\n\U00020B9F\xD800";
    return locale.ToAnsi(sample).bytes;
}

// The widths are measured once per locale and kept for the run: measuring
// converts every character of the code page, which at each key release
// would cost more than counting a large text.
const AnsiWidths* WidthsFor(const LocaleServices& locale) {
    struct Kept {
        const LocaleServices* locale = nullptr;
        std::string fingerprint;
        bool measured = false;
        AnsiWidths widths;
    };
    static thread_local Kept kept;
    std::string fingerprint = Fingerprint(locale);
    if (kept.locale != &locale || kept.fingerprint != fingerprint) {
        kept.locale = &locale;
        kept.fingerprint = std::move(fingerprint);
        kept.widths = AnsiWidths{};
        kept.measured = MeasureWidths(locale, kept.widths);
    }
    return kept.measured ? &kept.widths : nullptr;
}

std::size_t AnsiByteCount(const LocaleServices& locale, std::u16string_view text) {
    // A small text is simply converted; a large one is summed from the
    // widths, which stays exact and is many times faster.
    if (text.size() < 0x10000) return locale.ToAnsi(text).bytes.size();
    const AnsiWidths* table = WidthsFor(locale);
    if (!table) return locale.ToAnsi(text).bytes.size();
    const AnsiWidths& widths = *table;
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

// Every key release reads the whole text; the buffer is kept for the next
// one (allocating megabytes afresh costs more than counting them), and let
// go when the document has shrunk to a small part of it.
std::size_t AnsiByteCountOf(const LocaleServices& locale, const EditView& editor) {
    static thread_local std::u16string text;
    editor.ReadText(text);
    const std::size_t count = AnsiByteCount(locale, text);
    if (text.capacity() > 0x100000 && text.size() < text.capacity() / 4) {
        std::u16string().swap(text);
    }
    return count;
}

}  // namespace

void UpdateCharCount(AppContext& context) {
    const Ports& ports = context.ports;
    EditView& editor = context.ActiveEditor();
    const std::size_t count =
        context.view.countCharacters ? editor.TextLength() : AnsiByteCountOf(ports.locale, editor);
    ports.sttSTATUS.SetPanelText(CountPanel, Decimal(count));
}
void SetCountUnit(AppContext& context, bool countCharacters) {
    const Ports& ports = context.ports;
    context.view.countCharacters = countCharacters;
    ports.menus.SetChecked(menu::CountCharacters, countCharacters);
    ports.menus.SetChecked(menu::CountBytes, !countCharacters);
    ports.sttSTATUS.SetPanelText(CountUnitPanel,
                                 std::u16string(countCharacters ? CountUnitCharacters : CountUnitBytes));
}

void mnuCOUNT_Click(AppContext& context, int index) {
    if (index != menu::CountCharacters.index && index != menu::CountBytes.index) return;
    const WorkingPointer working(context.ports.frame);
    SetCountUnit(context, index == menu::CountCharacters.index);
    UpdateCharCount(context);
}

}  // namespace scribbit
