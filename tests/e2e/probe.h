// Starting the program under test and reading and driving its windows
// through window messages and real input, the way a user's actions reach it.
// Shared by the end-to-end driver and the Wine benchmarks. Texts are UTF-8.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/commands.h"

namespace e2e {

// Generous for a cold Wine start on a busy two-core machine.
inline constexpr DWORD WaitMs = 15000;
inline constexpr int MessageBoxText = 0xFFFF;

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& text);
// Polls until the condition holds or the time is up; never a fixed sleep
// where a state can be asked.
bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs = WaitMs, DWORD intervalMs = 15);

// A child process that a watchdog kills when its lifetime is up, so that a
// hung program never hangs the run; the destructor kills it too.
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();
    bool Start(const std::string& exe, const std::string& arguments, const std::string& folder,
               DWORD lifetimeMs = 120000);
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool WaitForExit(DWORD timeoutMs) const;
    void Kill();
    // The main window: shown, top-level, unowned, captioned, not a dialog.
    HWND WaitForMainWindow(DWORD timeoutMs = WaitMs);
    HWND MainWindow() const { return main_; }

private:
    PROCESS_INFORMATION info_{};
    HANDLE watchdog_ = nullptr;
    HWND main_ = nullptr;
};

// SendMessageTimeoutW: a hung program fails a check instead of the driver.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// WM_GETTEXT (GetWindowTextW does not reach another process's controls).
std::string TextOf(HWND window);
bool SetText(HWND window, const std::string& text);
// Every window below parent; className filters (without regard to case).
std::vector<HWND> Descendants(HWND parent, const wchar_t* className = nullptr);

// The main window's parts: its edit views (the shown one, the other), its bars.
std::vector<HWND> Editors(HWND mainWindow);
HWND ActiveEditor(HWND mainWindow);
HWND OtherEditor(HWND mainWindow);
HWND FirstOf(HWND parent, const wchar_t* className);  // the first descendant of the class
inline HWND StatusBarOf(HWND mainWindow) { return FirstOf(mainWindow, STATUSCLASSNAMEW); }
inline HWND ToolBarOf(HWND mainWindow) { return FirstOf(mainWindow, TOOLBARCLASSNAMEW); }

// Memory inside another process, for the messages whose pointers the
// system does not carry across (SB_GETTEXTW, TB_GETBUTTON, TTM_GETTEXTW).
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();
    char* At(std::size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    bool Write(const void* source, std::size_t size, std::size_t offset = 0) const;
    bool Read(void* target, std::size_t size, std::size_t offset = 0) const;

private:
    HANDLE process_;
    void* address_;
};

// Status panel `part` (0-based); "<unreadable>" when it cannot be read.
std::string StatusText(HANDLE process, HWND statusBar, int part);
std::optional<TBBUTTON> ToolbarButton(HANDLE process, HWND toolBar, int index);

// A menu command as a click on its item sends it; posted, because it may
// open a modal window that a sent message would wait for.
bool PostCommand(HWND mainWindow, scribbit::MenuItem item);
// Shown dialogs (#32770) of the process, owned or not.
std::vector<HWND> ShownDialogs(DWORD processId);
HWND MessageBoxOf(DWORD processId);  // a dialog with the static text 0xFFFF
HWND DialogTitled(DWORD processId, const std::string& caption);
HWND ItemOf(HWND dialog, int id);  // a control, however deep in the dialog
// A posted BM_CLICK: IDOK, IDCANCEL, IDYES, IDNO or a control's identifier.
bool Click(HWND dialog, int id);

using Selection = std::pair<long long, long long>;
Selection SelectionOf(HWND edit);
bool SetSelection(HWND edit, long long start, long long end);

// The clipboard's plain text, "<none>" when it holds none.
std::string ClipboardText();
bool SetClipboardText(const std::string& text);

// Real key presses (SendInput) go to the focused window of the foreground
// one: bring the target forward first.
enum Modifiers : unsigned { NoModifier = 0, Ctrl = 1, Shift = 2 };
bool BringToForeground(HWND window);
HWND FocusOf(HWND window);  // the focus in the thread that owns window
bool PressKey(WORD virtualKey, Modifiers modifiers = NoModifier);
// Real clicks of a mouse button (twice: a double click) on whatever is on
// top at point: a disabled window gets none.
bool ClickAt(POINT point, bool right = false, int times = 1);
// Each character as a key stroke of its own; CR LF and LF as Enter.
bool TypeText(const std::string& text);

std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// UTF-8 text in the ANSI code page, as the program stores it; nullopt when a
// character has no code there, so that no expectation is built lossily.
std::optional<std::string> Ansi(const std::string& text);

// The whole screen (under Wine: the virtual desktop) as a 24-bit BMP.
bool SaveScreenBitmap(const std::string& path);

}  // namespace e2e
