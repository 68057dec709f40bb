#include "win32/editing_windows_win32.h"

#include "win32/find_dialog_win32.h"
#include "win32/go_to_line_dialog_win32.h"
#include "win32/replace_dialog_win32.h"
#include "win32/tab_space_dialog_win32.h"

namespace scribbit {
namespace {

void BringForward(HWND dialog) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    SetForegroundWindow(dialog);
}

// A dialog that could not be made leaves its model behind; the logic is
// told at once so the next request tries again.
template <class Create, class Model>
void ShowModeless(HWND& slot, Create create, Model& model, std::function<void()> closed) {
    if (slot && IsWindow(slot)) {
        BringForward(slot);
        return;
    }
    slot = create(model, closed);
    if (!slot) {
        closed();
        return;
    }
    BringForward(slot);
}

}  // namespace

std::function<void()> EditingWindowsWin32::ClosedHandler(HWND& slot, EditingDialog dialog) {
    return [this, &slot, dialog] {
        slot = nullptr;
        if (context_) context_->OnDialogClosed(dialog);
    };
}

void EditingWindowsWin32::CloseAll() {
    for (HWND* slot : {&find_, &replace_, &goToLine_}) {
        if (*slot && IsWindow(*slot)) DestroyWindow(*slot);
        *slot = nullptr;
    }
}

void EditingWindowsWin32::ShowFindDialog(FindDialogModel& model) {
    ShowModeless(find_, CreateFindDialog, model, ClosedHandler(find_, EditingDialog::Find));
}

void EditingWindowsWin32::ShowReplaceDialog(ReplaceDialogModel& model) {
    ShowModeless(replace_, CreateReplaceDialog, model, ClosedHandler(replace_, EditingDialog::Replace));
}

void EditingWindowsWin32::ShowGoToLineDialog(GoToLineModel& model) {
    ShowModeless(goToLine_, CreateGoToLineDialog, model, ClosedHandler(goToLine_, EditingDialog::GoToLine));
}

void EditingWindowsWin32::RunTabSpaceDialog(TabSpaceDialogModel& model) {
    scribbit::RunTabSpaceDialog(owner_, model);
}

void EditingWindowsWin32::Pause(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace scribbit
