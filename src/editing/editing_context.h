// What the editing commands share for the whole run: the main window's
// context, the locale's text services, the shell's editing windows, the
// text-mode key cache and the open modeless dialogs.
#pragma once

#include <memory>

#include "core/app_context.h"
#include "editing/text_compare.h"
#include "platform/text_services.h"

namespace scribbit {

class FindDialogModel;
class ReplaceDialogModel;
class GoToLineModel;
class TabSpaceDialogModel;

enum class EditingDialog { Find, Replace, GoToLine };

// What the editing logic needs of the Win32 shell beyond the ports.
class EditingWindows {
public:
    EditingWindows() = default;
    EditingWindows(const EditingWindows&) = delete;
    EditingWindows& operator=(const EditingWindows&) = delete;
    virtual ~EditingWindows() = default;

    // Shows a modeless dialog without an owner, bound to its model: creates
    // the window when it does not exist, otherwise only brings it forward.
    virtual void ShowFindDialog(FindDialogModel& model) = 0;
    virtual void ShowReplaceDialog(ReplaceDialogModel& model) = 0;
    virtual void ShowGoToLineDialog(GoToLineModel& model) = 0;
    // Shows the tab-width dialog modally; returns once it has closed.
    virtual void RunTabSpaceDialog(TabSpaceDialogModel& model) = 0;
    // Waits a moment before the clipboard is tried again.
    virtual void Pause(int milliseconds) = 0;
};

struct EditingContext {
    EditingContext(AppContext& appContext, const TextServices& textServices, EditingWindows& editingWindows);
    ~EditingContext();
    EditingContext(const EditingContext&) = delete;
    EditingContext& operator=(const EditingContext&) = delete;

    // The shell calls this when a modeless dialog's window has been
    // destroyed (its cancel button, Esc, the close box, or an action that
    // answered that the dialog closes); the next Show creates it anew.
    void OnDialogClosed(EditingDialog dialog);

    AppContext& app;
    const TextServices& text;
    EditingWindows& windows;
    TextFolder folder;

    // The open modeless dialogs; null while closed. At most one of each.
    std::unique_ptr<FindDialogModel> findDialog;
    std::unique_ptr<ReplaceDialogModel> replaceDialog;
    std::unique_ptr<GoToLineModel> goToLineDialog;
};

}  // namespace scribbit
