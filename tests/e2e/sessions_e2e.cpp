// The end-to-end driver: runs the real program under test and drives it as a user would, a session per
// test: the first run and a restart, a document's life, saves onto failing disks, printing.
#include <gtest/gtest.h>
#include <process.h>
#include <shlobj.h>
// The common dialogs' control identifiers; the header needs the types of windows.h.
#include <dlgs.h>

#include <algorithm>

#include "e2e/probe.h"
#include "editing_dialog_ids.h"
#include "printing_dialog_ids.h"
#include "toolbar_help_dialog_ids.h"

// Acts, then waits until `actual` reads `expected`; reading so before would make the wait prove nothing.
#define EXPECT_AFTER(action, actual, expected)                                 \
    do {                                                                       \
        const auto e2eWant = (expected);                                       \
        EXPECT_NE((actual), e2eWant) << "so before the action: " #action;      \
        action;                                                                \
        EXPECT_EQ(::e2e::WaitFor([&] { return (actual); }, e2eWant), e2eWant); \
    } while (false)

namespace e2e {
namespace {

namespace menu = scribbit::menu;
namespace fs = std::filesystem;

std::string exe, out;  // the ScribbitⅡ.exe under test; where the work folders go

// A fresh, empty folder for the running test.
std::string FreshFolder() {
    const fs::path folder =
        Wide(out + "\\work\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::error_code ignored;
    fs::remove_all(folder, ignored), fs::create_directories(folder, ignored);
    return Utf8(folder.wstring());
}

// The text in the ANSI code page.
std::string AnsiBytes(const std::string& text) {
    const std::wstring wide = Wide(text);
    std::string bytes(wide.size() * 2, '\0');  // at most two bytes a character
    bytes.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), wide.size(), bytes.data(), bytes.size(), nullptr,
                                     nullptr));
    return bytes;
}

// Polls get() until it returns want; returns the last value read.
template <class Get, class Want>
auto WaitFor(Get get, const Want& want, DWORD timeoutMs = WaitMs) {
    auto seen = get();
    PollUntil([&] { return (seen = get()) == want; }, timeoutMs);
    return seen;
}

class App {
public:
    // Copies the program and its read-me (Help opens it) into folder: the settings file is the test's.
    explicit App(const std::string& folder) : folder_(folder) {
        const std::filesystem::path program = Wide(exe);
        for (const std::filesystem::path name : {program.filename().wstring(), std::wstring(L"Readme.txt")})
            EXPECT_TRUE(CopyFileW(std::filesystem::path(program).replace_filename(name).c_str(),
                                  (std::filesystem::path(Wide(folder)) / name).c_str(), FALSE))
                << Utf8(name.wstring());
    }
    // Starts it and waits until start-up is over (it outlasts the window showing) and the view has focus.
    bool Start(const std::string& arguments = "") {
        return process.Start(folder_ + "\\ScribbitⅡ.exe", arguments, folder_) &&
               process.WaitForMainWindow() && WaitForInputIdle(process.Handle(), WaitMs) == 0 &&
               ReadyForKeys(Editor());
    }

    Process process;
    DWORD Pid() const { return process.Id(); }
    HWND Main() const { return process.MainWindow(); }
    HWND Editor(bool shown = true) const { return ActiveEditor(Main(), shown); }
    std::string Text() const { return TextOf(Editor()); }
    std::string Panel(int number) const {
        return StatusText(process.Handle(), StatusBarOf(Main()), number - 1);
    }
    // The shown dialog with that caption, or with that control.
    HWND Dialog(const std::string& caption, int control = 0) const {
        for (HWND dialog : ShownWindows(Pid(), true))
            if (control ? GetDlgItem(dialog, control) != nullptr : TextOf(dialog) == caption) return dialog;
        return nullptr;
    }
    bool Select(long long start, long long end) const {
        return Send(Editor(), EM_SETSEL, start, end), SelectionOf(Editor()) == Selection(start, end);
    }
    bool Command(scribbit::MenuItem item) const { return PostCommand(Main(), item); }
    bool Exit() const { return Command(scribbit::menu::FileExit) && process.WaitForExit(WaitMs); }

    // Real keys for a control (by default the shown edit view): it comes forward with the focus first.
    bool ReadyForKeys(HWND control) const {
        return BringToForeground(control) && PollUntil([&] { return FocusOf(control) == control; });
    }
    bool Key(WORD virtualKey, Modifier modifier = NoModifier) const {
        return ReadyForKeys(Editor()) && PressKey(virtualKey, modifier);
    }
    // Each character as a key stroke of its own.
    bool Type(const std::string& text, HWND control = nullptr) const {
        bool typed = ReadyForKeys(control ? control : Editor());
        for (const wchar_t character : Wide(text)) typed = SendKeys({{0, character}}) && typed;
        return typed;
    }

    // Acts, then waits for the window find finds; none may be found before.
    HWND Opens(const std::function<void()>& action, const std::function<HWND()>& find) const {
        if (find()) return nullptr;
        action();
        HWND found = nullptr;
        PollUntil([&] { return (found = find()) != nullptr; });
        return found;
    }
    // Acts and answers the box that comes with button; returns the box's text, or nothing if none came or it
    // stayed.
    std::string Answer(const std::function<void()>& action, int button = IDOK) const {
        const HWND box = Opens(action, [&] { return MessageBoxOf(Pid()); });
        std::string text;
        PollUntil([&] { return !box || !(text = TextOf(GetDlgItem(box, MessageBoxText))).empty(); });
        return box && Click(box, button) && PollUntil([&] { return !IsWindowVisible(box); }) ? text : "";
    }
    // Acts, then fills in the open or save dialog that comes up (ticking its read-only box if asked) and
    // clicks OK (Cancel for no path); true when the dialog went away.
    bool ChooseFile(const std::function<void()>& action, const std::string& path,
                    bool readOnly = false) const {
        const HWND dialog = Opens(action, [&] { return Dialog("", cmb13); });
        const std::vector<HWND> nameBox = Descendants(GetDlgItem(dialog, cmb13), L"Edit");
        if (readOnly) Send(GetDlgItem(dialog, chx1), BM_SETCHECK, BST_CHECKED);
        return dialog && (path.empty() || (!nameBox.empty() && SetText(nameBox[0], path))) &&
               Click(dialog, path.empty() ? IDCANCEL : IDOK) &&
               PollUntil([&] { return !IsWindowVisible(dialog); });
    }

private:
    std::string folder_;
};

// Positions (0-based) on the first-run toolbar, and of "常に手前に表示" among the commands offered for it.
constexpr int CopyButton = 7, PasteButton = 8, Separator = 10, UpperCaseButton = 13, HelpButton = 24,
              AlwaysOnTopOnOffer = 14;

// The toolbar; clicks on a button's middle (or arrow) are posted, as pointer motion cancelled real ones.
struct ToolBar {
    const App& app;
    HWND Handle() const { return FindWindowExW(app.Main(), nullptr, TOOLBARCLASSNAMEW, nullptr); }
    int Last() const { return static_cast<int>(Send(Handle(), TB_BUTTONCOUNT)) - 1; }
    TBBUTTON Button(int i) const {
        return SendRemote(app.process.Handle(), Handle(), TB_GETBUTTON, i, TBBUTTON{});
    }
    bool Checked(int i) const { return Button(i).fsState & TBSTATE_CHECKED; }
    bool Click(int i, bool arrow = false, UINT down = WM_LBUTTONDOWN) const {
        const RECT rect = SendRemote(app.process.Handle(), Handle(), TB_GETITEMRECT, i, RECT{});
        const LPARAM at =
            MAKELPARAM(arrow ? rect.right - 3 : (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        return PostMessageW(Handle(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, at) &&
               PostMessageW(Handle(), down + 1, 0, at);  // the button's up message
    }
};

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
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\view.txt", sample = "abcdefghij\r\n日本語 ｶﾀｶﾅ\r\n";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(sample)));
    App app(folder);
    const ToolBar bar{app};
    ASSERT_TRUE(app.Start(path));

    // A key is counted when it is let go; the INS panel follows its key at the clock's next tick.
    ASSERT_TRUE(app.Select(0, 0));
    EXPECT_AFTER(app.Key('A'), app.Panel(3), std::to_string(AnsiBytes(sample).size() + 1));
    EXPECT_AFTER(app.Key(VK_BACK), app.Panel(3), std::to_string(AnsiBytes(sample).size()));
    const std::string ins = app.Panel(6);
    EXPECT_AFTER(app.Key(VK_INSERT), app.Panel(6), ins.empty() ? "INS" : "");
    EXPECT_AFTER(app.Key(VK_INSERT), app.Panel(6), ins);

    // Toolbar buttons: a copy, a conversion, another copy, a paste.
    ASSERT_TRUE(app.Select(0, 4));
    EXPECT_AFTER(bar.Click(CopyButton), ClipboardText(), "abcd");
    EXPECT_AFTER(bar.Click(UpperCaseButton), app.Text(), "ABCDefghij\r\n日本語 ｶﾀｶﾅ\r\n");
    ASSERT_TRUE(app.Select(0, 1));
    EXPECT_AFTER(bar.Click(CopyButton), ClipboardText(), "A");
    ASSERT_TRUE(app.Select(3, 4));
    std::string text = "ABCAefghij\r\n日本語 ｶﾀｶﾅ\r\n";
    EXPECT_AFTER(bar.Click(PasteButton), app.Text(), text);

    // The bar's context menu opens the customisation dialog; always on top added (at the end) and applied.
    ASSERT_TRUE(app.Opens([&] { bar.Click(Separator, false, WM_RBUTTONDOWN); }, menuShown));
    const HWND dialog = app.Opens([&] { PressKey(VK_DOWN), PressKey(VK_RETURN); },
                                  [&] { return app.Dialog("ツールバーのカスタマイズ"); });
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendRemote(app.process.Handle(), GetDlgItem(dialog, IDC_TB_AVAILABLE), LVM_SETITEMSTATE,
               AlwaysOnTopOnOffer, item);
    ASSERT_TRUE(Click(dialog, IDC_TB_ADD));
    EXPECT_AFTER(Click(dialog, IDOK), bar.Button(bar.Last()).fsStyle & BTNS_CHECK, BTNS_CHECK);

    // Saved, for the restart to show this text; then the copy history under the paste button's arrow (the
    // applied bar's): its second entry, the first copy, goes in and onto the clipboard.
    EXPECT_AFTER(app.Key('S', Ctrl), ReadFileBytes(path), AnsiBytes(text));
    ASSERT_TRUE(app.Select(4, 4));
    ASSERT_TRUE(app.Opens([&] { bar.Click(PasteButton, true); }, menuShown));
    text = "ABCAabcdefghij\r\n日本語 ｶﾀｶﾅ\r\n";
    EXPECT_AFTER((PressKey(VK_DOWN), PressKey(VK_DOWN), PressKey(VK_RETURN)), app.Text(), text);
    EXPECT_EQ(ClipboardText(), "abcd");

    // The read-me, in another program's window captioned with the file's name, once it shows the text.
    const HWND readme =
        app.Opens([&] { bar.Click(HelpButton); }, [] { return FindWindowW(nullptr, L"Readme.txt"); });
    ASSERT_TRUE(readme && PollUntil([&] {
                    return TextOf(ActiveEditor(readme)).find("ScribbitⅡ.ini") != std::string::npos;
                }));
    EXPECT_AFTER(PostMessageW(readme, WM_CLOSE, 0, 0), IsWindow(readme) != FALSE, false);

    // About: the link under the pointer turns red and stays so over a plain label; the background makes both
    // blue. The pointer stands at a link's right end, so that its tooltip covers no link's left half.
    const HWND about =
        app.Opens([&] { app.Command(menu::HelpAbout); }, [&] { return app.Dialog("", IDC_ABOUT_MAIL); });
    const HWND home = GetDlgItem(about, IDC_ABOUT_HOMEPAGE), mail = GetDlgItem(about, IDC_ABOUT_MAIL);
    // A pointer move can be lost on a busy machine, so each look moves the pointer again, a pixel aside.
    int nudge = 0;
    const auto inksAt = [&](HWND control, const std::string& want) {
        return WaitFor(
            [&] {
                RECT r{};
                GetWindowRect(control, &r);
                nudge ^= 1;
                control == about ? SetCursorPos(r.left + 8 + nudge, r.bottom - 8)
                                 : SetCursorPos(r.right - 4 - nudge, (r.top + r.bottom) / 2);
                return InkOf(home) + "|" + InkOf(mail);
            },
            want);
    };
    ASSERT_EQ(inksAt(about, "blue|blue"), "blue|blue");
    EXPECT_EQ(inksAt(mail, "blue|red"), "blue|red");
    RECT notice{};
    GetWindowRect(GetDlgItem(about, IDC_ABOUT_NOTICE), &notice);
    SetCursorPos(notice.right - 4, (notice.top + notice.bottom) / 2);
    EXPECT_EQ(inksAt(home, "red|red"), "red|red");
    EXPECT_EQ(inksAt(about, "blue|blue"), "blue|blue");
    EXPECT_AFTER(Click(about, IDOK), IsWindow(about) != FALSE, false);

    // The user's view: another font (once both letters and lines moved), word wrap (the font goes along),
    // always on top from its button, no status bar, and a place that is not square, in whole multiples of 15
    // twips (a pixel at 96 DPI).
    const auto before = Metrics(app.Editor());
    const HWND font = app.Opens([&] { app.Command(menu::FormFont); }, [&] { return app.Dialog("", cmb3); });
    ASSERT_TRUE(font && Pick(font, cmb1, L"IPA") && Pick(font, cmb3, L"24") && Click(font, IDOK));
    std::pair<int, int> chosen;
    EXPECT_TRUE(PollUntil([&] {
        chosen = Metrics(app.Editor());
        return chosen.first != before.first && chosen.second != before.second;
    }));
    const HWND wrapping = app.Editor(false);
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    EXPECT_EQ(Metrics(wrapping), chosen);
    EXPECT_AFTER(bar.Click(bar.Last()), bar.Checked(bar.Last()), true);
    EXPECT_AFTER(app.Command(menu::FormStatusBar), IsWindowVisible(StatusBarOf(app.Main())) != FALSE, false);
    ASSERT_TRUE(SetWindowPos(app.Main(), nullptr, 100, 60, 400, 360, SWP_NOZORDER | SWP_NOACTIVATE));

    // Closed after the question.
    EXPECT_NE(app.Answer([&] { PostMessageW(app.Main(), WM_CLOSE, 0, 0); }, IDNO), "");
    ASSERT_TRUE(app.process.WaitForExit(WaitMs));

    App again(folder);
    const ToolBar barAgain{again};
    ASSERT_TRUE(again.Start(path));
    RECT rect{};
    GetWindowRect(again.Main(), &rect);
    EXPECT_EQ(std::tuple(rect.left, rect.top, rect.right, rect.bottom), std::tuple(100L, 60L, 500L, 420L));
    EXPECT_FALSE(GetWindowLongPtrW(again.Editor(), GWL_STYLE) & WS_HSCROLL);  // the view wraps
    EXPECT_EQ(Metrics(again.Editor()), chosen);
    EXPECT_TRUE(!IsWindowVisible(StatusBarOf(again.Main())) && IsWindowVisible(barAgain.Handle()));
    // Always on top: its button is pressed, and follows the menu item.
    EXPECT_AFTER(again.Command(menu::FormAlwaysOnTop), barAgain.Checked(barAgain.Last()), false);
    EXPECT_TRUE(again.Exit());
}

std::vector<std::string> NamesBeside(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(fs::path(Wide(path)).parent_path(), ignored))
        names.push_back(Utf8(entry.path().filename().wstring()));
    return names;
}

// A file dropped on the view: the shell's file list, built inside the program; sent, so read before freed.
void Drop(const App& app, const std::string& path) {
    struct {
        DROPFILES header;
        wchar_t names[MAX_PATH + 1];
    } drop{{sizeof(DROPFILES), {}, FALSE, TRUE}, {}};
    Wide(path).copy(drop.names, MAX_PATH);
    SendRemote(app.process.Handle(), app.Editor(), WM_DROPFILES, 0, drop);
}

TEST(Session, EditFindReplaceSaveReadOnlyAndDrop) {
    // A first line long enough to wrap in the window, then a0 b1 c2 a3 b4 c5 _6 り7 ん8 ご9 CR10 LF11 り12...
    std::string first = "一行目";
    for (int i = 0; i < 30; ++i) first += " 長い行";
    const std::string text = first + "\r\nabcabc りんご\r\nりんご りんご りんご\r\n半角ｶﾀｶﾅ①\r\n";
    const long long at = Wide(first + "\r\n").size(), end = Wide(text).size();
    const std::string folder = FreshFolder(), path = folder + "\\two words\\メモ 1.txt",
                      named = folder + "\\メモ.txt";
    fs::create_directory(fs::path(Wide(folder + "\\two words")));
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(text)));
    App app(folder);
    // Unquoted, the command line is one name all the same.
    ASSERT_TRUE(app.Start(path));

    // Each shortcut on the selection set first: the text and clipboard after.
    const std::tuple<Selection, WORD, std::string, std::string> steps[] = {
        {{at, at + 3}, 'X', first + "\r\nabc りんご\r\nりんご りんご りんご\r\n半角ｶﾀｶﾅ①\r\n", "abc"},
        {{0, 0}, 'Z', text, "abc"},
        {{at + 7, at + 10}, 'C', text, "りんご"},
        {{end, end}, 'V', text + "りんご", "りんご"},
    };
    for (const auto& [selection, key, after, clipboard] : steps) {
        ASSERT_TRUE(app.Select(selection.first, selection.second));
        EXPECT_AFTER(app.Key(key, Ctrl), app.Text() + "|" + ClipboardText(), after + "|" + clipboard);
    }

    // F3 before any search opens Find, ownerless. Typed into, Enter searches from the caret and leaves the
    // focus in the dialog, where Esc closes it; F3 goes on.
    ASSERT_TRUE(app.Select(at, at));
    HWND find = app.Opens([&] { app.Key(VK_F3); }, [&] { return app.Dialog("検索"); });
    const HWND findText = GetDlgItem(find, IDC_FIND_TEXT);
    ASSERT_TRUE(findText && !GetWindow(find, GW_OWNER));
    EXPECT_AFTER(app.Type("bc", findText), TextOf(findText), "bc");
    EXPECT_AFTER(PressKey(VK_RETURN), SelectionOf(app.Editor()), Selection(at + 1, at + 3));
    EXPECT_AFTER(PressKey(VK_ESCAPE), IsWindow(find) != FALSE, false);
    EXPECT_AFTER(app.Key(VK_F3), SelectionOf(app.Editor()), Selection(at + 4, at + 6));

    // Replace all, from the replace dialog.
    const HWND replace = app.Opens([&] { app.Key('R', Ctrl); }, [&] { return app.Dialog("置換"); });
    ASSERT_TRUE(replace && SetText(GetDlgItem(replace, IDC_FIND_TEXT), "りんご") &&
                SetText(GetDlgItem(replace, IDC_SUBST_TEXT), "林檎"));
    EXPECT_NE(app.Answer([&] { Click(replace, IDC_ALL_SUBST); }), "");
    const std::string edited =
        first + "\r\nabcabc 林檎\r\n林檎 林檎 林檎\r\n半角ｶﾀｶﾅ①\r\n林檎";  // saved below

    // Go to line under word wrap: lines are counted by their breaks, not on the screen.
    const HWND wrapping = app.Editor(false);
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    const HWND go = app.Opens([&] { app.Key('G', Ctrl); }, [&] { return app.Dialog("行へ移動"); });
    ASSERT_TRUE(go && SetText(GetDlgItem(go, IDC_LINE), "2"));
    EXPECT_AFTER(Click(go, IDOK), SelectionOf(wrapping), Selection(at, at));

    // Saved as shown.
    EXPECT_AFTER(app.Command(menu::FileSave), ReadFileBytes(path), AnsiBytes(edited));
    // F5 puts the time and date at the caret; neither it nor Replace all went through the user's clipboard.
    ASSERT_TRUE(app.Select(Wide(edited).size(), Wide(edited).size()));
    EXPECT_AFTER(app.Key(VK_F5), app.Text().starts_with(edited) && app.Text().size() > edited.size(), true);
    EXPECT_EQ(ClipboardText(), "りんご");

    // A long document: the pointer, left over the status bar (where the view going and coming back changes
    // nothing), is busy while a conversion runs and the normal one again once the text is in. Then a change
    // at its end alone: the whole reads converted, the caret stays, one Undo brings the typed text back.
    constexpr scribbit::MenuItem ToUpperCase{scribbit::Menu::Change, 2};
    std::string lower, upper;
    for (int i = 0; i < 25000; ++i) lower += "abc def ghi\r\n", upper += "ABC DEF GHI\r\n";
    const long long longEnd = Wide(lower).size();
    RECT bar{};
    ASSERT_TRUE(SetText(app.Editor(), lower) && GetWindowRect(StatusBarOf(app.Main()), &bar) &&
                SetCursorPos((bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2));
    // Handled after the pointer's move, which came first.
    EXPECT_AFTER(app.Key(VK_END, Ctrl), SelectionOf(app.Editor()), Selection(longEnd, longEnd));
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
    EXPECT_AFTER(app.Type("xyz"), app.Text(), upper + "xyz");
    EXPECT_AFTER(app.Command(ToUpperCase), app.Text(), upper + "XYZ");
    EXPECT_EQ(SelectionOf(app.Editor()), Selection(longEnd + 3, longEnd + 3));
    EXPECT_AFTER(app.Key('Z', Ctrl), app.Text(), upper + "xyz");
    EXPECT_EQ(ClipboardText(), "りんご");

    // Opened, the time and date not saved, with the read-only box ticked: the view is locked, typed keys
    // change nothing (as Select all after them shows), no "(変更)" comes, and no question before the next
    // file.
    const auto locked = [&] { return (GetWindowLongPtrW(app.Editor(), GWL_STYLE) & ES_READONLY) != 0; };
    EXPECT_TRUE(app.ChooseFile([&] { app.Answer([&] { app.Key('O', Ctrl); }, IDNO); }, path, true));
    EXPECT_EQ(WaitFor([&] { return app.Panel(1); }, path + "(読込み専用)"), path + "(読込み専用)");
    EXPECT_TRUE(locked());
    app.Type("x"), app.Key(VK_DELETE), app.Key('V', Ctrl);
    EXPECT_AFTER(app.Key('A', Ctrl), SelectionOf(app.Editor()), Selection(0, Wide(edited).size()));
    EXPECT_EQ(app.Text() + app.Panel(1), edited + path + "(読込み専用)");
    // After a cancelled open dialog, a dropped file opens unlocked.
    EXPECT_TRUE(app.ChooseFile([&] { app.Command(menu::FileOpen); }, ""));
    EXPECT_AFTER(Drop(app, path), app.Panel(1), path);
    EXPECT_FALSE(locked());
    // A new document; Exit, and Yes asks for a name: saved there, the program ends.
    EXPECT_AFTER(app.Key('N', Ctrl), app.Text(), "");
    EXPECT_AFTER(app.Type("メモ"), app.Text(), "メモ");
    EXPECT_TRUE(app.ChooseFile([&] { app.Answer([&] { app.Command(menu::FileExit); }, IDYES); }, named));
    EXPECT_TRUE(app.process.WaitForExit(WaitMs));
    EXPECT_EQ(ReadFileBytes(named), AnsiBytes("メモ"));
}

// Saves into a folder deleted after the open and onto a full disk (a Wine drive on a small filesystem that
// run-tests.sh mounts, the file more than half its room: the copy does not fit beside it); a read-only file
// is the file-system contract's. Each is told, the document stays shown and modified, nothing is left beside
// the file, and the file is as it was (or gone with its folder).
TEST(Session, SavesOntoFailingDisksLoseNothing) {
    const std::string folder = FreshFolder(), sample = AnsiBytes("日本語のテキスト\r\nASCII line\r\n");
    const std::string gone = folder + "\\消える";
    // The file, its bytes, and what goes wrong after it was opened.
    std::vector<std::tuple<std::string, std::string, std::function<void()>>> cases = {
        {gone + "\\memo.txt", sample, [&] { fs::remove_all(fs::path(Wide(gone))); }}};
    wchar_t drive[8] = {};
    ULARGE_INTEGER free{};
    if (GetEnvironmentVariableW(L"SCRIBBIT_E2E_SMALL_DISK", drive, 8)) {
        ASSERT_TRUE(GetDiskFreeSpaceExW((std::wstring(drive) + L"\\").c_str(), &free, nullptr, nullptr));
        ASSERT_LT(free.QuadPart, 1u << 20) << "not a small filesystem";
        std::string large;
        while (large.size() < free.QuadPart * 6 / 10) large += "0123456789 full disk\r\n";
        cases.push_back({Utf8(drive) + "\\memo.txt", large, [] {}});
    }
    fs::create_directory(fs::path(Wide(gone)));
    App app(folder);
    ASSERT_TRUE(app.Start());
    // Each row but the first opens its file past the save prompt of the one before.
    const std::function<void()> open = [&] { app.Key('O', Ctrl); },
                                pastPrompt = [&] { app.Answer(open, IDNO); };
    for (const auto& [path, bytes, fault] : cases) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(WriteFileBytes(path, bytes) &&
                    app.ChooseFile(&path == &std::get<0>(cases.front()) ? open : pastPrompt, path));
        EXPECT_AFTER(app.Type("x"), app.Panel(1), path + "(変更)");
        fault();
        const auto names = NamesBeside(path);
        EXPECT_EQ(app.Answer([&] { app.Key('S', Ctrl); }), "その他のエラー");
        EXPECT_EQ(app.Panel(1) + "|" + app.Text().substr(0, 1), path + "(変更)|x");
        EXPECT_EQ(NamesBeside(path), names);
        EXPECT_EQ(ReadFileBytes(path), path.starts_with(gone) ? std::nullopt : std::optional(bytes));
    }
}

constexpr int Dpi = 100;
constexpr DWORD PrintMs = 90000;  // pages come slowly out of Wine's PostScript driver

// A path on Z: (the Linux root) as a Linux program takes it, quoted.
std::string UnixPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return "\"" + path.substr(2) + "\"";
}

// The whole PDF (ending with its end-of-file marker) that CUPS-PDF wrote to ~/PDF for a document (its name
// starts with the document's); Wine gives the Linux home as \??\Z:\home\user.
std::string PdfOf(const std::string& document) {
    wchar_t home[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH);
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(std::wstring(home).substr(4) + L"\\PDF", ignored)) {
        const std::string pdf = Utf8(entry.path().wstring()), bytes = ReadFileBytes(pdf).value_or("");
        if (Utf8(entry.path().filename().wstring()).starts_with(document) &&
            bytes.find("%%EOF", bytes.size() - std::min<std::size_t>(bytes.size(), 64)) != std::string::npos)
            return pdf;
    }
    return "";
}

// Ctrl+P, then OK in the print dialog; returns the progress dialog.
HWND StartPrinting(const App& app) {
    const HWND dialog = app.Opens([&] { app.Key('P', Ctrl); }, [&] { return app.Dialog("印刷"); });
    return app.Opens([&] { Click(dialog, IDOK); }, [&] { return app.Dialog("印刷中だよ"); });
}

// Prints; the ink's left and top margins on page 1 in mm (-1 without a page), read off the image pdftoppm (a
// Linux program Wine starts) renders, as the PDF's Japanese text cannot be extracted.
std::pair<double, double> Print(const App& app, const std::string& folder, const std::string& document) {
    const HWND progress = StartPrinting(app);
    EXPECT_TRUE(progress && PollUntil([&] { return !IsWindow(progress); }, PrintMs));
    std::string pdf;
    if (!PollUntil([&] { return !(pdf = PdfOf(document)).empty(); }, PrintMs, 200)) return {-1, -1};
    // Wine starts a Linux program without a handle to wait on: the page is there once the image is whole.
    EXPECT_NE(_wspawnl(_P_NOWAIT, L"Z:/usr/bin/pdftoppm", L"pdftoppm",
                       (L"-gray -singlefile -r " + std::to_wstring(Dpi)).c_str(), Wide(UnixPath(pdf)).c_str(),
                       Wide(UnixPath(folder + "\\page")).c_str(), nullptr),
              -1);
    std::pair<double, double> found{-1, -1};
    EXPECT_TRUE(PollUntil(
        [&] {
            const std::string image = ReadFileBytes(folder + "\\page.pgm").value_or("");
            int width = 0, height = 0, header = 0;
            std::sscanf(image.c_str(), "P5 %d %d 255%n", &width, &height, &header);
            if (!header || width <= 0 ||
                image.size() != static_cast<std::size_t>(header + 1 + width * height))
                return false;
            int left = width, top = height;
            for (int i = 0; i < width * height; ++i)
                if (static_cast<unsigned char>(image[header + 1 + i]) < 128)
                    left = std::min(left, i % width), top = std::min(top, i / width);
            found = {left * 25.4 / Dpi, top * 25.4 / Dpi};
            return true;
        },
        WaitMs, 200));
    DeleteFileW(Wide(pdf).c_str());
    return found;
}

std::string Document(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i) text += std::to_string(1000 + i) + " 吾輩は猫である。\r\n";
    return text;
}

TEST(Session, PrintPagesPageSetupAndCancel) {
    const std::string folder = FreshFolder(), stem = "print-e2e-" + std::to_string(GetTickCount());
    const std::string shortDocument = stem + "-short", longDocument = stem + "-long";
    ASSERT_TRUE(WriteFileBytes(folder + "\\" + shortDocument + ".txt", AnsiBytes(Document(150))) &&
                WriteFileBytes(folder + "\\" + longDocument + ".txt", AnsiBytes(Document(5000))));
    App app(folder);
    ASSERT_TRUE(app.Start(folder + "\\" + longDocument + ".txt"));
    // A long job cancelled once the progress bar moves: no PDF of it comes, as the short job after it shows.
    // Over a main window kept on top the progress is on top as well, or the main window would bury it.
    ASSERT_TRUE(app.Command(menu::FormAlwaysOnTop));
    const HWND progress = StartPrinting(app);
    EXPECT_TRUE(PollUntil([&] { return (GetWindowLongPtrW(progress, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(PollUntil([&] { return Send(GetDlgItem(progress, IDC_NP_PROGRESS), PBM_GETPOS) > 0; }));
    ASSERT_TRUE(Click(progress, IDCANCEL));
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(progress); }));
    ASSERT_TRUE(app.ChooseFile([&] { app.Key('O', Ctrl); }, folder + "\\" + shortDocument + ".txt"));

    // New margins in page setup, modal over the main window: the ink starts at them.
    const HWND setup =
        app.Opens([&] { app.Command(menu::FilePageSetup); }, [&] { return app.Dialog("ページ設定"); });
    EXPECT_TRUE(GetWindow(setup, GW_OWNER) == app.Main() && !IsWindowEnabled(app.Main()));
    ASSERT_TRUE(setup && SetText(GetDlgItem(setup, IDC_PS_LEFT), "40") &&
                SetText(GetDlgItem(setup, IDC_PS_TOP), "35.5") && Click(setup, IDOK));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(setup); }));
    const auto [left, top] = Print(app, folder, shortDocument);
    EXPECT_EQ(PdfOf(longDocument), "");
    EXPECT_NEAR(left, 40, 1);
    EXPECT_NEAR(top, 36, 1);
    EXPECT_TRUE(app.Exit());
}

}  // namespace
}  // namespace e2e

int wmain(int argc, wchar_t** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);  // a crash of the program shows no dialog
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (const std::wstring option = argv[i]; option == L"--exe" || option == L"--out")
            (option == L"--exe" ? e2e::exe : e2e::out) = e2e::Utf8(std::filesystem::absolute(argv[++i]));
    // Every check compares Shift-JIS bytes: in another code page they would all fail for the wrong reason.
    if (!e2e::exe.empty() && !e2e::out.empty() && GetACP() == 932) return RUN_ALL_TESTS();
    std::printf("usage, in code page 932: scribbit_e2e --exe PROGRAM --out FOLDER [GoogleTest options]\n");
    return 2;
}
