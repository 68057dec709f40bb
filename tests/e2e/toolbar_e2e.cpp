// The toolbar with the mouse: buttons run their commands, the copy history
// under the paste button, the customisation dialog (kept after a restart),
// the read-me in a second window and the About dialog.
#include "e2e/session.h"
#include "toolbar_help_dialog_ids.h"

namespace e2e {
namespace {

// Default positions (0-based) the scenario uses.
constexpr int CopyButton = 7, PasteButton = 8, Separator = 10, UpperCaseButton = 13, HelpButton = 24,
              AboutButton = 25;

POINT ButtonPoint(const App& app, int index, bool arrow = false) {
    const HWND tools = ToolBarOf(app.Main());
    RemoteBuffer buffer(app.process.Handle(), sizeof(RECT));
    RECT rect{};
    Send(tools, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At()));
    buffer.Read(&rect, sizeof rect);
    MapWindowPoints(tools, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return {arrow ? rect.right - 3 : (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Real clicks of a mouse button (down, up; twice for a double click).
bool MouseAt(POINT point, DWORD down, DWORD up, int times = 1) {
    INPUT inputs[4] = {};
    for (int i = 0; i < 2 * times; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 ? up : down;
    }
    const auto count = static_cast<UINT>(2 * times);
    return SetCursorPos(point.x, point.y) && SendInput(count, inputs, sizeof(INPUT)) == count;
}

// The mouse is first brought over the button, as a user's hand would: a
// click the bar takes before it knows the button under it is lost.
bool ClickButton(const App& app, int index, bool arrow = false) {
    const POINT point = ButtonPoint(app, index, arrow);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    return BringToForeground(app.Main()) && SetCursorPos(point.x, point.y) &&
           SendInput(1, &move, sizeof move) == 1 &&
           PollUntil([&] { return Send(ToolBarOf(app.Main()), TB_GETHOTITEM) == index; }) &&
           MouseAt(point, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

HWND PopupMenu() {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

int ListCount(HWND dialog, int list) {
    return static_cast<int>(Send(GetDlgItem(dialog, list), LVM_GETITEMCOUNT));
}

std::string ListText(const App& app, HWND dialog, int list, int index) {
    RemoteBuffer buffer(app.process.Handle(), sizeof(LVITEMW) + 256 * sizeof(wchar_t));
    LVITEMW item{};
    item.pszText = reinterpret_cast<LPWSTR>(buffer.At(sizeof item));
    item.cchTextMax = 256;
    buffer.Write(&item, sizeof item);
    const auto length = Send(GetDlgItem(dialog, list), LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(buffer.At()));
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    buffer.Read(text.data(), text.size() * sizeof(wchar_t), sizeof item);
    return Utf8(text);
}

void SelectListItem(const App& app, HWND dialog, int list, int index) {
    RemoteBuffer buffer(app.process.Handle(), sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&item, sizeof item);
    Send(GetDlgItem(dialog, list), LVM_SETITEMSTATE, static_cast<WPARAM>(index),
         reinterpret_cast<LPARAM>(buffer.At()));
}

// Another program's window showing the read-me.
HWND ReadmeWindow(const App& app) {
    HWND found = nullptr;
    for (HWND window = GetTopWindow(nullptr); window && !found; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != app.Pid() && IsWindowVisible(window) && TextOf(window).starts_with("Readme.txt"))
            found = window;
    }
    return found;
}

TEST(Session, ToolBarHistoryCustomisationReadmeAndAbout) {
    const std::string folder = FreshFolder();
    ASSERT_TRUE(SetClipboardText("seed"));
    {
        App app(folder);
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.Type("abc"));
        ASSERT_EQ(WaitFor([&] { return app.Text(); }, "abc"), "abc");
        ShowWindow(app.Main(), SW_MAXIMIZE);  // every default button in sight
        ASSERT_TRUE(
            PollUntil([&] { return ButtonPoint(app, AboutButton).x < GetSystemMetrics(SM_CXSCREEN); }));
        ASSERT_TRUE(SetSelection(app.Editor(), 0, 3));
        EXPECT_AFTER(ClickButton(app, UpperCaseButton), app.Text(), "ABC");
        // Two clicks on one button in quick succession are a double click:
        // the later copies are made with the keys, on a selection made with
        // them, which enables the shortcut.
        for (long long i = 0; i < 3; ++i) {
            ASSERT_TRUE(app.Key(VK_HOME));
            for (long long j = 0; j < i; ++j) ASSERT_TRUE(app.Key(VK_RIGHT));
            EXPECT_AFTER(app.Key(VK_RIGHT, Shift), SelectionOf(app.Editor()), Selection(i, i + 1));
            EXPECT_AFTER(i == 0 ? ClickButton(app, CopyButton) : app.Key('C', Ctrl), Clip(),
                         std::string(1, "ABC"[i]));
        }
        ASSERT_TRUE(SetSelection(app.Editor(), 3, 3));
        EXPECT_AFTER(ClickButton(app, PasteButton), app.Text(), "ABCC");

        // A right click offers the dialog; a double click opens it at once.
        const auto customisation = [&] { return DialogTitled(app.Pid(), "ツールバーのカスタマイズ"); };
        const POINT gap = ButtonPoint(app, Separator);
        ASSERT_TRUE(app.Opens([&] { MouseAt(gap, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }, PopupMenu));
        HWND dialog = app.Opens([&] { PressKey(VK_DOWN), PressKey(VK_RETURN); }, customisation);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(Click(dialog, IDCANCEL) && PollUntil([&] { return !customisation(); }));
        dialog = app.Opens([&] { MouseAt(gap, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2); }, customisation);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(ListCount(dialog, IDC_TB_AVAILABLE), 18);
        EXPECT_EQ(ListText(app, dialog, IDC_TB_AVAILABLE, 0), "上書き保存");
        EXPECT_EQ(ListText(app, dialog, IDC_TB_AVAILABLE, 17), "行末に<br>追加");
        EXPECT_EQ(ListCount(dialog, IDC_TB_CHOSEN), 26);
        for (int i = 0; i < 26; ++i) {
            const auto button = ToolbarButton(app.process.Handle(), ToolBarOf(app.Main()), i);
            ASSERT_TRUE(button);
            EXPECT_EQ(ListText(app, dialog, IDC_TB_CHOSEN, i) == "(区切り)",
                      (button->fsStyle & BTNS_SEP) != 0)
                << i;
        }
        EXPECT_EQ(ListText(app, dialog, IDC_TB_CHOSEN, 25), "バージョン情報...");
        Screenshot("customisation");
        SelectListItem(app, dialog, IDC_TB_AVAILABLE, 0);
        EXPECT_AFTER(Click(dialog, IDC_TB_ADD), ListCount(dialog, IDC_TB_CHOSEN), 27);
        EXPECT_EQ(ListText(app, dialog, IDC_TB_CHOSEN, 26), "上書き保存");
        EXPECT_AFTER(Click(dialog, IDOK), Send(ToolBarOf(app.Main()), TB_BUTTONCOUNT), 27);
        EXPECT_FALSE(customisation());

        // Applied, the paste button lists the copies newest first, then the
        // clipboard's text from the start: the third is the oldest copy.
        const HWND editor = app.Editor();
        ASSERT_TRUE(SetSelection(editor, 4, 4));
        ASSERT_TRUE(app.Opens([&] { ClickButton(app, PasteButton, true); }, PopupMenu));
        Screenshot("history");
        EXPECT_AFTER((PressKey(VK_DOWN), PressKey(VK_DOWN), PressKey(VK_DOWN), PressKey(VK_RETURN)),
                     TextOf(editor), "ABCCA");
        EXPECT_EQ(Clip(), "A");

        // The read-me in a window of its own; this one stays as it was.
        const HWND readme =
            app.Opens([&] { ClickButton(app, HelpButton); }, [&] { return ReadmeWindow(app); });
        ASSERT_TRUE(readme);
        EXPECT_NE(TextOf(ActiveEditor(readme)).find("ScribbitⅡ.ini"), std::string::npos);
        Screenshot("readme");
        ASSERT_TRUE(PostMessageW(readme, WM_CLOSE, 0, 0));
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(readme); }));
        EXPECT_EQ(app.Text(), "ABCCA");

        const auto about = [&] { return DialogTitled(app.Pid(), "バージョン情報"); };
        dialog = app.Opens([&] { ClickButton(app, AboutButton); }, about);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_ABOUT_VERSION)), "Ver 1.57");
        Screenshot("about");
        ASSERT_TRUE(Click(dialog, IDOK));
        EXPECT_TRUE(PollUntil([&] { return !about() && IsWindowEnabled(app.Main()); }));
        EXPECT_TRUE(app.Exit(IDNO));
    }
    // The added button and the drop-down paste button come back.
    App again(folder);
    ASSERT_TRUE(again.Start());
    const HWND tools = ToolBarOf(again.Main());
    ASSERT_EQ(Send(tools, TB_BUTTONCOUNT), 27);
    const auto paste = ToolbarButton(again.process.Handle(), tools, PasteButton);
    ASSERT_TRUE(paste);
    EXPECT_TRUE(paste->fsStyle & BTNS_DROPDOWN);
    EXPECT_NE(again.Settings().value_or("").find(AnsiBytes("\r\n上書き保存,0,save,上書き保存\r\n")),
              std::string::npos);
    EXPECT_TRUE(again.Exit());
}

}  // namespace
}  // namespace e2e
