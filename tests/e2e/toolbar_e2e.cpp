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

// Mouse buttons as the bar receives them, at a button's middle (or on its
// arrow): posted to the bar, so that no late pointer motion of the display
// between press and release can cancel a click.
bool ClickButton(const App& app, int index, bool arrow = false, std::initializer_list<UINT> messages = {WM_LBUTTONDOWN, WM_LBUTTONUP}) {
    const HWND tools = ToolBarOf(app.Main());
    RECT rect = app.ButtonRect(index);
    MapWindowPoints(nullptr, tools, reinterpret_cast<POINT*>(&rect), 2);
    const LPARAM at = MAKELPARAM(arrow ? rect.right - 3 : (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    bool posted = true;
    for (const UINT message : messages) {
        const WPARAM held = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ? MK_LBUTTON : message == WM_RBUTTONDOWN ? MK_RBUTTON : 0;
        posted = posted && PostMessageW(tools, message, held, at);
    }
    return posted;
}

HWND PopupMenu() {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

void SelectListItem(const App& app, HWND dialog, int list, int index) {
    RemoteBuffer buffer(app.process.Handle(), sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    buffer.Write(&item, sizeof item);
    Send(GetDlgItem(dialog, list), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At()));
}

// Another program's window showing the read-me.
HWND ReadmeWindow(const App& app) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != app.Pid() && IsWindowVisible(window) && TextOf(window).starts_with("Readme.txt")) return window;
    }
    return nullptr;
}

TEST(Session, ToolBarHistoryCustomisationReadmeAndAbout) {
    const std::string folder = FreshFolder();
    ASSERT_TRUE(SetClipboardText("seed"));
    {
        App app(folder);
        ASSERT_TRUE(app.Start());
        EXPECT_AFTER(app.Type("abc"), app.Text(), "abc");
        ASSERT_TRUE(SetSelection(app.Editor(), 0, 3));
        EXPECT_AFTER(ClickButton(app, UpperCaseButton), app.Text(), "ABC");
        // A copy, of a selection made with the keys, as a user makes it.
        ASSERT_TRUE(app.Key(VK_HOME));
        EXPECT_AFTER(app.Key(VK_RIGHT, Shift), SelectionOf(app.Editor()), Selection(0, 1));
        EXPECT_AFTER(ClickButton(app, CopyButton), ClipboardText(), "A");
        ASSERT_TRUE(SetSelection(app.Editor(), 3, 3));
        EXPECT_AFTER(ClickButton(app, PasteButton), app.Text(), "ABCA");

        // A right click offers the dialog; a double click opens it at once.
        const auto customisation = [&] { return DialogTitled(app.Pid(), "ツールバーのカスタマイズ"); };
        ASSERT_TRUE(app.Opens([&] { ClickButton(app, Separator, false, {WM_RBUTTONDOWN, WM_RBUTTONUP}); }, PopupMenu));
        HWND dialog = app.Opens([&] { PressKey(VK_DOWN), PressKey(VK_RETURN); }, customisation);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(Click(dialog, IDCANCEL) && PollUntil([&] { return !customisation(); }));
        dialog = app.Opens([&] { ClickButton(app, Separator, false, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}); }, customisation);
        ASSERT_TRUE(dialog);
        Screenshot("customisation");
        // The first command on offer added at the end, and applied.
        SelectListItem(app, dialog, IDC_TB_AVAILABLE, 0);
        EXPECT_AFTER(Click(dialog, IDC_TB_ADD), Send(GetDlgItem(dialog, IDC_TB_CHOSEN), LVM_GETITEMCOUNT), 27);
        EXPECT_AFTER(Click(dialog, IDOK), Send(ToolBarOf(app.Main()), TB_BUTTONCOUNT), 27);
        EXPECT_FALSE(customisation());

        // The paste button's arrow lists the copy, then the clipboard's text
        // from the start: the second goes in and onto the clipboard.
        ASSERT_TRUE(SetSelection(app.Editor(), 4, 4));
        ASSERT_TRUE(app.Opens([&] { ClickButton(app, PasteButton, true); }, PopupMenu));
        Screenshot("history");
        EXPECT_AFTER((PressKey(VK_DOWN), PressKey(VK_DOWN), PressKey(VK_RETURN)), app.Text(), "ABCAseed");
        EXPECT_EQ(ClipboardText(), "seed");

        // The read-me in a window of its own; this one stays as it was.
        const HWND readme = app.Opens([&] { ClickButton(app, HelpButton); }, [&] { return ReadmeWindow(app); });
        ASSERT_TRUE(readme);
        EXPECT_NE(TextOf(ActiveEditor(readme)).find("ScribbitⅡ.ini"), std::string::npos);
        Screenshot("readme");
        ASSERT_TRUE(PostMessageW(readme, WM_CLOSE, 0, 0));
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(readme); }));
        EXPECT_EQ(app.Text(), "ABCAseed");

        const auto about = [&] { return DialogTitled(app.Pid(), "バージョン情報"); };
        dialog = app.Opens([&] { ClickButton(app, AboutButton); }, about);
        ASSERT_TRUE(dialog);
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
    EXPECT_TRUE(paste && (paste->fsStyle & BTNS_DROPDOWN));
    EXPECT_NE(again.Settings().value_or("").find(AnsiBytes("\r\n上書き保存,0,save,上書き保存\r\n")), std::string::npos);
    EXPECT_TRUE(again.Exit());
}

}  // namespace
}  // namespace e2e
