// The two ways the editor compares text: binary (equal codes) and text
// mode, where case, character width and kana type are ignored as the
// locale's comparison ignores them. Searching in either mode is linear in
// the text's length.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/text_services.h"

namespace scribbit {

enum class CompareMode { Binary, Text };

// A stretch of the searched text, in UTF-16 offsets. In text mode its
// length can differ from the search text's (ｶﾞ matched by ガ).
struct TextMatch {
    std::size_t start = 0;
    std::size_t length = 0;
    std::size_t End() const { return start + length; }
    friend bool operator==(const TextMatch&, const TextMatch&) = default;
};

// Text mode reduces every character to a key (full-width, hiragana, lower
// case) so that characters the locale's comparison calls equal get equal
// keys. Keys come from the locale's own mappings, asked once per distinct
// code unit and kept, so searching a long text costs no system call per
// character. A mapping is only used when the locale's comparison agrees
// that the character and its key are equal.
class TextFolder {
public:
    explicit TextFolder(const TextServices& services);
    TextFolder(const TextFolder&) = delete;
    TextFolder& operator=(const TextFolder&) = delete;

    // The key of a character made of one code unit.
    std::u16string_view Key(char16_t unit);
    // The key of a half-width kana followed by a voiced or semi-voiced mark
    // when the locale composes the two into one character (ｶﾞ → ガ);
    // empty when they stay two characters.
    std::u16string_view PairKey(char16_t kana, char16_t mark) {
        if (!IsHalfWidthKanaLetter(kana) || !IsHalfWidthVoicedMark(mark)) return {};
        const std::size_t slot = static_cast<std::size_t>(kana - 0xFF66) * 2 + (mark - 0xFF9E);
        if (!pairKnown_[slot]) LearnPair(kana, mark, slot);
        return pairs_[slot];
    }

    static bool IsHalfWidthKanaLetter(char16_t c) { return c >= 0xFF66 && c <= 0xFF9D; }
    static bool IsHalfWidthVoicedMark(char16_t c) { return c == 0xFF9E || c == 0xFF9F; }

private:
    enum : std::uint8_t { Unknown = 0, Single = 1, Multi = 2 };

    std::u16string ComputeKey(char16_t unit) const;
    void LearnPair(char16_t kana, char16_t mark, std::size_t slot);

    const TextServices& services_;
    std::vector<std::uint8_t> state_;
    std::vector<char16_t> single_;
    std::unordered_map<char16_t, std::u16string> multi_;
    // Per half-width kana letter and mark, in the order of their codes.
    std::array<std::u16string, 2 * (0xFF9D - 0xFF66 + 1)> pairs_;
    std::array<bool, 2 * (0xFF9D - 0xFF66 + 1)> pairKnown_{};
};

struct ReplaceResult {
    std::u16string text;
    std::size_t count = 0;
};

// Finds one search text in texts, in one comparison mode. Matches start
// and end on whole characters: a surrogate pair, or a composed half-width
// kana with its voiced mark, is never cut in half.
class TextSearcher {
public:
    // folder is used in text mode only and must outlive the searcher.
    TextSearcher(std::u16string_view pattern, CompareMode mode, TextFolder& folder);

    bool IsEmpty() const { return keys_.empty(); }
    // The first match starting at `from` or later.
    std::optional<TextMatch> FindFirst(std::u16string_view text, std::size_t from) const;
    // The last match that ends at or before `end`.
    std::optional<TextMatch> FindLast(std::u16string_view text, std::size_t end) const;

private:
    friend ReplaceResult ReplaceEvery(std::u16string_view text, std::size_t from, std::u16string_view pattern,
                                      std::u16string_view replacement, CompareMode mode, TextFolder& folder);

    // What a code unit met in the text means for the scan: Skip, a character
    // of its own whose key cannot begin a match; Hit, a character of its
    // own whose key is the whole search text; Kana, a half-width kana, which
    // may compose with the mark after it (text mode); Stop, anything else,
    // which the scan looks at closely. (Skip is 0, so that four units can be
    // tested at once.)
    enum : std::uint8_t { Skip = 0, Hit = 1, Kana = 2, Stop = 3, Unknown = 4 };

    template <class OnMatch>
    void Scan(std::u16string_view text, std::size_t from, std::size_t end, bool restartAfterMatch,
              OnMatch& onMatch) const;
    // Every match from `from` on, left to right without overlaps, as
    // onMatch(start, length).
    template <class OnMatch>
    void ForEach(std::u16string_view text, std::size_t from, OnMatch& onMatch) const;
    // ReplaceEvery for a search text of one key unit and a replacement of
    // at most 8 units, in one pass over the text.
    ReplaceResult ReplaceShort(std::u16string_view text, std::size_t from,
                               std::u16string_view replacement) const;
    // ReplaceShort for a replacement of one unit where matches are rare.
    ReplaceResult ReplaceSparse(std::u16string_view text, std::size_t from, char16_t replacement) const;
    // The first position from i on where a match could start: no character
    // before it has a key that begins with the search text's first key unit.
    std::size_t NextCandidate(const char16_t* text, std::size_t i, std::size_t end) const;
    std::uint8_t KindOf(char16_t unit) const {
        std::uint8_t& kind = kinds_[unit];
        if (kind == Unknown) kind = Classify(unit);
        return kind;
    }
    std::uint8_t Classify(char16_t unit) const;
    // For a search text of one key unit: a half-width kana and the unit
    // after it, as 1 + hit + 2 × (units in the character - 1).
    std::uint8_t KanaKind(char16_t kana, char16_t next) const {
        const unsigned mark = static_cast<unsigned>(next) - 0xFF9E;
        std::uint8_t& kind = kanaKinds_[static_cast<std::size_t>(kana - 0xFF66) * 3 + (mark < 2 ? mark : 2)];
        if (kind == 0) kind = ClassifyKana(kana, next);
        return kind;
    }
    std::uint8_t ClassifyKana(char16_t kana, char16_t next) const;

    CompareMode mode_;
    TextFolder& folder_;
    std::u16string keys_;            // the search text's keys, unit by unit
    std::vector<std::size_t> fail_;  // longest proper border of each prefix of keys_
    // The kind of each code unit, learned as the units are met; the same
    // for each half-width kana followed by either mark or by anything else.
    mutable std::vector<std::uint8_t> kinds_;
    mutable std::array<std::uint8_t, 3 * (0xFF9D - 0xFF66 + 1)> kanaKinds_{};
};

// Replaces every match of pattern starting at `from` or later, left to
// right without overlaps; text made by a replacement is not searched again.
// The text before `from` is copied unchanged.
ReplaceResult ReplaceEvery(std::u16string_view text, std::size_t from, std::u16string_view pattern,
                           std::u16string_view replacement, CompareMode mode, TextFolder& folder);

}  // namespace scribbit
