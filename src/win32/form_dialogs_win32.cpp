#include "win32/form_dialogs_win32.h"

#include "win32/about_dialog_win32.h"
#include "win32/edit_toolbar_dialog_win32.h"

namespace scribbit {

void FormDialogsWin32::RunEditToolBarDialog(EditToolBarModel& model) {
    scribbit::RunEditToolBarDialog(owner_, images_, model);
}

void FormDialogsWin32::RunAboutDialog(AboutModel& model) {
    scribbit::RunAboutDialog(owner_, model);
}

}  // namespace scribbit
