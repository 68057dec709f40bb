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

HWND OtherEditor(const App& app) {
    const auto editors = Editors(app.Main());
    return editors.size() == 2 ? editors[editors[0] == app.Editor() ? 1 : 0] : nullptr;
}

// The time and date as the program writes them, for some second from
// `from` to a minute later.
bool IsTimeAndDate(const std::string& text, const SYSTEMTIME& from) {
    FILETIME file{};
    SystemTimeToFileTime(&from, &file);
    ULARGE_INTEGER moment{{file.dwLowDateTime, file.dwHighDateTime}};
    for (int second = 0; second <= 60; ++second, moment.QuadPart += 10000000) {
        file = {moment.LowPart, moment.HighPart};
        SYSTEMTIME time{};
        FileTimeToSystemTime(&file, &time);
        wchar_t clock[64] = {};
        wchar_t date[64] = {};
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 64);
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 64);
        if (text == Utf8(clock) + " " + Utf8(date)) return true;
    }
    return false;
}

TEST(Session, KeysAndTheClipboard) {
    App app(FreshFolder());
    ASSERT_TRUE(app.Start());
    const HWND editor = app.Editor();
    // Japanese as typed; Enter makes CR LF.
    const std::string typed = "一行目 abc\r\n二行目";
    const long long length = Units(typed);
    EXPECT_AFTER(app.Type(typed), app.Text(), typed);
    EXPECT_EQ(app.Panel(1), "(変更)");
    ASSERT_TRUE(SetSelection(editor, 2, 2));
    EXPECT_AFTER(app.Key('A', Ctrl), SelectionOf(editor), Selection(0, length));

    // Each shortcut on the selection set first: the text and clipboard after.
    struct Step {
        Selection selection;
        WORD key;
        Modifiers modifiers;
        std::string text;
        std::string clipboard;
    };
    const Step steps[] = {
        {{4, 7}, 'X', Ctrl, "一行目 \r\n二行目", "abc"},
        {{4, 4}, 'Z', Ctrl, typed, "abc"},
        {{0, 3}, 'C', Ctrl, typed, "一行目"},
        {{length, length}, 'V', Ctrl, typed + "一行目", "一行目"},
        {{0, 0}, 'Z', Ctrl, typed, "一行目"},
    };
    ASSERT_TRUE(SetClipboardText("前から"));
    for (const Step& step : steps) {
        ASSERT_TRUE(SetSelection(editor, step.selection.first, step.selection.second));
        EXPECT_AFTER(app.Key(step.key, step.modifiers), app.Text() + "|" + Clip(), step.text + "|" + step.clipboard);
    }

    // F5 puts the time and date in place of the selection; the user's
    // clipboard text is still there, exactly, and Undo takes it back.
    const std::string kept = "ユーザーの文字列 ①\r\n二行目\t";
    ASSERT_TRUE(SetClipboardText(kept) && SetSelection(editor, 0, 3));
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const std::string tail = " abc\r\n二行目";
    const auto stamped = [&] {
        const std::string text = app.Text();
        return text.ends_with(tail) && IsTimeAndDate(text.substr(0, text.size() - tail.size()), before);
    };
    EXPECT_AFTER(app.Key(VK_F5), stamped(), true);
    const long long caret = Units(app.Text()) - Units(tail);
    EXPECT_EQ(SelectionOf(editor), Selection(caret, caret));
    EXPECT_EQ(Clip(), kept);
    EXPECT_AFTER(app.Key('Z', Ctrl), app.Text(), typed);

    // With word wrap on, what is typed after a conversion lands in the shown
    // view, and stays there after word wrap is off again.
    const HWND wrapping = OtherEditor(app);
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    ASSERT_TRUE(app.Key('A', Ctrl));
    EXPECT_AFTER(app.Type("abc"), app.Text(), "abc");
    EXPECT_AFTER(app.Command(ToUpperCase), app.Text(), "ABC");
    EXPECT_AFTER(EXPECT_TRUE(TypeText("xyz")), app.Text(), "ABCxyz");
    EXPECT_EQ(TextOf(editor), "");
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), editor);
    EXPECT_EQ(app.Text(), "ABCxyz");
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

    // F3 before any search opens Find: ownerless, empty, searching downwards.
    HWND find = app.Opens([&] { app.Key(VK_F3); }, Dialog(app, "検索"));
    ASSERT_TRUE(find);
    const HWND findText = GetDlgItem(find, IDC_FIND_TEXT);
    EXPECT_EQ(GetWindow(find, GW_OWNER), nullptr);
    EXPECT_EQ(TextOf(findText), "");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(find, IDOK)));
    EXPECT_TRUE(IsChecked(find, IDC_DOWN));
    // Typing enables the search; Enter searches from the caret and leaves
    // the focus in the field; Esc closes the dialog.
    ASSERT_TRUE(FocusOn(findText));
    EXPECT_AFTER(TypeText("bc"), IsWindowEnabled(GetDlgItem(find, IDOK)) != FALSE, true);
    Screenshot("find-dialog");
    EXPECT_AFTER(PressKey(VK_RETURN), SelectionOf(editor), Selection(1, 3));
    EXPECT_EQ(FocusOf(find), findText);
    EXPECT_AFTER(PressKey(VK_ESCAPE), IsWindow(find) != FALSE, false);
    // F3 goes on, and at the last one stops without wrapping round.
    EXPECT_AFTER(app.Key(VK_F3), SelectionOf(editor), Selection(4, 6));
    EXPECT_EQ(app.Answer([&] { app.Key(VK_F3); }), "検索が終わりました。");
    EXPECT_EQ(SelectionOf(editor), Selection(4, 6));

    // Ctrl+F takes the selection as the text.
    ASSERT_TRUE(SetSelection(editor, 3, 6));
    find = app.Opens([&] { app.Key('F', Ctrl); }, Dialog(app, "検索"));
    ASSERT_TRUE(find);
    EXPECT_EQ(TextOf(GetDlgItem(find, IDC_FIND_TEXT)), "abc");
    // Chosen again while open, it only comes forward as it stands.
    ASSERT_TRUE(SetText(GetDlgItem(find, IDC_FIND_TEXT), "林檎") && BringToForeground(app.Main()));
    EXPECT_AFTER(app.Command(menu::EditFind), GetForegroundWindow(), find);
    EXPECT_EQ(TextOf(GetDlgItem(find, IDC_FIND_TEXT)), "林檎");

    // Replace beside the open Find and Go-to-line dialogs; its buttons
    // follow its search text.
    const HWND go = app.Opens([&] { app.Command(menu::EditGoToLine); }, Dialog(app, "行へ移動"));
    const HWND replace = app.Opens([&] { app.Key('R', Ctrl); }, Dialog(app, "置換"));
    ASSERT_TRUE(go && replace);
    EXPECT_EQ(GetWindow(replace, GW_OWNER), nullptr);
    ASSERT_TRUE(SetText(GetDlgItem(replace, IDC_FIND_TEXT), ""));
    for (int id : {IDOK, IDC_SUBST_NEXT, IDC_ALL_SUBST}) EXPECT_FALSE(IsWindowEnabled(GetDlgItem(replace, id)));
    EXPECT_AFTER(SetText(GetDlgItem(replace, IDC_FIND_TEXT), "りんご"),
                 IsWindowEnabled(GetDlgItem(replace, IDC_ALL_SUBST)) != FALSE, true);
    ASSERT_TRUE(SetText(GetDlgItem(replace, IDC_SUBST_TEXT), "林檎"));
    Screenshot("replace-dialog");
    // Replace-and-next finds first, then replaces and selects the next one,
    // leaving the user's clipboard alone.
    const std::string kept = "クリップボードの文字列";
    ASSERT_TRUE(SetClipboardText(kept) && SetSelection(editor, 0, 0));
    EXPECT_AFTER(Click(replace, IDC_SUBST_NEXT), SelectionOf(editor), Selection(7, 10));
    const std::string once = "abcabc 林檎\r\nりんご りんご りんご\r\n";
    EXPECT_AFTER(Click(replace, IDC_SUBST_NEXT), app.Text(), once);
    EXPECT_EQ(WaitFor([&] { return SelectionOf(editor); }, Selection(11, 14)), Selection(11, 14));
    EXPECT_EQ(app.Panel(1), path + "(変更)");

    // While Replace all shows its count, no dialog takes input: a click on
    // Replace all does nothing. Answered, they work again.
    const HWND box = app.Opens([&] { Click(replace, IDC_ALL_SUBST); }, [&] { return MessageBoxOf(app.Pid()); });
    ASSERT_TRUE(box);
    EXPECT_EQ(WaitFor([&] { return TextOf(GetDlgItem(box, MessageBoxText)); }, "全部で3個、置換しました。"),
              "全部で3個、置換しました。");
    Screenshot("replaced-count");
    for (HWND dialog : {find, go, replace}) EXPECT_FALSE(IsWindowEnabled(dialog));
    // Real input is handled in turn: once Enter, pressed next, has closed
    // the box, the click on Replace all has been refused, or shows a box.
    ASSERT_TRUE(ClickAt(GetDlgItem(replace, IDC_ALL_SUBST)) && BringToForeground(box));
    EXPECT_AFTER(PressKey(VK_RETURN), IsWindow(replace) != FALSE, false);
    EXPECT_EQ(MessageBoxOf(app.Pid()), nullptr);
    EXPECT_EQ(app.Text(), "abcabc 林檎\r\n林檎 林檎 林檎\r\n");
    EXPECT_EQ(Clip(), kept);
    EXPECT_EQ(WaitFor([&] { return IsWindowEnabled(find) && IsWindowEnabled(go); }, true), true);
    ASSERT_TRUE(SetSelection(editor, 0, 0));
    EXPECT_AFTER(Click(find, IDOK), SelectionOf(editor), Selection(7, 9));
    ASSERT_TRUE(SetText(GetDlgItem(go, IDC_LINE), "2"));
    EXPECT_AFTER(Click(go, IDOK), SelectionOf(editor), Selection(11, 11));
    // One Undo takes the whole Replace all back.
    EXPECT_AFTER(app.Command(menu::EditUndo), app.Text(), once);
    EXPECT_TRUE(app.Exit(IDNO));
}

TEST(Session, Dialogs) {
    std::string first = "一行目";
    for (int i = 0; i < 30; ++i) first += " 長い行";  // wraps in the window
    const std::string sample = first + "\r\na\tb\r\n\tc";
    const long long second = Units(first) + 2;
    const long long third = second + 5;
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\dialogs.txt";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(sample)));
    App app(folder);
    ASSERT_TRUE(app.Start(path));
    const HWND editor = app.Editor();

    // The tab width: modal over the main window; a first run offers 8.
    const HWND tab = app.Opens([&] { app.Command(TabsToSpaces); }, Dialog(app, "タブスペースの設定"));
    ASSERT_TRUE(tab);
    EXPECT_EQ(GetWindow(tab, GW_OWNER), app.Main());
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(TextOf(GetDlgItem(tab, IDC_TAB_SPACE)), "8");
    Screenshot("tab-dialog");
    ASSERT_TRUE(SetText(GetDlgItem(tab, IDC_TAB_SPACE), "2"));
    const std::string converted = first + "\r\na  b\r\n  c";
    EXPECT_AFTER(Click(tab, IDOK), app.Text(), converted);
    EXPECT_EQ(WaitFor([&] { return IsWindowEnabled(app.Main()) != FALSE; }, true), true);
    EXPECT_AFTER(app.Command(menu::EditUndo), app.Text(), sample);

    // Go to line, ownerless. Out of range: the message, then the dialog
    // again with the entry selected for retyping, the caret where it was.
    ASSERT_TRUE(SetSelection(editor, 1, 2));
    HWND go = app.Opens([&] { app.Key('G', Ctrl); }, Dialog(app, "行へ移動"));
    ASSERT_TRUE(go);
    const HWND line = GetDlgItem(go, IDC_LINE);
    EXPECT_EQ(GetWindow(go, GW_OWNER), nullptr);
    Screenshot("go-to-line");
    ASSERT_TRUE(SetText(line, "4"));
    EXPECT_EQ(app.Answer([&] { Click(go, IDOK); }), "行番号は 1 から 3 までの数字で入力してください。");
    EXPECT_EQ(WaitFor([&] { return SelectionOf(line); }, Selection(0, 1)), Selection(0, 1));
    EXPECT_TRUE(IsWindowVisible(go));
    EXPECT_EQ(SelectionOf(editor), Selection(1, 2));
    // Typed and Enter: the caret at the start of the line, the dialog gone.
    ASSERT_TRUE(FocusOn(line));
    EXPECT_AFTER(TypeText("3\n"), SelectionOf(editor), Selection(third, third));
    EXPECT_EQ(WaitFor([&] { return IsWindow(go) != FALSE; }, false), false);
    // With word wrap, lines are counted by their breaks, not on the screen.
    const HWND wrapping = OtherEditor(app);
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    go = app.Opens([&] { app.Command(menu::EditGoToLine); }, Dialog(app, "行へ移動"));
    ASSERT_TRUE(go && SetText(GetDlgItem(go, IDC_LINE), "2"));
    EXPECT_AFTER(Click(go, IDOK), SelectionOf(wrapping), Selection(second, second));
    // The width set is stored at exit.
    EXPECT_TRUE(app.Exit(IDNO));
    EXPECT_NE(app.Settings().value_or("").find("\r\nTabSpace=2\r\n"), std::string::npos);
}

}  // namespace
}  // namespace e2e
