// The in-memory edit view must behave like the system control, or tests
// written against it prove nothing about the real program.
#include "support/fake_edit_view.h"

#include <gtest/gtest.h>

namespace scribbit {
namespace {

class FakeEditViewTest : public ::testing::Test {
protected:
    FakeEditViewTest() {
        view.SetChangeHandler([this] { ++changes; });
    }
    FakeClipboard clipboard;
    FakeEditView view{clipboard};
    int changes = 0;
};

TEST_F(FakeEditViewTest, SelectionIsClampedToTheText) {
    view.SetText(u"ab\r\ncd");
    const struct {
        std::size_t start, length, wantStart, wantLength;
    } cases[] = {
        {0, 0, 0, 0}, {1, 3, 1, 3}, {4, 99, 4, 2}, {99, 5, 6, 0}, {6, 0, 6, 0},
    };
    for (const auto& c : cases) {
        view.SetSel(c.start, c.length);
        EXPECT_EQ(view.SelStart(), c.wantStart);
        EXPECT_EQ(view.SelLength(), c.wantLength);
    }
    view.SetSel(2, 2);
    EXPECT_EQ(view.SelText(), u"\r\n");
}

TEST_F(FakeEditViewTest, SetTextNotifiesClearsUndoAndPutsTheCaretFirst) {
    view.SetText(u"abc");
    view.SetSel(1, 1);
    view.ReplaceSel(u"X");
    ASSERT_TRUE(view.CanUndo());
    changes = 0;
    EXPECT_EQ(view.SetText(u"new"), SetTextResult::Ok);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(view.CanUndo());
    EXPECT_EQ(view.SelStart(), 0u);
    EXPECT_EQ(view.SelLength(), 0u);
}

TEST_F(FakeEditViewTest, OneUndoStepAndTheNextUndoIsTheRedo) {
    view.SetText(u"hello world");
    view.SetSel(6, 5);
    view.ReplaceSel(u"there");
    view.SetSel(0, 0);
    view.ReplaceSel(u">> ");
    EXPECT_EQ(view.Text(), u">> hello there");
    EXPECT_EQ(view.SelStart(), 3u);  // caret after the inserted text

    changes = 0;
    view.Undo();  // only the last step
    EXPECT_EQ(view.Text(), u"hello there");
    EXPECT_EQ(view.SelStart(), 0u);
    EXPECT_EQ(view.SelLength(), 0u);
    view.Undo();  // redoes
    EXPECT_EQ(view.Text(), u">> hello there");
    EXPECT_EQ(view.SelText(), u">> ");  // the restored text comes back selected
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(view.CanUndo());
}

TEST_F(FakeEditViewTest, ClipboardCommands) {
    view.SetText(u"one two");
    view.SetSel(0, 4);
    view.Copy();
    EXPECT_EQ(clipboard.Contents(), u"one ");
    EXPECT_EQ(view.Text(), u"one two");

    view.SetSel(4, 3);
    view.Cut();
    EXPECT_EQ(clipboard.Contents(), u"two");
    EXPECT_EQ(view.Text(), u"one ");

    view.SetSel(0, 3);
    view.Paste();
    EXPECT_EQ(view.Text(), u"two ");
    view.Undo();
    EXPECT_EQ(view.Text(), u"one ");

    view.SetSel(0, 1);
    view.Clear();
    EXPECT_EQ(view.Text(), u"ne ");
    EXPECT_EQ(clipboard.Contents(), u"two");  // Clear leaves the clipboard alone
}

TEST_F(FakeEditViewTest, NothingSelectedOrNothingOnTheClipboardChangesNothing) {
    view.SetText(u"abc");
    changes = 0;
    view.SetSel(1, 0);
    view.Copy();
    view.Cut();
    view.Clear();
    clipboard.Put(std::nullopt);
    view.Paste();
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(clipboard.setTextCalls, 0);
}

TEST_F(FakeEditViewTest, BusyClipboard) {
    view.SetText(u"abc");
    clipboard.Put(u"clip");
    clipboard.SetBusy(true);
    view.SetSel(0, 3);
    view.Paste();
    EXPECT_EQ(view.Text(), u"abc");
    view.Cut();  // the control clears even when the copy could not be made
    EXPECT_EQ(view.Text(), u"");
    clipboard.SetBusy(false);
    EXPECT_EQ(clipboard.Contents(), u"clip");
}

TEST_F(FakeEditViewTest, LockedViewRefusesTheUserButNotTheProgram) {
    view.SetText(u"abc");
    view.SetLocked(true);
    clipboard.Put(u"X");
    view.SetSel(0, 1);
    changes = 0;
    view.Paste();
    view.Clear();
    EXPECT_FALSE(view.Type(u"Y"));
    view.Cut();  // copies, but does not delete
    EXPECT_EQ(clipboard.Contents(), u"a");
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(view.ReplaceSel(u"Z"));
    EXPECT_EQ(view.Text(), u"Zbc");
    view.Undo();  // refused while read-only
    EXPECT_EQ(view.Text(), u"Zbc");
    EXPECT_EQ(view.SetText(u"new"), SetTextResult::Ok);
}

TEST_F(FakeEditViewTest, CapacityRefusesWholeTextsAndTruncatesPastes) {
    view.SetCapacity(5);
    view.SetText(u"abc");
    changes = 0;
    EXPECT_EQ(view.SetText(u"123456"), SetTextResult::TooLarge);
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(changes, 0);
    view.SetSel(3, 0);
    EXPECT_FALSE(view.ReplaceSel(u"xyz"));
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_TRUE(view.ReplaceSel(u"xy"));
    EXPECT_EQ(view.Text(), u"abcxy");

    view.SetSel(0, 1);
    clipboard.Put(u"123");
    view.Paste();  // one unit of room
    EXPECT_EQ(view.Text(), u"1bcxy");

    view.SetKeepsPartOfTooLargeText(true);
    changes = 0;
    EXPECT_EQ(view.SetText(u"123456"), SetTextResult::TooLarge);
    EXPECT_EQ(view.Text(), u"12345");
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace scribbit
