// Finding and reading another process's windows, and answering its dialogs,
// through window messages only (the way a user's actions reach a program).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

inline constexpr DWORD MessageTimeoutMs = 5000;

std::wstring ClassOf(HWND window);
// The window's text via WM_GETTEXT (GetWindowTextW does not reach the text
// of another process's controls).
std::wstring TextOf(HWND window);
bool SetTextOf(HWND window, const std::wstring& text);
// WM_GETTEXTLENGTH; -1 when the window does not answer.
long long TextLengthOf(HWND window);
bool IsShown(HWND window);

std::vector<HWND> TopLevelWindows(DWORD processId);
HWND FindMainWindow(DWORD processId);
// All windows below parent, in creation order; className filters when given
// (compared without regard to case).
std::vector<HWND> Descendants(HWND parent, const wchar_t* className = nullptr);
HWND DescendantById(HWND parent, int id);

// The main window's parts. ActiveEditor is the shown one of the two EDITs.
std::vector<HWND> Editors(HWND mainWindow);
HWND ActiveEditor(HWND mainWindow);
HWND StatusBarOf(HWND mainWindow);
HWND ToolBarOf(HWND mainWindow);

// A block of memory inside another process, for the messages whose
// pointers the system does not carry across (SB_GETTEXTW, TB_GETBUTTON).
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, std::size_t size);
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer();
    void* Address() const { return address_; }
    bool Read(void* target, std::size_t size) const;
    bool Write(const void* source, std::size_t size) const;

private:
    HANDLE process_;
    void* address_;
};

int StatusPartCount(HWND statusBar);
// The text of one part (0-based); nullopt when it cannot be read.
std::optional<std::wstring> StatusText(HANDLE process, HWND statusBar, int part);

int ToolbarButtonCount(HWND toolBar);
struct ToolbarButton {
    int command = 0;
    BYTE state = 0;
    BYTE style = 0;
    bool separator() const { return (style & BTNS_SEP) != 0; }
};
std::optional<ToolbarButton> ToolbarButtonAt(HANDLE process, HWND toolBar, int index);

// A menu command, as a click on the menu item sends it. Posted, because the
// command may open a modal dialog that a sent message would wait for.
bool PostCommand(HWND mainWindow, int commandId);
bool PostClose(HWND mainWindow);

// Dialogs (#32770) owned by the given window.
std::vector<HWND> OwnedDialogs(HWND owner);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};
// A message box (a dialog with the static text 0xFFFF) owned by owner.
std::optional<MessageBoxInfo> WaitForMessageBox(HWND owner, DWORD timeoutMs);
// A message box of the process, whoever owns it (one shown during start-up
// comes before the main window is visible).
std::optional<MessageBoxInfo> WaitForProcessMessageBox(DWORD processId, DWORD timeoutMs);
// Clicks a button of a dialog: IDOK, IDCANCEL, IDYES, IDNO.
bool ClickButton(HWND dialog, int buttonId);

// The open and save dialogs: found by their file-name box.
HWND WaitForFileDialog(HWND owner, DWORD timeoutMs);
HWND FileNameBox(HWND fileDialog);
bool SetFileDialogName(HWND fileDialog, const std::wstring& name);
std::optional<bool> FileDialogReadOnlyChecked(HWND fileDialog);
bool SetFileDialogReadOnly(HWND fileDialog, bool checked);

// Waits until no dialog owned by owner is left.
bool WaitForNoDialog(HWND owner, DWORD timeoutMs);

// The image a toolbar button draws (TB_GETBUTTON's iBitmap: the 0-based
// index in the image list, I_IMAGENONE for none); nullopt when unreadable.
std::optional<int> ToolbarButtonImage(HANDLE process, HWND toolBar, int index);
// The tooltip text the toolbar shows for the button with the given command
// identifier, asked of its tooltip control as a hovering mouse would.
std::optional<std::wstring> ToolbarToolTipText(HANDLE process, HWND toolBar, int command);

// Combo boxes of another process's dialog: the list's texts, and choosing
// one of them the way a click does (the dialog hears CBN_SELCHANGE).
std::vector<std::wstring> ComboItems(HWND combo);
bool ChooseComboItem(HWND dialog, int comboId, int item);

// Pixel offset (x, y) of a character in an edit control (EM_POSFROMCHAR).
std::optional<POINT> EditCharPosition(HWND edit, int index);


// The selection of an EDIT, in UTF-16 units.
struct Selection {
    long long start = -1;
    long long end = -1;
    friend bool operator==(const Selection&, const Selection&) = default;
};
Selection SelectionOf(HWND edit);
bool SetSelection(HWND edit, long long start, long long end);
// Waits until the selection is the expected one; returns the last one seen.
Selection WaitForSelection(HWND edit, Selection expected, DWORD timeoutMs);

// A shown dialog (#32770) of the process with the given caption, owned or
// not (the modeless editing dialogs have no owner).
HWND WaitForDialogTitled(DWORD processId, const std::wstring& caption, DWORD timeoutMs);
// Waits until no shown window of the process has that caption.
bool WaitForNoDialogTitled(DWORD processId, const std::wstring& caption, DWORD timeoutMs);
bool IsItemEnabled(HWND dialog, int id);
bool IsItemChecked(HWND dialog, int id);

// The clipboard's plain text as the driver reads it; nullopt when it holds
// no text or cannot be opened.
std::optional<std::wstring> ClipboardText();
// Puts text on the clipboard (as plain text only).
bool SetClipboardText(const std::wstring& text);
// Waits until the clipboard holds exactly that text; returns the last one read.
std::optional<std::wstring> WaitForClipboardText(const std::wstring& expected, DWORD timeoutMs);

}  // namespace e2e
