// The editing dialogs as real windows: at most one Find, Replace and Go to
// line dialog at a time, each bound to the model the logic keeps.
#pragma once

#include <windows.h>

#include <functional>

#include "editing/editing_context.h"

namespace scribbit {

class EditingWindowsWin32 final : public EditingWindows {
public:
    EditingWindowsWin32() = default;
    ~EditingWindowsWin32() override { CloseAll(); }

    // The main window owns the modal tab-width dialog.
    void SetOwner(HWND owner) { owner_ = owner; }
    // The context told when a modeless dialog has gone; it must stay alive
    // until CloseAll has run.
    void Bind(EditingContext& context) { context_ = &context; }
    // Destroys every open modeless dialog.
    void CloseAll();

    void ShowFindDialog(FindDialogModel& model) override;
    void ShowReplaceDialog(ReplaceDialogModel& model) override;
    void ShowGoToLineDialog(GoToLineModel& model) override;
    void RunTabSpaceDialog(TabSpaceDialogModel& model) override;
    void Pause(int milliseconds) override;

private:
    // What to run when a modeless dialog's window is gone.
    std::function<void()> ClosedHandler(HWND& slot, EditingDialog dialog);

    HWND owner_ = nullptr;
    EditingContext* context_ = nullptr;
    HWND find_ = nullptr;
    HWND replace_ = nullptr;
    HWND goToLine_ = nullptr;
};

}  // namespace scribbit
