// What the editing dialogs share: their texts set from the program's table,
// tooltips, the window icon, and reading their fields.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace scribbit {

using ControlText = std::pair<int, std::u16string_view>;

// The caption and each listed control's text.
void SetDialogTexts(HWND dialog, std::u16string_view caption, std::initializer_list<ControlText> texts);
// One tooltip control for the dialog, with a tool per listed control.
void AddToolTips(HWND dialog, std::initializer_list<ControlText> tips);
// The window icon from the program's icon resource.
void SetDialogIcon(HWND dialog);
// The text of a control.
std::u16string ItemText(HWND dialog, int id);
bool IsItemChecked(HWND dialog, int id);
// Puts the keyboard focus into an edit field with its whole text selected.
void FocusAndSelectAll(HWND dialog, int id);

}  // namespace scribbit

#include <functional>
#include <memory>

namespace scribbit {

// A modeless dialog's tie to its model: `destroyed` runs once the window is
// gone, whatever closed it. The dialog procedure keeps it in DWLP_USER.
template <class Model>
struct ModelessBinding {
    Model& model;
    std::function<void()> destroyed;
    // A command of the model is running; a window destroyed meanwhile (by
    // the command itself, or by a message its modal box let through) must
    // not take the model away under it, so the end waits for the command.
    int busy = 0;
    bool gone = false;
};

// Creates a modeless dialog without an owner from its template, registered
// for keyboard navigation while it exists; the binding is handed to the
// dialog, which deletes it when destroyed. Null when it could not be made.
HWND CreateModelessDialog(int templateId, DLGPROC procedure, void* binding);

// The shared part of a modeless dialog's procedure: keeps the binding,
// unregisters the window and runs `destroyed` at the end. Returns the
// binding for every message after WM_INITDIALOG (null before and after).
template <class Model>
ModelessBinding<Model>* ModelessDialogBinding(HWND dialog, UINT message, LPARAM lParam);
// Runs `destroyed` and frees the binding.
template <class Model>
void EndModelessBinding(ModelessBinding<Model>* binding);

void ForgetModelessDialog(HWND dialog);

template <class Model>
ModelessBinding<Model>* ModelessDialogBinding(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* binding = reinterpret_cast<ModelessBinding<Model>*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_NCDESTROY && binding) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        ForgetModelessDialog(dialog);
        binding->gone = true;
        if (binding->busy == 0) EndModelessBinding(binding);
        return nullptr;
    }
    return binding;
}

template <class Model>
void EndModelessBinding(ModelessBinding<Model>* binding) {
    const std::function<void()> destroyed = std::move(binding->destroyed);
    delete binding;
    if (destroyed) destroyed();
}

// The whole procedure of a modeless dialog bound to its model: WM_INITDIALOG
// goes to Initialise, WM_COMMAND to OnCommand, the rest to the binding.
// Cancel (the button, Esc, the close box) destroys every such dialog.
template <class Model, void (*Initialise)(HWND, Model&), void (*OnCommand)(HWND, Model&, int, int)>
INT_PTR CALLBACK BoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ModelessBinding<Model>* binding = ModelessDialogBinding<Model>(dialog, message, lParam);
    if (!binding) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            Initialise(dialog, binding->model);
            return FALSE;  // the focus is set already
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                DestroyWindow(dialog);
            } else {
                ++binding->busy;
                OnCommand(dialog, binding->model, LOWORD(wParam), HIWORD(wParam));
                if (--binding->busy == 0 && binding->gone) EndModelessBinding(binding);
            }
            return TRUE;
        default:
            return FALSE;
    }
}

template <class Model, void (*Initialise)(HWND, Model&), void (*OnCommand)(HWND, Model&, int, int)>
HWND CreateBoundModelessDialog(int templateId, Model& model, std::function<void()> destroyed) {
    auto binding = std::make_unique<ModelessBinding<Model>>(ModelessBinding<Model>{model, std::move(destroyed)});
    HWND dialog = CreateModelessDialog(templateId, BoundDialogProc<Model, Initialise, OnCommand>, binding.get());
    if (dialog) binding.release();  // the window owns it now
    return dialog;
}

}  // namespace scribbit
