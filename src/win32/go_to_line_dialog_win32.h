// The Go to line dialog (frmMoveLine) bound to its model.
#pragma once

#include <windows.h>

#include <functional>

#include "editing/go_to_line.h"

namespace scribbit {

// Creates and shows the modeless dialog; `destroyed` runs when it is gone.
// Null when the window could not be made.
HWND CreateGoToLineDialog(GoToLineModel& model, std::function<void()> destroyed);

}  // namespace scribbit
