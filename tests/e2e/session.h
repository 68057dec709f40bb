// One run of the program under test in the test's own folder, and the waits
// the scenarios make: each waits for what an action produces.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/probe.h"

namespace e2e {

inline std::string exe, out;  // the ScribbitⅡ.exe under test; where work folders and screenshots go

inline std::string TestName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// A fresh, empty folder for the running test.
inline std::string FreshFolder() {
    const std::filesystem::path folder = Wide(out + "\\work\\" + TestName());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
    return Utf8(folder.wstring());
}

// A path on Z: (the Linux root) as a Linux program takes it, quoted.
inline std::string UnixPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return "\"" + path.substr(2) + "\"";
}

// Starts a Linux program; Wine gives no handle to wait on.
inline bool RunLinux(const std::string& program, const std::string& arguments) {
    std::wstring line = Wide(program + " " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const bool started = CreateProcessW(Wide("Z:" + program).c_str(), line.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &info);
    if (started) CloseHandle(info.hThread), CloseHandle(info.hProcess);
    return started;
}

// The text in the ANSI code page; a failed check when it has no code there.
inline std::string AnsiBytes(const std::string& text) {
    const std::wstring wide = Wide(text);
    BOOL lossy = FALSE;
    std::string bytes(wide.size() * 2, '\0');  // at most two bytes a character
    bytes.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                            bytes.data(), static_cast<int>(bytes.size()), nullptr, &lossy)));
    EXPECT_FALSE(lossy) << text << " has no code in the ANSI code page";
    return bytes;
}

// UTF-16 units, as the edit control counts positions.
inline long long Units(const std::string& text) {
    return static_cast<long long>(Wide(text).size());
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
    // A copy of the program and its read-me (which the Help menu opens) in
    // folder, so that its settings file is the test's.
    explicit App(const std::string& folder) : folder_(folder) {
        const std::filesystem::path program = Wide(exe);
        for (const std::filesystem::path name : {program.filename().wstring(), std::wstring(L"Readme.txt")})
            EXPECT_TRUE(CopyFileW(std::filesystem::path(program).replace_filename(name).c_str(),
                                  (std::filesystem::path(Wide(folder)) / name).c_str(), FALSE))
                << Utf8(name.wstring());
    }
    // Starts it and (untilReady) waits until start-up is over, which goes on
    // after the window is shown, and the edit view has the focus.
    bool Start(const std::string& arguments = "", bool untilReady = true) {
        return process.Start(folder_ + "\\ScribbitⅡ.exe", arguments, folder_) &&
               (!untilReady || (process.WaitForMainWindow() &&
                                WaitForInputIdle(process.Handle(), WaitMs) == 0 && ReadyForKeys(Editor())));
    }

    Process process;
    DWORD Pid() const { return process.Id(); }
    HWND Main() const { return process.MainWindow(); }
    HWND Editor(bool shown = true) const { return ActiveEditor(Main(), shown); }
    std::string Text() const { return TextOf(Editor()); }
    std::string Caption() const { return TextOf(Main()); }
    std::string Panel(int number) const {
        return StatusText(process.Handle(), StatusBarOf(Main()), number - 1);
    }
    std::string SettingsPath() const { return folder_ + "\\ScribbitⅡ.ini"; }
    std::optional<std::string> Settings() const { return ReadFileBytes(SettingsPath()); }
    HWND Dialog(const std::string& caption) const {
        for (HWND dialog : ShownDialogs(Pid()))
            if (TextOf(dialog) == caption) return dialog;
        return nullptr;
    }
    bool Select(long long start, long long end) const {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(Editor(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end),
                                   SMTO_ABORTIFHUNG, WaitMs, &ignored) != 0;
    }

    bool Command(scribbit::MenuItem item) const { return PostCommand(Main(), item); }
    // A command sent, for those that open no modal window: when this
    // returns, the program has carried it out.
    bool Run(scribbit::MenuItem item) const {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutW(Main(), WM_COMMAND, scribbit::CommandId(item), 0, SMTO_NORMAL, WaitMs,
                                   &ignored);
    }
    // Real keys for a control (the shown edit view unless one is given): it
    // comes forward with the focus first.
    bool ReadyForKeys(HWND control) const {
        return BringToForeground(control) && PollUntil([&] { return FocusOf(control) == control; });
    }
    bool Key(WORD virtualKey, Modifier modifier = NoModifier) const {
        return ReadyForKeys(Editor()) && PressKey(virtualKey, modifier);
    }
    bool Type(const std::string& text, HWND control = nullptr) const {
        return ReadyForKeys(control ? control : Editor()) && TypeText(text);
    }

    // Acts, then waits for the window find finds; none may be found before.
    HWND Opens(const std::function<void()>& action, const std::function<HWND()>& find) const {
        if (find()) return nullptr;
        action();
        HWND found = nullptr;
        PollUntil([&] { return (found = find()) != nullptr; });
        return found;
    }
    // Acts (null: already done), then answers the message box that comes up
    // with button; false when one was up before, none came or it stayed.
    bool Answer(const std::function<void()>& action, int button = IDOK) const {
        const HWND box = action ? Opens(action, [&] { return MessageBoxOf(Pid()); }) : MessageBoxOf(Pid());
        return box && Click(box, button) && PollUntil([&] { return !IsWindowVisible(box); });
    }
    // Acts, then fills in the open or save dialog that comes up (ticking its
    // read-only box if asked) and clicks OK (Cancel for no path); true when
    // the dialog went away.
    bool ChooseFile(const std::function<void()>& action, const std::string& path,
                    bool readOnly = false) const {
        // The file-name box: the edit in the combo box cmb13 of dlgs.h.
        const auto nameBox = [](HWND dialog) { return FirstOf(ItemOf(dialog, 0x47C), L"Edit"); };
        const HWND dialog = Opens(action, [&] {
            for (HWND shown : ShownDialogs(Pid()))
                if (nameBox(shown)) return shown;
            return HWND{};
        });
        if (readOnly) Send(ItemOf(dialog, 0x410), BM_SETCHECK, BST_CHECKED);  // chx1
        return dialog && (path.empty() || SetText(nameBox(dialog), path)) &&
               Click(dialog, path.empty() ? IDCANCEL : IDOK) &&
               PollUntil([&] { return !IsWindowVisible(dialog); });
    }
    // File > Exit, answering the save prompt with button when there is one.
    bool Exit(int button = 0) const {
        const auto exit = [&] { Command(scribbit::menu::FileExit); };
        return (button ? Answer(exit, button) : Command(scribbit::menu::FileExit)) &&
               process.WaitForExit(WaitMs);
    }

private:
    std::string folder_;
};

}  // namespace e2e

// Acts, then waits until `actual` reads `expected`. It must not read so
// before: a wait that the old state already passes proves nothing.
#define EXPECT_AFTER(action, actual, expected)                                 \
    do {                                                                       \
        const auto e2eWant = (expected);                                       \
        EXPECT_NE((actual), e2eWant) << "so before the action: " #action;      \
        action;                                                                \
        EXPECT_EQ(::e2e::WaitFor([&] { return (actual); }, e2eWant), e2eWant); \
    } while (false)
