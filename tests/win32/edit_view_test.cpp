#include "win32/adapter_test.h"
#include "win32/edit_view_win32.h"
#include "win32/test_window.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

struct Fixture {
    Fixture() {
        EditViewEvents events;
        events.changed = [this] { ++changes; };
        ok = view.Create(window.Handle(), 11, false, events);
        window.Forward(view);
    }
    TestWindow window;
    EditViewWin32 view;
    int changes = 0;
    bool ok = false;
};

ADAPTER_TEST(SetTextReplacesTheTextAndRaisesOneChange) {
    Fixture f;
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.view.SetText(u"一行目\r\n二行目"), SetTextResult::Ok);
    EXPECT_EQ(f.changes, 1);
    EXPECT_EQ(f.view.Text(), std::u16string(u"一行目\r\n二行目"));
    EXPECT_EQ(f.view.TextLength(), std::size_t{8});
    EXPECT_TRUE(!f.view.CanUndo());
}

ADAPTER_TEST(SetTextTakesMultiMegabyteDocuments) {
    Fixture f;
    std::u16string big;
    while (big.size() < 3'000'000) big += u"0123456789あいうえお\r\n";
    EXPECT_EQ(f.view.SetText(big), SetTextResult::Ok);
    EXPECT_EQ(f.view.TextLength(), big.size());
}

ADAPTER_TEST(SetTextRefusesATextItCannotHoldWholeAndKeepsTheOldOne) {
    Fixture f;
    f.view.SetText(u"keep");
    f.changes = 0;
    // An embedded NUL would silently cut the document short.
    EXPECT_EQ(f.view.SetText(std::u16string(u"cut\0here", 8)), SetTextResult::TooLarge);
    EXPECT_EQ(f.view.Text(), std::u16string(u"keep"));
    EXPECT_EQ(f.changes, 0);
}

ADAPTER_TEST(SelectionIsClampedAndReadInUtf16Units) {
    Fixture f;
    f.view.SetText(u"ab\r\n日本\U0001F600");
    struct Case {
        std::size_t start, length, wantStart, wantLength;
    };
    const Case cases[] = {{0, 2, 0, 2}, {2, 2, 2, 2}, {4, 100, 4, 4}, {100, 5, 8, 0}, {3, 0, 3, 0}};
    for (const Case& c : cases) {
        f.view.SetSel(c.start, c.length);
        EXPECT_EQ(f.view.SelStart(), c.wantStart);
        EXPECT_EQ(f.view.SelLength(), c.wantLength);
    }
    f.view.SetSel(4, 2);
    EXPECT_EQ(f.view.SelText(), std::u16string(u"日本"));
}

ADAPTER_TEST(ReplaceSelIsOneUndoStep) {
    Fixture f;
    f.view.SetText(u"hello world");
    f.changes = 0;
    f.view.SetSel(6, 5);
    EXPECT_TRUE(f.view.ReplaceSel(u"世界"));
    EXPECT_EQ(f.view.Text(), std::u16string(u"hello 世界"));
    EXPECT_TRUE(f.changes >= 1);
    EXPECT_TRUE(f.view.CanUndo());
    f.view.Undo();
    EXPECT_EQ(f.view.Text(), std::u16string(u"hello world"));
}

ADAPTER_TEST(ReplaceSelRefusesACutShortInsertionAndKeepsTheUndoStep) {
    Fixture f;
    f.view.SetText(u"abc");
    f.view.SetSel(3, 0);
    EXPECT_TRUE(f.view.ReplaceSel(u"d"));
    f.view.SetSel(1, 1);
    EXPECT_TRUE(!f.view.ReplaceSel(std::u16string(u"x\0y", 3)));
    EXPECT_EQ(f.view.Text(), std::u16string(u"abcd"));
    // The refused step did not take the earlier one's place.
    EXPECT_TRUE(f.view.CanUndo());
    f.view.Undo();
    EXPECT_EQ(f.view.Text(), std::u16string(u"abc"));
}

ADAPTER_TEST(LockingRefusesTypingButNotTheProgram) {
    Fixture f;
    f.view.SetText(u"text");
    f.view.SetLocked(true);
    EXPECT_TRUE(f.view.IsLocked());
    SendMessageW(f.view.Handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(f.view.Text(), std::u16string(u"text"));
    f.view.SetLocked(false);
    EXPECT_TRUE(!f.view.IsLocked());
}

ADAPTER_TEST(FontReadsBackAsSetEvenWhenTheScreenRoundsIt) {
    Fixture f;
    const FontSpec fonts[] = {{u"FixedSys", 13.5, false, false, false, false},
                              {u"MS Gothic", 10.5, true, true, true, true},
                              {u"No Such Face", 9, false, false, false, false}};
    for (const FontSpec& font : fonts) {
        f.view.SetFont(font);
        EXPECT_TRUE(f.view.Font() == font);
        EXPECT_TRUE(SendMessageW(f.view.Handle(), WM_GETFONT, 0, 0) != 0);
    }
}

ADAPTER_TEST(ColourResolvesSystemColours) {
    EXPECT_EQ(ResolveColor(WindowTextColor), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(ResolveColor(0x000000FFu), COLORREF{0x0000FF});
    EXPECT_EQ(ResolveColor(0x80000005u), GetSysColor(COLOR_WINDOW));
    Fixture f;
    f.view.SetTextColor(0xFFu);
    EXPECT_EQ(f.view.TextColor(), Color{0xFFu});
}

ADAPTER_TEST(PlacementReadsBackInTwips) {
    Fixture f;
    const Bounds bounds{0, 375, 5080, 3000};
    f.view.Move(bounds);
    EXPECT_TRUE(f.view.Placement() == bounds);
    // Moved behind the adapter's back: the real place, converted.
    MoveWindow(f.view.Handle(), 10, 20, 30, 40, FALSE);
    const ScreenDpi dpi = CurrentScreenDpi();
    const Bounds moved = f.view.Placement();
    EXPECT_EQ(moved.left, PixelsToTwips(10, dpi.x));
    EXPECT_EQ(moved.height, PixelsToTwips(40, dpi.y));
    f.view.SetVisible(true);
    EXPECT_TRUE(f.view.IsVisible());
    f.view.SetVisible(false);
    EXPECT_TRUE(!f.view.IsVisible());
}

}  // namespace
}  // namespace scribbit
