#include "e2e/session.h"

#include <filesystem>

namespace e2e {

namespace {

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

bool Gone(HWND window) { return PollUntil([&] { return !IsWindowVisible(window); }); }

// The file-name box of the open and save dialogs; null in any other dialog.
HWND FileNameBox(HWND dialog) {
    // The Explorer-style dialog's file-name combo box holds an edit; the
    // older dialog has the edit alone (dlgs.h: cmb13, edt1).
    if (HWND combo = ItemOf(dialog, 0x47C)) {
        const HWND edit = FirstOf(combo, L"Edit");
        return edit ? edit : combo;
    }
    return ItemOf(dialog, 0x480);
}

// The edit view of the main window comes forward with the focus.
bool ReadyForKeys(const App& app) {
    return BringToForeground(app.Main()) && PollUntil([&] { return FocusOf(app.Main()) == app.Editor(); });
}

}  // namespace

std::string FreshFolder() {
    const std::filesystem::path folder = Wide(Options().out + "\\work\\" + TestName());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
    return Utf8(folder.wstring());
}

void Screenshot(const std::string& label) {
    const std::string folder = Options().out + "\\screenshots";
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(Wide(folder)), ignored);
    if (!SaveScreenBitmap(folder + "\\" + TestName() + "-" + label + ".bmp")) std::printf("no screenshot %s\n", label.c_str());
}

std::string AnsiBytes(const std::string& text) {
    const auto bytes = Ansi(text);
    EXPECT_TRUE(bytes.has_value()) << text << " has no code in the ANSI code page";
    return bytes.value_or("");
}

long long Units(const std::string& text) { return static_cast<long long>(Wide(text).size()); }

App::App(const std::string& folder) : folder_(folder), exe_(folder + "\\ScribbitⅡ.exe") {
    EXPECT_TRUE(CopyFileW(Wide(Options().exe).c_str(), Wide(exe_).c_str(), FALSE)) << "copying " << Options().exe;
    // The read-me is built beside the program, and the Help menu opens it there.
    const std::filesystem::path readme = std::filesystem::path(Wide(Options().exe)).replace_filename(L"Readme.txt");
    EXPECT_TRUE(CopyFileW(readme.c_str(), Wide(folder + "\\Readme.txt").c_str(), FALSE)) << "copying the read-me";
}

bool App::StartOnly(const std::string& arguments) { return process.Start(exe_, arguments, folder_); }

bool App::Start(const std::string& arguments) {
    // Start-up goes on after the window is shown (always on top shows it
    // early): it is over once the program waits for input.
    return StartOnly(arguments) && process.WaitForMainWindow() && WaitForInputIdle(process.Handle(), WaitMs) == 0 &&
           ReadyForKeys(*this);
}

std::string App::Panel(int number) const { return StatusText(process.Handle(), StatusBarOf(Main()), number - 1); }

RECT App::ButtonRect(int index) const {
    const HWND tools = ToolBarOf(Main());
    RemoteBuffer buffer(process.Handle(), sizeof(RECT));
    RECT rect{};
    Send(tools, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At()));
    buffer.Read(&rect, sizeof rect);
    MapWindowPoints(tools, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool App::Run(scribbit::MenuItem item) const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(Main(), WM_COMMAND, scribbit::CommandId(item), 0, SMTO_NORMAL, WaitMs, &ignored) != 0;
}

bool App::Key(WORD virtualKey, Modifiers modifiers) const { return ReadyForKeys(*this) && PressKey(virtualKey, modifiers); }

bool App::Type(const std::string& text) const { return ReadyForKeys(*this) && TypeText(text); }

bool App::Answer(const std::function<void()>& action, int button) const {
    HWND box = action ? MessageBoxOf(Pid()) : nullptr;
    if (box) return false;  // one was up before the action
    if (action) action();
    return PollUntil([&] { return (box = MessageBoxOf(Pid())) != nullptr; }) && Click(box, button) && Gone(box);
}

HWND App::Opens(const std::function<void()>& action, const std::function<HWND()>& find) const {
    if (find()) return nullptr;  // it was there before the action
    action();
    HWND found = nullptr;
    PollUntil([&] { return (found = find()) != nullptr; });
    return found;
}

bool App::ChooseFile(const std::function<void()>& action, const std::string& path, bool readOnly,
                     const std::string& screenshot) const {
    const HWND dialog = Opens(action, [&] {
        for (HWND shown : ShownDialogs(Pid())) {
            if (FileNameBox(shown)) return shown;
        }
        return HWND{};
    });
    if (!dialog) return false;
    if (readOnly) Send(GetDlgItem(dialog, 0x410), BM_SETCHECK, BST_CHECKED);  // dlgs.h chx1
    if (!path.empty() && !SetText(FileNameBox(dialog), path)) return false;
    if (!screenshot.empty()) Screenshot(screenshot);
    return Click(dialog, path.empty() ? IDCANCEL : IDOK) && Gone(dialog);
}

bool App::Exit(int button) const {
    const auto exit = [&] { Command(scribbit::menu::FileExit); };
    return (button ? Answer(exit, button) : Command(scribbit::menu::FileExit)) && process.WaitForExit(WaitMs);
}

}  // namespace e2e
