// The main frame's placement in twips, read back from the window's real
// rectangle (stored placements and the layout of the views rest on it), and
// the status bar's key panels as other programs read them.
#include <windows.h>
// commctrl.h needs the types of windows.h
#include <commctrl.h>
#include <gtest/gtest.h>

#include "win32/main_frame_win32.h"
#include "win32/status_bar_win32.h"

namespace scribbit {
namespace {

HWND MakeWindow() {
    return CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(MainFrameWin32, PlacementReadsBackInTwips) {
    HWND window = MakeWindow();
    ASSERT_NE(window, nullptr);
    MainFrameWin32 frame;
    frame.Attach(window);
    for (const Bounds& bounds : {Bounds{0, 0, 5200, 5000}, Bounds{1234, 567, 7001, 5003}}) {
        frame.SetBounds(bounds);
        EXPECT_EQ(frame.GetBounds(), bounds);
    }
    // Moved by the user: the real rectangle, converted.
    MoveWindow(window, 30, 40, 400, 300, FALSE);
    const ScreenDpi dpi = CurrentScreenDpi();
    EXPECT_EQ(frame.GetBounds(), (Bounds{PixelsToTwips(30, dpi.x), PixelsToTwips(40, dpi.y),
                                         PixelsToTwips(400, dpi.x), PixelsToTwips(300, dpi.y)}));
    DestroyWindow(window);
}

// A key panel names its key while the key is on and is empty while it is
// off; the states come from the keyboard at each tick of the clock.
TEST(StatusBarWin32, KeyPanelsFollowTheToggleStateOfTheirKeys) {
    HWND window = MakeWindow();
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
