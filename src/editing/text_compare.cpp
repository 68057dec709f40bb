#include "editing/text_compare.h"

#include <algorithm>

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

std::u16string_view TextFolder::PairKey(char16_t kana, char16_t mark) {
    const std::uint32_t id = (static_cast<std::uint32_t>(kana) << 16) | mark;
    auto it = pairs_.find(id);
    if (it == pairs_.end()) {
        std::u16string key;
        const auto composed = services_.Map(std::u16string{kana, mark}, TextMapping::FullWidth);
        if (composed && composed->size() == 1) key = std::u16string(Key((*composed)[0]));
        it = pairs_.emplace(id, std::move(key)).first;
    }
    return it->second;
}

TextSearcher::TextSearcher(std::u16string_view pattern, CompareMode mode, TextFolder& folder)
    : mode_(mode), folder_(folder) {
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

template <class OnMatch>
void TextSearcher::Scan(std::u16string_view text, std::size_t from, std::size_t end, bool restartAfterMatch,
                        OnMatch&& onMatch) const {
    const std::size_t m = keys_.size();
    if (m == 0) return;
    // Where each of the last m key units came from, to find a match's start.
    struct Origin {
        std::size_t charStart;
        bool firstOfChar;
    };
    std::vector<Origin> ring(m);
    std::size_t next = 0;  // ring slot written next: after a write, the oldest
    std::size_t matched = 0;
    for (std::size_t i = from; i < end;) {
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
    Scan(text, from, text.size(), false, [&](const TextMatch& match) {
        found = match;
        return false;
    });
    return found;
}

std::optional<TextMatch> TextSearcher::FindLast(std::u16string_view text, std::size_t end) const {
    std::optional<TextMatch> found;
    Scan(text, 0, std::min(end, text.size()), false, [&](const TextMatch& match) {
        if (!found || match.start > found->start) found = match;
        return true;
    });
    return found;
}

std::vector<TextMatch> TextSearcher::FindAll(std::u16string_view text, std::size_t from) const {
    std::vector<TextMatch> matches;
    if (from >= text.size()) return matches;
    Scan(text, from, text.size(), true, [&](const TextMatch& match) {
        matches.push_back(match);
        return true;
    });
    return matches;
}

ReplaceResult ReplaceEvery(std::u16string_view text, std::size_t from, std::u16string_view pattern,
                           std::u16string_view replacement, CompareMode mode, TextFolder& folder) {
    const TextSearcher searcher(pattern, mode, folder);
    const std::vector<TextMatch> matches = searcher.FindAll(text, from);
    ReplaceResult result;
    result.count = matches.size();
    if (matches.empty()) {
        result.text.assign(text);
        return result;
    }
    // Size the result once: a million replacements must not reallocate a
    // million times.
    std::size_t size = text.size();
    for (const TextMatch& match : matches) size = size - match.length + replacement.size();
    result.text.reserve(size);
    std::size_t copied = 0;
    for (const TextMatch& match : matches) {
        result.text.append(text.substr(copied, match.start - copied));
        result.text.append(replacement);
        copied = match.End();
    }
    result.text.append(text.substr(copied));
    return result;
}

}  // namespace scribbit
