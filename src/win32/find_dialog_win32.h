// The Find dialog (frmFIND) bound to its model.
#pragma once

#include <windows.h>

#include <functional>

#include "editing/find_replace.h"

namespace scribbit {

// Creates and shows the modeless dialog; `destroyed` runs when it is gone.
// Null when the window could not be made.
HWND CreateFindDialog(FindDialogModel& model, std::function<void()> destroyed);

}  // namespace scribbit
