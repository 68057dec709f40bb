#include "e2e/session.h"

#include <filesystem>

namespace e2e {

namespace {

constexpr DWORD ExitMs = 15000;

std::string TestName() { return ::testing::UnitTest::GetInstance()->current_test_info()->name(); }

bool Gone(HWND window) {
    return PollUntil([&] { return !IsWindowVisible(window); });
}

// The edit view of the main window comes forward with the focus.
bool ReadyForKeys(const App& app) {
    return BringToForeground(app.Main()) && PollUntil([&] { return FocusOf(app.Main()) == app.Editor(); });
}

}  // namespace

DriverOptions& Options() {
    static DriverOptions options;
    return options;
}

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

std::string Clip() { return ClipboardText().value_or("<none>"); }

App::App(const std::string& folder) : folder_(folder), exe_(folder + "\\ScribbitⅡ.exe") {
    EXPECT_TRUE(CopyFileW(Wide(Options().exe).c_str(), Wide(exe_).c_str(), FALSE)) << "copying " << Options().exe;
}

bool App::StartOnly(const std::string& arguments) { return process.Start(exe_, arguments, folder_); }

bool App::Start(const std::string& arguments) {
    // Start-up goes on after the window is shown (always on top shows it
    // early): it is over once the program waits for input.
    return StartOnly(arguments) && process.WaitForMainWindow() && WaitForInputIdle(process.Handle(), WaitMs) == 0 &&
           ReadyForKeys(*this);
}

std::string App::Panel(int number) const { return StatusText(process.Handle(), StatusBarOf(Main()), number - 1); }

bool App::Run(scribbit::MenuItem item) const {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(Main(), WM_COMMAND, scribbit::CommandId(item), 0, SMTO_NORMAL, WaitMs, &ignored) != 0;
}

bool App::Key(WORD virtualKey, Modifiers modifiers) const { return ReadyForKeys(*this) && PressKey(virtualKey, modifiers); }

bool App::Type(const std::string& text) const { return ReadyForKeys(*this) && TypeText(text); }

std::string App::Answer(const std::function<void()>& action, int button) const {
    if (action && MessageBoxOf(Pid())) return "<a message box was up before the action>";
    if (action) action();
    HWND box = nullptr;
    if (!PollUntil([&] { return (box = MessageBoxOf(Pid())) != nullptr; })) return "<no message box>";
    // It may be caught before it has its text.
    std::string text;
    PollUntil([&] { return !(text = TextOf(GetDlgItem(box, MessageBoxText))).empty(); });
    if (!Click(box, button) || !Gone(box)) return "<not answered> " + text;
    return text;
}

HWND App::Opens(const std::function<void()>& action, const std::function<HWND()>& find) const {
    if (find()) {
        ADD_FAILURE() << "the window was there before the action";
        return nullptr;
    }
    action();
    HWND found = nullptr;
    PollUntil([&] { return (found = find()) != nullptr; });
    return found;
}

bool App::ChooseFile(const std::function<void()>& action, const std::string& path, bool readOnly,
                     const std::string& screenshot) const {
    const HWND dialog = Opens(action, [&] { return FileDialogOf(Pid()); });
    if (!dialog) return false;
    if (readOnly) Send(GetDlgItem(dialog, 0x410), BM_SETCHECK, BST_CHECKED);  // dlgs.h chx1
    if (!path.empty() && !SetText(FileNameBox(dialog), path)) return false;
    if (!screenshot.empty()) Screenshot(screenshot);
    return Click(dialog, path.empty() ? IDCANCEL : IDOK) && Gone(dialog);
}

bool App::Exit(int button) const {
    if (button) return Answer([&] { Command(scribbit::menu::FileExit); }, button)[0] != '<' && process.WaitForExit(ExitMs);
    Command(scribbit::menu::FileExit);
    return process.WaitForExit(ExitMs);
}

}  // namespace e2e
