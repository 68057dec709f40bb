// The Replace dialog (frmSUBSTITUTE) bound to its model.
#pragma once

#include <windows.h>

#include <functional>

#include "editing/find_replace.h"

namespace scribbit {

// Creates and shows the modeless dialog; `destroyed` runs when it is gone.
// Null when the window could not be made.
HWND CreateReplaceDialog(ReplaceDialogModel& model, std::function<void()> destroyed);

}  // namespace scribbit
