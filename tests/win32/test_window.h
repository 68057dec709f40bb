// A plain hidden top-level window to host the controls under test; it
// forwards edit-control notifications the way the main window does.
#pragma once

#include <windows.h>

#include <vector>

#include "win32/edit_view_win32.h"

namespace scribbit::adapter_test {

class TestWindow {
public:
    TestWindow(int width = 640, int height = 480);
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();
    HWND Handle() const { return window_; }
    void Forward(EditViewWin32& view) { views_.push_back(&view); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_ = nullptr;
    std::vector<EditViewWin32*> views_;
};

// Lets posted and sent messages arrive.
void PumpMessages();

}  // namespace scribbit::adapter_test
