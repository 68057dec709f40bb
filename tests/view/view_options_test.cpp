#include "view/view_options.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "view/view_texts.h"

namespace scribbit {
namespace {

const FontSpec ChosenFont{u"IPAGothic", 14.5, true, true, true, true};
constexpr Color ChosenColor = 0x00336699;

class ViewOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.form.Form_Load(u"");  // first run: both bars shown, word wrap off
        app.toolBar.SetHeight(390);
        app.frame.Place(Bounds{0, 0, 6000, 7000});
    }
    void Click(MenuItem item) { app.form.MenuClick(item); }
    AppFixture app;
};

TEST_F(ViewOptionsTest, WordWrapMovesTextFontAndColourButNotTheDocumentState) {
    app.txtNoReturn.Type(u"一行目\r\nsecond");
    app.txtNoReturn.SetSel(3, 4);
    app.dialogs.ChooseFont(ChosenFont, ChosenColor);
    Click(menu::FormFont);
    const bool undoEnabled = app.menus.IsEnabled(menu::EditUndo);
    ASSERT_TRUE(app.Context().document.IsModified);
    const std::u16string pathPanel = app.status.PanelText(1);

    Click(menu::FormWordWrap);
    EXPECT_TRUE(app.menus.IsChecked(menu::FormWordWrap));
    EXPECT_TRUE(app.txtReturn.IsVisible());
    EXPECT_FALSE(app.txtNoReturn.IsVisible());
    EXPECT_EQ(&app.Context().ActiveEditor(), &app.txtReturn);
    EXPECT_EQ(app.txtReturn.Text(), u"一行目\r\nsecond");
    EXPECT_EQ(app.txtNoReturn.Text(), u"");
    EXPECT_EQ(app.txtReturn.Font(), ChosenFont);
    EXPECT_EQ(app.txtReturn.TextColor(), ChosenColor);
    EXPECT_EQ(app.txtReturn.SelStart(), 0u);
    EXPECT_EQ(app.txtReturn.SelLength(), 0u);
    EXPECT_EQ(app.menus.IsEnabled(menu::EditUndo), undoEnabled);
    EXPECT_FALSE(app.Context().EditorSwitching);
    EXPECT_EQ(app.status.PanelText(1), pathPanel);
    // The view that now shows the text is the one laid out.
    EXPECT_EQ(app.txtReturn.Placement(), (Bounds{0, 390, 5880, 7000 - 690 - 255 - 390}));

    Click(menu::FormWordWrap);
    EXPECT_FALSE(app.menus.IsChecked(menu::FormWordWrap));
    EXPECT_TRUE(app.txtNoReturn.IsVisible());
    EXPECT_FALSE(app.txtReturn.IsVisible());
    EXPECT_EQ(app.txtNoReturn.Text(), u"一行目\r\nsecond");
    EXPECT_EQ(app.txtReturn.Text(), u"");
    EXPECT_EQ(app.txtNoReturn.Font(), ChosenFont);
}

TEST_F(ViewOptionsTest, AnUnmodifiedDocumentStaysUnmodifiedAcrossTheSwitch) {
    app.txtNoReturn.SetText(u"opened text");
    app.Context().document.IsModified = false;
    const int panelWrites = app.status.setPanelTextCalls;
    Click(menu::FormWordWrap);
    EXPECT_FALSE(app.Context().document.IsModified);
    EXPECT_EQ(app.status.setPanelTextCalls, panelWrites);
}

TEST_F(ViewOptionsTest, ATextTheOtherViewCannotHoldStaysWhereItWas) {
    app.txtNoReturn.Type(u"too long for the wrapping view");
    app.txtReturn.SetCapacity(5);
    app.txtReturn.SetKeepsPartOfTooLargeText(true);
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    Click(menu::FormWordWrap);
    ASSERT_EQ(app.dialogs.messages.size(), 1u);
    EXPECT_EQ(app.dialogs.messages[0].text, view_text::WordWrapFailed);
    EXPECT_FALSE(app.menus.IsChecked(menu::FormWordWrap));
    EXPECT_TRUE(app.txtNoReturn.IsVisible());
    EXPECT_FALSE(app.txtReturn.IsVisible());
    EXPECT_EQ(app.txtNoReturn.Text(), u"too long for the wrapping view");
    EXPECT_EQ(app.txtReturn.Text(), u"");
    EXPECT_FALSE(app.Context().EditorSwitching);
}

TEST_F(ViewOptionsTest, TheFontDialogIsPresetFromAndAppliesToTheActiveEditorOnly) {
    const FontSpec start{u"IPAMincho", 10, false, false, false, false};
    app.txtNoReturn.SetFont(start);
    app.txtNoReturn.SetTextColor(0x000000FF);
    const FontSpec other = app.txtReturn.Font();
    app.dialogs.ChooseFont(ChosenFont, ChosenColor);
    Click(menu::FormFont);
    ASSERT_EQ(app.dialogs.fontDialogs.size(), 1u);
    EXPECT_EQ(app.dialogs.fontDialogs[0].font, start);
    EXPECT_EQ(app.dialogs.fontDialogs[0].color, 0x000000FFu);
    EXPECT_EQ(app.txtNoReturn.Font(), ChosenFont);
    EXPECT_EQ(app.txtNoReturn.TextColor(), ChosenColor);
    EXPECT_EQ(app.txtReturn.Font(), other);
}

// The settings file is in the ANSI code page; a face name it cannot hold
// would be stored as "?", which names no font.
TEST_F(ViewOptionsTest, AFontNameTheSettingsCannotHoldIsUsedButNotStored) {
    const FontSpec korean{u"맑은 고딕", 12, false, false, false, false};
    app.dialogs.ChooseFont(korean, ChosenColor);
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    Click(menu::FormFont);
    EXPECT_EQ(app.txtNoReturn.Font(), korean);
    ASSERT_EQ(app.dialogs.messages.size(), 1u);
    EXPECT_NE(app.dialogs.messages[0].text.find(u"「FixedSys」"), std::u16string::npos);
    EXPECT_FALSE(app.form.Form_Unload());
    const auto stored = app.SettingsOnDisk();
    ASSERT_TRUE(stored.has_value());
    EXPECT_NE(stored->find(u"\r\nName=FixedSys\r\nSize=12\r\n"), std::u16string::npos);
}

TEST_F(ViewOptionsTest, ACancelledOrFailedFontDialogChangesNothing) {
    const FontSpec start{u"IPAMincho", 10, false, true, false, true};
    for (const bool fails : {false, true}) {
        app.txtNoReturn.SetFont(start);
        app.txtNoReturn.SetTextColor(0x00112233);
        FontDialogResult answer{
            fails ? DialogOutcome::Failed : DialogOutcome::Cancelled, ChosenFont, ChosenColor, {}};
        app.dialogs.AnswerFont(answer);
        if (fails) app.dialogs.AnswerMessage(MessageAnswer::Ok);
        app.dialogs.messages.clear();
        Click(menu::FormFont);
        EXPECT_EQ(app.txtNoReturn.Font(), start) << fails;
        EXPECT_EQ(app.txtNoReturn.TextColor(), 0x00112233u) << fails;
        if (fails) {
            ASSERT_EQ(app.dialogs.messages.size(), 1u);
            EXPECT_EQ(app.dialogs.messages[0].text, u"その他のエラー");
            EXPECT_EQ(app.dialogs.messages[0].buttons, MessageButtons::Ok);
        } else {
            EXPECT_TRUE(app.dialogs.messages.empty());
        }
    }
}

TEST_F(ViewOptionsTest, HidingABarGivesItsRoomToTheEditView) {
    struct Case {
        MenuItem item;
        bool (*barVisible)(AppFixture&);
        Bounds hidden;
    } cases[] = {
        {menu::FormStatusBar, [](AppFixture& a) { return a.status.IsVisible(); },
         Bounds{0, 390, 5880, 7000 - 690 - 390}},
        {menu::FormToolBar, [](AppFixture& a) { return a.toolBar.IsVisible(); },
         Bounds{0, 0, 5880, 7000 - 690 - 255}},
    };
    const Bounds both{0, 390, 5880, 7000 - 690 - 255 - 390};
    for (const Case& c : cases) {
        ASSERT_TRUE(c.barVisible(app));
        Click(c.item);
        EXPECT_FALSE(app.menus.IsChecked(c.item));
        EXPECT_FALSE(c.barVisible(app));
        EXPECT_EQ(app.txtNoReturn.Placement(), c.hidden);
        Click(c.item);
        EXPECT_TRUE(app.menus.IsChecked(c.item));
        EXPECT_TRUE(c.barVisible(app));
        EXPECT_EQ(app.txtNoReturn.Placement(), both);
    }
}

TEST_F(ViewOptionsTest, AlwaysOnTopFollowsTheCheckAndTheButtonWhenThereIsOne) {
    for (const std::int16_t button : {std::int16_t{-1}, std::int16_t{2}}) {
        app.toolBar.Clear();
        app.toolBar.Append(ToolBarEntry{u"new", 0, u"new", u"新規"});
        app.toolBar.Append(ToolBarEntry{u"mostfront", 1, u"mostfront", u"常に手前に表示"});
        app.Context().AlwaysOnTopButtonIndex = button;

        Click(menu::FormAlwaysOnTop);
        EXPECT_TRUE(app.menus.IsChecked(menu::FormAlwaysOnTop));
        EXPECT_TRUE(app.frame.IsTopMost());
        EXPECT_EQ(app.toolBar.IsPressed(1), button == 2);
        EXPECT_FALSE(app.toolBar.IsPressed(0));

        Click(menu::FormAlwaysOnTop);
        EXPECT_FALSE(app.menus.IsChecked(menu::FormAlwaysOnTop));
        EXPECT_FALSE(app.frame.IsTopMost());
        EXPECT_FALSE(app.toolBar.IsPressed(1));
    }
}

TEST_F(ViewOptionsTest, SetAlwaysOnTopTakesOnlyZeroOrOne) {
    EXPECT_NE(SetAlwaysOnTop(app.Context(), 1), 0);
    EXPECT_TRUE(app.frame.IsTopMost());
    EXPECT_EQ(SetAlwaysOnTop(app.Context(), 2), 0);
    EXPECT_EQ(SetAlwaysOnTop(app.Context(), -1), 0);
    EXPECT_TRUE(app.frame.IsTopMost());
    EXPECT_NE(SetAlwaysOnTop(app.Context(), 0), 0);
    EXPECT_FALSE(app.frame.IsTopMost());
    app.frame.FailTopMost(true);
    EXPECT_EQ(SetAlwaysOnTop(app.Context(), 1), 0);
}

TEST_F(ViewOptionsTest, SeparatorsAndTheCountParentDoNothing) {
    app.txtNoReturn.Type(u"abc");
    const int calls = app.status.setPanelTextCalls;
    for (int index : {2, 3, 4, 7, 9, -1}) Click(MenuItem{Menu::Form, index});
    EXPECT_EQ(app.status.setPanelTextCalls, calls);
    EXPECT_FALSE(app.menus.IsChecked(menu::FormWordWrap));
    EXPECT_TRUE(app.menus.IsChecked(menu::FormStatusBar));
    EXPECT_TRUE(app.menus.IsChecked(menu::FormToolBar));
    EXPECT_FALSE(app.menus.IsChecked(menu::FormAlwaysOnTop));
    EXPECT_EQ(app.txtNoReturn.Text(), u"abc");
}

}  // namespace
}  // namespace scribbit
