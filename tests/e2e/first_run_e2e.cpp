// A first run: the settings file, the window, the count, the toolbar with the mouse, the customisation
// dialog, the copy history, the read-me and About; then the user's view and place, and the restart that must
// bring them back.
#include <algorithm>

#include "e2e/session.h"
#include "toolbar_help_dialog_ids.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;
constexpr int FontFaces = 0x470, FontSizes = 0x472;  // dlgs.h cmb1, cmb3
// Positions (0-based) on the first-run toolbar, and of "常に手前に表示" among the commands offered for it.
constexpr int CopyButton = 7, PasteButton = 8, Separator = 10, UpperCaseButton = 13, HelpButton = 24,
              AlwaysOnTopOnOffer = 14;

const std::string FirstRunSettings =
    "[Setting]\r\nXpos=0\r\nYpos=0\r\nXsize=5200\r\nYsize=5000\r\nStatusBar=True\r\nToolBar=True\r\n"
    "CharCount=False\r\nTurnRight=False\r\nTabSpace=0\r\nMostFront=False\r\n\r\n\r\n"
    "[Font]\r\nBold=False\r\nItalic=False\r\nName=FixedSys\r\nSize=13.5\r\nStrikethrough=False\r\n"
    "Underline=False\r\nColor=&H80000008\r\n\r\n\r\n"
    "[ToolBar]\r\n"
    "新規作成,0,new,新規作成\r\n"
    "開く,0,open,開く...\r\n"
    "名前を付けて保存,0,saveas,名前を付けて保存...\r\n"
    "終了,0,exit,終了\r\n"
    ",3,0,(区切り)\r\n"
    "元に戻す,0,undo,元に戻す\r\n"
    "切り取り,0,cut,切り取り\r\n"
    "コピー,0,copy,コピー\r\n"
    "貼り付け,0,paste,貼り付け\r\n"
    "削除,0,delete,削除\r\n"
    ",3,0,(区切り)\r\n"
    "ひらがな→カタカナ,0,hira_kata,ひらがな→カタカナ\r\n"
    "全角→半角,0,zen_han,全角→半角\r\n"
    "小文字→大文字,0,min_big,小文字→大文字\r\n"
    "カタカナ→ひらがな,0,kata_hira,カタカナ→ひらがな\r\n"
    "半角→全角,0,han_zen,半角→全角\r\n"
    "大文字→小文字,0,big_min,大文字→小文字\r\n"
    "CR+LF→LF変換,0,crlf_lf,CR+LF→LF変換\r\n"
    "LF→CR+LF変換,0,lf_crlf,LF→CR+LF変換\r\n"
    "タブ→スペース変換,0,tab_space,タブ→スペース変換...\r\n"
    "スペース→タブ変換,0,space_tab,スペース→タブ変換...\r\n"
    "行末のスペース削除,0,delspace,行末のスペース削除\r\n"
    "改行(CR+LF)の削除,0,delcrlf,改行(CR+LF)の削除\r\n"
    ",3,0,(区切り)\r\n"
    "ヘルプ,0,help,ヘルプ...\r\n"
    "バージョン情報,0,about,バージョン情報...\r\n";

// The toolbar; clicks on a button's middle (or arrow) are posted, as pointer motion cancelled real ones.
struct ToolBar {
    const App& app;
    HWND Handle() const { return FindWindowExW(app.Main(), nullptr, TOOLBARCLASSNAMEW, nullptr); }
    int Last() const { return static_cast<int>(Send(Handle(), TB_BUTTONCOUNT)) - 1; }
    TBBUTTON Button(int i) const {
        return SendRemote(app.process.Handle(), Handle(), TB_GETBUTTON, i, TBBUTTON{});
    }
    RECT Rect(int i) const { return SendRemote(app.process.Handle(), Handle(), TB_GETITEMRECT, i, RECT{}); }
    bool Checked(int i) const { return Button(i).fsState & TBSTATE_CHECKED; }
    bool Click(int i, bool arrow = false, UINT down = WM_LBUTTONDOWN) const {
        const RECT rect = Rect(i);
        const LPARAM at =
            MAKELPARAM(arrow ? rect.right - 3 : (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return PostMessageW(Handle(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at) &&
               PostMessageW(Handle(), down + 1, 0, at);  // the button's up message
    }
};

// The read-me, shown by another program.
HWND ReadmeWindow(const App& app) {
    for (HWND window : Descendants(nullptr))
        if (DWORD pid = 0; IsWindowVisible(window) && GetWindowThreadProcessId(window, &pid) &&
                           pid != app.Pid() && TextOf(window).starts_with("Readme.txt"))
            return window;
    return nullptr;
}

// Picks, in the open font dialog, the first item of the list that starts with `wanted`.
bool Pick(HWND dialog, int list, const wchar_t* wanted) {
    const HWND combo = GetDlgItem(dialog, list);
    const bool found = PollUntil(
        [&] { return Send(combo, CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>(wanted)) != CB_ERR; });
    return Send(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo)), found;
}

// The ink of a link's left half on the screen: "red", "blue" or "-" (the right half may lie under a tooltip).
std::string InkOf(HWND link) {
    RECT r{};
    GetWindowRect(link, &r);
    const int width = (r.right - r.left) / 2, height = r.bottom - r.top;
    const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    const HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels(width * height);
    GetDIBits(memory, picture, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(memory, old), DeleteObject(picture), DeleteDC(memory), ReleaseDC(nullptr, screen);
    return std::ranges::count(pixels, 0xFF0000u)   ? "red"
           : std::ranges::count(pixels, 0x0000FFu) ? "blue"
                                                   : "-";
}

// Where the font puts the text: the fifth letter, and the second line.
std::pair<int, int> Metrics(HWND editor) {
    return {LOWORD(Send(editor, EM_POSFROMCHAR, 4)),
            HIWORD(Send(editor, EM_POSFROMCHAR, Send(editor, EM_LINEINDEX, 1)))};
}

TEST(Session, FirstRunTheUsersChangesAndARestart) {
    const auto menuShown = [] { return FindWindowW(L"#32768", nullptr); };
    const auto wraps = [](HWND editor) { return !(GetWindowLongPtrW(editor, GWL_STYLE) & WS_HSCROLL); };
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\view.txt", sample = "abcdefghij\r\n日本語 ｶﾀｶﾅ\r\n";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(sample)) && SetClipboardText("seed"));
    App app(folder);
    const ToolBar bar{app};
    ASSERT_TRUE(app.Start(path));
    // Written at the first start. Two views, the shown one scrolls sideways.
    EXPECT_EQ(ReadFileBytes(app.SettingsPath()), AnsiBytes(FirstRunSettings));
    EXPECT_TRUE(app.Editor(false) && !wraps(app.Editor()));
    // The narrow window wraps the bar: every button is inside it, above the edit view.
    RECT client{}, view{};
    GetClientRect(app.Main(), &client);
    GetWindowRect(app.Editor(), &view);
    MapWindowPoints(app.Main(), bar.Handle(), reinterpret_cast<POINT*>(&client), 2);
    MapWindowPoints(nullptr, bar.Handle(), reinterpret_cast<POINT*>(&view), 2);
    for (int i = 0; i <= bar.Last(); ++i) {
        const RECT b = bar.Rect(i);
        EXPECT_TRUE(b.left >= client.left && b.right <= client.right && b.bottom <= view.top) << i;
    }

    // A key is counted when it is let go; the INS panel follows its key at the clock's next tick.
    ASSERT_TRUE(app.Select(0, 0));
    EXPECT_AFTER(app.Key('A'), app.Panel(3), std::to_string(AnsiBytes(sample).size() + 1));
    EXPECT_AFTER(app.Key(VK_BACK), app.Panel(3), std::to_string(AnsiBytes(sample).size()));
    const std::string ins = app.Panel(6);
    EXPECT_AFTER(app.Key(VK_INSERT), app.Panel(6), ins.empty() ? "INS" : "");
    EXPECT_AFTER(app.Key(VK_INSERT), app.Panel(6), ins);

    // Toolbar buttons: a conversion, a copy of a selection made with the keys, a paste.
    ASSERT_TRUE(app.Select(0, 3));
    EXPECT_AFTER(bar.Click(UpperCaseButton), app.Text(), "ABCdefghij\r\n日本語 ｶﾀｶﾅ\r\n");
    ASSERT_TRUE(app.Key(VK_HOME, Ctrl));
    EXPECT_AFTER(app.Key(VK_RIGHT, Shift), SelectionOf(app.Editor()), Selection(0, 1));
    EXPECT_AFTER(bar.Click(CopyButton), ClipboardText(), "A");
    ASSERT_TRUE(app.Select(3, 4));
    std::string text = "ABCAefghij\r\n日本語 ｶﾀｶﾅ\r\n";
    EXPECT_AFTER(bar.Click(PasteButton), app.Text(), text);

    // The bar's context menu opens the customisation dialog; always on top added (at the end) and applied.
    ASSERT_TRUE(app.Opens([&] { bar.Click(Separator, false, WM_RBUTTONDOWN); }, menuShown));
    const HWND dialog = app.Opens([&] { PressKey(VK_DOWN), PressKey(VK_RETURN); },
                                  [&] { return app.Dialog("ツールバーのカスタマイズ"); });
    ASSERT_TRUE(dialog);
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendRemote(app.process.Handle(), GetDlgItem(dialog, IDC_TB_AVAILABLE), LVM_SETITEMSTATE,
               AlwaysOnTopOnOffer, item);
    ASSERT_TRUE(Click(dialog, IDC_TB_ADD));
    EXPECT_AFTER(Click(dialog, IDOK), bar.Button(bar.Last()).fsStyle & BTNS_CHECK, BTNS_CHECK);

    // Saved, then the copy history under the paste button's arrow (the applied bar's): its second entry, the
    // clipboard's text from the start, goes in and onto the clipboard, and the document is modified.
    EXPECT_AFTER(app.Key('S', Ctrl), ReadFileBytes(path), AnsiBytes(text));
    ASSERT_TRUE(app.Select(4, 4));
    ASSERT_TRUE(app.Opens([&] { bar.Click(PasteButton, true); }, menuShown));
    text = "ABCAseedefghij\r\n日本語 ｶﾀｶﾅ\r\n";
    EXPECT_AFTER((PressKey(VK_DOWN), PressKey(VK_DOWN), PressKey(VK_RETURN)), app.Text(), text);
    EXPECT_EQ(ClipboardText(), "seed");

    // The read-me, in another program's window.
    const HWND readme = app.Opens([&] { bar.Click(HelpButton); }, [&] { return ReadmeWindow(app); });
    ASSERT_TRUE(readme && TextOf(ActiveEditor(readme)).find("ScribbitⅡ.ini") != std::string::npos);
    EXPECT_AFTER(PostMessageW(readme, WM_CLOSE, 0, 0), IsWindow(readme) != FALSE, false);

    // About: the link under the pointer turns red and stays so over a plain label; the background makes both
    // blue. The pointer stands at a link's right end, so that its tooltip covers no link's left half.
    const HWND about =
        app.Opens([&] { app.Command(menu::HelpAbout); }, [&] { return app.Dialog("", IDC_ABOUT_MAIL); });
    const HWND home = GetDlgItem(about, IDC_ABOUT_HOMEPAGE), mail = GetDlgItem(about, IDC_ABOUT_MAIL);
    const auto pointTo = [&](HWND control) {
        RECT r{};
        GetWindowRect(control, &r);
        return control == about ? SetCursorPos(r.left + 8, r.bottom - 8)
                                : SetCursorPos(r.right - 4, (r.top + r.bottom) / 2);
    };
    const auto inks = [&] { return InkOf(home) + "|" + InkOf(mail); };
    pointTo(about);
    ASSERT_EQ(WaitFor(inks, "blue|blue"), "blue|blue");
    EXPECT_AFTER(pointTo(mail), inks(), "blue|red");
    pointTo(GetDlgItem(about, IDC_ABOUT_NOTICE));
    EXPECT_AFTER(pointTo(home), inks(), "red|red");
    EXPECT_AFTER(pointTo(about), inks(), "blue|blue");
    EXPECT_AFTER(Click(about, IDOK), IsWindow(about) != FALSE, false);

    // The user's view: another font (once both letters and lines moved), word wrap (the font goes along), the
    // count in characters, always on top from its button, no status bar (the view takes its room), and a
    // place that is not square, in whole multiples of 15 twips (a pixel at 96 DPI).
    const auto before = Metrics(app.Editor());
    const HWND font =
        app.Opens([&] { app.Command(menu::FormFont); }, [&] { return app.Dialog("", FontSizes); });
    ASSERT_TRUE(font && Pick(font, FontFaces, L"IPA") && Pick(font, FontSizes, L"24") && Click(font, IDOK));
    std::pair<int, int> chosen;
    EXPECT_TRUE(PollUntil([&] {
        chosen = Metrics(app.Editor());
        return chosen.first != before.first && chosen.second != before.second;
    }));
    const HWND wrapping = app.Editor(false);
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    EXPECT_EQ(Metrics(wrapping), chosen);
    EXPECT_AFTER(app.Command(menu::CountCharacters), app.Panel(3), std::to_string(Units(text)));
    EXPECT_AFTER(bar.Click(bar.Last()), bar.Checked(bar.Last()), true);
    RECT shown{}, now{};
    GetClientRect(wrapping, &shown);
    EXPECT_AFTER(app.Command(menu::FormStatusBar), GetClientRect(wrapping, &now) && now.bottom > shown.bottom,
                 true);
    ASSERT_TRUE(SetWindowPos(app.Main(), nullptr, 100, 60, 400, 360, SWP_NOZORDER | SWP_NOACTIVATE));

    // Spoilt meanwhile, the settings file is written whole again on closing, after the question.
    ASSERT_TRUE(WriteFileBytes(app.SettingsPath(), "[Setting]\r\n"));
    EXPECT_NE(app.Answer([&] { PostMessageW(app.Main(), WM_CLOSE, 0, 0); }, IDNO), "");
    ASSERT_TRUE(app.process.WaitForExit(WaitMs));

    App again(folder);
    const ToolBar barAgain{again};
    ASSERT_TRUE(again.Start(path));
    RECT rect{};
    GetWindowRect(again.Main(), &rect);
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(100L, 60L, 500L, 420L));
    EXPECT_TRUE(wraps(again.Editor()));
    EXPECT_EQ(Metrics(again.Editor()), chosen);
    EXPECT_TRUE(!IsWindowVisible(StatusBarOf(again.Main())) && IsWindowVisible(barAgain.Handle()));
    EXPECT_EQ(again.Panel(3), std::to_string(Units(again.Text())));
    EXPECT_TRUE(barAgain.Button(PasteButton).fsStyle & BTNS_DROPDOWN);
    // Always on top: its button is pressed, and follows the menu item.
    EXPECT_AFTER(again.Command(menu::FormAlwaysOnTop), barAgain.Checked(barAgain.Last()), false);
    EXPECT_TRUE(again.Exit());
}

}  // namespace
}  // namespace e2e
