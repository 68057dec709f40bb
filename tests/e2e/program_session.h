// One run of the program under test inside a test's own folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/commands.h"
#include "e2e/app_process.h"
#include "e2e/e2e_harness.h"

namespace e2e {

inline constexpr wchar_t ProgramTitle[] = L"ScribbitⅡ";
inline constexpr wchar_t SettingsFile[] = L"ScribbitⅡ.ini";
// Generous for a cold Wine start on a busy two-core machine.
inline constexpr DWORD StartTimeoutMs = 30000;
inline constexpr DWORD ExitTimeoutMs = 15000;
inline constexpr DWORD DialogTimeoutMs = 10000;

class ProgramSession {
public:
    // Installs a copy of the program in the test's folder.
    explicit ProgramSession(TestContext& t);

    // Starts it with the given command-line text and waits for its main
    // window; a failure is reported as a failed check.
    bool Launch(const std::wstring& arguments = {});
    // Only starts it, for tests that meet a dialog before the main window.
    bool StartOnly(const std::wstring& arguments = {});

    HWND Main() const { return process_.MainWindow(); }
    AppProcess& Process() { return process_; }
    const std::wstring& ExePath() const { return exePath_; }
    std::wstring SettingsPath() const { return t_.PathInFolder(SettingsFile); }

    void Command(scribbit::MenuItem item) const;
    // Status panel n, numbered from 1 as the user counts them.
    std::optional<std::wstring> Panel(int number);
    std::wstring Caption() const;
    std::wstring EditorText() const;
    // Waits until the caption reads the given text; returns the last caption seen.
    std::wstring WaitForCaption(const std::wstring& expected, DWORD timeoutMs = DialogTimeoutMs) const;
    // Waits until the panel reads the given text; returns the last text seen.
    std::wstring WaitForPanel(int number, const std::wstring& expected, DWORD timeoutMs = DialogTimeoutMs);
    // File > Exit; true when the process ended in time.
    bool ExitViaMenu();
    // File > Exit on a modified document, answering No to the save prompt;
    // true when the process ended in time.
    bool ExitDiscardingChanges();

private:
    TestContext& t_;
    std::wstring exePath_;
    AppProcess process_;
};

}  // namespace e2e
