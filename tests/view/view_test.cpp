// The View menu: the count in the status bar, word wrap, font, the bars and
// always on top, as the window shows them (AppFixture::Options).
#include <gtest/gtest.h>

#include "app/startup.h"
#include "support/app_fixture.h"
#include "view/view_texts.h"

namespace scribbit {
namespace {

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override { app.form.Form_Load(u""); }  // first run: both bars, no word wrap, bytes
    AppFixture app;
};

// Large texts are counted by a faster path that must agree with the conversion.
TEST_F(ViewTest, TheCountIsOfTheWholeShownTextInTheChosenUnit) {
    std::u16string large;
    while (large.size() < 0x30000) large += u"漢字かなｶﾞABC\r\n①〜～−－𠀋\t\\¥€";
    const std::u16string rows[] = {u"",
                                   u"あa\r\n",
                                   u"ｱｲｳ",
                                   u"漢字テキスト",
                                   u"𠀋",
                                   large,
                                   large + u"\xD83D",
                                   large + u"\xDC00\xD83D\xDE00",
                                   large + std::u16string(u"\0\n\r", 3)};
    app.txtReturn.SetText(u"the hidden view is never counted");
    // The unit switches by the toolbar's button, to the unit not shown.
    app.toolBar.Append(ToolBarEntry{u"文字のカウント方式", 0, u"count", u"文字のカウント方式"});
    for (const std::u16string& text : rows) {
        app.View().SetText(text);
        app.View().SetSel(0, 1);  // nor is the selection
        app.form.OnToolBarButtonClick(app.toolBar.Count() - 1);
        EXPECT_EQ(std::tuple(app.Options(), app.status.PanelText(3)),
                  std::tuple(u"- status toolbar - 文字", Decimal(text.size())))
            << text.size();
        app.form.OnToolBarButtonClick(app.toolBar.Count() - 1);
        EXPECT_EQ(std::tuple(app.Options(), app.status.PanelText(3)),
                  std::tuple(u"- status toolbar - バイト", Decimal(app.locale.ToAnsi(text).bytes.size())))
            << text.size();
    }
}

// The font dialog opens with the shown view's font and applies only to it.
// Word wrap moves text, font and colour.
TEST_F(ViewTest, WordWrapMovesTextFontAndColourButNotTheDocumentState) {
    const FontSpec start{u"IPAMincho", 10, false, true, false, true},
        font{u"IPAGothic", 14.5, true, true, true, true};
    app.txtNoReturn.SetFont(start);
    app.Type(u"一行目\r\nsecond");
    app.dialogs.Font({DialogOutcome::Chosen, font, 0x00336699, {}});
    app.Click(menu::FormFont);
    EXPECT_EQ(std::tuple(app.dialogs.fontDialogs, app.txtReturn.Font()),
              std::tuple(std::vector(1, start), FirstRunFont()));
    app.View().SetSel(0, 0);  // where a moved text's caret stands
    const std::u16string window = app.Window();
    const Bounds laidOut = app.txtNoReturn.Placement();
    for (const bool wrap : {true, false}) {
        app.Click(menu::FormWordWrap);
        FakeEditView& hidden = wrap ? app.txtNoReturn : app.txtReturn;
        EXPECT_EQ(
            std::tuple(app.Options(), app.Window(), hidden.Text()),
            std::tuple(wrap ? u"wrap status toolbar - バイト" : u"- status toolbar - バイト", window, u""));
        EXPECT_EQ(std::tuple(app.View().Font(), app.View().TextColor(), app.menus.IsEnabled(menu::EditUndo)),
                  std::tuple(font, Color{0x00336699}, true));
        EXPECT_EQ(app.View().Placement(), laidOut);  // the view that now shows the text is laid out
    }
    // A text the other view cannot hold stays where it was, and the user is told.
    app.txtReturn.capacity = 5;
    app.txtReturn.keepsPart = true;
    app.dialogs.Answer(MessageAnswer::Ok);
    app.Click(menu::FormWordWrap);
    EXPECT_EQ(std::tuple(app.LastMessage(), app.Options(), app.Window(), app.txtReturn.Text()),
              std::tuple(view_text::WordWrapFailed, u"- status toolbar - バイト", window, u""));
}

// Always on top presses its button, here the last one.
TEST_F(ViewTest, AHiddenBarGivesItsRoomToTheEditViewAndAlwaysOnTopFollowsItsCheck) {
    app.frame.bounds = {0, 0, 6000, 7000};
    app.form.Form_Activate();
    app.toolBar.Append(ToolBarEntry{u"mostfront", 1, u"mostfront", u"常に手前に表示"});
    app.Context().AlwaysOnTopButtonIndex = std::int16_t(app.toolBar.Count());
    const Bounds both = app.txtNoReturn.Placement();
    const std::tuple<MenuItem, std::u16string, std::int32_t, std::int32_t> rows[] = {
        {menu::FormStatusBar, u"- - toolbar - バイト", app.status.height, 0},
        {menu::FormToolBar, u"- status - - バイト", app.toolBar.height, app.toolBar.height},
        {menu::FormAlwaysOnTop, u"- status toolbar top バイト", 0, 0},
    };
    for (const auto& [item, options, height, top] : rows) {
        app.Click(item);
        EXPECT_EQ(std::tuple(app.Options(), app.txtNoReturn.Placement(), app.toolBar.buttons.back().pressed),
                  std::tuple(options, Bounds{0, both.top - top, both.width, both.height + height},
                             item == menu::FormAlwaysOnTop));
        app.Click(item);
        EXPECT_EQ(std::tuple(app.Options(), app.txtNoReturn.Placement(), app.toolBar.buttons.back().pressed),
                  std::tuple(u"- status toolbar - バイト", both, false));
    }
}

}  // namespace
}  // namespace scribbit
