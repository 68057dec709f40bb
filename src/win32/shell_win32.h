// The Shell port on Win32: the module's own path, CreateProcess,
// ShellExecute and the help viewer.
#pragma once

#include <windows.h>

#include "platform/shell.h"

namespace scribbit {

// The full path of the running program's file; empty when the system
// cannot tell.
std::u16string RunningExecutablePath();

class ShellWin32 final : public Shell {
public:
    // The main window owns the help viewer.
    void SetOwner(HWND owner) { owner_ = owner; }

    std::u16string ExecutablePath() const override;
    std::u16string CurrentDirectory() const override;
    bool StartProcess(const std::u16string& commandLine) override;
    void OpenWithShell(const std::u16string& target, const std::u16string& directory) override;
    void ShowHelpKeywordSearch(const std::u16string& helpFile) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace scribbit
