// In-memory main window frame: placement in twips, minimised state, screen
// size, caption, window order and the end of the program. Setting a new
// size raises the resize notification as the real window does.
#pragma once

#include <functional>
#include <string>

#include "platform/main_frame.h"
#include "support/event_log.h"

namespace scribbit {

class FakeMainFrame : public MainFrame {
public:
    // 1024 x 768 pixels at 15 twips per pixel.
    static constexpr Size DefaultScreen{15360, 11520};

    Bounds GetBounds() const override { return bounds_; }
    void SetBounds(const Bounds& bounds) override;
    bool IsMinimized() const override { return minimized_; }
    Size ScreenSize() const override { return screen_; }
    FrameMetrics Metrics() const override { return metrics_; }

    void SetCaption(const std::u16string& caption) override;
    std::u16string Caption() const override { return caption_; }

    std::int32_t SetTopMost(bool topMost) override;
    void SetIcon(int resourceId) override;
    void Show() override;
    void Focus() override;
    void SetBusyPointer(bool busy) override;
    void Quit() override;

    // --- Test controls ----------------------------------------------------
    // The user moving or sizing the window (no notification is raised).
    void Place(const Bounds& bounds) { bounds_ = bounds; }
    void SetMinimized(bool minimized) { minimized_ = minimized; }
    void SetScreenSize(Size screen) { screen_ = screen; }
    void SetMetrics(FrameMetrics metrics) { metrics_ = metrics; }
    // The system refusing to change the window order (SetTopMost returns 0).
    void FailTopMost(bool fail) { failTopMost_ = fail; }
    void SetResizeHandler(std::function<void()> handler) { onResize_ = std::move(handler); }
    // Runs as the program ends, to see what was done by then.
    void SetQuitHandler(std::function<void()> handler) { onQuit_ = std::move(handler); }
    void SetEventLog(EventLog* log) { log_ = log; }

    bool IsTopMost() const { return topMost_; }
    bool IsShown() const { return shown_; }
    bool HasQuit() const { return quit_; }
    bool IsBusy() const { return busy_; }
    int Icon() const { return icon_; }
    int setBoundsCalls = 0;
    int focusCalls = 0;
    int quitCalls = 0;

private:
    void Log(const char* event) const {
        if (log_) log_->Add(event);
    }

    Bounds bounds_;
    bool minimized_ = false;
    Size screen_ = DefaultScreen;
    FrameMetrics metrics_;
    std::u16string caption_ = u"ScribbitⅡ";
    bool topMost_ = false;
    bool failTopMost_ = false;
    bool shown_ = false;
    bool quit_ = false;
    bool busy_ = false;
    int icon_ = 0;
    std::function<void()> onResize_;
    std::function<void()> onQuit_;
    EventLog* log_ = nullptr;
};

}  // namespace scribbit
