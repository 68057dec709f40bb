// The main window's modal dialogs of the toolbar and the Help menu.
#pragma once

// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "platform/form_dialogs.h"

namespace scribbit {

class FormDialogsWin32 final : public FormDialogs {
public:
    // The main window, and the toolbar's image list the customisation
    // dialog's lists draw from.
    void SetOwner(HWND owner, HIMAGELIST toolBarImages) {
        owner_ = owner;
        images_ = toolBarImages;
    }

    void RunEditToolBarDialog(EditToolBarModel& model) override;
    void RunAboutDialog(AboutModel& model) override;

private:
    HWND owner_ = nullptr;
    HIMAGELIST images_ = nullptr;
};

}  // namespace scribbit
