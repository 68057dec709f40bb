// The status bar's key panels as other programs (the end-to-end driver, a
// screen reader) read them.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include "win32/status_bar_win32.h"

namespace scribbit {
namespace {

// A key panel names its key while the key is on and is empty while it is
// off; the states come from the keyboard at each tick of the clock.
TEST(StatusBarWin32, KeyPanelsFollowTheToggleStateOfTheirKeys) {
    HWND window = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    StatusBarWin32 bar;
    ASSERT_TRUE(window && bar.Create(window, 1));
    const auto panels = [&] {
        std::wstring shown;
        for (int part = 5; part < 8; ++part) {
            wchar_t text[16] = {};
            SendMessageW(bar.Handle(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
            shown += std::wstring(text) + L"|";
        }
        return shown;
    };
    BYTE keys[256] = {};
    for (const bool on : {true, false}) {
        GetKeyboardState(keys);
        keys[VK_INSERT] = keys[VK_CAPITAL] = on ? 1 : 0;
        keys[VK_NUMLOCK] = on ? 0 : 1;
        SetKeyboardState(keys);
        bar.OnTimer();
        EXPECT_EQ(panels(), on ? L"INS||CAPS|" : L"|NUM||");
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace scribbit
