// Editing as a user does it: real keys through the shortcuts, the
// clipboard, and the find, replace, go-to-line and tab-width dialogs.
#include "e2e/session.h"
#include "editing_dialog_ids.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;
constexpr scribbit::MenuItem ToUpperCase{scribbit::Menu::Change, 2};
constexpr scribbit::MenuItem TabsToSpaces{scribbit::Menu::Change, 11};

std::function<HWND()> Dialog(const App& app, const char* caption) {
    return [&app, caption] { return DialogTitled(app.Pid(), caption); };
}

// Another dialog's control comes forward with the focus, for real keys.
bool FocusOn(HWND control) {
    return BringToForeground(control) && PollUntil([&] { return FocusOf(control) == control; });
}

TEST(Session, KeysAndTheClipboard) {
    App app(FreshFolder());
    ASSERT_TRUE(app.Start());
    const HWND editor = app.Editor();
    // Japanese as typed; Enter makes CR LF.
    const std::string typed = "一行目 abc\r\n二行目";
    const long long length = Units(typed);
    EXPECT_AFTER(app.Type(typed), app.Text(), typed);
    ASSERT_TRUE(SetSelection(editor, 2, 2));
    EXPECT_AFTER(app.Key('A', Ctrl), SelectionOf(editor), Selection(0, length));

    // Each shortcut on the selection set first: the text and clipboard after.
    const struct {
        Selection selection;
        WORD key;
        Modifiers modifiers;
        std::string text, clipboard;
    } steps[] = {
        {{4, 7}, 'X', Ctrl, "一行目 \r\n二行目", "abc"},
        {{4, 4}, 'Z', Ctrl, typed, "abc"},
        {{0, 3}, 'C', Ctrl, typed, "一行目"},
        {{length, length}, 'V', Ctrl, typed + "一行目", "一行目"},
        {{0, 0}, 'Z', Ctrl, typed, "一行目"},
    };
    ASSERT_TRUE(SetClipboardText("前から"));
    for (const auto& step : steps) {
        ASSERT_TRUE(SetSelection(editor, step.selection.first, step.selection.second));
        EXPECT_AFTER(app.Key(step.key, step.modifiers), app.Text() + "|" + ClipboardText(),
                     step.text + "|" + step.clipboard);
    }

    // F5 puts the time and the date (the day's, had it turned meanwhile) in
    // place of the selection; the user's clipboard text is still there.
    const std::string kept = "ユーザーの文字列 ①\r\n二行目\t";
    ASSERT_TRUE(SetClipboardText(kept) && SetSelection(editor, 0, 3));
    const auto stamped = [&](const SYSTEMTIME* day) {  // null: today
        wchar_t date[64] = {};
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, day, nullptr, date, 64);
        const std::string text = app.Text(), end = " " + Utf8(date) + " abc\r\n二行目";
        return text.size() > end.size() && text.ends_with(end);
    };
    SYSTEMTIME before{};
    GetLocalTime(&before);
    EXPECT_AFTER(app.Key(VK_F5), stamped(&before) || stamped(nullptr), true);
    EXPECT_EQ(ClipboardText(), kept);

    // With word wrap on, what is typed after a conversion lands in the shown
    // view, and stays there after word wrap is off again.
    const HWND wrapping = OtherEditor(app.Main());
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    ASSERT_TRUE(app.Key('A', Ctrl));
    EXPECT_AFTER(app.Type("abc"), app.Text(), "abc");
    EXPECT_AFTER(app.Command(ToUpperCase), app.Text(), "ABC");
    EXPECT_AFTER(EXPECT_TRUE(TypeText("xyz")), app.Text(), "ABCxyz");
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), editor);
    EXPECT_EQ(app.Text(), "ABCxyz");

    // A long document: the pointer left over the status bar (where the view
    // going and coming back changes nothing) is busy while a conversion
    // runs, and the normal one again once the text is in.
    std::string lower, upper;
    for (int i = 0; i < 25000; ++i) lower += "abc def ghi\r\n", upper += "ABC DEF GHI\r\n";
    const long long end = Units(lower);
    RECT bar{};
    ASSERT_TRUE(SetText(editor, lower) && GetWindowRect(StatusBarOf(app.Main()), &bar));
    ASSERT_TRUE(ClickAt({(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2}));
    EXPECT_AFTER(app.Key(VK_END, Ctrl), SelectionOf(editor), Selection(end, end));  // the click was handled
    const auto pointer = [] {
        CURSORINFO info{};
        info.cbSize = sizeof info;
        return GetCursorInfo(&info) ? info.hCursor : nullptr;
    };
    const HCURSOR normal = pointer();
    ASSERT_TRUE(app.Command(ToUpperCase));
    EXPECT_TRUE(PollUntil([&] { return pointer() != normal; }, WaitMs, 5));
    EXPECT_EQ(WaitFor([&] { return app.Text() == upper; }, true), true);
    EXPECT_EQ(WaitFor(pointer, normal), normal);
    // Its end alone changed: the whole reads converted, the caret stays, one
    // Undo brings the typed text back, the clipboard is the user's.
    ASSERT_TRUE(SetClipboardText(kept));
    EXPECT_AFTER(app.Type("xyz"), app.Text(), upper + "xyz");
    EXPECT_AFTER(app.Command(ToUpperCase), app.Text(), upper + "XYZ");
    EXPECT_EQ(SelectionOf(editor), Selection(end + 3, end + 3));
    EXPECT_AFTER(app.Key('Z', Ctrl), app.Text(), upper + "xyz");
    EXPECT_EQ(ClipboardText(), kept);
    EXPECT_TRUE(app.Exit(IDNO));
}

TEST(Session, FindAndReplace) {
    // a0 b1 c2 a3 b4 c5 _6 り7 ん8 ご9 CR10 LF11 り12 ん13 ご14 _15 り16 ...
    const std::string sample = "abcabc りんご\r\nりんご りんご りんご\r\n";
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\find.txt";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(sample)));
    App app(folder);
    ASSERT_TRUE(app.Start(path));
    const HWND editor = app.Editor();

    // F3 before any search opens Find, ownerless. Typing enables the search;
    // Enter searches from the caret and leaves the focus in the field; Esc
    // closes the dialog.
    HWND find = app.Opens([&] { app.Key(VK_F3); }, Dialog(app, "検索"));
    ASSERT_TRUE(find);
    const HWND findText = GetDlgItem(find, IDC_FIND_TEXT);
    EXPECT_EQ(GetWindow(find, GW_OWNER), nullptr);
    ASSERT_TRUE(FocusOn(findText));
    EXPECT_AFTER(TypeText("bc"), IsWindowEnabled(GetDlgItem(find, IDOK)) != FALSE, true);
    Screenshot("find-dialog");
    EXPECT_AFTER(PressKey(VK_RETURN), SelectionOf(editor), Selection(1, 3));
    EXPECT_EQ(FocusOf(find), findText);
    EXPECT_AFTER(PressKey(VK_ESCAPE), IsWindow(find) != FALSE, false);
    // F3 goes on, and after the last one says so.
    EXPECT_AFTER(app.Key(VK_F3), SelectionOf(editor), Selection(4, 6));
    EXPECT_TRUE(app.Answer([&] { app.Key(VK_F3); }));

    // Ctrl+F takes the selection as the text; chosen again while open, the
    // dialog only comes forward.
    ASSERT_TRUE(SetSelection(editor, 3, 6));
    find = app.Opens([&] { app.Key('F', Ctrl); }, Dialog(app, "検索"));
    ASSERT_TRUE(find && BringToForeground(app.Main()));
    EXPECT_EQ(TextOf(GetDlgItem(find, IDC_FIND_TEXT)), "abc");
    EXPECT_AFTER(app.Command(menu::EditFind), GetForegroundWindow(), find);

    // Replace beside the open Find and Go-to-line dialogs; its buttons
    // follow its search text.
    const HWND go = app.Opens([&] { app.Command(menu::EditGoToLine); }, Dialog(app, "行へ移動"));
    const HWND replace = app.Opens([&] { app.Key('R', Ctrl); }, Dialog(app, "置換"));
    ASSERT_TRUE(go && replace && SetText(GetDlgItem(replace, IDC_FIND_TEXT), ""));
    EXPECT_AFTER(SetText(GetDlgItem(replace, IDC_FIND_TEXT), "りんご"),
                 IsWindowEnabled(GetDlgItem(replace, IDC_ALL_SUBST)) != FALSE, true);
    ASSERT_TRUE(SetText(GetDlgItem(replace, IDC_SUBST_TEXT), "林檎"));
    Screenshot("replace-dialog");
    // Replace-and-next finds first, then replaces, leaving the user's
    // clipboard alone.
    const std::string kept = "クリップボードの文字列";
    ASSERT_TRUE(SetClipboardText(kept) && SetSelection(editor, 0, 0));
    EXPECT_AFTER(Click(replace, IDC_SUBST_NEXT), SelectionOf(editor), Selection(7, 10));
    EXPECT_AFTER(Click(replace, IDC_SUBST_NEXT), app.Text(), "abcabc 林檎\r\nりんご りんご りんご\r\n");

    // While Replace all shows its count, no dialog takes input. Real input is
    // handled in turn: once Enter, pressed next, has closed the box, a click
    // on Replace all has been refused, or has shown another box.
    const HWND box = app.Opens([&] { Click(replace, IDC_ALL_SUBST); }, [&] { return MessageBoxOf(app.Pid()); });
    ASSERT_TRUE(box);
    PollUntil([&] { return !TextOf(GetDlgItem(box, MessageBoxText)).empty(); });  // for the picture
    Screenshot("replaced-count");
    for (HWND dialog : {find, go, replace}) EXPECT_FALSE(IsWindowEnabled(dialog));
    RECT all{};
    ASSERT_TRUE(GetWindowRect(GetDlgItem(replace, IDC_ALL_SUBST), &all));
    ASSERT_TRUE(ClickAt({(all.left + all.right) / 2, (all.top + all.bottom) / 2}) && BringToForeground(box));
    EXPECT_AFTER(PressKey(VK_RETURN), IsWindow(replace) != FALSE, false);
    EXPECT_EQ(MessageBoxOf(app.Pid()), nullptr);
    EXPECT_EQ(app.Text(), "abcabc 林檎\r\n林檎 林檎 林檎\r\n");
    EXPECT_EQ(ClipboardText(), kept);
    // Answered, the other two take input again.
    EXPECT_EQ(WaitFor([&] { return IsWindowEnabled(find) && IsWindowEnabled(go); }, true), true);
    ASSERT_TRUE(SetSelection(editor, 0, 0));
    EXPECT_AFTER(Click(find, IDOK), SelectionOf(editor), Selection(0, 3));
    EXPECT_TRUE(app.Exit(IDNO));
}

TEST(Session, Dialogs) {
    std::string first = "一行目";
    for (int i = 0; i < 30; ++i) first += " 長い行";  // wraps in the window
    const long long second = Units(first) + 2;
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\dialogs.txt";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(first + "\r\na\tb\r\n\tc")));
    App app(folder);
    ASSERT_TRUE(app.Start(path));
    const HWND editor = app.Editor();

    // The tab width: modal over the main window.
    const HWND tab = app.Opens([&] { app.Command(TabsToSpaces); }, Dialog(app, "タブスペースの設定"));
    ASSERT_TRUE(tab);
    EXPECT_EQ(GetWindow(tab, GW_OWNER), app.Main());
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    Screenshot("tab-dialog");
    ASSERT_TRUE(SetText(GetDlgItem(tab, IDC_TAB_SPACE), "2"));
    EXPECT_AFTER(Click(tab, IDOK), app.Text(), first + "\r\na  b\r\n  c");
    EXPECT_EQ(WaitFor([&] { return IsWindowEnabled(app.Main()) != FALSE; }, true), true);

    // Go to line, ownerless. Out of range: the message, then the dialog
    // again with the entry selected for retyping.
    HWND go = app.Opens([&] { app.Key('G', Ctrl); }, Dialog(app, "行へ移動"));
    ASSERT_TRUE(go);
    const HWND line = GetDlgItem(go, IDC_LINE);
    EXPECT_EQ(GetWindow(go, GW_OWNER), nullptr);
    Screenshot("go-to-line");
    ASSERT_TRUE(SetText(line, "4"));
    EXPECT_TRUE(app.Answer([&] { Click(go, IDOK); }));
    EXPECT_EQ(WaitFor([&] { return SelectionOf(line); }, Selection(0, 1)), Selection(0, 1));
    EXPECT_TRUE(IsWindowVisible(go));
    // Typed and Enter: the caret at the start of the line, the dialog gone.
    ASSERT_TRUE(FocusOn(line));
    const long long third = second + Units("a  b\r\n");
    EXPECT_AFTER(TypeText("3\n"), SelectionOf(editor), Selection(third, third));
    EXPECT_EQ(WaitFor([&] { return IsWindow(go) != FALSE; }, false), false);
    // With word wrap, lines are counted by their breaks, not on the screen.
    const HWND wrapping = OtherEditor(app.Main());
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    go = app.Opens([&] { app.Command(menu::EditGoToLine); }, Dialog(app, "行へ移動"));
    ASSERT_TRUE(go && SetText(GetDlgItem(go, IDC_LINE), "2"));
    EXPECT_AFTER(Click(go, IDOK), SelectionOf(wrapping), Selection(second, second));
    EXPECT_TRUE(app.Exit(IDNO));
}

}  // namespace
}  // namespace e2e
