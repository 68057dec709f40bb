// Comparing, searching, replacing and converting text.
#include <gtest/gtest.h>

#include "editing/conversions.h"
#include "editing/go_to_line.h"
#include "editing/text_compare.h"
#include "support/fake_locale.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

using std::nullopt;
constexpr CompareMode Text = CompareMode::Text, Binary = CompareMode::Binary;

class TextTest : public ::testing::Test {
protected:
    FakeTextServices services;
    TextFolder folder{services};
};

// FindFirst starts at or after its offset, FindLast ends at or before it.
TEST_F(TextTest, TextModeIgnoresCaseWidthAndKanaButCutsNoCharacter) {
    const struct {
        std::u16string pattern, text;
        CompareMode mode;
        std::optional<TextMatch> found;
        bool last = false;
        std::size_t offset = 0;
    } rows[] = {
        {u"ABC", u"xabc", Text, TextMatch{1, 3}},
        {u"abc", u"ＡＢＣ", Text, TextMatch{0, 3}},
        {u"あ", u"xア", Text, TextMatch{1, 1}},
        {u"カナ", u"ｶﾅ", Text, TextMatch{0, 2}},
        {u"ガ", u"aｶﾞb", Text, TextMatch{1, 2}},  // the length matched
        {u"ｶﾞ", u"aガb", Text, TextMatch{1, 1}},
        {u"カ", u"ガ", Text, nullopt},
        {u"ｶ", u"ｶﾞ", Text, nullopt},  // not cut from its mark
        {u"ABC", u"abc", Binary, nullopt},
        {u"\xDC00", u"\xD800\xDC00", Binary, nullopt},
        {u"\xD800\xDC00", u"a\xD800\xDC00", Text, TextMatch{1, 2}},
        {u"", u"abc", Text, nullopt},
        {u"bc", u"abcabc", Binary, TextMatch{1, 2}, false, 1},
        {u"bc", u"abcabc", Binary, TextMatch{4, 2}, false, 2},
        {u"bc", u"abcabc", Binary, nullopt, false, 5},
        {u"bc", u"abcabc", Binary, TextMatch{4, 2}, true, 6},
        {u"bc", u"abcabc", Binary, TextMatch{1, 2}, true, 5},
        {u"bc", u"abcabc", Binary, nullopt, true, 2},
        {u"aa", u"aaaa", Binary, TextMatch{2, 2}, true, 4},
        {u"ガギ", u"xxｶﾞｷﾞyy", Text, TextMatch{2, 4}, true, 6},
        {u"ガギ", u"xxｶﾞｷﾞyy", Text, nullopt, true, 5},  // no end inside a composed pair
    };
    for (const auto& r : rows) {
        const TextSearcher searcher(r.pattern, r.mode, folder);
        EXPECT_EQ(r.last ? searcher.FindLast(r.text, r.offset) : searcher.FindFirst(r.text, r.offset),
                  r.found)
            << Utf8(r.pattern) << " in " << Utf8(r.text) << " " << r.offset;
    }
}

TEST_F(TextTest, ReplaceEveryGoesLeftToRightWithoutOverlapsAndNeverRescans) {
    const struct {
        std::u16string text;
        std::size_t from;
        std::u16string pattern, replacement;
        CompareMode mode;
        std::u16string expected;
        std::size_t count;
    } rows[] = {
        {u"aaa", 0, u"a", u"aa", Binary, u"aaaaaa", 3}, {u"aaaa", 0, u"aa", u"b", Binary, u"bb", 2},
        {u"aaa", 0, u"aa", u"b", Binary, u"ba", 1},     {u"a-a-a", 2, u"a", u"X", Binary, u"a-X-X", 2},
        {u"abc", 0, u"x", u"y", Binary, u"abc", 0},     {u"Aａaア", 0, u"a", u"-", Text, u"---ア", 3},
        {u"ｶﾞガが", 0, u"が", u"g", Text, u"ggg", 3},   {u"abcabc", 0, u"b", u"", Binary, u"acac", 2},
        // Long enough for whole blocks, and growing past the room first guessed.
        {u"がxｶﾞyガzがxｶﾞyガzがxｶﾞﾊﾟ", 0, u"が", u"12345678", Text,
         u"12345678x12345678y12345678z12345678x12345678y12345678z12345678x12345678ﾊﾟ", 8},
        {std::u16string(20, u'a'), 1, u"aa", u"----------", Binary,
         u"a" + std::u16string(9 * 10, u'-') + u"a", 9},
    };
    for (const auto& r : rows) {
        const ReplaceResult result = ReplaceEvery(r.text, r.from, r.pattern, r.replacement, r.mode, folder);
        EXPECT_EQ(std::tuple(result.text, result.count), std::tuple(r.expected, r.count)) << Utf8(r.text);
    }
}

TEST_F(TextTest, EveryConversionOnTypicalAndEdgeTexts) {
    using C = Conversion;
    const struct {
        Conversion conversion;
        std::u16string input, expected;
        std::int32_t tabSpace = 8;
    } rows[] = {
        {C::HiraganaToKatakana, u"ひらがなとカナ", u"ヒラガナトカナ"},
        {C::FullWidthToHalfWidth, u"ＡＢＣ　ガッコウ１２３\u201Dx\u201D", u"ABC ｶﾞｯｺｳ123\"x\""},
        {C::ToUpperCase, u"abc ａｂｃ àé", u"ABC ＡＢＣ ÀÉ"},
        {C::KatakanaToHiragana, u"カタカナとｶﾀｶﾅ", u"かたかなとｶﾀｶﾅ"},
        {C::HalfWidthToFullWidth, u"ｶﾞﾊﾟ1 a\"x\"",
         u"ガパ１　ａ\u201Dｘ\u201D"},  // a quote becomes the closing one
        {C::ToLowerCase, u"ABC ＡＢＣ ÀÉ", u"abc ａｂｃ àé"},
        {C::CrLfToLf, u"a\r\nb\rc\nd\r\n", u"a\nb\rc\nd\n"},
        {C::LfToCrLf, u"a\nb\r\nc\rd\r\r\ne\n", u"a\r\nb\r\nc\rd\r\r\ne\r\n"},  // CR LF and lone CR stay
        {C::TabsToSpaces, u"\tab\tc", u"    ab    c", 4},                       // columns are not counted
        {C::SpacesToTabs, u"          x     ", u"\t\t  x\t ", 4},
        {C::SpacesToTabs, u"\u3000\u3000x", u"\tx", 2},  // ideographic spaces compare equal
        {C::BackslashToSlash, u"C:\\a\\b", u"C:/a/b"},
        {C::SlashToBackslash, u"a/b／c", u"a\\b\\c"},
        {C::TrimLineEnds, u"a  \r\nb \t\r\nc  \nd\u3000\r\n  \r\ne ", u"a\r\nb \t\r\nc  \nd\u3000\r\n\r\ne"},
        {C::RemoveLineBreaks, u"a\r\nb\r\nc\nd\r", u"abc\nd\r"},
        {C::AppendBrTags, u"a\r\n\r\nb<br>\r\nc", u"a<br>\r\n<br>\r\nb<br><br>\r\nc"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Convert(r.conversion, r.input, r.tabSpace, services, folder), r.expected) << Utf8(r.input);
    services.mapCalls = 0;
    EXPECT_EQ(Convert(C::ToUpperCase, u"", 8, services, folder), u"");
    EXPECT_EQ(services.mapCalls, 0);  // the system refuses to map an empty text
}

TEST(LineNumbers, CountCrLfOnly) {
    const std::u16string text = u"one\r\ntwo\nstill two\r\n\r\nfive\rend";
    EXPECT_EQ(std::tuple(CountLines(text), CountLines(u""), CountLines(u"a\r\n")), std::tuple(4u, 1u, 2u));
    for (const auto& [line, offset] : {std::pair{1u, 0u}, {2u, 5u}, {3u, 20u}, {4u, 22u}})
        EXPECT_EQ(LineStartOffset(text, line), offset);
    EXPECT_EQ(LineStartOffset(u"a\r\n", 2), 3u);
}

}  // namespace
}  // namespace scribbit
