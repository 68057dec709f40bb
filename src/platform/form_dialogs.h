// The modal dialogs the main window opens for the toolbar and the Help menu,
// as the Win32 shell shows them: each runs bound to its model and returns
// once it has closed.
#pragma once

namespace scribbit {

class EditToolBarModel;
class AboutModel;

class FormDialogs {
public:
    FormDialogs() = default;
    FormDialogs(const FormDialogs&) = delete;
    FormDialogs& operator=(const FormDialogs&) = delete;
    virtual ~FormDialogs() = default;

    // frmEditToolBar, owned by the main window.
    virtual void RunEditToolBarDialog(EditToolBarModel& model) = 0;
    // frmABOUT, without an owner window.
    virtual void RunAboutDialog(AboutModel& model) = 0;
};

}  // namespace scribbit
