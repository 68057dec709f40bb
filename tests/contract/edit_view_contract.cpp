// The edit view as the logic relies on it: CR LF kept, selections clamped,
// one undo step, a full control refusing text whole, a locked view refusing
// the user but not the program; and the clipboard's plain text, which a
// program holding the clipboard keeps from everyone else.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"

namespace scribbit::contract {
namespace {

class EditViewContract : public ::testing::Test {
protected:
    Rig rig;
    EditView& view = rig.view;

    // The text with the selected text in brackets.
    std::u16string Shown() {
        const std::u16string text = view.Text();
        return text.substr(0, view.SelStart()) + u"[" + view.SelText() + u"]" +
               text.substr(std::min(text.size(), view.SelStart() + view.SelLength()));
    }
};

TEST_F(EditViewContract, SetTextKeepsLineBreaksClearsUndoAndNotifiesOnce) {
    view.ReplaceSel(u"x");
    const int before = rig.Changes();
    EXPECT_EQ(view.SetText(u"一行目\r\n二行目\r\n"), SetTextResult::Ok);
    EXPECT_EQ(std::tuple(rig.Changes() - before, Shown(), view.TextLength(), view.CanUndo()),
              std::tuple(1, u"[]一行目\r\n二行目\r\n", 10u, false));
    view.SetText(u"ab\r\n日本\U0001F600");
    view.SetSel(4, 100);
    EXPECT_EQ(Shown(), u"ab\r\n[日本\U0001F600]");
    view.SetSel(100, 5);
    EXPECT_EQ(Shown(), u"ab\r\n日本\U0001F600[]");
}

TEST_F(EditViewContract, OneUndoStepAndTheNextUndoIsTheRedo) {
    view.SetText(u"hello world");
    view.SetSel(6, 5);
    EXPECT_TRUE(view.ReplaceSel(u"世界"));
    view.SetSel(0, 0);
    EXPECT_TRUE(view.ReplaceSel(u">> "));
    EXPECT_EQ(Shown(), u">> []hello 世界");
    view.Undo();
    EXPECT_EQ(view.Text(), u"hello 世界");
    view.Undo();
    EXPECT_EQ(std::tuple(Shown(), view.CanUndo()), std::tuple(u"[>> ]hello 世界", true));
}

TEST_F(EditViewContract, ALockedViewRefusesTheUserButNotTheProgram) {
    view.SetText(u"abc");
    view.SetLocked(true);
    view.SetSel(0, 1);
    rig.Type(u'Y');
    EXPECT_EQ(std::tuple(view.IsLocked(), view.Text()), std::tuple(true, u"abc"));
    EXPECT_TRUE(view.ReplaceSel(u"Z"));
    EXPECT_EQ(view.Text(), u"Zbc");
    view.SetLocked(false);
    view.SetSel(3, 0);
    rig.Type(u'!');
    EXPECT_EQ(std::tuple(view.IsLocked(), view.Text()), std::tuple(false, u"Zbc!"));
}

// The capacity binds the insertions as the control's limit does, and they
// are refused whole; a NUL, which would cut it short, keeps a text from
// being held whole.
TEST_F(EditViewContract, AFullControlRefusesTextWhole) {
    rig.SetCapacity(5);
    view.SetText(u"abc");
    const int before = rig.Changes();
    EXPECT_EQ(view.SetText(std::u16string(u"a\0b", 3)), SetTextResult::TooLarge);
    EXPECT_EQ(std::tuple(view.Text(), rig.Changes()), std::tuple(u"abc", before));
    view.SetSel(3, 0);
    EXPECT_FALSE(view.ReplaceSel(u"xyz") || view.ReplaceSel(std::u16string(u"x\0", 2)));
    EXPECT_TRUE(view.ReplaceSel(u"xy"));
    EXPECT_EQ(view.Text(), u"abcxy");
}

TEST(ClipboardContract, KeepsTextWholeUntilAnotherProgramHoldsIt) {
    Rig rig;
    Clipboard& clipboard = rig.clipboard;
    for (const std::u16string& text : {std::u16string(), std::u16string(u"日本語\r\n\U0001F600")}) {
        EXPECT_TRUE(clipboard.SetText(text));
        EXPECT_EQ(clipboard.GetText(), text);
    }
    EXPECT_TRUE(clipboard.SetText(u"before"));
    rig.HoldClipboard(true);
    EXPECT_EQ(std::tuple(clipboard.IsAvailable(), clipboard.SetText(u"held"), clipboard.GetText()),
              std::tuple(false, false, std::nullopt));
    rig.HoldClipboard(false);
    EXPECT_EQ(std::tuple(clipboard.IsAvailable(), clipboard.GetText()), std::tuple(true, u"before"));
}

}  // namespace
}  // namespace scribbit::contract
