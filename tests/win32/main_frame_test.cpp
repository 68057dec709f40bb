// The main frame's placement in twips, read back from the window's real
// rectangle: stored placements and the layout of the views rest on it.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32/main_frame_win32.h"

namespace scribbit {
namespace {

TEST(MainFrameWin32, PlacementReadsBackInTwips) {
    HWND window = CreateWindowExW(0, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
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

}  // namespace
}  // namespace scribbit
