// Our handling in front of a control's own window procedure.
//
// Set with the window procedure itself, the owner kept in the window's user
// data (which the system's controls leave to the program). comctl32's
// SetWindowSubclass looks its chain up in a window property at every
// message, and under Wine each of those lookups is a round trip to the
// server: in a test program, setting two panels of a status bar took a
// quarter to a third longer with one such subclass, and a tooltip's
// TTF_SUBCLASS is a second.
#pragma once

#include <windows.h>

namespace scribbit {

class WindowSubclass {
public:
    // Puts `procedure` in front of the window's own; false if the window
    // refused it.
    bool Attach(HWND window, WNDPROC procedure, void* owner) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        original_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
        window_ = original_ ? window : nullptr;
        procedure_ = procedure;
        return original_ != nullptr;
    }

    // The window's own procedure back in front (on WM_NCDESTROY, or before
    // the owner goes while the window stays).
    void Detach() {
        if (!window_) return;
        if (IsWindow(window_) &&
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == procedure_) {
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        }
        window_ = nullptr;
    }

    // For WM_NCDESTROY: the window's own procedure back in front, then its
    // handling of the message.
    LRESULT DetachAndCallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        const WNDPROC original = original_;
        Detach();
        return CallWindowProcW(original, window, message, wParam, lParam);
    }

    // The window's own handling of a message.
    LRESULT CallOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        return CallWindowProcW(original_, window, message, wParam, lParam);
    }

    template <class Owner>
    static Owner* OwnerOf(HWND window) {
        return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

private:
    HWND window_ = nullptr;
    WNDPROC procedure_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace scribbit
