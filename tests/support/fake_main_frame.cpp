#include "support/fake_main_frame.h"

#include <gtest/gtest.h>

namespace scribbit {

void FakeMainFrame::SetBounds(const Bounds& bounds) {
    ++setBoundsCalls;
    Log("frame.SetBounds");
    const bool resized = bounds.width != bounds_.width || bounds.height != bounds_.height;
    bounds_ = bounds;
    // A window that has ended receives no more messages.
    if (resized && !quit_ && onResize_) onResize_();
}

void FakeMainFrame::SetCaption(const std::u16string& caption) {
    Log("frame.SetCaption");
    caption_ = caption;
}

std::int32_t FakeMainFrame::SetTopMost(bool topMost) {
    Log(topMost ? "frame.SetTopMost(true)" : "frame.SetTopMost(false)");
    if (failTopMost_) return 0;
    topMost_ = topMost;
    shown_ = true;  // the window-order change also shows the window
    return 1;
}

void FakeMainFrame::SetIcon(int resourceId) {
    Log("frame.SetIcon");
    icon_ = resourceId;
}

void FakeMainFrame::Show() {
    Log("frame.Show");
    shown_ = true;
}

void FakeMainFrame::Focus() {
    Log("frame.Focus");
    ++focusCalls;
}

void FakeMainFrame::SetBusyPointer(bool busy) {
    busy_ = busy;
}

void FakeMainFrame::Quit() {
    Log("frame.Quit");
    if (quit_) ADD_FAILURE() << "the program was ended twice";
    ++quitCalls;
    if (onQuit_) onQuit_();
    quit_ = true;
    shown_ = false;
}

}  // namespace scribbit
