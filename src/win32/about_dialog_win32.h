// frmABOUT as a Win32 dialog bound to its model: version, notice, the two
// links coloured under the mouse, the icon button and OK.
#pragma once

#include <windows.h>

#include "help/about_dialog.h"

namespace scribbit {

// Shows the dialog modally without an owner; `mainWindow` takes no input
// meanwhile and is active again afterwards.
void RunAboutDialog(HWND mainWindow, AboutModel& model);

}  // namespace scribbit
