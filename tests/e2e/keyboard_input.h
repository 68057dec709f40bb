// Real key presses for the program under test: SendInput from the driver,
// after its window has been brought to the foreground, so that shortcuts
// pass through the program's own message loop as a user's keys do.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

inline constexpr DWORD ForegroundTimeoutMs = 5000;

enum Modifiers : unsigned {
    NoModifier = 0,
    Ctrl = 1u << 0,
    Shift = 1u << 1,
    Alt = 1u << 2,
};
constexpr Modifiers operator|(Modifiers a, Modifiers b) {
    return static_cast<Modifiers>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

// Makes the top-level window that holds `window` the foreground window and
// waits until the system agrees; false when it did not become so in time.
bool BringToForeground(HWND window, DWORD timeoutMs = ForegroundTimeoutMs);

// The window that has the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);
// Waits until `control` has the keyboard focus of its thread.
bool WaitForFocus(HWND control, DWORD timeoutMs = ForegroundTimeoutMs);

// One press and release of a virtual key with the given modifiers held.
// The keys go to whatever window has the focus: bring the target forward
// first. False when the system refused the input.
bool PressKey(WORD virtualKey, Modifiers modifiers = NoModifier);

// Types text as key strokes of its characters (any script); CR LF and a
// lone LF are typed as the Enter key.
bool TypeText(const std::wstring& text);

}  // namespace e2e
