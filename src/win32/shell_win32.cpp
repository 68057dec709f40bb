#include "win32/shell_win32.h"

#include <shellapi.h>

#include "win32/wide_text_win32.h"

namespace scribbit {

std::u16string RunningExecutablePath() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, WideBuffer(path), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // cut off: try a larger buffer
    }
}

std::u16string ShellWin32::ExecutablePath() const {
    return RunningExecutablePath();
}

std::u16string ShellWin32::CurrentDirectory() const {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return {};
    std::u16string directory(size, u'\0');
    const DWORD length = GetCurrentDirectoryW(size, WideBuffer(directory));
    directory.resize(length < size ? length : 0);
    return directory;
}

bool ShellWin32::StartProcess(const std::u16string& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    std::u16string writable = commandLine;  // CreateProcessW may write into it
    if (!CreateProcessW(nullptr, WideBuffer(writable), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void ShellWin32::OpenWithShell(const std::u16string& target, const std::u16string& directory) {
    ShellExecuteW(nullptr, L"open", Wide(target), L"", Wide(directory), SW_SHOWNORMAL);
}

void ShellWin32::ShowHelpKeywordSearch(const std::u16string& helpFile) {
    WinHelpW(owner_, Wide(helpFile), HELP_KEY, reinterpret_cast<ULONG_PTR>(L""));
}

}  // namespace scribbit
