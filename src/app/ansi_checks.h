// The document's bytes are in the ANSI code page, which cannot hold every
// character and does not give every byte sequence back unchanged. These
// checks find where text or bytes would change on the way to or from the
// disk, so that the user is told before anything is lost.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/locale_services.h"

namespace scribbit {

// The 1-based line of offset in text whose lines end with CR LF.
std::size_t LineNumberAt(std::u16string_view text, std::size_t offset);
// The same for bytes of the ANSI code page (CR and LF are never trail bytes).
std::size_t LineNumberAt(std::string_view bytes, std::size_t offset);

struct UnrepresentableCharacter {
    std::u16string character;  // one unit, or both halves of a surrogate pair
    char32_t codePoint = 0;
    bool loneSurrogate = false;  // no character at all: not shown, only its code
    std::size_t line = 0;
};

struct SaveEncoding {
    std::string bytes;  // "?" in place of every unrepresentable character
    std::optional<UnrepresentableCharacter> firstUnrepresentable;
};

SaveEncoding EncodeForSave(const LocaleServices& locale, std::u16string_view text);

// The Yes/No question asked before such bytes are written.
std::u16string UnrepresentableWarning(const UnrepresentableCharacter& first);

struct DecodedDocument {
    // The text for the edit view, NUL characters replaced by spaces: the
    // control would end the text at the first NUL.
    std::u16string text;
    // The first line holding bytes that saving would not write back as they
    // were read (invalid sequences, a second code of a character).
    std::optional<std::size_t> firstChangedLine;
    std::optional<std::size_t> firstNulLine;
};

DecodedDocument DecodeDocument(const LocaleServices& locale, std::string_view bytes);

// What the user is told once the text is shown; empty when nothing changed.
std::u16string LoadWarning(const DecodedDocument& document);

}  // namespace scribbit
