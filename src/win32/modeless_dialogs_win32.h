// The modeless dialogs that are open (Find, Replace, Go to line): the message
// loop gives each its keyboard navigation.
#pragma once

#include <windows.h>

namespace scribbit {

void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// IsDialogMessageW for the open modeless dialog the message belongs to.
bool IsModelessDialogMessage(MSG& message);

// While a modal message box or dialog is up, no other window of the program
// may take input: the system disables only the modal window's owner, and the
// modeless dialogs have none, so a click there could run a second Replace
// all, or close a dialog whose model is still at work. Every modal window
// runs inside one of these; nested scopes give back only what they took.
class ModalScope {
public:
    // The system disables a modal window's owner itself and activates it
    // again at the end, which only works while it is left to the system; so
    // `ownerless` names the main window only for a modal window that has no
    // owner, and is null otherwise.
    explicit ModalScope(HWND ownerless = nullptr);
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope();

private:
    static constexpr int MaxWindows = 8;
    HWND disabled_[MaxWindows] = {};
    int count_ = 0;
};

}  // namespace scribbit
