// The Japanese code page and the locale's text services. The rows hold the
// system's answers; on the system the text services double's whole tables
// are held to it too, so that the native suites see what users see, and the
// mapping rows keep only what the tables cannot show.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"
#include "support/fake_locale.h"

namespace scribbit::contract {
namespace {

TEST(LocaleContract, ConvertsToAndFromTheCodePage) {
    Rig rig;
    LocaleServices& locale = rig.locale;
    const struct {
        std::u16string text;
        std::string bytes;
        std::size_t first;
    } rows[] = {
        {u"あA\r\nｱ漢", "\x82\xA0\x41\r\n\xB1\x8A\xBF", NoPosition},
        {u"", "", NoPosition},
        {u"あい\U0001F600う", "\x82\xA0\x82\xA2??\x82\xA4", 2},
        {u"?\u00A2\u00E9", "???", 1},  // a real '?' is not the loss; no best fit for ¢ or é
        {u"x\xD800y", "x?y", 1},
        {u"①\u00E9\u00E9", "\x87\x40??", 1},
        {std::u16string(u"a\0b\u0101", 4), std::string("a\0b?", 4), 3},
    };
    for (const auto& row : rows) {
        const AnsiEncoding encoded = locale.ToAnsi(row.text);
        EXPECT_EQ(std::tuple(encoded.bytes, encoded.firstUnrepresentable), std::tuple(row.bytes, row.first));
    }
    // NUL stays; a bad byte is replaced alone (a lead byte at the end eats nothing before it).
    for (const auto& [bytes, text] :
         {std::pair{std::string("\x82\xA0\0\x82\xA2", 5), std::u16string(u"あ\0い", 3)},
          {std::string(), std::u16string()},
          {std::string("ab\x82"), std::u16string(u"ab・")}})
        EXPECT_EQ(locale.FromAnsi(bytes), text);
}

TEST(TextServicesContract, MapsComparesAndFormatsAsTheJapaneseLocale) {
    Rig rig;
    TextServices& services = rig.text;
    using enum TextMapping;
    const std::tuple<std::u16string, TextMapping, std::u16string> maps[] = {
        {u"ひらがなカナabc", Katakana, u"ヒラガナカナabc"},
        {u"", Katakana, u""},  // the system itself refuses an empty text
        {u"ガパア　ＡＢＣ＼”", HalfWidth, u"ｶﾞﾊﾟｱ ABC＼\""},
    };
    for (const auto& [text, mapping, mapped] : maps) EXPECT_EQ(services.Map(text, mapping), mapped);
    const std::tuple<std::u16string, std::u16string, bool> comparisons[] = {
        {u"ａｂｃ", u"ABC", true}, {u"かな", u"カナ", true}, {u"ｶﾅ", u"かな", true},
        {u"ｶﾞ", u"ガ", false},     {u"", u"", true},
    };
    for (const auto& [a, b, equal] : comparisons) EXPECT_EQ(services.EqualIgnoringCaseWidthKana(a, b), equal);
    const LocalTime moment{2002, 12, 25, 9, 5, 7};
    EXPECT_EQ(std::tuple(services.FormatTime(moment), services.FormatShortDate(moment)),
              std::tuple(u"9:05:07", u"2002/12/25"));
}

#ifdef _WIN32
// Every column of the double's tables, mapped by the system.
TEST(TextServicesContract, TheDoublesTablesAgreeWithTheSystem) {
    Rig rig;
    const FakeTextServices fake;
    for (const std::u16string_view column : FakeTextServices::Columns()) {
        for (int m = 0; m <= static_cast<int>(TextMapping::LowerCase); ++m) {
            EXPECT_EQ(rig.text.Map(column, TextMapping(m)), fake.Map(column, TextMapping(m)))
                << "mapping " << m << " of column starting " << int(column[0]);
        }
    }
}
#endif

}  // namespace
}  // namespace scribbit::contract
