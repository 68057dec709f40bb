#include "editing/text_compare.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "core/utf16.h"

namespace scribbit {
namespace {

// One character of a text and the key it is compared by.
struct CharKey {
    std::size_t length;  // code units of the character in the text
    std::u16string_view key;
};

CharKey NextChar(std::u16string_view text, std::size_t i, CompareMode mode, TextFolder& folder) {
    const char16_t c = text[i];
    if (i + 1 < text.size()) {
        const char16_t next = text[i + 1];
        if (IsHighSurrogate(c) && IsLowSurrogate(next)) return {2, text.substr(i, 2)};
        if (mode == CompareMode::Text && TextFolder::IsHalfWidthKanaLetter(c) &&
            TextFolder::IsHalfWidthVoicedMark(next)) {
            const auto pair = folder.PairKey(c, next);
            if (!pair.empty()) return {2, pair};
        }
    }
    if (mode == CompareMode::Binary) return {1, text.substr(i, 1)};
    return {1, folder.Key(c)};
}

}  // namespace

TextFolder::TextFolder(const TextServices& services)
    : services_(services), state_(0x10000, Unknown), single_(0x10000, 0) {}

std::u16string TextFolder::ComputeKey(char16_t unit) const {
    const std::u16string original(1, unit);
    // Control characters and lone surrogate halves compare as themselves.
    if (unit < 0x20 || unit == 0x7F || IsSurrogate(unit)) return original;
    auto key = services_.Map(original, TextMapping::FullWidth);
    if (key && !key->empty()) key = services_.Map(*key, TextMapping::Hiragana);
    if (key && !key->empty()) key = services_.Map(*key, TextMapping::LowerCase);
    if (!key || key->empty() || *key == original) return original;
    // Only merge what the locale's own comparison calls equal.
    if (!services_.EqualIgnoringCaseWidthKana(original, *key)) return original;
    return *key;
}

std::u16string_view TextFolder::Key(char16_t unit) {
    std::uint8_t& state = state_[unit];
    if (state == Unknown) {
        std::u16string key = ComputeKey(unit);
        if (key.size() == 1) {
            single_[unit] = key[0];
            state = Single;
        } else {
            multi_[unit] = std::move(key);
            state = Multi;
        }
    }
    if (state == Single) return {&single_[unit], 1};
    return multi_.find(unit)->second;
}

void TextFolder::LearnPair(char16_t kana, char16_t mark, std::size_t slot) {
    const auto composed = services_.Map(std::u16string{kana, mark}, TextMapping::FullWidth);
    if (composed && composed->size() == 1) pairs_[slot] = std::u16string(Key((*composed)[0]));
    pairKnown_[slot] = true;
}

TextSearcher::TextSearcher(std::u16string_view pattern, CompareMode mode, TextFolder& folder)
    : mode_(mode), folder_(folder), kinds_(0x10000, Unknown) {
    keys_.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size();) {
        const CharKey ck = NextChar(pattern, i, mode_, folder_);
        keys_.append(ck.key);
        i += ck.length;
    }
    // Knuth-Morris-Pratt: the scan never steps back in the text.
    fail_.assign(keys_.size(), 0);
    for (std::size_t q = 1, k = 0; q < keys_.size(); ++q) {
        while (k > 0 && keys_[q] != keys_[k]) k = fail_[k - 1];
        if (keys_[q] == keys_[k]) ++k;
        fail_[q] = k;
    }
}

std::uint8_t TextSearcher::Classify(char16_t unit) const {
    // The first unit of a surrogate pair or of a composed half-width kana
    // starts a character whose key depends on the unit after it.
    if (IsHighSurrogate(unit)) return Stop;
    if (mode_ == CompareMode::Text && TextFolder::IsHalfWidthKanaLetter(unit)) {
        // Passed over like any other unit when no match can begin with it,
        // alone or composed, nor with a mark on its own after it.
        const char16_t first = keys_[0];
        const auto begins = [first](std::u16string_view key) { return !key.empty() && key[0] == first; };
        for (const char16_t mark : {u'\uFF9E', u'\uFF9F'}) {
            if (begins(folder_.PairKey(unit, mark)) || begins(folder_.Key(mark))) return Kana;
        }
        return begins(folder_.Key(unit)) ? Kana : Skip;
    }
    const std::u16string_view key =
        mode_ == CompareMode::Binary ? std::u16string_view(&unit, 1) : folder_.Key(unit);
    if (key[0] != keys_[0]) return Skip;
    return key == keys_ ? Hit : Stop;
}

std::uint8_t TextSearcher::ClassifyKana(char16_t kana, char16_t next) const {
    const std::u16string_view pair = folder_.PairKey(kana, next);
    const std::u16string_view key = pair.empty() ? folder_.Key(kana) : pair;
    const bool hit = key.size() == 1 && key[0] == keys_[0];
    return static_cast<std::uint8_t>(1 + (hit ? 1 : 0) + (pair.empty() ? 0 : 2));
}

std::size_t TextSearcher::NextCandidate(const char16_t* text, std::size_t i, std::size_t end) const {
    // Only single-unit characters are skipped, so the scan stays on
    // character boundaries: the units that begin a pair always stop it.
    const std::uint8_t* const kinds = kinds_.data();
    for (; i < end; ++i) {
        while (i + 4 <= end &&
               (kinds[text[i]] | kinds[text[i + 1]] | kinds[text[i + 2]] | kinds[text[i + 3]]) == Skip)
            i += 4;
        if (i == end) break;
        const std::uint8_t kind = kinds[text[i]];
        if (kind == Skip) continue;
        if (kind != Unknown || KindOf(text[i]) != Skip) break;
    }
    return i;
}

template <class OnMatch>
void TextSearcher::Scan(std::u16string_view text, std::size_t from, std::size_t end, bool restartAfterMatch,
                        OnMatch& onMatch) const {
    const std::size_t m = keys_.size();
    if (m == 0) return;
    if (m == 1) {
        // One key unit: a match is a character whose key is exactly it.
        for (std::size_t i = NextCandidate(text.data(), from, end); i < end;
             i = NextCandidate(text.data(), i, end)) {
            if (KindOf(text[i]) == Hit) {
                if (!onMatch(TextMatch{i, 1})) return;
                ++i;
                continue;
            }
            const CharKey ck = NextChar(text, i, mode_, folder_);
            if (i + ck.length > end) break;
            if (ck.key.size() == 1 && ck.key[0] == keys_[0] && !onMatch(TextMatch{i, ck.length})) return;
            i += ck.length;
        }
        return;
    }
    // Where each of the last m key units came from, to find a match's start.
    struct Origin {
        std::size_t charStart;
        bool firstOfChar;
    };
    std::vector<Origin> ring(m);
    std::size_t next = 0;  // ring slot written next: after a write, the oldest
    std::size_t matched = 0;
    for (std::size_t i = from; i < end;) {
        // Nothing matched so far: no match can start before the next
        // character whose key begins like the search text's.
        if (matched == 0 && (i = NextCandidate(text.data(), i, end)) >= end) break;
        const CharKey ck = NextChar(text, i, mode_, folder_);
        if (i + ck.length > end) break;
        const std::size_t last = ck.key.size() - 1;
        for (std::size_t k = 0; k <= last; ++k) {
            const char16_t unit = ck.key[k];
            ring[next] = Origin{i, k == 0};
            next = next + 1 == m ? 0 : next + 1;
            while (matched > 0 && keys_[matched] != unit) matched = fail_[matched - 1];
            if (keys_[matched] == unit) ++matched;
            if (matched < m) continue;
            const Origin& first = ring[next];
            if (first.firstOfChar && k == last) {
                if (!onMatch(TextMatch{first.charStart, i + ck.length - first.charStart})) return;
                if (restartAfterMatch) {
                    matched = 0;
                    continue;
                }
            }
            matched = fail_[m - 1];
        }
        i += ck.length;
    }
}

std::optional<TextMatch> TextSearcher::FindFirst(std::u16string_view text, std::size_t from) const {
    std::optional<TextMatch> found;
    if (from >= text.size()) return found;
    auto first = [&](const TextMatch& match) {
        found = match;
        return false;
    };
    Scan(text, from, text.size(), false, first);
    return found;
}

std::optional<TextMatch> TextSearcher::FindLast(std::u16string_view text, std::size_t end) const {
    std::optional<TextMatch> found;
    auto last = [&](const TextMatch& match) {
        if (!found || match.start > found->start) found = match;
        return true;
    };
    Scan(text, 0, std::min(end, text.size()), false, last);
    return found;
}

template <class OnMatch>
void TextSearcher::ForEach(std::u16string_view text, std::size_t from, OnMatch& onMatch) const {
    if (from >= text.size()) return;
    const std::size_t m = keys_.size();
    if (m > 1 && keys_.find(keys_[0], 1) == std::u16string::npos) {
        // The first key unit occurs nowhere else in the search text (CR LF):
        // no match can start inside a partial one, so each candidate is
        // simply compared, and the scan goes on where the comparison failed.
        for (std::size_t i = NextCandidate(text.data(), from, text.size()); i < text.size();
             i = NextCandidate(text.data(), i, text.size())) {
            std::size_t j = i, k = 0;
            while (k < m && j < text.size()) {
                const CharKey ck = NextChar(text, j, mode_, folder_);
                if (ck.key.size() > m - k || keys_.compare(k, ck.key.size(), ck.key) != 0) break;
                k += ck.key.size();
                j += ck.length;
            }
            if (k == m) onMatch(i, j - i);
            i = j > i ? j : i + NextChar(text, i, mode_, folder_).length;
        }
        return;
    }
    if (m > 1) {
        auto each = [&](const TextMatch& match) {
            onMatch(match.start, match.length);
            return true;
        };
        Scan(text, from, text.size(), true, each);
        return;
    }
    // The common case, a search text of one character, in a loop of its own:
    // most units are a Skip or a Hit in the table.
    const char16_t* const units = text.data();
    const std::uint8_t* const kinds = kinds_.data();
    const std::size_t size = text.size();
    const char16_t wanted = keys_[0];
    for (std::size_t i = from; i < size;) {
        const std::uint8_t kind = kinds[units[i]];
        if (kind == Skip) {
            i = NextCandidate(units, i + 1, size);
        } else if (kind == Hit) {
            onMatch(i, 1);
            ++i;
        } else if (kind == Unknown) {
            KindOf(units[i]);  // learnt; the unit is looked at again
        } else if (kind == Kana) {
            // A half-width kana, with its voiced mark when the two compose.
            const std::uint8_t kana = KanaKind(units[i], i + 1 < size ? units[i + 1] : u'\0');
            const std::size_t length = kana >= 3 ? 2 : 1;
            if ((kana - 1) & 1) onMatch(i, length);
            i += length;
        } else {
            const CharKey ck = NextChar(text, i, mode_, folder_);
            if (ck.key.size() == 1 && ck.key[0] == wanted) onMatch(i, ck.length);
            i += ck.length;
        }
    }
}

namespace {

// The result of a replacement, written front to back into memory sized
// once: a million short pieces must not each pay for a string's
// bookkeeping. Short pieces are copied in one block of Block units, which
// may write past their end into room the next piece (or the slack kept at
// the end) takes; a call to memcpy would cost more than the piece. When the
// result outgrows the input, the room for the rest is estimated from the
// growth so far.
class TextWriter {
public:
    static constexpr std::size_t Block = 8;

    TextWriter(std::u16string_view input, std::u16string_view replacement)
        : input_(input), replacement_(replacement), buffer_(input.size() + Block, u'\0') {
        next_ = buffer_.data();
        end_ = next_ + input.size();
        if (replacement.size() <= Block) std::copy(replacement.begin(), replacement.end(), padded_.begin());
    }

    // The input from `from` up to `at`, then the replacement of what was
    // found there, which ends at `resume`.
    void Replace(std::size_t from, std::size_t at, std::size_t resume) {
        const std::size_t run = at - from;
        if (run + replacement_.size() > static_cast<std::size_t>(end_ - next_)) Grow(run, resume);
        if (run <= Block && from + Block <= input_.size()) {
            std::memcpy(next_, input_.data() + from, Block * sizeof(char16_t));
        } else {
            std::memcpy(next_, input_.data() + from, run * sizeof(char16_t));
        }
        next_ += run;
        if (replacement_.size() <= Block) {
            std::memcpy(next_, padded_.data(), Block * sizeof(char16_t));
        } else {
            std::memcpy(next_, replacement_.data(), replacement_.size() * sizeof(char16_t));
        }
        next_ += replacement_.size();
    }
    // The rest of the input from `from`; the result.
    std::u16string Finish(std::size_t from) {
        const std::size_t run = input_.size() - from;
        if (run > static_cast<std::size_t>(end_ - next_)) Grow(run, input_.size());
        std::memcpy(next_, input_.data() + from, run * sizeof(char16_t));
        buffer_.resize(static_cast<std::size_t>(next_ + run - buffer_.data()));
        return std::move(buffer_);
    }

private:
    void Grow(std::size_t run, std::size_t at) {
        const std::size_t written = static_cast<std::size_t>(next_ - buffer_.data());
        const std::size_t needed = written + run + replacement_.size();
        const double growth = static_cast<double>(needed) / static_cast<double>(std::max<std::size_t>(at, 1));
        const std::size_t rest = static_cast<std::size_t>(growth * static_cast<double>(input_.size() - at));
        buffer_.resize(needed + rest + input_.size() / 64 + Block);
        next_ = buffer_.data() + written;
        end_ = buffer_.data() + buffer_.size() - Block;
    }

    std::u16string_view input_;
    std::u16string_view replacement_;
    std::array<char16_t, Block> padded_{};
    std::u16string buffer_;
    char16_t* next_;
    char16_t* end_;  // where the slack begins
};

}  // namespace

ReplaceResult TextSearcher::ReplaceShort(std::u16string_view text, std::size_t from,
                                         std::u16string_view replacement) const {
    // Each unit is written as it is read: the unit itself in a block of
    // Block units taken from the text, or the replacement, padded to a
    // block. What a block writes past its piece, the next piece overwrites;
    // the buffer keeps a block of slack at its end for the last ones.
    constexpr std::size_t Block = TextWriter::Block;
    std::array<char16_t, Block> padded{};
    std::copy(replacement.begin(), replacement.end(), padded.begin());
    const std::size_t r = replacement.size();
    const char16_t* const in = text.data();
    const std::size_t n = text.size();
    const std::uint8_t* const kinds = kinds_.data();

    // One character at i: its length, and whether it matches.
    const auto step = [&](std::size_t i) -> std::pair<std::size_t, bool> {
        const std::uint8_t kind = KindOf(in[i]);
        if (kind == Kana) {
            // A half-width kana, with its voiced mark when the two compose.
            const unsigned kana = KanaKind(in[i], i + 1 < n ? in[i + 1] : u'\0') - 1u;
            return {1 + (kana >> 1), (kana & 1) != 0};
        }
        if (kind == Stop) {
            const CharKey ck = NextChar(text, i, mode_, folder_);
            return {ck.length, ck.key.size() == 1 && ck.key[0] == keys_[0]};
        }
        return {1, kind == Hit};
    };
    // The result is written once into memory sized from a count over the
    // text's first stretch: on a long text, fresh memory touched twice (a
    // short guess, then a bigger copy) costs more than the search itself,
    // and counting the whole text first would cost half of it. When the
    // rest of the text grows more than its first stretch did, the buffer
    // grows below.
    const std::size_t sampleEnd = std::min(n, from + 65536);
    std::size_t sampleOut = 0;
    std::size_t sampleHits = 0;
    for (std::size_t i = from; i < sampleEnd;) {
        const auto [length, hit] = step(i);
        sampleOut += hit ? r : length;
        sampleHits += hit ? 1 : 0;
        i += length;
    }
    // Where matches are rare, a unit for a unit is quicker written over a
    // copy of the text than the text is rewritten unit by unit.
    if (r == 1 && sampleHits * 20 < sampleEnd - from) return ReplaceSparse(text, from, replacement[0]);
    const double growth =
        static_cast<double>(sampleOut) / static_cast<double>(std::max<std::size_t>(sampleEnd - from, 1));
    ReplaceResult result;
    std::u16string buffer(
        from + static_cast<std::size_t>(std::max(growth, 1.0) * 1.0625 * static_cast<double>(n - from)) +
            4 * Block,
        u'\0');
    char16_t* out = buffer.data();
    const char16_t* limit = out + buffer.size() - 2 * Block;
    std::memcpy(out, in, from * sizeof(char16_t));
    out += from;
    // One character of `length` units that matched (or, with hit false,
    // did not): out it goes.
    const auto put = [&](std::size_t at, std::size_t length, bool hit) {
        if (hit) {
            std::memcpy(out, padded.data(), Block * sizeof(char16_t));
            out += r;
            ++result.count;  // counts apart from the tight loop's
        } else {
            std::memcpy(out, in + at, length * sizeof(char16_t));
            out += length;
        }
    };
    const char16_t* const block = padded.data();
    std::size_t i = from;
    std::size_t count = 0;
    const std::size_t fastEnd = n > Block ? n - Block : 0;
    while (i < n) {
        // The common case in a tight loop: a character of one unit that
        // matches or begins no match, with room to copy whole blocks.
        while (i < fastEnd && out <= limit) {
            const std::uint8_t kind = kinds[in[i]];
            if (kind <= Hit) {
                // The unit or the replacement, chosen by arithmetic rather
                // than by a branch, which matches in ordinary text would
                // send the wrong way as often as not.
                const auto unit = reinterpret_cast<std::uintptr_t>(in + i);
                const std::uintptr_t source = unit + (reinterpret_cast<std::uintptr_t>(block) - unit) * kind;
                std::memcpy(out, reinterpret_cast<const char16_t*>(source), Block * sizeof(char16_t));
                out += 1 + (r - 1) * kind;
                count += kind;
                ++i;
            } else if (kind == Kana) {
                const unsigned kana = KanaKind(in[i], in[i + 1]) - 1u;
                const bool hit = (kana & 1) != 0;
                const std::size_t length = 1 + (kana >> 1);
                std::memcpy(out, hit ? block : in + i, Block * sizeof(char16_t));
                out += hit ? r : length;
                count += hit ? 1 : 0;
                i += length;
            } else {
                break;
            }
        }
        if (i >= n) break;
        if (out > limit) {
            // Grown by what the text has grown so far, for the rest of it.
            const std::size_t written = static_cast<std::size_t>(out - buffer.data());
            const double grown =
                static_cast<double>(written) / static_cast<double>(std::max<std::size_t>(i, 1));
            buffer.resize(written + static_cast<std::size_t>(grown * static_cast<double>(n - i)) + n / 16 +
                          4 * Block);
            out = buffer.data() + written;
            limit = buffer.data() + buffer.size() - 2 * Block;
        }
        const auto [length, hit] = step(i);
        put(i, length, hit);
        i += length;
    }
    result.count += count;
    if (result.count == 0) {
        result.text.assign(text);
    } else {
        buffer.resize(static_cast<std::size_t>(out - buffer.data()));
        result.text = std::move(buffer);
    }
    return result;
}

ReplaceResult TextSearcher::ReplaceSparse(std::u16string_view text, std::size_t from,
                                          char16_t replacement) const {
    // Each match is written over in a copy of the text, where the stretches
    // between matches already are, until a match of more than one unit (a
    // composed kana, a surrogate pair) shortens the result; from then on
    // each stretch is copied from the text to its place.
    ReplaceResult result;
    result.text.assign(text);
    char16_t* const out = result.text.data();
    std::size_t copied = 0;   // the text before this is in the result
    std::size_t written = 0;  // where it ends there
    auto replace = [&](std::size_t start, std::size_t length) {
        if (written != copied)
            std::memcpy(out + written, text.data() + copied, (start - copied) * sizeof(char16_t));
        written += start - copied;
        out[written++] = replacement;
        copied = start + length;
        ++result.count;
    };
    ForEach(text, from, replace);
    if (written != copied) {
        std::memcpy(out + written, text.data() + copied, (text.size() - copied) * sizeof(char16_t));
        result.text.resize(written + text.size() - copied);
    }
    return result;
}

ReplaceResult ReplaceEvery(std::u16string_view text, std::size_t from, std::u16string_view pattern,
                           std::u16string_view replacement, CompareMode mode, TextFolder& folder) {
    const TextSearcher searcher(pattern, mode, folder);
    if (searcher.keys_.size() == 1 && replacement.size() <= TextWriter::Block && from < text.size()) {
        return searcher.ReplaceShort(text, from, replacement);
    }
    ReplaceResult result;
    TextWriter writer(text, replacement);
    std::size_t copied = 0;
    auto replace = [&](std::size_t start, std::size_t length) {
        writer.Replace(copied, start, start + length);
        copied = start + length;
        ++result.count;
    };
    if (!searcher.IsEmpty()) searcher.ForEach(text, from, replace);
    if (result.count == 0) {
        result.text.assign(text);
    } else {
        result.text = writer.Finish(copied);
    }
    return result;
}

}  // namespace scribbit
