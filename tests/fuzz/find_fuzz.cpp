// Find next (both ways) and Replace all on random texts and search texts,
// in binary and text mode, against a plain search: the text split into
// characters, each compared with the locale's comparison.
#include <fuzzer/FuzzedDataProvider.h>

#include "core/decimal.h"
#include "editing/find_replace.h"
#include "fuzz/fuzz_input.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

constexpr std::u16string_view Alphabet = u"aAａＡあアｱｶﾞガが゛b\r\n\xD83D\xDE00";

struct Char {
    std::size_t at;
    int kind;  // characters of one kind compare equal
};

class Reference {
public:
    Reference(const TextServices& services, bool binary) : services_(services), binary_(binary) {}

    // A surrogate pair is one character, and in text mode so is a half-width
    // kana with the mark the locale composes it with (ｶﾞ, not ｱﾞ). The last
    // entry only marks the end.
    std::vector<Char> Split(std::u16string_view text, std::size_t from) {
        std::vector<Char> chars;
        for (std::size_t i = from, n = 1; i < text.size(); i += n) {
            const bool kana = !binary_ && i + 1 < text.size() && TextFolder::IsHalfWidthKanaLetter(text[i]) &&
                              TextFolder::IsHalfWidthVoicedMark(text[i + 1]) &&
                              Full(text.substr(i, 2)).size() == 1;
            n = kana ? 2 : CharLength(text, i);
            chars.push_back({i, Kind(text.substr(i, n))});
        }
        chars.push_back({text.size(), -1});
        return chars;
    }
    // The end of the match of `pattern` that starts at chars[i], if it matches.
    static std::optional<std::size_t> MatchAt(const std::vector<Char>& chars, std::size_t i,
                                              const std::vector<Char>& pattern) {
        for (std::size_t k = 0; k + 1 < pattern.size(); ++k)
            if (i + k + 1 >= chars.size() || chars[i + k].kind != pattern[k].kind) return std::nullopt;
        return chars[i + pattern.size() - 1].at;
    }

private:
    std::u16string Full(std::u16string_view c) const { return *services_.Map(c, TextMapping::FullWidth); }
    int Kind(std::u16string_view c) {
        for (std::size_t k = 0; k < kinds_.size(); ++k)
            if (binary_ ? c == kinds_[k] : services_.EqualIgnoringCaseWidthKana(Full(c), Full(kinds_[k])))
                return static_cast<int>(k);
        kinds_.emplace_back(c);
        return static_cast<int>(kinds_.size()) - 1;
    }
    const TextServices& services_;
    bool binary_;
    std::vector<std::u16string> kinds_;
};

}  // namespace
}  // namespace scribbit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    FuzzedDataProvider input(data, size);
    const bool matchCase = input.ConsumeBool(), upward = input.ConsumeBool(), fromTop = input.ConsumeBool();
    const std::size_t start = input.ConsumeIntegral<std::uint16_t>(),
                      length = input.ConsumeIntegral<std::uint8_t>();
    const std::u16string find = TextOf(input.ConsumeRandomLengthString(8), Alphabet);
    const std::u16string subst = TextOf(input.ConsumeRandomLengthString(4), Alphabet);
    const std::u16string text = TextOf(input.ConsumeRemainingBytesAsString(), Alphabet);
    if (find.empty()) return 0;
    AppFixture app;
    FakeEditView& view = app.View();
    view.SetText(text);
    view.SetSel(start, length);
    const auto selection = std::pair(view.SelStart(), view.SelLength());
    Reference reference(app.text, matchCase);
    const auto pattern = reference.Split(find, 0);

    // F3: the first match from the end of the selection, or upwards the last
    // one that ends before it.
    std::optional<std::pair<std::size_t, std::size_t>> found;
    const auto chars = reference.Split(text, upward ? 0 : selection.first + selection.second);
    for (std::size_t i = 0; i + 1 < chars.size() && (upward || !found); ++i) {
        const auto end = Reference::MatchAt(chars, i, pattern);
        if (end && (!upward || *end <= selection.first)) found = std::pair(chars[i].at, *end - chars[i].at);
    }
    app.Context().search = SearchState{find, upward, matchCase, -1};
    if (!found) app.dialogs.Answer(MessageAnswer::Ok);
    EXPECT_EQ(FindNext(app.form.Editing()), found.has_value());
    EXPECT_EQ(std::pair(view.SelStart(), view.SelLength()), found.value_or(selection));
    EXPECT_EQ(app.Context().search.FoundPosition, found ? static_cast<std::int64_t>(found->first) + 1 : 0);

    // Replace all: left to right from the caret (or the top), never searching
    // what a replacement put in; one undo takes it all back.
    view.SetSel(selection.first, selection.second);
    const std::size_t from = fromTop ? 0 : selection.first;
    const auto all = reference.Split(text, from);
    std::u16string replaced = text.substr(0, from);
    std::size_t copied = from, count = 0;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        if (const auto end = Reference::MatchAt(all, i, pattern)) {
            replaced += text.substr(copied, all[i].at - copied) + subst;
            copied = *end, i += pattern.size() - 2, ++count;
        }
    }
    replaced += text.substr(copied);
    app.dialogs.Answer(MessageAnswer::Ok);
    EXPECT_EQ(ReplaceAll(app.form.Editing(), find, subst, fromTop, matchCase), count > 0);
    EXPECT_EQ(view.Text(), count ? replaced : text);
    EXPECT_NE(app.LastMessage().find(count ? Decimal(count) : u"見つかりません"), std::u16string::npos);
    if (!count) return 0;
    EXPECT_EQ(std::pair(view.SelStart(), view.SelLength()),
              std::pair(std::min(selection.first, replaced.size()), std::size_t{0}));
    view.Undo();
    EXPECT_EQ(view.Text(), text);
    return 0;
}
