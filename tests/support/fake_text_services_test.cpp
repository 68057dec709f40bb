#include "support/fake_text_services.h"

#include <gtest/gtest.h>

namespace scribbit {
namespace {

// What the system's comparison answered under Wine with the Japanese locale.
TEST(FakeTextServices, ComparesLikeTheSystemIgnoringCaseWidthAndKana) {
    const FakeTextServices services;
    const struct {
        std::u16string a, b;
        bool equal;
    } cases[] = {
        {u"ABC", u"ａｂｃ", true}, {u"あ", u"ア", true},    {u"/", u"／", true},
        {u"ｱ", u"あ", true},       {u" ", u"\u3000", true}, {u"ｶﾞ", u"ガ", false},
        {u"\"", u"”", false},      {u"か", u"が", false},   {u"ab", u"abc", false},
    };
    for (const auto& c : cases) EXPECT_EQ(services.EqualIgnoringCaseWidthKana(c.a, c.b), c.equal);
}

TEST(FakeTextServices, MapsWidthWithVoicedKanaAndFormatsTimeAndDate) {
    FakeTextServices services;
    EXPECT_EQ(services.Map(u"ｳﾞｶﾞﾎﾟｱﾞ", TextMapping::FullWidth), u"ヴガポア゛");
    EXPECT_EQ(services.Map(u"ヴガポ、”＼", TextMapping::HalfWidth), u"ｳﾞｶﾞﾎﾟ､\"\\");
    EXPECT_EQ(services.Map(u"\\", TextMapping::FullWidth), u"\\");
    EXPECT_EQ(services.FormatTime(LocalTime{2002, 12, 25, 9, 5, 7}), u"9:05:07");
    EXPECT_EQ(services.FormatShortDate(LocalTime{2002, 1, 5, 23, 0, 0}), u"2002/01/05");
    services.failMapping = true;
    EXPECT_EQ(services.Map(u"a", TextMapping::UpperCase), std::nullopt);
}

}  // namespace
}  // namespace scribbit
