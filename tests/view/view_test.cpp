// The View menu: the count in the status bar (and the per-character widths
// it keeps for large texts), word wrap, font, the bars and always on top.
#include <gtest/gtest.h>

#include "app/startup.h"
#include "core/core_texts.h"
#include "core/decimal.h"
#include "support/app_fixture.h"
#include "view/char_count.h"
#include "view/view_texts.h"

namespace scribbit {
namespace {

std::u16string LargeText(std::u16string_view tail = u"") {
    std::u16string text;
    while (text.size() < 0x30000) text += u"漢字かなｶﾞABC\r\n①〜～−－𠀋\t\\¥€";
    return text += tail;
}

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { app.form.Form_Load(u""); }  // first run: both bars, no word wrap, bytes
    void Click(MenuItem item) { app.form.MenuClick(item); }
    void Count(int index) { app.form.MenuClick({Menu::Count, index}); }
    std::tuple<std::u16string, std::u16string, bool, bool> Shown() {
        return {app.status.PanelText(CountUnitPanel), app.status.PanelText(CountPanel),
                app.menus.IsChecked(menu::CountCharacters), app.menus.IsChecked(menu::CountBytes)};
    }
    AppFixture app;
};

TEST_F(ViewTest, TheCountIsOfTheWholeShownTextInTheChosenUnit) {
    const struct {
        std::u16string text, characters, bytes;
    } cases[] = {
        {u"", u"0", u"0"},         {u"あa\r\n", u"4", u"5"},
        {u"ｱｲｳ", u"3", u"3"},      {u"漢字テキスト", u"6", u"12"},
        {u"𠀋", u"2", u"2"},       // two units, no code in the code page: "??"
    };
    app.txtReturn.SetText(u"the hidden view is never counted");
    for (const auto& c : cases) {
        app.ActiveView().SetText(c.text);
        app.ActiveView().SetSel(0, 1);  // nor is the selection
        Count(0);
        EXPECT_EQ(Shown(), std::tuple(u"文字", c.characters, true, false));
        Count(1);
        EXPECT_EQ(Shown(), std::tuple(u"バイト", c.bytes, false, true));
    }
}

TEST_F(ViewTest, ALargeTextCountsExactlyTheBytesOfItsConversion) {
    // a high surrogate at the very end, a lone low one before a pair, NUL and bare line breaks
    for (const std::u16string_view tail : {u"", u"\xD83D", u"\xDC00\xD83D\xDE00", u"\0\n\r"}) {
        const std::u16string text = LargeText(tail);
        app.ActiveView().SetText(text);
        Count(1);
        EXPECT_EQ(app.status.PanelText(CountPanel), Decimal(app.locale.ToAnsi(text).bytes.size())) << tail.size();
        Count(0);
        EXPECT_EQ(app.status.PanelText(CountPanel), Decimal(text.size()));
    }
}

TEST_F(ViewTest, WordWrapMovesTextFontAndColourButNotTheDocumentState) {
    const FontSpec font{u"IPAGothic", 14.5, true, true, true, true};
    app.Type(u"一行目\r\nsecond");
    app.dialogs.ChooseFont(font, 0x00336699);
    Click(menu::FormFont);
    const Screen seen = app.Seen();
    const bool undo = app.menus.IsEnabled(menu::EditUndo);
    const Bounds laidOut = app.txtNoReturn.Placement();
    ASSERT_NE(laidOut, Bounds{});
    for (const bool wrap : {true, false}) {
        Click(menu::FormWordWrap);
        FakeEditView& shown = wrap ? app.txtReturn : app.txtNoReturn;
        FakeEditView& hidden = wrap ? app.txtNoReturn : app.txtReturn;
        EXPECT_EQ(std::tuple(app.menus.IsChecked(menu::FormWordWrap), shown.IsVisible(), hidden.IsVisible()),
                  std::tuple(wrap, true, false));
        EXPECT_EQ(&app.ActiveView(), &shown);
        EXPECT_EQ(app.Seen(), seen);
        EXPECT_EQ(std::tuple(hidden.Text(), shown.Font(), shown.TextColor(), shown.SelStart()),
                  std::tuple(u"", font, Color{0x00336699}, 0u));
        EXPECT_EQ(app.menus.IsEnabled(menu::EditUndo), undo);
        EXPECT_EQ(shown.Placement(), laidOut);  // the view that now shows the text is laid out
    }
    // A text the other view cannot hold stays where it was, and the user is told.
    app.txtReturn.SetCapacity(5);
    app.txtReturn.SetKeepsPartOfTooLargeText(true);
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    Click(menu::FormWordWrap);
    EXPECT_EQ(app.LastMessage(), view_text::WordWrapFailed);
    EXPECT_EQ(std::tuple(app.menus.IsChecked(menu::FormWordWrap), app.txtNoReturn.IsVisible(), app.txtReturn.Text()),
              std::tuple(false, true, u""));
    EXPECT_EQ(app.Seen(), seen);
}

TEST_F(ViewTest, TheFontDialogAppliesToTheShownViewAndANameTheSettingsCannotHoldIsNotStored) {
    const FontSpec start{u"IPAMincho", 10, false, true, false, true};
    app.txtNoReturn.SetFont(start);
    for (const DialogOutcome outcome : {DialogOutcome::Cancelled, DialogOutcome::Failed}) {
        app.dialogs.AnswerFont({outcome, FontSpec{u"IPAGothic", 9, true, false, false, false}, 0x00FF0000, {}});
        if (outcome == DialogOutcome::Failed) app.dialogs.AnswerMessage(MessageAnswer::Ok);
        Click(menu::FormFont);
        EXPECT_EQ(app.txtNoReturn.Font(), start);
    }
    EXPECT_EQ(app.LastMessage(), core_text::OtherError);
    EXPECT_EQ(app.dialogs.fontDialogs.back(), start);  // the dialog opens on the shown view's font
    const FontSpec korean{u"맑은 고딕", 12, false, false, false, false};
    app.dialogs.ChooseFont(korean, 0);
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    Click(menu::FormFont);
    EXPECT_EQ(std::tuple(app.txtNoReturn.Font(), app.txtReturn.Font()), std::tuple(korean, FirstRunFont()));
    EXPECT_NE(app.LastMessage().find(u"「FixedSys」"), std::u16string::npos);
    EXPECT_FALSE(app.form.Form_Unload());
    EXPECT_NE(app.SettingsOnDisk().value_or(u"").find(u"\r\nName=FixedSys\r\nSize=12\r\n"), std::u16string::npos);
}

TEST_F(ViewTest, HidingABarGivesItsRoomToTheEditView) {
    app.frame.bounds = {0, 0, 6000, 7000};
    app.form.Form_Activate();
    const Bounds both = app.txtNoReturn.Placement();
    const std::tuple<MenuItem, bool (*)(AppFixture&), std::int32_t, std::int32_t> bars[] = {
        {menu::FormStatusBar, [](AppFixture& a) { return a.status.visible; }, app.status.height, 0},
        {menu::FormToolBar, [](AppFixture& a) { return a.toolBar.visible; }, app.toolBar.height, app.toolBar.height},
    };
    for (const auto& [item, visible, height, top] : bars) {
        Click(item);
        EXPECT_EQ(std::tuple(app.menus.IsChecked(item), visible(app)), std::tuple(false, false));
        EXPECT_EQ(app.txtNoReturn.Placement(), (Bounds{0, both.top - top, both.width, both.height + height}));
        Click(item);
        EXPECT_EQ(std::tuple(app.menus.IsChecked(item), visible(app), app.txtNoReturn.Placement()),
                  std::tuple(true, true, both));
    }
}

TEST_F(ViewTest, AlwaysOnTopFollowsTheCheckAndPressesItsButtonWhenThereIsOne) {
    for (const std::int16_t button : {std::int16_t{-1}, std::int16_t{2}}) {
        app.toolBar.Clear();
        app.toolBar.Append(ToolBarEntry{u"new", 0, u"new", u"新規"});
        app.toolBar.Append(ToolBarEntry{u"mostfront", 1, u"mostfront", u"常に手前に表示"});
        app.Context().AlwaysOnTopButtonIndex = button;
        for (const bool on : {true, false}) {
            Click(menu::FormAlwaysOnTop);
            EXPECT_EQ(std::tuple(app.menus.IsChecked(menu::FormAlwaysOnTop), app.frame.topMost,
                                 app.toolBar.buttons[0].pressed, app.toolBar.buttons[1].pressed),
                      std::tuple(on, on, false, on && button == 2));
        }
    }
}

}  // namespace
}  // namespace scribbit
