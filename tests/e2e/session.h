// One run of the program under test in the test's own folder, and the waits the scenarios make.
#pragma once

#include <gtest/gtest.h>

#include "e2e/probe.h"

namespace e2e {

inline std::string exe, out;  // the ScribbitⅡ.exe under test; where the work folders go

// A fresh, empty folder for the running test.
inline std::string FreshFolder() {
    const std::filesystem::path folder =
        Wide(out + "\\work\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder, ignored);
    return Utf8(folder.wstring());
}

// The text in the ANSI code page; a failed check when it has no code there.
inline std::string AnsiBytes(const std::string& text) {
    const std::wstring wide = Wide(text);
    BOOL lossy = FALSE;
    std::string bytes(wide.size() * 2, '\0');  // at most two bytes a character
    bytes.resize(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wide.size(), bytes.data(),
                                     bytes.size(), nullptr, &lossy));
    EXPECT_FALSE(lossy) << text << " has no code in the ANSI code page";
    return bytes;
}

// UTF-16 units, as the edit control counts positions.
inline long long Units(const std::string& text) {
    return Wide(text).size();
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
    // Starts it; untilReady, waits until start-up is over (it outlasts the window showing) and the view has
    // focus.
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
    std::string Panel(int number) const {
        return StatusText(process.Handle(), StatusBarOf(Main()), number - 1);
    }
    std::string SettingsPath() const { return folder_ + "\\ScribbitⅡ.ini"; }
    // The shown dialog with that caption, or with that control.
    HWND Dialog(const std::string& caption, int control = 0) const {
        for (HWND dialog : ShownDialogs(Pid()))
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
    // Acts (null: done already) and answers the box that comes with button; returns the box's text, or
    // nothing if none came or it stayed.
    std::string Answer(const std::function<void()>& action, int button = IDOK) const {
        const HWND box = action ? Opens(action, [&] { return MessageBoxOf(Pid()); }) : MessageBoxOf(Pid());
        std::string text;
        PollUntil([&] { return !box || !(text = TextOf(GetDlgItem(box, MessageBoxText))).empty(); });
        return box && Click(box, button) && PollUntil([&] { return !IsWindowVisible(box); }) ? text : "";
    }
    // Acts, then fills in the open or save dialog that comes up (ticking its read-only box chx1 if asked) and
    // clicks OK (Cancel for no path); true when the dialog went away. The name box: the edit in cmb13.
    bool ChooseFile(const std::function<void()>& action, const std::string& path,
                    bool readOnly = false) const {
        const HWND dialog = Opens(action, [&] { return Dialog("", 0x47C); });
        const std::vector<HWND> nameBox = Descendants(GetDlgItem(dialog, 0x47C), L"Edit");
        if (readOnly) Send(GetDlgItem(dialog, 0x410), BM_SETCHECK, BST_CHECKED);
        return dialog && (path.empty() || (!nameBox.empty() && SetText(nameBox[0], path))) &&
               Click(dialog, path.empty() ? IDCANCEL : IDOK) &&
               PollUntil([&] { return !IsWindowVisible(dialog); });
    }

private:
    std::string folder_;
};

}  // namespace e2e

// Acts, then waits until `actual` reads `expected`; reading so before would make the wait prove nothing.
#define EXPECT_AFTER(action, actual, expected)                                 \
    do {                                                                       \
        const auto e2eWant = (expected);                                       \
        EXPECT_NE((actual), e2eWant) << "so before the action: " #action;      \
        action;                                                                \
        EXPECT_EQ(::e2e::WaitFor([&] { return (actual); }, e2eWant), e2eWant); \
    } while (false)
