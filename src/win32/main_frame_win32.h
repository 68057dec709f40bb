// frmMAIN's frame: placement in twips, caption, window order and the end of
// the program.
#pragma once

#include <windows.h>

#include "platform/main_frame.h"
#include "win32/screen_units_win32.h"

namespace scribbit {

// Keeps a top-level window above all normal windows (or not) and shows it;
// the system's result. Windows it owns keep their own order.
std::int32_t SetWindowTopMost(HWND window, bool topMost);

// Any other top-level window (a dialog) as far as its place among the
// windows goes.
class TopLevelWindowWin32 final : public TopLevelWindow {
public:
    explicit TopLevelWindowWin32(HWND window) : window_(window) {}
    std::int32_t SetTopMost(bool topMost) override { return SetWindowTopMost(window_, topMost); }

private:
    HWND window_;
};

class MainFrameWin32 final : public MainFrame {
public:
    void Attach(HWND window);
    HWND Handle() const { return window_; }
    bool IsBusy() const { return busy_; }
    bool IsWorking() const { return working_ > 0; }
    // The main window enabled again, or disabled by a modal window.
    void OnEnabled(bool enabled);

    Bounds GetBounds() const override;
    void SetBounds(const Bounds& bounds) override;
    bool IsMinimized() const override;
    Size ScreenSize() const override;
    FrameMetrics Metrics() const override;

    void SetCaption(const std::u16string& caption) override;
    std::u16string Caption() const override;

    std::int32_t SetTopMost(bool topMost) override;
    void SetIcon(int resourceId) override;
    void Show() override;
    void Focus() override;
    void SetBusyPointer(bool busy) override;
    void SetWorking(bool working) override;
    void Quit() override;

private:
    RECT PixelRect() const;

    HWND window_ = nullptr;
    ScreenDpi dpi_;
    bool busy_ = false;
    int working_ = 0;
    // The last placement set in twips and the pixels it became: while the
    // window still stands there, the twips read back exactly as set.
    Bounds lastBounds_;
    RECT lastPixels_{};
};

}  // namespace scribbit
