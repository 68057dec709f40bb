// The program's entry point: common controls, the main window, the message
// loop.
// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "win32/command_line_win32.h"
#include "win32/main_window_win32.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/shell_win32.h"
#include "win32/wide_text_win32.h"

namespace {

int RunMessageLoop(scribbit::MainWindow& mainWindow) {
    MSG message{};
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        if (scribbit::IsModelessDialogMessage(message)) continue;
        if (mainWindow.TranslateShortcut(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    if (!scribbit::MainWindow::RegisterClass(instance)) return 1;
    scribbit::MainWindow mainWindow(instance);
    if (!mainWindow.Create(scribbit::FolderOfPath(scribbit::RunningExecutablePath()))) return 1;
    mainWindow.Load(scribbit::CommandTail(scribbit::FromWide(GetCommandLineW())), showCommand);
    return RunMessageLoop(mainWindow);
}
