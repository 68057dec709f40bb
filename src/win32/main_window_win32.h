// frmMAIN as a Win32 window: creates the controls and the port adapters and
// turns each window message into one call of MainForm.
#pragma once

#include <windows.h>

#include <memory>

#include "app/main_form.h"
#include "win32/clipboard_win32.h"
#include "win32/edit_view_win32.h"
#include "win32/editing_windows_win32.h"
#include "win32/file_system_win32.h"
#include "win32/form_dialogs_win32.h"
#include "win32/locale_services_win32.h"
#include "win32/main_frame_win32.h"
#include "win32/menu_bar_win32.h"
#include "win32/printer_win32.h"
#include "win32/printing_windows_win32.h"
#include "win32/shell_win32.h"
#include "win32/status_bar_win32.h"
#include "win32/text_services_win32.h"
#include "win32/tool_bar_win32.h"
#include "win32/user_dialogs_win32.h"

namespace scribbit {

inline constexpr wchar_t MainWindowClass[] = L"ScribbitMainWindow";

// Child control identifiers of frmMAIN.
inline constexpr int ToolBarControlId = 10;
inline constexpr int TxtReturnControlId = 11;
inline constexpr int TxtNoReturnControlId = 12;
inline constexpr int StatusBarControlId = 13;

class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance) : instance_(instance) {}
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    static bool RegisterClass(HINSTANCE instance);
    // Creates the window hidden, with its controls and the logic behind it.
    bool Create(const std::u16string& programFolder);
    // Runs the start-up sequence and shows the window if it did not.
    void Load(const std::u16string& commandLine, int showCommand);

    HWND Handle() const { return window_; }
    // The menu shortcuts for messages aimed at this window or its controls.
    bool TranslateShortcut(MSG& message) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool CreateControls();
    void OnCommand(WPARAM wParam, LPARAM lParam);
    void OnSize();
    bool ShowToolBarContextMenu(HWND source, LPARAM position);
    EditViewWin32* EditViewOf(HWND control);
    HWND ActiveEditorHandle();
    bool Running() const { return form_ && !form_->HasEnded(); }

    HINSTANCE instance_;
    HWND window_ = nullptr;
    MainFrameWin32 frame_;
    MenuBarWin32 menus_;
    ToolBarWin32 toolBar_;
    EditViewWin32 txtReturn_;
    EditViewWin32 txtNoReturn_;
    StatusBarWin32 status_;
    UserDialogsWin32 dialogs_;
    ClipboardWin32 clipboard_;
    FileSystemWin32 files_;
    LocaleServicesWin32 locale_;
    TextServicesWin32 textServices_;
    ShellWin32 shell_;
    FormDialogsWin32 formDialogs_;
    EditingWindowsWin32 editingWindows_;  // its dialogs refer to form_'s models
    PrinterWin32 printer_;
    PrintingWindowsWin32 printingWindows_;
    std::unique_ptr<MainForm> form_;
};

}  // namespace scribbit
