// Pictures of the screen for people to look at after a run.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Saves the whole screen (under Wine: the virtual desktop) as a 24-bit BMP.
bool SaveScreenBitmap(const std::wstring& path);
// Saves one window's rectangle on the screen.
bool SaveWindowBitmap(HWND window, const std::wstring& path);

}  // namespace e2e
