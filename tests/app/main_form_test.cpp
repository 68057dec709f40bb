#include "app/main_form.h"

#include <gtest/gtest.h>

#include "app/shutdown.h"
#include "editing/clipboard_history.h"
#include "editing/conversions.h"
#include "editing/find_replace.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override { app.form.Form_Load(u""); }
    void Modify() {
        app.ActiveView().Type(u"x");
        ASSERT_TRUE(app.Context().document.IsModified);
    }
    AppFixture app;
};

TEST_F(ShutdownTest, ClosingAnUnchangedDocumentSavesTheSettingsAndEnds) {
    app.menus.SetChecked(menu::FormWordWrap, true);
    app.Context().TabSpace = 3;
    EXPECT_FALSE(app.form.Form_Unload());
    EXPECT_TRUE(app.frame.HasQuit());
    EXPECT_TRUE(app.form.HasEnded());
    const std::u16string text = app.SettingsOnDisk().value();
    EXPECT_NE(text.find(u"TurnRight=True\r\nTabSpace=3\r\n"), std::u16string::npos);
    EXPECT_TRUE(app.dialogs.messages.empty());
}

TEST_F(ShutdownTest, CancellingTheAskToSavePromptKeepsTheWindow) {
    Modify();
    const std::optional<std::string> before = app.files.Contents(app.SettingsPath());
    app.Context().TabSpace = 5;
    app.dialogs.AnswerMessage(MessageAnswer::Cancel);
    EXPECT_TRUE(app.form.Form_Unload());
    EXPECT_FALSE(app.frame.HasQuit());
    EXPECT_FALSE(app.form.HasEnded());
    EXPECT_EQ(app.files.Contents(app.SettingsPath()), before);
}

TEST_F(ShutdownTest, AnsweringNoEndsWithoutSavingTheDocument) {
    Modify();
    app.dialogs.AnswerMessage(MessageAnswer::No);
    EXPECT_FALSE(app.form.Form_Unload());
    EXPECT_TRUE(app.frame.HasQuit());
}

TEST_F(ShutdownTest, FileExitAsksThenEnds) {
    Modify();
    app.dialogs.AnswerMessage(MessageAnswer::Cancel);
    app.form.MenuClick(menu::FileExit);
    EXPECT_FALSE(app.frame.HasQuit());
    app.dialogs.AnswerMessage(MessageAnswer::No);
    app.form.MenuClick(menu::FileExit);
    EXPECT_TRUE(app.frame.HasQuit());
    EXPECT_EQ(app.frame.quitCalls, 1);
}

TEST_F(ShutdownTest, ASettingsFileThatCannotBeWrittenDoesNotKeepTheProgramAlive) {
    const std::optional<std::string> before = app.files.Contents(app.SettingsPath());
    app.Context().TabSpace = 9;
    app.files.InjectFailure(app.SettingsPath(), FileStep::Replace, win_error::DiskFull);
    EXPECT_FALSE(app.form.Form_Unload());
    EXPECT_TRUE(app.frame.HasQuit());
    EXPECT_EQ(app.files.Contents(app.SettingsPath()), before);
    EXPECT_TRUE(app.dialogs.messages.empty());
}

TEST_F(ShutdownTest, TheSettingsAreWrittenBeforeTheProgramEnds) {
    app.Context().TabSpace = 7;
    bool writtenAtQuit = false;
    app.frame.SetQuitHandler(
        [&] { writtenAtQuit = app.SettingsOnDisk()->find(u"TabSpace=7") != std::u16string::npos; });
    ExitApplication(app.Context());
    EXPECT_TRUE(writtenAtQuit);
    // Nothing runs after the end: a late close, resize or menu does nothing.
    EXPECT_FALSE(app.form.Form_Unload());
    app.form.Form_Resize();
    app.form.MenuClick(menu::FileExit);
    EXPECT_EQ(app.frame.quitCalls, 1);
}

TEST(Restart, WhatTheUserLeftComesBackAtTheNextStart) {
    AppFixture first;
    first.form.Form_Load(u"");
    first.frame.Place(Bounds{-120, -120, 15600, 11900});  // maximised
    first.form.Form_Activate();
    first.menus.SetChecked(menu::FormWordWrap, true);
    first.txtReturn.SetVisible(true);
    first.txtNoReturn.SetVisible(false);
    first.txtReturn.SetFont(FontSpec{u"ＭＳ ゴシック", 10.5, false, true, false, false});
    first.txtReturn.SetTextColor(0x0000FF);
    first.status.SetVisible(false);
    first.menus.SetChecked(menu::FormStatusBar, false);
    first.form.MenuClick(menu::CountCharacters);
    first.menus.SetChecked(menu::FormAlwaysOnTop, true);
    first.toolBar.Clear();
    first.toolBar.Append(ToolBarEntry{u"常に手前に表示", 1, u"mostfront", u"常に手前に表示"});
    first.toolBar.Append(ToolBarEntry{u"貼り付け", 5, u"paste", u"貼り付け"});
    first.Context().TabSpace = 4;
    ASSERT_FALSE(first.form.Form_Unload());

    AppFixture second;
    second.files.AddFile(second.SettingsPath(), first.files.Contents(first.SettingsPath()).value());
    second.form.Form_Load(u"");
    EXPECT_EQ(second.frame.GetBounds(), (Bounds{0, 0, 15600, 11900}));
    EXPECT_EQ(&second.Context().ActiveEditor(), &second.txtReturn);
    EXPECT_EQ(second.txtReturn.Font(), (FontSpec{u"ＭＳ ゴシック", 10.5, false, true, false, false}));
    EXPECT_EQ(second.txtReturn.TextColor(), 0x0000FFu);
    EXPECT_FALSE(second.status.IsVisible());
    EXPECT_TRUE(second.menus.IsChecked(menu::CountCharacters));
    EXPECT_EQ(second.status.PanelText(2), u"文字");
    EXPECT_TRUE(second.frame.IsTopMost());
    EXPECT_EQ(second.toolBar.Entries(), first.toolBar.Entries());
    EXPECT_TRUE(second.toolBar.IsPressed(0));
    EXPECT_EQ(second.Context().AlwaysOnTopButtonIndex, 1);
    EXPECT_EQ(second.Context().PasteButtonIndex, 2);
    EXPECT_EQ(second.Context().TabSpace, 4);
}

TEST(MainForm, EditorEventsReachTheDocumentAndTheCount) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.ActiveView().Type(u"あa");
    EXPECT_TRUE(app.Context().document.IsModified);  // the change notification
    EXPECT_EQ(app.status.PanelText(3), u"0");        // counted only on key release
    app.form.OnEditorKeyUp();
    EXPECT_EQ(app.status.PanelText(3), u"3");
    app.form.MenuClick(menu::CountCharacters);
    EXPECT_EQ(app.status.PanelText(3), u"2");
}

TEST(MainForm, DroppedFilesAreOpened) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.files.AddFile(u"C:\\docs\\memo.txt", "memo");
    app.form.OnFilesDropped({u"C:\\docs\\memo.txt", u"C:\\docs\\other.txt"});
    EXPECT_EQ(app.Context().document.CurrentFilePath, u"C:\\docs\\memo.txt");
    EXPECT_EQ(app.ActiveView().Text(), u"memo");
}

TEST(MainForm, TextProcessingMenuConvertsAsOneUndoableStep) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.ActiveView().Type(u"abc Def");
    app.form.MenuClick(MenuItem{Menu::Change, static_cast<int>(Conversion::ToUpperCase)});
    EXPECT_EQ(app.ActiveView().Text(), u"ABC DEF");
    EXPECT_TRUE(app.Context().document.IsModified);
    app.form.MenuClick(menu::EditUndo);
    EXPECT_EQ(app.ActiveView().Text(), u"abc Def");
}

TEST(MainForm, EditMenuReachesTheEditingWindowsAndTheSearch) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.ActiveView().Type(u"one two one");
    app.ActiveView().SetSel(0, 3);
    app.form.MenuClick(menu::EditFind);
    ASSERT_EQ(app.editingWindows.shown, std::vector<EditingDialog>{EditingDialog::Find});
    ASSERT_NE(app.editingWindows.find, nullptr);
    EXPECT_EQ(app.editingWindows.find->FindText(), u"one");
    app.editingWindows.find->OnFind();
    EXPECT_EQ(app.ActiveView().SelStart(), 8u);
    // F3 goes on with the same search; past the last match it only tells.
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.MenuClick(menu::EditFindNext);
    EXPECT_EQ(app.ActiveView().SelStart(), 8u);
    EXPECT_EQ(app.dialogs.messages.size(), 1u);
}

TEST(MainForm, EditorClicksAndKeyReleasesFollowTheSelection) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.ActiveView().Type(u"text");
    app.ActiveView().SetSel(1, 2);
    app.form.OnEditorClick();
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditCut));
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditDelete));
    app.ActiveView().SetSel(4, 0);
    app.form.OnEditorKeyUp();
    EXPECT_FALSE(app.menus.IsEnabled(menu::EditCopy));
    EXPECT_EQ(app.status.PanelText(3), u"4");
}

TEST(MainForm, StartUpSeedsTheCopyHistoryFromTheClipboard) {
    AppFixture app;
    app.clipboard.Put(u"kept from before");
    app.form.Form_Load(u"");
    EXPECT_EQ(app.Context().clipboardHistory.Slot(0), u"kept from before");
}

}  // namespace
}  // namespace scribbit
