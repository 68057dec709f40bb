// The edit view as the logic relies on it: CR LF kept, selections clamped,
// one undo step, paste replacing the selection, a full control refusing
// text whole, a locked view refusing the user.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"

namespace scribbit::contract {
namespace {

class EditViewContract : public ::testing::Test {
protected:
    std::unique_ptr<EditViewRig> rig = MakeEditViewRig();
    EditView& view = rig->Port();
    Clipboard& clipboard = rig->Clipboard().Port();

    void ExpectSelection(std::size_t start, std::size_t length) {
        EXPECT_EQ(view.SelStart(), start);
        EXPECT_EQ(view.SelLength(), length);
    }
};

TEST_F(EditViewContract, SetTextKeepsLineBreaksClearsUndoAndNotifiesOnce) {
    view.SetSel(0, 0);
    view.ReplaceSel(u"x");
    const int before = rig->Changes();
    EXPECT_EQ(view.SetText(u"一行目\r\n二行目\r\n"), SetTextResult::Ok);
    EXPECT_EQ(rig->Changes() - before, 1);
    EXPECT_EQ(view.Text(), u"一行目\r\n二行目\r\n");
    EXPECT_EQ(view.TextLength(), 10u);
    EXPECT_FALSE(view.CanUndo());
    ExpectSelection(0, 0);
}

TEST_F(EditViewContract, SelectionIsClampedToTheTextInUtf16Units) {
    view.SetText(u"ab\r\n日本\U0001F600");
    const struct {
        std::size_t start, length, wantStart, wantLength;
    } cases[] = {{0, 2, 0, 2}, {2, 2, 2, 2}, {4, 100, 4, 4}, {100, 5, 8, 0}, {8, 0, 8, 0}};
    for (const auto& c : cases) {
        view.SetSel(c.start, c.length);
        ExpectSelection(c.wantStart, c.wantLength);
    }
    view.SetSel(2, 4);
    EXPECT_EQ(view.SelText(), u"\r\n日本");
}

TEST_F(EditViewContract, OneUndoStepAndTheNextUndoIsTheRedo) {
    view.SetText(u"hello world");
    view.SetSel(6, 5);
    EXPECT_TRUE(view.ReplaceSel(u"世界"));
    view.SetSel(0, 0);
    EXPECT_TRUE(view.ReplaceSel(u">> "));
    EXPECT_EQ(view.Text(), u">> hello 世界");
    ExpectSelection(3, 0);
    view.Undo();
    EXPECT_EQ(view.Text(), u"hello 世界");
    view.Undo();
    EXPECT_EQ(view.Text(), u">> hello 世界");
    EXPECT_EQ(view.SelText(), u">> ");
    EXPECT_TRUE(view.CanUndo());
    const int before = rig->Changes();
    view.SetSel(1, 0);
    EXPECT_TRUE(view.ReplaceSel(u""));
    EXPECT_EQ(rig->Changes(), before);
}

TEST_F(EditViewContract, ClipboardCommandsWorkOnTheSelection) {
    view.SetText(u"one two");
    view.SetSel(0, 4);
    view.Copy();
    EXPECT_EQ(clipboard.GetText(), u"one ");
    view.SetSel(4, 3);
    view.Cut();
    EXPECT_EQ(clipboard.GetText(), u"two");
    EXPECT_EQ(view.Text(), u"one ");
    view.SetSel(0, 3);
    view.Paste();
    EXPECT_EQ(view.Text(), u"two ");
    view.Undo();
    EXPECT_EQ(view.Text(), u"one ");
    view.SetSel(0, 1);
    view.Clear();
    EXPECT_EQ(view.Text(), u"ne ");
    EXPECT_EQ(clipboard.GetText(), u"two");

    // Nothing selected, or nothing on the clipboard: nothing changes.
    const int before = rig->Changes();
    view.SetSel(1, 0);
    view.Cut();
    view.Clear();
    rig->Clipboard().Empty();
    view.Paste();
    EXPECT_EQ(view.Text(), u"ne ");
    EXPECT_EQ(rig->Changes(), before);
}

TEST_F(EditViewContract, AHeldClipboardStopsPasteButNotTheClearingOfACut) {
    view.SetText(u"abc");
    clipboard.SetText(u"clip");
    rig->Clipboard().Hold(true);
    view.SetSel(0, 3);
    view.Paste();
    EXPECT_EQ(view.Text(), u"abc");
    view.Cut();
    EXPECT_EQ(view.Text(), u"");
}

TEST_F(EditViewContract, ALockedViewRefusesTheUserButNotTheProgram) {
    view.SetText(u"abc");
    view.SetLocked(true);
    EXPECT_TRUE(view.IsLocked());
    clipboard.SetText(u"X");
    view.SetSel(0, 1);
    const int before = rig->Changes();
    view.Paste();
    view.Clear();
    rig->Type(u'Y');
    view.Cut();  // copies, but does not delete
    EXPECT_EQ(clipboard.GetText(), u"a");
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(rig->Changes(), before);

    EXPECT_TRUE(view.ReplaceSel(u"Z"));
    EXPECT_EQ(view.Text(), u"Zbc");
    view.Undo();  // refused while read-only
    EXPECT_EQ(view.Text(), u"Zbc");
    EXPECT_EQ(view.SetText(u"new"), SetTextResult::Ok);
    view.SetLocked(false);
    EXPECT_FALSE(view.IsLocked());
    view.SetSel(3, 0);
    rig->Type(u'!');
    EXPECT_EQ(view.Text(), u"new!");
}

TEST_F(EditViewContract, AFullControlRefusesTextWholeAndPastesWhatFits) {
    // The capacity binds the user and the insertions, as the control's
    // limit does; only a NUL keeps SetText from holding a text whole.
    rig->SetCapacity(5);
    view.SetText(u"abc");
    const int before = rig->Changes();
    // A NUL would cut the text short: it cannot be held whole either.
    EXPECT_EQ(view.SetText(std::u16string(u"a\0b", 3)), SetTextResult::TooLarge);
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_EQ(rig->Changes(), before);
    view.SetSel(3, 0);
    EXPECT_FALSE(view.ReplaceSel(u"xyz"));
    EXPECT_FALSE(view.ReplaceSel(std::u16string(u"x\0", 2)));
    EXPECT_EQ(view.Text(), u"abc");
    EXPECT_TRUE(view.ReplaceSel(u"xy"));
    EXPECT_EQ(view.Text(), u"abcxy");
    view.SetSel(0, 1);
    clipboard.SetText(u"123");
    view.Paste();
    EXPECT_EQ(view.Text(), u"1bcxy");
}

}  // namespace
}  // namespace scribbit::contract
