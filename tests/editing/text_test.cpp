// Comparing, searching, replacing and converting text, and reading the
// numbers typed into the editing dialogs.
#include <gtest/gtest.h>

#include "editing/conversions.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "editing/text_compare.h"
#include "support/fake_text_services.h"
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

TEST_F(TextTest, TextModeIgnoresCaseWidthAndKanaButCutsNoCharacter) {
    const struct {
        std::u16string pattern, text;
        CompareMode mode;
        std::optional<TextMatch> found;
    } cases[] = {
        {u"ABC", u"xabc", Text, TextMatch{1, 3}},       {u"abc", u"ＡＢＣ", Text, TextMatch{0, 3}},
        {u"あ", u"xア", Text, TextMatch{1, 1}},         {u"カナ", u"ｶﾅ", Text, TextMatch{0, 2}},
        {u"/", u"a／b", Text, TextMatch{1, 1}},         {u"ガ", u"aｶﾞb", Text, TextMatch{1, 2}},  // the length matched
        {u"ｶﾞ", u"aガb", Text, TextMatch{1, 1}},        {u"ぱん", u"ﾊﾟﾝ", Text, TextMatch{0, 3}},
        {u"カ", u"ガ", Text, nullopt},                  {u"ｶ", u"ｶﾞ", Text, nullopt},  // not cut from its mark
        {u"ABC", u"abc", Binary, nullopt},              {u"ABC", u"ＡＢＣ", Binary, nullopt},
        {u"あ", u"ア", Binary, nullopt},                {u"bc", u"abcabc", Binary, TextMatch{1, 2}},
        {u"\xDC00", u"\xD800\xDC00", Binary, nullopt},  {u"\xD800\xDC00", u"a\xD800\xDC00", Text, TextMatch{1, 2}},
        {u"", u"abc", Text, nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextSearcher(c.pattern, c.mode, folder).FindFirst(c.text, 0), c.found) << Utf8(c.pattern);
    }
    const TextSearcher bc(u"bc", Binary, folder), ga(u"ガギ", Text, folder);
    // FindFirst starts at or after its offset, FindLast ends at or before it.
    for (const auto& [from, found] : {std::pair{1, std::optional(TextMatch{1, 2})}, {2, TextMatch{4, 2}}, {5, nullopt}})
        EXPECT_EQ(bc.FindFirst(u"abcabc", from), found) << from;
    for (const auto& [end, found] : {std::pair{6, std::optional(TextMatch{4, 2})}, {5, TextMatch{1, 2}}, {2, nullopt}})
        EXPECT_EQ(bc.FindLast(u"abcabc", end), found) << end;
    EXPECT_EQ(TextSearcher(u"aa", Binary, folder).FindLast(u"aaaa", 4), (TextMatch{2, 2}));
    EXPECT_EQ(ga.FindLast(u"xxｶﾞｷﾞyy", 6), (TextMatch{2, 4}));
    EXPECT_EQ(ga.FindLast(u"xxｶﾞｷﾞyy", 5), nullopt);  // no end inside a composed pair
}

TEST_F(TextTest, ReplaceEveryGoesLeftToRightWithoutOverlapsAndNeverRescans) {
    const struct {
        std::u16string text;
        std::size_t from;
        std::u16string pattern, replacement;
        CompareMode mode;
        std::u16string expected;
        std::size_t count;
    } cases[] = {
        {u"aaa", 0, u"a", u"aa", Binary, u"aaaaaa", 3},
        {u"aaaa", 0, u"aa", u"b", Binary, u"bb", 2},
        {u"aaa", 0, u"aa", u"b", Binary, u"ba", 1},
        {u"a-a-a", 2, u"a", u"X", Binary, u"a-X-X", 2},
        {u"abc", 0, u"x", u"y", Binary, u"abc", 0},
        {u"Aａaア", 0, u"a", u"-", Text, u"---ア", 3},
        {u"ｶﾞガが", 0, u"が", u"g", Text, u"ggg", 3},
        {u"abcabc", 0, u"b", u"", Binary, u"acac", 2},
        // Long enough for whole blocks, and growing past the room first guessed.
        {u"がxｶﾞyガzがxｶﾞyガzがxｶﾞﾊﾟ", 0, u"が", u"12345678", Text,
         u"12345678x12345678y12345678z12345678x12345678y12345678z12345678x12345678ﾊﾟ", 8},
        {std::u16string(20, u'a'), 1, u"aa", u"----------", Binary,
         u"a" + std::u16string(9 * 10, u'-') + u"a", 9},
    };
    for (const auto& c : cases) {
        const ReplaceResult result = ReplaceEvery(c.text, c.from, c.pattern, c.replacement, c.mode, folder);
        EXPECT_EQ(std::tuple(result.text, result.count), std::tuple(c.expected, c.count)) << Utf8(c.text);
    }
}

TEST_F(TextTest, EveryConversionOnTypicalAndEdgeTexts) {
    using C = Conversion;
    const struct {
        Conversion conversion;
        std::u16string input, expected;
        std::int32_t tabSpace = 8;
    } cases[] = {
        {C::HiraganaToKatakana, u"ひらがなとカナ", u"ヒラガナトカナ"},
        {C::FullWidthToHalfWidth, u"ＡＢＣ　ガッコウ１２３\u201Dx\u201D", u"ABC ｶﾞｯｺｳ123\"x\""},
        {C::ToUpperCase, u"abc ａｂｃ àé", u"ABC ＡＢＣ ÀÉ"},
        {C::KatakanaToHiragana, u"カタカナとｶﾀｶﾅ", u"かたかなとｶﾀｶﾅ"},
        {C::HalfWidthToFullWidth, u"ｶﾞﾊﾟ1 a\"x\"", u"ガパ１　ａ\u201Dｘ\u201D"},  // a quote becomes the closing one
        {C::ToLowerCase, u"ABC ＡＢＣ ÀÉ", u"abc ａｂｃ àé"},
        {C::CrLfToLf, u"a\r\nb\rc\nd\r\n", u"a\nb\rc\nd\n"},
        {C::LfToCrLf, u"a\nb\r\nc\rd\r\r\ne\n", u"a\r\nb\r\nc\rd\r\r\ne\r\n"},  // CR LF and lone CR stay
        {C::TabsToSpaces, u"\tab\tc", u"    ab    c", 4},  // columns are not counted
        {C::SpacesToTabs, u"          x     ", u"\t\t  x\t ", 4},
        {C::SpacesToTabs, u"\u3000\u3000x", u"\tx", 2},  // ideographic spaces compare equal
        {C::BackslashToSlash, u"C:\\a\\b", u"C:/a/b"},
        {C::SlashToBackslash, u"a/b／c", u"a\\b\\c"},
        {C::TrimLineEnds, u"a  \r\nb \t\r\nc  \nd\u3000\r\n  \r\ne ", u"a\r\nb \t\r\nc  \nd\u3000\r\n\r\ne"},
        {C::RemoveLineBreaks, u"a\r\nb\r\nc\nd\r", u"abc\nd\r"},
        {C::AppendBrTags, u"a\r\n\r\nb<br>\r\nc", u"a<br>\r\n<br>\r\nb<br><br>\r\nc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Convert(c.conversion, c.input, c.tabSpace, services, folder), c.expected) << Utf8(c.input);
    }
    services.mapCalls = 0;
    EXPECT_EQ(Convert(C::ToUpperCase, u"", 8, services, folder), u"");
    EXPECT_EQ(services.mapCalls, 0);  // the system refuses to map an empty text
}

TEST(EntryText, TabWidthsAreRoundedNumbersFromOneTo32767) {
    const std::pair<std::u16string, std::optional<std::int32_t>> cases[] = {
        {u"", nullopt},        {u"  ", nullopt},   {u"abc", nullopt},    {u"4x", nullopt},     {u"0", nullopt},
        {u"-3", nullopt},      {u"0.5", nullopt},  {u"0.6", 1},          {u"2.5", 2},          {u"3.5", 4},
        {u" 8 ", 8},           {u"+6", 6},         {u"1e1", 10},         {u"４", 4},           {u"32767.4", 32767},
        {u"32767.5", nullopt}, {u"1e400", nullopt}, {u"+-1", nullopt},   {u"--1", nullopt},    {u".", nullopt}};
    for (const auto& [entry, value] : cases) EXPECT_EQ(ParseTabSpaceEntry(entry), value) << Utf8(entry);
    for (const auto& [stored, shown] : {std::pair{0, u"8"}, {-5, u"8"}, {4, u"4"}, {32767, u"32767"}, {40000, u"8"}}) {
        std::int32_t tabSpace = stored;
        TabSpaceDialogModel dialog(tabSpace);
        EXPECT_EQ(dialog.InitialEntry(), shown);
        EXPECT_FALSE(dialog.OnOK(u"zero"));
        EXPECT_EQ(tabSpace, stored >= 1 && stored <= 32767 ? stored : 8);
        EXPECT_TRUE(dialog.OnOK(u"3.5"));
        EXPECT_EQ(tabSpace, 4);
    }
}

TEST(EntryText, LineNumbersCountCrLfOnlyAndAreWholeNumbersInRange) {
    const std::u16string text = u"one\r\ntwo\nstill two\r\n\r\nfive\rend";
    EXPECT_EQ(std::tuple(CountLines(text), CountLines(u""), CountLines(u"a\r\n")), std::tuple(4u, 1u, 2u));
    for (const auto& [line, offset] : {std::pair{1u, 0u}, {2u, 5u}, {3u, 20u}, {4u, 22u}})
        EXPECT_EQ(LineStartOffset(text, line), offset);
    EXPECT_EQ(LineStartOffset(u"a\r\n", 2), 3u);
    const std::pair<std::u16string, std::optional<std::size_t>> cases[] = {
        {u"1", 1},          {u" 3 ", 3},      {u"０５", 5},     {u"6", nullopt},   {u"0", nullopt},  {u"", nullopt},
        {u"-1", nullopt},   {u"2.0", nullopt}, {u"x", nullopt}, {u"99999999999999999999999", nullopt}};
    for (const auto& [entry, value] : cases) EXPECT_EQ(ParseLineNumber(entry, 5), value) << Utf8(entry);
}

}  // namespace
}  // namespace scribbit
