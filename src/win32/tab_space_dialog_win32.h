// The tab-width dialog (frmTabSpace) bound to its model.
#pragma once

#include <windows.h>

#include "editing/tab_width.h"

namespace scribbit {

// Runs the dialog modally over `owner`; returns once it has closed.
void RunTabSpaceDialog(HWND owner, TabSpaceDialogModel& model);

}  // namespace scribbit
