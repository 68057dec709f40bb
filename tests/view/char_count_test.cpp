#include "view/char_count.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace scribbit {
namespace {

class CharCountTest : public ::testing::Test {
protected:
    void SetUp() override { app.form.Form_Load(u""); }
    AppFixture app;
};

TEST_F(CharCountTest, CountsUnitsOrAnsiBytesOfTheWholeText) {
    struct Case {
        std::u16string text;
        std::u16string characters, bytes;
    } cases[] = {
        {u"", u"0", u"0"},
        {u"あa\r\n", u"4", u"5"},
        {u"ｱｲｳ", u"3", u"3"},  // half-width katakana take one byte each
        {u"漢字テキスト", u"6", u"12"},
        {u"𠀋", u"2", u"2"},  // a surrogate pair: two units, no code in the code page ("??")
    };
    for (const Case& c : cases) {
        app.ActiveView().SetText(c.text);
        app.ActiveView().SetSel(0, 1);  // the selection is never what is counted
        mnuCOUNT_Click(app.Context(), 0);
        EXPECT_EQ(app.status.PanelText(3), c.characters);
        EXPECT_EQ(app.status.PanelText(2), u"文字");
        mnuCOUNT_Click(app.Context(), 1);
        EXPECT_EQ(app.status.PanelText(3), c.bytes);
        EXPECT_EQ(app.status.PanelText(2), u"バイト");
    }
}

TEST_F(CharCountTest, SwitchingTheUnitChecksExactlyOneItem) {
    mnuCOUNT_Click(app.Context(), 0);
    EXPECT_TRUE(app.menus.IsChecked(menu::CountCharacters));
    EXPECT_FALSE(app.menus.IsChecked(menu::CountBytes));
    mnuCOUNT_Click(app.Context(), 0);  // choosing the checked item again changes nothing
    EXPECT_TRUE(app.menus.IsChecked(menu::CountCharacters));
    EXPECT_FALSE(app.menus.IsChecked(menu::CountBytes));
    mnuCOUNT_Click(app.Context(), 1);
    EXPECT_FALSE(app.menus.IsChecked(menu::CountCharacters));
    EXPECT_TRUE(app.menus.IsChecked(menu::CountBytes));
}

TEST_F(CharCountTest, CountsTheActiveEditorOnly) {
    app.txtReturn.SetText(u"hidden text");
    app.txtNoReturn.SetText(u"ab");
    UpdateCharCount(app.Context());
    EXPECT_EQ(app.status.PanelText(3), u"2");
}

TEST_F(CharCountTest, AnUnknownIndexChangesNothing) {
    app.ActiveView().SetText(u"abc");
    const int calls = app.status.setPanelTextCalls;
    mnuCOUNT_Click(app.Context(), 2);
    mnuCOUNT_Click(app.Context(), -1);
    EXPECT_EQ(app.status.setPanelTextCalls, calls);
    EXPECT_TRUE(app.menus.IsChecked(menu::CountBytes));
}

// Large texts are counted from per-character widths; the count must still
// be the converted text's length, character by character.
TEST_F(CharCountTest, ALargeTextCountsExactlyTheBytesOfItsConversion) {
    const std::u16string_view tails[] = {
        u"",
        u"\xD83D",              // a high surrogate at the very end
        u"\xDC00\xD83D\xDE00",  // a lone low surrogate, then a pair
        u"\0\n\r",             // NUL and bare line breaks
    };
    std::u16string body;
    while (body.size() < 0x50000) body += u"漢字かなｶﾞABC\r\n①〜～−－𠀋\t\\¥€";
    for (const std::u16string_view tail : tails) {
        const std::u16string text = body + std::u16string(tail);
        app.ActiveView().SetText(text);
        mnuCOUNT_Click(app.Context(), 1);
        const std::string bytes = std::to_string(app.locale.ToAnsi(text).bytes.size());
        EXPECT_EQ(app.status.PanelText(3), std::u16string(bytes.begin(), bytes.end())) << tail.size();
        mnuCOUNT_Click(app.Context(), 0);
        const std::string units = std::to_string(text.size());
        EXPECT_EQ(app.status.PanelText(3), std::u16string(units.begin(), units.end()));
    }
}

}  // namespace
}  // namespace scribbit
