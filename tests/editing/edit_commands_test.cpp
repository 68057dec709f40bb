#include "editing/edit_commands.h"

#include <gtest/gtest.h>

#include "editing/clipboard_access.h"
#include "editing/clipboard_history.h"
#include "editing/editing_texts.h"
#include "editing/find_replace.h"
#include "editing_fixture.h"

namespace scribbit {
namespace {

class EditCommandsTest : public ::testing::Test, protected EditingFixture {
protected:
    void Click(int index) { mnuEDIT_Click(editing, index); }
};

TEST_F(EditCommandsTest, DeleteTakesALineBreakOrAPairWholeAndMarksModifiedEvenWhenNothingGoes) {
    struct Case {
        const char* name;
        std::u16string text;
        std::size_t selStart, selLength;
        std::u16string expected;
    };
    const Case cases[] = {
        {"caret before CR LF", u"ab\r\ncd", 2, 0, u"abcd"},
        {"caret before a letter", u"abcd", 1, 0, u"acd"},
        {"caret before a lone CR", u"a\r\rb", 1, 0, u"a\rb"},
        {"caret before LF of a pair", u"a\r\nb", 2, 0, u"a\rb"},
        {"caret at the end", u"abc", 3, 0, u"abc"},
        {"caret before a surrogate pair", u"a\U0001F600b", 1, 0, u"ab"},
        {"caret before a lone high surrogate",
         u"a\xD83D"
         u"b",
         1, 0, u"ab"},
        {"selection", u"abcdef", 1, 3, u"aef"},
        {"selection ending in CR", u"ab\r\ncd", 1, 2, u"a\ncd"},
    };
    for (const auto& c : cases) {
        Load(c.text, c.selStart, c.selLength);
        app.document.IsModified = false;
        Click(5);
        EXPECT_EQ(View().Text(), c.expected) << c.name;
        EXPECT_TRUE(app.document.IsModified) << c.name;
    }
}

// Commands that mark the document modified without a change the control
// reports must show the mark too, or the document looks saved while exit
// would ask about it.
TEST_F(EditCommandsTest, CommandsThatChangeNothingStillShowTheModifiedMark) {
    app.document.CurrentFilePath = u"C:\\memo.txt";
    for (const int index :
         {0 /* undo, nothing to undo */, 4 /* paste, empty clipboard */, 5 /* delete at the end */}) {
        Load(u"abc", 3, 0);
        app.document.IsModified = false;
        status.SetPanelText(1, app.document.CurrentFilePath);
        Click(index);
        EXPECT_TRUE(app.document.IsModified) << index;
        EXPECT_EQ(status.PanelText(1), u"C:\\memo.txt(変更)") << index;
    }
}

TEST_F(EditCommandsTest, CopyRecordsTenSlotsNewestFirstKeepingDuplicates) {
    clipboard.Put(u"seed");
    SeedClipboardHistory(editing);
    EXPECT_EQ(editing.history.Slot(0), u"seed");
    EXPECT_EQ(windows.historyRefreshes, 1);

    Load(u"abcdefghijk");
    for (std::size_t i = 0; i < 9; ++i) {
        View().SetSel(i, 1);
        Click(3);
    }
    EXPECT_EQ(editing.history.Slot(0), u"i");
    EXPECT_EQ(editing.history.Slot(8), u"a");
    EXPECT_EQ(editing.history.Slot(9), u"seed");
    // The tenth copy after start-up drops the seeded text; equal texts fill two slots.
    View().SetSel(0, 1);
    Click(3);
    View().SetSel(0, 1);
    Click(3);
    EXPECT_EQ(editing.history.Slot(0), u"a");
    EXPECT_EQ(editing.history.Slot(1), u"a");
    EXPECT_EQ(editing.history.Slot(9), u"b");
    EXPECT_EQ(clipboard.Contents(), u"a");
    EXPECT_EQ(windows.historyRefreshes, 12);
    EXPECT_FALSE(app.document.IsModified);
}

TEST_F(EditCommandsTest, CopyOrCutWithNothingSelectedLeavesHistoryAndClipboard) {
    clipboard.Put(u"mine");
    Load(u"abc", 1, 0);
    Click(3);
    Click(2);
    EXPECT_EQ(editing.history.Slot(0), u"");
    EXPECT_EQ(windows.historyRefreshes, 0);
    EXPECT_EQ(clipboard.Contents(), u"mine");
    EXPECT_EQ(View().Text(), u"abc");
}

TEST_F(EditCommandsTest, CutMovesTheSelectionToTheClipboardButNotIntoTheHistory) {
    Load(u"hello world", 0, 6);
    Click(2);
    EXPECT_EQ(View().Text(), u"world");
    EXPECT_EQ(clipboard.Contents(), u"hello ");
    EXPECT_EQ(editing.history.Slot(0), u"");
    EXPECT_TRUE(app.document.IsModified);
}

TEST_F(EditCommandsTest, ABusyClipboardIsRetriedThenReportedAndNothingIsLost) {
    clipboard.Put(u"theirs");
    clipboard.SetBusy(true);
    Load(u"keep me", 0, 4);
    for (const int index : {2, 3, 4}) {
        ExpectMessage();
        windows.pauses.clear();
        Click(index);
        EXPECT_EQ(LastMessage(), editing_texts::ClipboardBusy) << index;
        EXPECT_EQ(windows.pauses.size(), static_cast<std::size_t>(ClipboardAttempts - 1)) << index;
    }
    EXPECT_EQ(View().Text(), u"keep me");
    EXPECT_EQ(View().SelText(), u"keep");
    EXPECT_EQ(editing.history.Slot(0), u"");
    EXPECT_FALSE(app.document.IsModified);
    clipboard.SetBusy(false);
    EXPECT_EQ(clipboard.Contents(), u"theirs");
}

TEST_F(EditCommandsTest, AClipboardFreedDuringTheRetriesIsUsed) {
    class FreedAfterTwoTries : public ProbingClipboard {
    public:
        bool SetText(const std::u16string& text) override {
            SetBusy(++tries < 3);
            return FakeClipboard::SetText(text);
        }
        int tries = 0;
    };
    // The fixture's edit views use its own clipboard; this test only needs
    // the retry helper.
    FreedAfterTwoTries flaky;
    Ports withFlaky{frame, txtReturn, txtNoReturn, status, menus, toolBar, dialogs, flaky, files, locale};
    AppContext flakyApp(withFlaky, u"C:\\");
    EditingContext flakyEditing(flakyApp, text, windows);
    EXPECT_TRUE(PutOnClipboard(flakyEditing, u"copied"));
    EXPECT_EQ(flaky.Contents(), u"copied");
    EXPECT_EQ(windows.pauses.size(), 2u);
}

TEST_F(EditCommandsTest, PasteUndoAndSelectAll) {
    clipboard.Put(u"XY");
    Load(u"abc", 1, 1);
    Click(4);
    EXPECT_EQ(View().Text(), u"aXYc");
    EXPECT_TRUE(app.document.IsModified);
    app.document.IsModified = false;
    Click(0);
    EXPECT_EQ(View().Text(), u"abc");
    EXPECT_TRUE(app.document.IsModified);
    Click(12);
    EXPECT_EQ(View().SelStart(), 0u);
    EXPECT_EQ(View().SelLength(), 3u);
    Load(u"");
    Click(12);
    EXPECT_EQ(View().SelLength(), 0u);
}

TEST_F(EditCommandsTest, TimeAndDateReplacesTheSelectionAndLeavesTheClipboard) {
    for (const bool clipboardHadText : {true, false}) {
        clipboard.Put(clipboardHadText ? std::optional<std::u16string>(u"mine") : std::nullopt);
        Load(u"[old]", 1, 3);
        app.document.IsModified = false;
        Click(13);
        EXPECT_EQ(View().Text(), u"[9:05:07 2002/12/25]");
        EXPECT_TRUE(app.document.IsModified);
        EXPECT_EQ(clipboard.Contents(),
                  clipboardHadText ? std::optional<std::u16string>(u"mine") : std::nullopt);
        EXPECT_EQ(clipboard.setTextCalls, 0);
        Click(0);
        EXPECT_EQ(View().Text(), u"[old]");
    }
}

TEST_F(EditCommandsTest, ProgramMadeEditsLeaveALockedViewAloneAndReportATooSmallControl) {
    Load(u"abc", 0, 3);
    View().SetLocked(true);
    EXPECT_FALSE(PasteViaClipboard(editing, u"x"));
    EXPECT_EQ(View().Text(), u"abc");
    View().SetLocked(false);
    View().SetCapacity(4);
    ExpectMessage();
    View().SetSel(3, 0);
    EXPECT_FALSE(PasteViaClipboard(editing, u"defg"));
    EXPECT_EQ(LastMessage(), editing_texts::TextTooLarge);
    EXPECT_EQ(View().Text(), u"abc");
    EXPECT_TRUE(PasteViaClipboard(editing, u"d"));
    EXPECT_EQ(View().Text(), u"abcd");
}

TEST_F(EditCommandsTest, UpdateEditCommandStateFollowsTheSelectionOnly) {
    Load(u"abc", 0, 0);
    UpdateEditCommandState(app);
    for (const MenuItem item : {menu::EditCut, menu::EditCopy, menu::EditDelete})
        EXPECT_FALSE(menus.IsEnabled(item));
    menus.SetEnabled(menu::EditUndo, false);
    View().SetSel(1, 1);
    UpdateEditCommandState(app);
    for (const MenuItem item : {menu::EditCut, menu::EditCopy, menu::EditDelete})
        EXPECT_TRUE(menus.IsEnabled(item));
    EXPECT_FALSE(menus.IsEnabled(menu::EditUndo));
    EXPECT_TRUE(menus.IsEnabled(menu::EditPaste));
}

TEST_F(EditCommandsTest, DialogsAreCreatedOnceAndOnlyBroughtForwardAfterwards) {
    Load(u"find me", 0, 4);
    Click(7);
    Click(9);
    Click(10);
    ASSERT_NE(editing.findDialog, nullptr);
    editing.findDialog->SetFindText(u"typed");
    FindDialogModel* first = editing.findDialog.get();
    View().SetSel(5, 2);
    Click(7);
    EXPECT_EQ(editing.findDialog.get(), first);
    EXPECT_EQ(editing.findDialog->FindText(), u"typed");
    editing.OnDialogClosed(EditingDialog::Find);
    EXPECT_EQ(editing.findDialog, nullptr);
    Click(7);
    EXPECT_EQ(editing.findDialog->FindText(), u"me");
    EXPECT_EQ(windows.shown, (std::vector<EditingDialog>{EditingDialog::Find, EditingDialog::Replace,
                                                         EditingDialog::GoToLine, EditingDialog::Find,
                                                         EditingDialog::Find}));
    EXPECT_NE(editing.replaceDialog, nullptr);
    EXPECT_NE(editing.goToLineDialog, nullptr);
}

TEST_F(EditCommandsTest, UnknownIndexesAndSeparatorsDoNothing) {
    Load(u"abc", 1, 1);
    for (const int index : {-1, 1, 6, 11, 14, 99}) Click(index);
    EXPECT_EQ(View().Text(), u"abc");
    EXPECT_FALSE(app.document.IsModified);
    EXPECT_TRUE(windows.shown.empty());
}

}  // namespace
}  // namespace scribbit
