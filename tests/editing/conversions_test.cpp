#include "editing/conversions.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_text_services.h"

namespace scribbit {
namespace {

struct ConversionCase {
    const char* name;
    Conversion conversion;
    std::u16string input;
    std::u16string expected;
    std::int32_t tabSpace = 8;
};

class ConversionsTest : public ::testing::Test {
protected:
    FakeTextServices services;
    TextFolder folder{services};

    std::u16string Run(const ConversionCase& c) {
        return Convert(c.conversion, c.input, c.tabSpace, services, folder).value_or(u"<failed>");
    }
};

TEST_F(ConversionsTest, EveryConversionOnTypicalAndEdgeTexts) {
    using C = Conversion;
    const ConversionCase cases[] = {
        {"hiragana to katakana", C::HiraganaToKatakana, u"ひらがなとカナ", u"ヒラガナトカナ"},
        {"full to half width", C::FullWidthToHalfWidth, u"ＡＢＣ　ガッコウ１２３", u"ABC ｶﾞｯｺｳ123"},
        {"full to half turns the closing quote into ASCII", C::FullWidthToHalfWidth, u"\u201Dx\u201D",
         u"\"x\""},
        {"upper case", C::ToUpperCase, u"abc ａｂｃ àé", u"ABC ＡＢＣ ÀÉ"},
        {"katakana to hiragana", C::KatakanaToHiragana, u"カタカナとｶﾀｶﾅ", u"かたかなとｶﾀｶﾅ"},
        {"half to full width composes voiced kana", C::HalfWidthToFullWidth, u"ｶﾞﾊﾟ1 a", u"ガパ１　ａ"},
        {"half to full: quote becomes the closing quote", C::HalfWidthToFullWidth, u"\"x\"",
         u"\u201Dｘ\u201D"},
        {"half to full: quote before full-width text", C::HalfWidthToFullWidth, u"\"あ", u"\u201Dあ"},
        {"lower case", C::ToLowerCase, u"ABC ＡＢＣ ÀÉ", u"abc ａｂｃ àé"},
        {"CR LF to LF keeps lone CR and LF", C::CrLfToLf, u"a\r\nb\rc\nd\r\n", u"a\nb\rc\nd\n"},
        {"LF to CR LF", C::LfToCrLf, u"a\nb\n", u"a\r\nb\r\n"},
        {"LF to CR LF leaves CR LF alone", C::LfToCrLf, u"a\r\nb\r\n", u"a\r\nb\r\n"},
        {"LF to CR LF keeps lone CR", C::LfToCrLf, u"a\rb", u"a\rb"},
        {"LF to CR LF on CR CR LF", C::LfToCrLf, u"a\r\r\nb", u"a\r\r\nb"},
        {"tabs to spaces ignores columns", C::TabsToSpaces, u"\tab\tc", u"    ab    c", 4},
        {"spaces to tabs: ten spaces, width 4", C::SpacesToTabs, u"          x", u"\t\t  x", 4},
        {"spaces to tabs: five spaces", C::SpacesToTabs, u"     ", u"\t ", 4},
        {"spaces to tabs: ideographic spaces compare equal", C::SpacesToTabs, u"\u3000\u3000x", u"\tx", 2},
        {"backslash to slash", C::BackslashToSlash, u"C:\\a\\b", u"C:/a/b"},
        {"slash to backslash, full-width too", C::SlashToBackslash, u"a/b／c", u"a\\b\\c"},
        {"trim: spaces before CR LF", C::TrimLineEnds, u"a  \r\nb ", u"a\r\nb"},
        {"trim: final CR LF stays", C::TrimLineEnds, u"a  \r\n", u"a\r\n"},
        {"trim: a tab stays", C::TrimLineEnds, u"a \t\r\nb", u"a \t\r\nb"},
        {"trim: spaces before a lone LF stay", C::TrimLineEnds, u"a  \nb  ", u"a  \nb"},
        {"trim: ideographic space stays", C::TrimLineEnds, u"a\u3000\r\n", u"a\u3000\r\n"},
        {"trim: blank lines", C::TrimLineEnds, u"  \r\n  \r\n", u"\r\n\r\n"},
        {"remove line breaks", C::RemoveLineBreaks, u"a\r\nb\r\nc", u"abc"},
        {"remove line breaks keeps LF-only ends", C::RemoveLineBreaks, u"a\nb\r", u"a\nb\r"},
        {"br tags", C::AppendBrTags, u"a\r\n\r\nb", u"a<br>\r\n<br>\r\nb"},
        {"br tags twice", C::AppendBrTags, u"a<br>\r\nb", u"a<br><br>\r\nb"},
        {"br tags without line breaks", C::AppendBrTags, u"abc", u"abc"},
    };
    for (const auto& c : cases) EXPECT_EQ(Run(c), c.expected) << c.name;
}

TEST_F(ConversionsTest, EmptyTextStaysEmptyForEveryConversion) {
    for (int index = 0; index <= 20; ++index) {
        const auto conversion = ConversionAt(index);
        if (!conversion) continue;
        EXPECT_EQ(Convert(*conversion, u"", 4, services, folder), std::u16string()) << index;
    }
    EXPECT_EQ(services.mapCalls, 0);
}

TEST_F(ConversionsTest, LineEndRoundTripAndIdempotence) {
    const std::u16string crlf = u"one\r\ntwo\r\n\r\nthree";
    EXPECT_EQ(LfToCrLf(CrLfToLf(crlf, folder), folder), crlf);
    EXPECT_EQ(LfToCrLf(crlf, folder), crlf);
    EXPECT_EQ(AppendBrTags(AppendBrTags(u"x\r\n", folder), folder), u"x<br><br>\r\n");
}

TEST_F(ConversionsTest, MenuIndexesMapToConversionsAndSkipSeparators) {
    for (const int separator : {3, 7, 10, 13, 16, 19, -1, 21})
        EXPECT_FALSE(ConversionAt(separator).has_value()) << separator;
    EXPECT_EQ(ConversionAt(12), Conversion::SpacesToTabs);
    EXPECT_TRUE(UsesTabSpace(Conversion::TabsToSpaces));
    EXPECT_FALSE(UsesTabSpace(Conversion::TrimLineEnds));
}

TEST_F(ConversionsTest, AFailingLocaleMappingIsReportedAsNoResult) {
    services.failMapping = true;
    EXPECT_EQ(Convert(Conversion::ToUpperCase, u"abc", 8, services, folder), std::nullopt);
    EXPECT_EQ(Convert(Conversion::HalfWidthToFullWidth, u"abc", 8, services, folder), std::nullopt);
}

}  // namespace
}  // namespace scribbit
