// Starting the program under test, reading its windows, and driving them as a user's actions reach them.
// Shared by the end-to-end driver and the Wine benchmarks. Texts are UTF-8.
#pragma once

#include <windows.h>
// The common controls' header needs the types of windows.h.
#include <commctrl.h>

#include <array>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/commands.h"

namespace e2e {

// Waits generous for a cold Wine start on a busy two-core machine; the text of a message box.
inline constexpr DWORD WaitMs = 15000, MessageTimeoutMs = 5000, MessageBoxText = 0xFFFF;

// Each UTF-16 unit takes at most three bytes of UTF-8, each byte at most one unit.
inline std::string Utf8(const std::wstring& text) {
    std::string result(text.size() * 3, '\0');
    result.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), text.size(), result.data(), result.size(),
                                      nullptr, nullptr));
    return result;
}
inline std::wstring Wide(const std::string& text) {
    std::wstring result(text.size(), L'\0');
    result.resize(MultiByteToWideChar(CP_UTF8, 0, text.data(), text.size(), result.data(), result.size()));
    return result;
}

// Polls until the condition holds or the time is up; never a fixed sleep where a state can be asked.
inline bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs = WaitMs,
                      DWORD intervalMs = 15) {
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; !condition(); Sleep(intervalMs))
        if (GetTickCount64() >= deadline) return condition();
    return true;
}

inline bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    return GetClassNameW(window, name, 64) && lstrcmpiW(name, className) == 0;
}

// Enumeration callbacks are named functions: a lambda has the wrong calling convention on i686.
inline BOOL CALLBACK Collect(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// Every window below parent (every top-level one for none), of the class when one is given.
inline std::vector<HWND> Descendants(HWND parent, const wchar_t* className = nullptr) {
    std::vector<HWND> windows;
    parent ? EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&windows))
           : EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [&](HWND window) { return className && !IsClass(window, className); });
    return windows;
}

// The shown top-level windows of a process, dialogs (#32770) only when asked.
inline std::vector<HWND> ShownWindows(DWORD processId, bool dialogs = false) {
    std::vector<HWND> windows = Descendants(nullptr, dialogs ? L"#32770" : nullptr);
    std::erase_if(windows, [&](HWND window) {
        DWORD owner = 0;
        return !GetWindowThreadProcessId(window, &owner) || owner != processId || !IsWindowVisible(window);
    });
    return windows;
}

// A child process, killed by a watchdog when its lifetime is up (a hung program must not hang the run).
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (watchdog_) DeleteTimerQueueTimer(nullptr, watchdog_, INVALID_HANDLE_VALUE);
        Kill();
        if (info_.hProcess) CloseHandle(info_.hProcess), CloseHandle(info_.hThread);
    }
    bool Start(const std::string& exe, const std::string& arguments, const std::string& folder,
               DWORD lifetimeMs = 240000) {
        std::wstring line = L"\"" + Wide(exe) + L"\"" + (arguments.empty() ? L"" : L" " + Wide(arguments));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(Wide(exe).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : Wide(folder).c_str(), &startup, &info_))
            info_ = {};
        return info_.hProcess && CreateTimerQueueTimer(&watchdog_, nullptr, &Expire, info_.hProcess,
                                                       lifetimeMs, 0, WT_EXECUTEONLYONCE);
    }
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool WaitForExit(DWORD timeoutMs) const {
        return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    void Kill() {
        if (info_.hProcess && !WaitForExit(0) && TerminateProcess(info_.hProcess, 0xDEAD)) WaitForExit(5000);
    }
    // The main window: shown, top-level, unowned, captioned, not a dialog.
    HWND WaitForMainWindow(DWORD timeoutMs = WaitMs) {
        PollUntil(
            [&] {
                for (HWND window : ShownWindows(Id()))
                    if (!GetWindow(window, GW_OWNER) && !IsClass(window, L"#32770") &&
                        (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
                        main_ = window;
                return main_ || WaitForExit(0);
            },
            timeoutMs);
        return main_;
    }
    HWND MainWindow() const { return main_; }

private:
    static void CALLBACK Expire(void* process, BOOLEAN) { TerminateProcess(process, 0xDEAD); }
    PROCESS_INFORMATION info_{};
    HANDLE watchdog_ = nullptr;
    HWND main_ = nullptr;
};

// SendMessageTimeoutW: a hung program fails a check instead of the driver.
inline LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;  // stays 0 when the message could not be sent
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result);
    return result;
}

// Sends message with a pointer to a copy of data made inside the process, for messages whose pointers are not
// carried across; returns the copy as the program left it. A dropped file list travels as wParam.
template <class T>
T SendRemote(HANDLE process, HWND window, UINT message, WPARAM wParam, T data) {
    void* remote = VirtualAllocEx(process, nullptr, sizeof data, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote && WriteProcessMemory(process, remote, &data, sizeof data, nullptr)) {
        Send(window, message, message == WM_DROPFILES ? reinterpret_cast<WPARAM>(remote) : wParam,
             reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &data, sizeof data, nullptr);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return data;
}

// WM_GETTEXT reaches other processes' controls; a text that fills the buffer may have grown, so ask again.
inline std::string TextOf(HWND window) {
    for (std::size_t room = Send(window, WM_GETTEXTLENGTH) + 64;; room *= 2) {
        std::wstring text(room, L'\0');
        const std::size_t copied = Send(window, WM_GETTEXT, room, reinterpret_cast<LPARAM>(text.data()));
        if (copied + 1 < room) return Utf8(text.substr(0, copied));
    }
}

inline bool SetText(HWND window, const std::string& text) {
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str())) != 0;
}

// The main window's shown edit view, or its hidden one; not the edit boxes of its bars.
inline HWND ActiveEditor(HWND mainWindow, bool shown = true) {
    for (HWND editor : Descendants(mainWindow, L"Edit"))
        if (GetParent(editor) == mainWindow && (IsWindowVisible(editor) != FALSE) == shown) return editor;
    return nullptr;
}

inline HWND StatusBarOf(HWND mainWindow) {
    return FindWindowExW(mainWindow, nullptr, STATUSCLASSNAMEW, nullptr);
}

// Status panel `part` (0-based); no panel holds a text too long for the copy.
inline std::string StatusText(HANDLE process, HWND statusBar, int part) {
    using Text = std::array<wchar_t, 4096>;
    if (LOWORD(Send(statusBar, SB_GETTEXTLENGTHW, part)) >= Text().size()) return "<too long>";
    return Utf8(SendRemote(process, statusBar, SB_GETTEXTW, part, Text{}).data());
}

// A menu command, posted as a click on its item: a sent one would wait for the modal window it opens.
inline bool PostCommand(HWND mainWindow, scribbit::MenuItem item) {
    return PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(scribbit::CommandId(item), 0), 0) != FALSE;
}

// A dialog with the static text 0xFFFF.
inline HWND MessageBoxOf(DWORD processId) {
    for (HWND dialog : ShownWindows(processId, true))
        if (GetDlgItem(dialog, MessageBoxText)) return dialog;
    return nullptr;
}

// A posted BM_CLICK: IDOK, IDCANCEL, IDYES, IDNO or a control's identifier.
inline bool Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

// EM_GETSEL's pointers are carried across processes; its return value holds only 16 bits of each.
using Selection = std::pair<long long, long long>;
inline Selection SelectionOf(HWND edit) {
    DWORD start = 0, end = 0;
    if (!edit) return {-1, -1};
    Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// The clipboard's plain text, "<none>" when it holds none. Another process (the program, or Wine's clipboard
// manager) may hold the clipboard for a moment.
inline std::string ClipboardText() {
    if (!PollUntil([] { return OpenClipboard(nullptr) != FALSE; }, MessageTimeoutMs, 10))
        return "<clipboard held>";
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    const std::string text =
        chars ? Utf8({chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t))}) : "<none>";
    if (chars) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

// Real key presses (SendInput) go to the foreground window's focus: bring the target forward first.
inline bool BringToForeground(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    const auto forward = [&] { return GetForegroundWindow() == root || (SetForegroundWindow(root), false); };
    return root && PollUntil(forward, MessageTimeoutMs, 30);
}

// The focus in the thread that owns window.
inline HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// Keys going down then up in reverse order: virtual keys, or (virtualKey 0) characters.
enum Modifier : WORD { NoModifier = 0, Ctrl = VK_CONTROL, Shift = VK_SHIFT };
inline bool SendKeys(const std::vector<std::pair<WORD, wchar_t>>& keys) {
    std::vector<INPUT> inputs(keys.size() * 2);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const auto [virtualKey, character] = keys[i < keys.size() ? i : inputs.size() - 1 - i];
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = virtualKey;
        inputs[i].ki.wScan = virtualKey ? MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC) : character;
        // Without the flag, the navigation block, Insert and Delete arrive as the keypad's.
        const bool extended = (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT ||
                              virtualKey == VK_DELETE;
        inputs[i].ki.dwFlags = (virtualKey ? 0 : KEYEVENTF_UNICODE) |
                               (i < keys.size() ? 0 : KEYEVENTF_KEYUP) |
                               (extended ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    return SendInput(inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// A key, held down with one modifier key when one is given.
inline bool PressKey(WORD virtualKey, Modifier modifier = NoModifier) {
    return modifier ? SendKeys({{modifier, 0}, {virtualKey, 0}}) : SendKeys({{virtualKey, 0}});
}

// Open with every sharing mode: a poll that reads the file must not make the program's replacing of it fail.
inline std::optional<std::string> ReadFileBytes(const std::string& path) {
    const HANDLE file =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    char buffer[4096];
    for (DWORD read = 0; ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read;)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(Wide(path)), std::ios::binary | std::ios::trunc);
    return file.write(bytes.data(), bytes.size()) && file.flush();
}

}  // namespace e2e
