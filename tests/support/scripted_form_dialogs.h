// The toolbar's and Help menu's modal dialogs as a script: each run hands
// its model to the test's script (the user at work), which returns once
// the dialog would close; without a script the dialog closes at once.
#pragma once

#include <functional>

#include "platform/form_dialogs.h"

namespace scribbit {

class ScriptedFormDialogs : public FormDialogs {
public:
    void RunEditToolBarDialog(EditToolBarModel& model) override {
        if (editToolBar) editToolBar(model);
    }
    void RunAboutDialog(AboutModel& model) override {
        if (about) about(model);
    }

    std::function<void(EditToolBarModel&)> editToolBar;
    std::function<void(AboutModel&)> about;
};

}  // namespace scribbit
