// A user's document: opened from the command line, edited with real keys, the clipboard and the find, replace
// and go-to-line dialogs, saved; a long document converted under the busy pointer; opened read-only, a file
// dropped, a new one saved under a name; NUL bytes; saves onto failing disks.
#include <shlobj.h>

#include "e2e/session.h"
#include "editing_dialog_ids.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;
namespace fs = std::filesystem;

bool ReadOnlyViews(const App& app) {
    return GetWindowLongPtrW(app.Editor(), GWL_STYLE) & GetWindowLongPtrW(app.Editor(false), GWL_STYLE) &
           ES_READONLY;
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
    const long long at = Units(first + "\r\n"), end = Units(text);
    const std::string folder = FreshFolder(), path = folder + "\\two words\\メモ 1.txt",
                      named = folder + "\\メモ.txt";
    fs::create_directory(fs::path(Wide(folder + "\\two words")));
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(text)));
    App app(folder);
    // Unquoted, the command line is one name all the same.
    ASSERT_TRUE(app.Start(path));
    EXPECT_EQ(app.Panel(1), path);

    // Each shortcut on the selection set first: the text and clipboard after.
    const std::tuple<Selection, WORD, std::string, std::string> steps[] = {
        {{at, at + 3}, 'X', first + "\r\nabc りんご\r\nりんご りんご りんご\r\n半角ｶﾀｶﾅ①\r\n", "abc"},
        {{0, 0}, 'Z', text, "abc"},
        {{at + 7, at + 10}, 'C', text, "りんご"},
        {{end, end}, 'V', text + "りんご", "りんご"},
        {{0, 0}, 'Z', text, "りんご"},
    };
    for (const auto& [selection, key, after, clipboard] : steps) {
        ASSERT_TRUE(app.Select(selection.first, selection.second));
        EXPECT_AFTER(app.Key(key, Ctrl), app.Text() + "|" + ClipboardText(), after + "|" + clipboard);
    }

    // F3 before any search opens Find, ownerless. Typed into, Enter searches from the caret and leaves the
    // focus in the field; Esc closes the dialog, and F3 goes on.
    ASSERT_TRUE(app.Select(at, at));
    HWND find = app.Opens([&] { app.Key(VK_F3); }, [&] { return app.Dialog("検索"); });
    const HWND findText = GetDlgItem(find, IDC_FIND_TEXT);
    ASSERT_TRUE(findText && !GetWindow(find, GW_OWNER));
    EXPECT_AFTER(app.Type("bc", findText), TextOf(findText), "bc");
    EXPECT_AFTER(PressKey(VK_RETURN), SelectionOf(app.Editor()), Selection(at + 1, at + 3));
    EXPECT_EQ(FocusOf(find), findText);
    EXPECT_AFTER(PressKey(VK_ESCAPE), IsWindow(find) != FALSE, false);
    EXPECT_AFTER(app.Key(VK_F3), SelectionOf(app.Editor()), Selection(at + 4, at + 6));

    // Find (for the selection) beside Replace: while Replace all shows its count, neither takes input; Enter
    // closes the box and Replace with it, and Find takes input again.
    ASSERT_TRUE(app.Select(at + 3, at + 6));
    find = app.Opens([&] { app.Key('F', Ctrl); }, [&] { return app.Dialog("検索"); });
    const HWND replace = app.Opens([&] { app.Key('R', Ctrl); }, [&] { return app.Dialog("置換"); });
    ASSERT_TRUE(find && replace && SetText(GetDlgItem(replace, IDC_FIND_TEXT), "りんご") &&
                SetText(GetDlgItem(replace, IDC_SUBST_TEXT), "林檎"));
    const std::string kept = "クリップボードの文字列";
    ASSERT_TRUE(SetClipboardText(kept));
    const HWND box =
        app.Opens([&] { Click(replace, IDC_ALL_SUBST); }, [&] { return MessageBoxOf(app.Pid()); });
    EXPECT_FALSE(IsWindowEnabled(find) || IsWindowEnabled(replace));
    ASSERT_TRUE(box && BringToForeground(box));
    EXPECT_AFTER(PressKey(VK_RETURN), IsWindow(replace) != FALSE, false);
    const std::string edited = first + "\r\nabcabc 林檎\r\n林檎 林檎 林檎\r\n半角ｶﾀｶﾅ①\r\n";  // saved below
    EXPECT_EQ(WaitFor([&] { return IsWindowEnabled(find) != FALSE; }, true), true);
    ASSERT_TRUE(app.Select(0, 0));
    EXPECT_AFTER(Click(find, IDOK), SelectionOf(app.Editor()), Selection(at, at + 3));

    // Go to line under word wrap: lines are counted by their breaks, not on the screen; the dialog goes.
    const HWND wrapping = app.Editor(false);
    EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
    const HWND go = app.Opens([&] { app.Key('G', Ctrl); }, [&] { return app.Dialog("行へ移動"); });
    ASSERT_TRUE(go && SetText(GetDlgItem(go, IDC_LINE), "2"));
    EXPECT_AFTER(Click(go, IDOK), SelectionOf(wrapping), Selection(at, at));
    EXPECT_EQ(WaitFor([&] { return IsWindow(go) != FALSE; }, false), false);

    // Saved as shown, with no copy left beside the file.
    EXPECT_AFTER(app.Command(menu::FileSave), ReadFileBytes(path), AnsiBytes(edited));
    EXPECT_EQ(NamesBeside(path), std::vector<std::string>{"メモ 1.txt"});
    // F5 puts the time and date (the day's, had it turned meanwhile) at the caret; neither it nor Replace all
    // went through the user's clipboard.
    ASSERT_TRUE(app.Select(Units(edited), Units(edited)));
    const auto date = [] {
        wchar_t date[64] = {};
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 64);
        return " " + Utf8(date);
    };
    const std::string day = date();
    EXPECT_AFTER(
        app.Key(VK_F5),
        app.Text().starts_with(edited) && (app.Text().ends_with(day) || app.Text().ends_with(date())), true);
    EXPECT_EQ(ClipboardText(), kept);

    // A long document: the pointer, left over the status bar (where the view going and coming back changes
    // nothing), is busy while a conversion runs and the normal one again once the text is in. Then a change
    // at its end alone: the whole reads converted, the caret stays, one Undo brings the typed text back.
    constexpr scribbit::MenuItem ToUpperCase{scribbit::Menu::Change, 2};
    std::string lower, upper;
    for (int i = 0; i < 25000; ++i) lower += "abc def ghi\r\n", upper += "ABC DEF GHI\r\n";
    const long long longEnd = Units(lower);
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

    // Opened, the time and date not saved, with the read-only box ticked: both views are locked, typed keys
    // change nothing (as Select all after them shows), no "(変更)" comes, and no question before the next
    // file.
    EXPECT_TRUE(app.ChooseFile([&] { app.Answer([&] { app.Key('O', Ctrl); }, IDNO); }, path, true));
    EXPECT_EQ(WaitFor([&] { return app.Panel(1); }, path + "(読込み専用)"), path + "(読込み専用)");
    EXPECT_TRUE(ReadOnlyViews(app));
    app.Type("x"), app.Key(VK_DELETE), app.Key('V', Ctrl);
    EXPECT_AFTER(app.Key('A', Ctrl), SelectionOf(app.Editor()), Selection(0, Units(edited)));
    EXPECT_EQ(app.Text() + app.Panel(1), edited + path + "(読込み専用)");
    // After a cancelled open dialog, a dropped file opens unlocked.
    EXPECT_TRUE(app.ChooseFile([&] { app.Command(menu::FileOpen); }, ""));
    EXPECT_AFTER(Drop(app, path), app.Panel(1), path);
    EXPECT_FALSE(ReadOnlyViews(app));
    // A new document; Exit, and Yes asks for a name: saved there, the program ends.
    EXPECT_AFTER(app.Key('N', Ctrl), app.Text(), "");
    EXPECT_AFTER(app.Type("メモ"), app.Text(), "メモ");
    EXPECT_TRUE(app.ChooseFile([&] { app.Answer([&] { app.Command(menu::FileExit); }, IDYES); }, named));
    EXPECT_TRUE(app.process.WaitForExit(WaitMs));
    EXPECT_EQ(ReadFileBytes(named), AnsiBytes("メモ"));

    // NUL bytes: the warning comes over the shown window, which holds the file.
    ASSERT_TRUE(WriteFileBytes(folder + "\\zeros.txt", std::string("a\0b", 3)));
    App warned(folder);
    ASSERT_TRUE(warned.Start(folder + "\\zeros.txt", false) &&
                PollUntil([&] { return MessageBoxOf(warned.Pid()) != nullptr; }));
    EXPECT_TRUE(warned.process.WaitForMainWindow(0) && TextOf(warned.Main()) == "zeros.txt");
    EXPECT_NE(warned.Answer(nullptr), "");
    EXPECT_TRUE(warned.Exit());
}

// Saves onto a read-only file, into a folder deleted after the open, onto a file another program holds open
// without sharing, and onto a full disk (a Wine drive on a small filesystem that run-tests.sh mounts, the
// file more than half its room: the copy does not fit beside it). Each is told, the document stays shown and
// modified, nothing is left beside the file, and once mended the file is as it was.
TEST(Session, SavesOntoFailingDisksLoseNothing) {
    const std::string folder = FreshFolder(), sample = AnsiBytes("日本語のテキスト\r\nASCII line\r\n");
    const std::string readOnly = folder + "\\読み取り専用.txt", gone = folder + "\\消える",
                      held = folder + "\\held.txt";
    const auto attributes = [&](DWORD value) {
        return [&, value] { SetFileAttributesW(Wide(readOnly).c_str(), value); };
    };
    HANDLE holder = INVALID_HANDLE_VALUE;
    const auto hold = [&] {
        holder = CreateFileW(Wide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    struct Case {
        std::string path, bytes;
        std::function<void()> fault, mend;
        bool kept;
    };
    std::vector<Case> cases = {
        {readOnly, sample, attributes(FILE_ATTRIBUTE_READONLY), attributes(FILE_ATTRIBUTE_NORMAL), true},
        {gone + "\\memo.txt", sample, [&] { fs::remove_all(fs::path(Wide(gone))); }, [] {}, false},
        {held, sample, hold, [&] { CloseHandle(holder); }, true},
    };
    wchar_t drive[8] = {};
    ULARGE_INTEGER free{};
    if (GetEnvironmentVariableW(L"SCRIBBIT_E2E_SMALL_DISK", drive, 8)) {
        ASSERT_TRUE(GetDiskFreeSpaceExW((std::wstring(drive) + L"\\").c_str(), &free, nullptr, nullptr));
        ASSERT_LT(free.QuadPart, 1u << 20) << "not a small filesystem";
        std::string large;
        while (large.size() < free.QuadPart * 6 / 10) large += "0123456789 full disk\r\n";
        cases.push_back({Utf8(drive) + "\\memo.txt", large, [] {}, [] {}, true});
    } else {
        std::printf("no small filesystem to fill: the full-disk case is left out\n");
    }
    fs::create_directory(fs::path(Wide(gone)));
    App app(folder);
    ASSERT_TRUE(app.Start());
    // Each row but the first opens its file past the save prompt of the one before.
    const std::function<void()> open = [&] { app.Key('O', Ctrl); },
                                pastPrompt = [&] { app.Answer(open, IDNO); };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.path);
        ASSERT_TRUE(WriteFileBytes(row.path, row.bytes) &&
                    app.ChooseFile(&row == cases.data() ? open : pastPrompt, row.path));
        EXPECT_AFTER(app.Type("x"), app.Panel(1), row.path + "(変更)");
        row.fault();
        const auto names = NamesBeside(row.path);
        EXPECT_EQ(app.Answer([&] { app.Key('S', Ctrl); }), "その他のエラー");
        EXPECT_EQ(app.Panel(1) + "|" + app.Text().substr(0, 1), row.path + "(変更)|x");
        EXPECT_EQ(NamesBeside(row.path), names);
        row.mend();
        EXPECT_EQ(ReadFileBytes(row.path), row.kept ? std::optional(row.bytes) : std::nullopt);
    }
}

}  // namespace
}  // namespace e2e
