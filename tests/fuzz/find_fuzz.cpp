// Find next (both ways) and Replace all on random texts and search texts,
// in binary and text mode: whatever is found is a match of the search text,
// Find next steps through the matches in order without overlapping, and
// Replace all replaces exactly those, in one undo step.
#include <fuzzer/FuzzedDataProvider.h>

#include "core/decimal.h"
#include "editing/find_replace.h"
#include "fuzz/fuzz_input.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

constexpr std::u16string_view Alphabet = u"aAａＡあアｱｶﾞガが゛b\r\n\xD83D\xDE00";

using Span = std::pair<std::size_t, std::size_t>;  // start, length

// The same units in binary mode, else equal ignoring case, width and kana;
// either way no match cuts a surrogate pair, and in text mode none cuts a
// half-width kana from the voiced mark the locale composes it with (ｶﾞ),
// except at `edge`, where the search began: a search that starts between
// the two halves takes the second as a character of its own.
bool IsMatch(const TextServices& services, bool binary, std::u16string_view text, Span span,
             std::u16string_view find, std::size_t edge) {
    const auto full = [&](std::u16string_view s) { return *services.Map(s, TextMapping::FullWidth); };
    const auto cuts = [&](std::size_t i) {
        if (i == 0 || i == edge || i >= text.size()) return false;
        const bool kana = !binary && TextFolder::IsHalfWidthKanaLetter(text[i - 1]) &&
                          TextFolder::IsHalfWidthVoicedMark(text[i]) &&
                          full(text.substr(i - 1, 2)).size() == 1;
        return kana || (IsHighSurrogate(text[i - 1]) && IsLowSurrogate(text[i]));
    };
    const auto [at, length] = span;
    if (length == 0 || at + length > text.size() || cuts(at) || cuts(at + length)) return false;
    const std::u16string_view found = text.substr(at, length);
    return binary ? found == find : services.EqualIgnoringCaseWidthKana(full(found), full(find));
}

}  // namespace
}  // namespace scribbit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    FuzzedDataProvider input(data, size);
    const bool matchCase = input.ConsumeBool(), fromTop = input.ConsumeBool();
    const std::size_t start = input.ConsumeIntegral<std::uint16_t>(),
                      length = input.ConsumeIntegral<std::uint8_t>();
    const std::u16string find = TextOf(input.ConsumeRandomLengthString(8), Alphabet);
    const std::u16string subst = TextOf(input.ConsumeRandomLengthString(4), Alphabet);
    const std::u16string text = TextOf(input.ConsumeRemainingBytesAsString(), Alphabet);
    if (find.empty()) return 0;
    AppFixture app;
    app.dialogs.onMessage = [&] { app.dialogs.Answer(MessageAnswer::Ok); };
    FakeEditView& view = app.View();
    const auto selected = [&] { return Span(view.SelStart(), view.SelLength()); };
    const auto isMatch = [&](Span span, std::size_t edge) {
        return IsMatch(app.text, matchCase, text, span, find, edge);
    };
    view.SetText(text);
    view.SetSel(start, length);
    const Span selection = selected();

    // F3 upwards: a match that ends before the selection, or none and the
    // selection left alone.
    app.Context().search = SearchState{find, true, matchCase, -1};
    const bool above = FindNext(app.form.Editing());
    const Span found = selected();
    EXPECT_TRUE(above ? isMatch(found, selection.first) && found.first + found.second <= selection.first
                      : found == selection);
    EXPECT_EQ(app.Context().search.FoundPosition, above ? static_cast<std::int64_t>(found.first) + 1 : 0);

    // F3 downwards from where Replace all starts, match after match.
    const std::size_t from = fromTop ? 0 : selection.first;
    std::vector<Span> matches;
    app.Context().search.SearchUpward = false;
    view.SetSel(from, 0);
    while (FindNext(app.form.Editing())) {
        const std::size_t after = matches.empty() ? from : matches.back().first + matches.back().second;
        EXPECT_TRUE(isMatch(selected(), from) && selected().first >= after);
        matches.push_back(selected());
    }

    // Replace all: those matches and no others, never searching what a
    // replacement put in; one undo takes it all back.
    std::u16string replaced = text;
    for (auto match = matches.rbegin(); match != matches.rend(); ++match)
        replaced.replace(match->first, match->second, subst);
    view.SetSel(selection.first, selection.second);
    EXPECT_EQ(ReplaceAll(app.form.Editing(), find, subst, fromTop, matchCase), !matches.empty());
    EXPECT_EQ(view.Text(), replaced);
    EXPECT_NE(app.LastMessage().find(matches.empty() ? u"見つかりません" : Decimal(matches.size())),
              std::u16string::npos);
    if (matches.empty()) return 0;
    EXPECT_EQ(selected(), Span(std::min(selection.first, replaced.size()), 0));
    view.Undo();
    EXPECT_EQ(view.Text(), text);
    return 0;
}
