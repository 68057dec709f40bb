#include "win32/adapter_test.h"
#include "win32/main_frame_win32.h"
#include "win32/test_window.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

ADAPTER_TEST(BoundsSetInTwipsReadBackExactly) {
    TestWindow window;
    MainFrameWin32 frame;
    frame.Attach(window.Handle());
    const Bounds cases[] = {{0, 0, 5200, 5000}, {1234, 567, 7001, 5003}};
    for (const Bounds& bounds : cases) {
        frame.SetBounds(bounds);
        EXPECT_TRUE(frame.GetBounds() == bounds);
    }
    // Moved by the user: the real rectangle, converted.
    MoveWindow(window.Handle(), 30, 40, 400, 300, FALSE);
    const ScreenDpi dpi = CurrentScreenDpi();
    const Bounds moved = frame.GetBounds();
    EXPECT_EQ(moved.left, PixelsToTwips(30, dpi.x));
    EXPECT_EQ(moved.width, PixelsToTwips(400, dpi.x));
    EXPECT_EQ(moved.height, PixelsToTwips(300, dpi.y));
}

ADAPTER_TEST(MetricsMeasureTheRealNonClientArea) {
    TestWindow window;
    SetMenu(window.Handle(), nullptr);
    MainFrameWin32 frame;
    frame.Attach(window.Handle());
    RECT outer{};
    RECT client{};
    GetWindowRect(window.Handle(), &outer);
    GetClientRect(window.Handle(), &client);
    const ScreenDpi dpi = CurrentScreenDpi();
    const FrameMetrics metrics = frame.Metrics();
    EXPECT_EQ(metrics.nonClientHeight,
              PixelsToTwips((outer.bottom - outer.top) - (client.bottom - client.top), dpi.y));
    EXPECT_TRUE(metrics.nonClientHeight > 0);
    EXPECT_TRUE(metrics.nonClientWidth > 0);
    const Size screen = frame.ScreenSize();
    EXPECT_EQ(screen.width, PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi.x));
}

ADAPTER_TEST(CaptionIconAndWindowOrder) {
    TestWindow window;
    MainFrameWin32 frame;
    frame.Attach(window.Handle());
    frame.SetCaption(u"メモ.txt - ScribbitⅡ");
    EXPECT_EQ(frame.Caption(), std::u16string(u"メモ.txt - ScribbitⅡ"));
    EXPECT_TRUE(frame.SetTopMost(true) != 0);
    EXPECT_TRUE((GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_TRUE(frame.SetTopMost(false) != 0);
    EXPECT_TRUE((GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0);
    EXPECT_TRUE(!frame.IsMinimized());
}

ADAPTER_TEST(QuitDestroysTheWindowAndOurDialogs) {
    TestWindow window;
    HWND dialog = CreateWindowExW(0, L"#32770", L"find", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    MainFrameWin32 frame;
    frame.Attach(window.Handle());
    frame.Quit();
    EXPECT_TRUE(!IsWindow(window.Handle()));
    EXPECT_TRUE(!IsWindow(dialog));
    adapter_test::PumpMessages();
}

}  // namespace
}  // namespace scribbit
