// frmEditToolBar as a Win32 dialog bound to its model: two list views with
// the toolbar's small images, the move buttons, OK, キャンセル and 適用.
#pragma once

// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "toolbar/edit_toolbar.h"

namespace scribbit {

// Shows the dialog modally, owned by `owner`; the lists draw from `images`
// without taking it over. Returns once it has closed.
void RunEditToolBarDialog(HWND owner, HIMAGELIST images, EditToolBarModel& model);

}  // namespace scribbit
