// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include <cstring>
#include <thread>

#include "win32/adapter_test.h"
#include "win32/main_window_win32.h"
#include "win32/test_window.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

std::u16string FreshFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static unsigned counter = 0;
    std::u16string folder = FromWide(temp) + u"scribbit-shell-";
    for (DWORD n = GetTickCount() * 16 + counter++; n; n /= 10)
        folder += static_cast<char16_t>(u'0' + n % 10);
    CreateDirectoryW(Wide(folder), nullptr);
    return folder;
}

HWND VisibleEdit(HWND main) {
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Edit") == 0 && (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE))
            return child;
    }
    return nullptr;
}

std::u16string FirstPanel(HWND main) {
    HWND bar = FindWindowExW(main, nullptr, STATUSCLASSNAMEW, nullptr);
    wchar_t text[256] = {};
    if (bar) SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return FromWide(text);
}

// The shell with the real logic: a change typed into the edit view reaches
// the logic, and closing the window asks first, then ends the program.
ADAPTER_TEST(MainWindowForwardsEditsAndCloses) {
    static const bool registered = MainWindow::RegisterClass(GetModuleHandleW(nullptr));
    EXPECT_TRUE(registered);
    const std::u16string folder = FreshFolder();
    MainWindow window(GetModuleHandleW(nullptr));
    EXPECT_TRUE(window.Create(folder));
    window.Load(u"", SW_SHOWNOACTIVATE);
    HWND main = window.Handle();
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_EQ(WindowText(main), std::u16string(u"ScribbitⅡ"));
    EXPECT_EQ(GetMenuItemCount(GetMenu(main)), 5);

    HWND edit = VisibleEdit(main);
    EXPECT_TRUE(edit != nullptr);
    if (edit) SendMessageW(edit, WM_CHAR, L'あ', 1);
    EXPECT_EQ(FirstPanel(main), std::u16string(u"(変更)"));

    // Closing a modified document asks; "No" ends the program.
    bool asked = false;
    std::thread answerer([&] {
        for (int attempt = 0; attempt < 200 && !asked; ++attempt) {
            HWND box = nullptr;
            while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
                if (GetWindow(box, GW_OWNER) == main && IsWindowVisible(box)) {
                    asked = true;
                    Sleep(50);
                    SendMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
                    break;
                }
            }
            Sleep(25);
        }
    });
    SendMessageW(main, WM_CLOSE, 0, 0);
    answerer.join();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(!IsWindow(main));
    const std::u16string settings = folder + u"\\ScribbitⅡ.ini";
    EXPECT_TRUE(GetFileAttributesW(Wide(settings)) != INVALID_FILE_ATTRIBUTES);
    MSG message{};
    bool quitPosted = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        quitPosted = quitPosted || message.message == WM_QUIT;
    EXPECT_TRUE(quitPosted);
    DeleteFileW(Wide(settings));
    RemoveDirectoryW(Wide(folder));
}

// A drop message as the shell builds it: a DROPFILES header and a
// double-NUL-terminated list of wide names.
HGLOBAL MakeDrop(const std::vector<std::u16string>& files) {
    std::u16string list;
    for (const std::u16string& file : files) list += file + u'\0';
    list += u'\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() * 2);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * 2);
    GlobalUnlock(memory);
    return memory;
}

ADAPTER_TEST(FilesDroppedOnTheEditViewOpenTheFirst) {
    static const bool registered = MainWindow::RegisterClass(GetModuleHandleW(nullptr));
    (void)registered;
    const std::u16string folder = FreshFolder();
    const std::u16string first = folder + u"\\ドロップ.txt";
    const std::u16string second = folder + u"\\other.txt";
    for (const std::u16string& path : {first, second}) {
        HANDLE file = CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file,
                  "\x82\xA0"
                  "abc",
                  5, &written, nullptr);
        CloseHandle(file);
    }
    MainWindow window(GetModuleHandleW(nullptr));
    EXPECT_TRUE(window.Create(folder));
    window.Load(u"", SW_SHOWNOACTIVATE);
    HWND main = window.Handle();
    HWND edit = VisibleEdit(main);
    EXPECT_TRUE(edit != nullptr);
    if (edit) SendMessageW(edit, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first, second})), 0);
    EXPECT_EQ(WindowText(main), std::u16string(u"ドロップ.txt"));
    if (edit) EXPECT_EQ(WindowText(edit), std::u16string(u"あabc"));
    EXPECT_EQ(FirstPanel(main), first);

    SendMessageW(main, WM_CLOSE, 0, 0);  // unmodified: no question asked
    EXPECT_TRUE(!IsWindow(main));
    adapter_test::PumpMessages();
    for (const std::u16string& path : {first, second, folder + u"\\ScribbitⅡ.ini"}) DeleteFileW(Wide(path));
    RemoveDirectoryW(Wide(folder));
}

}  // namespace
}  // namespace scribbit
