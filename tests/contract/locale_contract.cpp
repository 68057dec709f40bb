// The Japanese code page and the locale's text services. The rows hold the
// system's answers; on the system the doubles' whole tables are held to it
// too, so that the native suites see what users see.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"
#include "support/fake_locale.h"
#include "support/fake_text_services.h"

namespace scribbit::contract {
namespace {

TEST(LocaleContract, ToAnsiEncodesAndFindsTheFirstLoss) {
    const auto locale = MakeLocale();
    const struct {
        std::u16string text;
        std::string bytes;
        std::size_t first;
    } rows[] = {
        {u"あA\r\nｱ漢", "\x82\xA0" "A\r\n\xB1\x8A\xBF", NoPosition},
        {u"", "", NoPosition},
        {u"abcé", "abc?", 3},  // no best-fit 'e'
        {u"あい\U0001F600う", "\x82\xA0\x82\xA2??\x82\xA4", 2},
        {u"?\u00E9", "??", 1},  // a real '?' is not the loss
        {u"x\xD800y", "x?y", 1},
        {u"①\u00E9\u00E9", "\x87\x40??", 1},
        {std::u16string(u"a\0b\u0101", 4), std::string("a\0b?", 4), 3},
    };
    for (const auto& row : rows) {
        const AnsiEncoding encoded = locale->ToAnsi(row.text);
        EXPECT_EQ(encoded.bytes, row.bytes);
        EXPECT_EQ(encoded.firstUnrepresentable, row.first);
    }
}

TEST(LocaleContract, FromAnsiKeepsNulAndReplacesBadBytesAlone) {
    const auto locale = MakeLocale();
    const struct {
        std::string bytes;
        std::u16string text;
    } rows[] = {
        {std::string("\x82\xA0\0\x82\xA2", 5), std::u16string(u"あ\0い", 3)},
        {"", u""},
        {"ab\x82", u"ab・"},  // a lead byte at the end eats nothing before it
    };
    for (const auto& row : rows) EXPECT_EQ(locale->FromAnsi(row.bytes), row.text);
}

TEST(TextServicesContract, MapsCompareAndFormatsAsTheJapaneseLocale) {
    const auto services = MakeTextServices();
    using enum TextMapping;
    const struct {
        std::u16string text;
        TextMapping mapping;
        std::u16string mapped;
    } rows[] = {
        {u"ひらがなカナabc", Katakana, u"ヒラガナカナabc"},
        {u"カタカナヴひら", Hiragana, u"かたかなゔひら"},
        {u"ｶﾞｷﾞﾊﾟｱ ABC\\", FullWidth, u"ガギパア　ＡＢＣ\\"},
        {u"ガパア　ＡＢＣ＼”", HalfWidth, u"ｶﾞﾊﾟｱ ABC＼\""},
        {u"abcａé", UpperCase, u"ABCＡÉ"},
        {u"ABCＡÉ", LowerCase, u"abcａé"},
    };
    for (const auto& row : rows) EXPECT_EQ(services->Map(row.text, row.mapping), row.mapped);

    const struct {
        std::u16string a, b;
        bool equal;
    } comparisons[] = {
        {u"ａｂｃ", u"ABC", true}, {u"かな", u"カナ", true}, {u"ｶﾅ", u"かな", true},
        {u"ｶﾞ", u"ガ", false},     {u"abc", u"abd", false}, {u"", u"", true},
    };
    for (const auto& row : comparisons) EXPECT_EQ(services->EqualIgnoringCaseWidthKana(row.a, row.b), row.equal);

    const LocalTime moment{2002, 12, 25, 9, 5, 7};
    EXPECT_EQ(services->FormatTime(moment), u"9:05:07");
    EXPECT_EQ(services->FormatShortDate(moment), u"2002/12/25");
}

// Every character of the doubles' tables, converted by the system.
TEST(LocaleContract, TheDoublesTablesAgreeWithTheSystem) {
    if (!RunsOnTheSystem()) GTEST_SKIP() << "no system to compare the doubles with";
    const auto locale = MakeLocale();
    const FakeLocale fakeLocale;
    const std::u16string_view characters = FakeLocale::TableCharacters();
    EXPECT_EQ(locale->ToAnsi(characters).bytes, fakeLocale.ToAnsi(characters).bytes);
    EXPECT_EQ(locale->FromAnsi(FakeLocale::TableCodes()), fakeLocale.FromAnsi(FakeLocale::TableCodes()));

    const auto services = MakeTextServices();
    const FakeTextServices fakeServices;
    for (const std::u16string_view column : FakeTextServices::Columns()) {
        for (int m = 0; m <= static_cast<int>(TextMapping::LowerCase); ++m) {
            const auto mapping = static_cast<TextMapping>(m);
            EXPECT_EQ(services->Map(column, mapping), fakeServices.Map(column, mapping))
                << "mapping " << m << " of column starting " << static_cast<int>(column[0]);
        }
    }
}

}  // namespace
}  // namespace scribbit::contract
