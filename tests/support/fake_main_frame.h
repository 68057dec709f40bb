// In-memory main window: placement in twips, minimised state, caption,
// window order and the end of the program. A new size raises the resize
// notification, as the real window does; ending the program twice fails the
// test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/app_context.h"
#include "platform/main_frame.h"

namespace scribbit {

class FakeMainFrame : public MainFrame {
public:
    Bounds GetBounds() const override { return bounds; }
    void SetBounds(const Bounds& next) override {
        const bool resized = next.width != bounds.width || next.height != bounds.height;
        bounds = next;
        if (resized && !quit && onResize) onResize();
    }
    bool IsMinimized() const override { return minimized; }
    Size ScreenSize() const override { return {15360, 11520}; }  // 1024 x 768 pixels
    FrameMetrics Metrics() const override { return metrics; }
    void SetCaption(const std::u16string& text) override { caption = text; }
    std::u16string Caption() const override { return caption; }
    std::int32_t SetTopMost(bool on) override {
        topMost = on;
        shown = true;  // the window-order change also shows the window
        return 1;
    }
    void SetIcon(int resourceId) override { icon = resourceId; }
    void Show() override { shown = true; }
    void Focus() override { ++focusCalls; }
    void SetBusyPointer(bool on) override { busy = on; }
    void SetWorking(bool on) override { working += on ? 1 : -1; }
    void Quit() override {
        if (quit) ADD_FAILURE() << "the program was ended twice";
        if (onQuit) onQuit();
        quit = true;
        shown = false;
    }
    bool HasQuit() const { return quit; }
    bool IsBusy() const { return busy; }

    // Placing the window directly is the user moving it: no notification.
    Bounds bounds;
    bool minimized = false;
    FrameMetrics metrics;
    std::u16string caption = AppTitle;
    bool topMost = false, shown = false, quit = false, busy = false;
    int icon = 0, focusCalls = 0, working = 0;
    std::function<void()> onResize, onQuit;
};

}  // namespace scribbit
