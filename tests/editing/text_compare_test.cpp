#include "editing/text_compare.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_text_services.h"

namespace scribbit {
namespace {

class TextCompareTest : public ::testing::Test {
protected:
    FakeTextServices services;
    TextFolder folder{services};

    std::optional<TextMatch> First(std::u16string_view pattern, std::u16string_view text, CompareMode mode,
                                   std::size_t from = 0) {
        return TextSearcher(pattern, mode, folder).FindFirst(text, from);
    }
};

struct MatchCase {
    const char* name;
    std::u16string pattern;
    std::u16string text;
    CompareMode mode;
    std::optional<TextMatch> expected;
};

TEST_F(TextCompareTest, MatchesAcrossCaseWidthAndKanaOnlyInTextMode) {
    const MatchCase cases[] = {
        {"ascii case", u"ABC", u"xabc", CompareMode::Text, TextMatch{1, 3}},
        {"full-width letters", u"ABC", u"xａｂｃ", CompareMode::Text, TextMatch{1, 3}},
        {"full-width upper from lower", u"abc", u"ＡＢＣ", CompareMode::Text, TextMatch{0, 3}},
        {"hiragana finds katakana", u"あ", u"xア", CompareMode::Text, TextMatch{1, 1}},
        {"katakana finds half-width", u"カナ", u"ｶﾅ", CompareMode::Text, TextMatch{0, 2}},
        {"slash finds full-width slash", u"/", u"a／b", CompareMode::Text, TextMatch{1, 1}},
        {"composed matches half-width pair", u"ガ", u"aｶﾞb", CompareMode::Text, TextMatch{1, 2}},
        {"half-width pair matches composed", u"ｶﾞ", u"aガb", CompareMode::Text, TextMatch{1, 1}},
        {"hiragana voiced matches half-width pair", u"ぱん", u"ﾊﾟﾝ", CompareMode::Text, TextMatch{0, 3}},
        {"plain kana does not match a voiced one", u"カ", u"ガ", CompareMode::Text, std::nullopt},
        {"half-width kana is not cut from its mark", u"ｶ", u"ｶﾞ", CompareMode::Text, std::nullopt},
        {"binary: case differs", u"ABC", u"abc", CompareMode::Binary, std::nullopt},
        {"binary: width differs", u"ABC", u"ＡＢＣ", CompareMode::Binary, std::nullopt},
        {"binary: kana type differs", u"あ", u"ア", CompareMode::Binary, std::nullopt},
        {"binary: exact", u"bc", u"abcabc", CompareMode::Binary, TextMatch{1, 2}},
        {"surrogate pair is not cut", u"\xDC00", u"\xD800\xDC00", CompareMode::Binary, std::nullopt},
        {"surrogate pair matches whole", u"\xD800\xDC00", u"a\xD800\xDC00", CompareMode::Text,
         TextMatch{1, 2}},
        {"empty search text finds nothing", u"", u"abc", CompareMode::Text, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(First(c.pattern, c.text, c.mode), c.expected) << c.name;
    }
}

TEST_F(TextCompareTest, FindFirstStartsAtOrAfterFromAndFindLastEndsAtOrBeforeEnd) {
    const std::u16string text = u"abcabc";
    const TextSearcher bc(u"bc", CompareMode::Binary, folder);
    EXPECT_EQ(bc.FindFirst(text, 0), (TextMatch{1, 2}));
    EXPECT_EQ(bc.FindFirst(text, 1), (TextMatch{1, 2}));
    EXPECT_EQ(bc.FindFirst(text, 2), (TextMatch{4, 2}));
    EXPECT_EQ(bc.FindFirst(text, 5), std::nullopt);
    EXPECT_EQ(bc.FindFirst(text, 99), std::nullopt);
    EXPECT_EQ(bc.FindLast(text, 6), (TextMatch{4, 2}));
    EXPECT_EQ(bc.FindLast(text, 5), (TextMatch{1, 2}));
    EXPECT_EQ(bc.FindLast(text, 2), std::nullopt);
    EXPECT_EQ(bc.FindLast(text, 0), std::nullopt);
    // Overlapping occurrences: the last one wins upwards.
    const TextSearcher aa(u"aa", CompareMode::Binary, folder);
    EXPECT_EQ(aa.FindLast(u"aaaa", 4), (TextMatch{2, 2}));
    EXPECT_EQ(aa.FindFirst(u"aaaa", 1), (TextMatch{1, 2}));
}

TEST_F(TextCompareTest, MatchLengthIsTheLengthInTheSearchedText) {
    // The selection must cover ｶﾞｷﾞ (four units), not the search text's two.
    const TextSearcher searcher(u"ガギ", CompareMode::Text, folder);
    EXPECT_EQ(searcher.FindFirst(u"xxｶﾞｷﾞyy", 0), (TextMatch{2, 4}));
    EXPECT_EQ(searcher.FindLast(u"xxｶﾞｷﾞyy", 6), (TextMatch{2, 4}));
    // A match may not end inside a composed pair that straddles the end.
    EXPECT_EQ(searcher.FindLast(u"xxｶﾞｷﾞyy", 5), std::nullopt);
}

TEST_F(TextCompareTest, ReplaceEveryIsLeftToRightWithoutOverlapsAndNeverRescans) {
    struct Case {
        std::u16string text;
        std::size_t from;
        std::u16string pattern, replacement;
        CompareMode mode;
        std::u16string expected;
        std::size_t count;
    };
    const Case cases[] = {
        {u"aaa", 0, u"a", u"aa", CompareMode::Binary, u"aaaaaa", 3},
        {u"aaaa", 0, u"aa", u"b", CompareMode::Binary, u"bb", 2},
        {u"aaa", 0, u"aa", u"b", CompareMode::Binary, u"ba", 1},
        {u"a-a-a", 2, u"a", u"X", CompareMode::Binary, u"a-X-X", 2},
        {u"abc", 0, u"x", u"y", CompareMode::Binary, u"abc", 0},
        {u"Aａaア", 0, u"a", u"-", CompareMode::Text, u"---ア", 3},
        {u"ｶﾞガが", 0, u"が", u"g", CompareMode::Text, u"ggg", 3},
        {u"abcabc", 0, u"b", u"", CompareMode::Binary, u"acac", 2},
        {u"abc", 3, u"c", u"", CompareMode::Binary, u"abc", 0},
    };
    for (const auto& c : cases) {
        const ReplaceResult result = ReplaceEvery(c.text, c.from, c.pattern, c.replacement, c.mode, folder);
        EXPECT_EQ(result.text, c.expected);
        EXPECT_EQ(result.count, c.count);
    }
}

TEST_F(TextCompareTest, KeysComeFromTheLocaleOncePerDistinctCharacter) {
    std::u16string text;
    for (int i = 0; i < 2000; ++i) text += u"あいうえおカキクケコABCabc";
    const TextSearcher searcher(u"かきくけこabc", CompareMode::Text, folder);
    EXPECT_EQ(searcher.FindAll(text, 0).size(), 2000u);
    const long long callsAfterFirstScan = services.mapCalls + services.compareCalls;
    EXPECT_LT(callsAfterFirstScan, 200);
    EXPECT_EQ(searcher.FindAll(text, 0).size(), 2000u);
    EXPECT_EQ(services.mapCalls + services.compareCalls, callsAfterFirstScan);
}

TEST_F(TextCompareTest, ACharacterTheLocaleDoesNotCallEqualKeepsItsOwnKey) {
    // The mapping would merge them, but the comparison disagrees: no match.
    class Disagreeing : public FakeTextServices {
    public:
        bool EqualIgnoringCaseWidthKana(std::u16string_view, std::u16string_view) const override {
            return false;
        }
    } strict;
    TextFolder strictFolder(strict);
    EXPECT_EQ(TextSearcher(u"A", CompareMode::Text, strictFolder).FindFirst(u"a", 0), std::nullopt);
    EXPECT_EQ(TextSearcher(u"A", CompareMode::Text, strictFolder).FindFirst(u"A", 0), (TextMatch{0, 1}));
}

TEST_F(TextCompareTest, AFailingLocaleFallsBackToBinaryComparison) {
    services.failMapping = true;
    EXPECT_EQ(First(u"abc", u"ABC abc", CompareMode::Text), (TextMatch{4, 3}));
}

}  // namespace
}  // namespace scribbit
