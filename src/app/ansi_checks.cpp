#include "app/ansi_checks.h"

#include <algorithm>

#include "app/document_texts.h"
#include "core/decimal.h"
#include "core/utf16.h"

namespace scribbit {

namespace text = document_text;

namespace {

// "U+200B", "U+1F600": at least four upper-case hex digits.
std::u16string CodePointName(char32_t codePoint) {
    std::u16string hex;
    do {
        hex.insert(hex.begin(), u"0123456789ABCDEF"[codePoint & 0xF]);
        codePoint >>= 4;
    } while (codePoint != 0);
    while (hex.size() < 4) hex.insert(hex.begin(), u'0');
    return u"U+" + hex;
}

template <typename Char>
std::size_t CountLines(std::basic_string_view<Char> text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    // A break counts once its LF lies before offset.
    for (std::size_t i = 1; i < offset; ++i) {
        if (text[i] == Char('\n') && text[i - 1] == Char('\r')) ++line;
    }
    return line;
}

}  // namespace

std::size_t LineNumberAt(std::u16string_view text, std::size_t offset) {
    return CountLines(text, offset);
}

std::size_t LineNumberAt(std::string_view bytes, std::size_t offset) {
    return CountLines(bytes, offset);
}

SaveEncoding EncodeForSave(const LocaleServices& locale, std::u16string_view text) {
    AnsiEncoding encoded = locale.ToAnsi(text);
    SaveEncoding result;
    result.bytes = std::move(encoded.bytes);
    const std::size_t at = encoded.firstUnrepresentable;
    if (at == NoPosition || at >= text.size()) return result;

    UnrepresentableCharacter first;
    first.line = LineNumberAt(text, at);
    const char16_t unit = text[at];
    if (IsHighSurrogate(unit) && at + 1 < text.size() && IsLowSurrogate(text[at + 1])) {
        first.character = std::u16string(text.substr(at, 2));
        first.codePoint = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at + 1] - 0xDC00);
    } else if (IsLowSurrogate(unit) && at > 0 && IsHighSurrogate(text[at - 1])) {
        // A converter that points at the second half of a pair.
        first.character = std::u16string(text.substr(at - 1, 2));
        first.codePoint = 0x10000 + ((static_cast<char32_t>(text[at - 1]) - 0xD800) << 10) + (unit - 0xDC00);
    } else {
        first.character = std::u16string(1, unit);
        first.codePoint = unit;
        first.loneSurrogate = IsHighSurrogate(unit) || IsLowSurrogate(unit);
    }
    result.firstUnrepresentable = std::move(first);
    return result;
}

std::u16string UnrepresentableWarning(const UnrepresentableCharacter& first) {
    std::u16string message(text::UnrepresentableHeading);
    message += u"\r\n";
    message += text::UnrepresentableFirst;
    // The code point names characters that cannot be seen (a zero-width
    // space) and halves of pairs that cannot be shown at all.
    if (!first.loneSurrogate) message += u"「" + first.character + u"」";
    message += u"(" + CodePointName(first.codePoint) + u"、" + Decimal(first.line);
    message += text::LineSuffix;
    message += u")\r\n";
    message += text::UnrepresentableQuestion;
    return message;
}

DecodedDocument DecodeDocument(const LocaleServices& locale, std::string_view bytes) {
    DecodedDocument result;
    result.text = locale.FromAnsi(bytes);

    // Whatever does not come back byte for byte would change on save.
    const std::string again = locale.ToAnsi(result.text).bytes;
    const auto [mine, theirs] = std::mismatch(bytes.begin(), bytes.end(), again.begin(), again.end());
    if (mine != bytes.end() || theirs != again.end()) {
        result.firstChangedLine = LineNumberAt(bytes, static_cast<std::size_t>(mine - bytes.begin()));
    }

    const std::size_t nul = result.text.find(u'\0');
    if (nul != std::u16string::npos) {
        result.firstNulLine = LineNumberAt(result.text, nul);
        std::replace(result.text.begin() + static_cast<std::ptrdiff_t>(nul), result.text.end(), u'\0', u' ');
    }
    return result;
}

std::u16string LoadWarning(const DecodedDocument& document) {
    std::u16string message;
    if (document.firstChangedLine) {
        message += text::ChangedBytesStart;
        message += Decimal(*document.firstChangedLine);
        message += text::ChangedBytesEnd;
    }
    if (document.firstNulLine) {
        if (!message.empty()) message += u"\r\n";
        message += text::NulBytesStart;
        message += Decimal(*document.firstNulLine);
        message += text::NulBytesEnd;
    }
    return message;
}

}  // namespace scribbit
