#include "win32/main_frame_win32.h"

#include <algorithm>
#include <vector>

#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// Our dialogs are the thread's top-level windows of the dialog class; owned
// popups (tooltips) and the input method's windows go with their owners.
BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (wcscmp(className, L"#32770") == 0 && !GetWindow(window, GW_OWNER)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

void MainFrameWin32::Attach(HWND window) {
    window_ = window;
    dpi_ = CurrentScreenDpi();
}

RECT MainFrameWin32::PixelRect() const {
    RECT rect{};
    if (IsIconic(window_)) {
        // A minimised window stands off screen; its restored place is the one
        // that means something.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        if (GetWindowPlacement(window_, &placement)) rect = placement.rcNormalPosition;
        return rect;
    }
    // A maximised window reports its maximised rectangle, borders included.
    GetWindowRect(window_, &rect);
    return rect;
}

Bounds MainFrameWin32::GetBounds() const {
    const RECT rect = PixelRect();
    if (EqualRect(&rect, &lastPixels_)) return lastBounds_;
    return Bounds{PixelsToTwips(rect.left, dpi_.x), PixelsToTwips(rect.top, dpi_.y),
                  PixelsToTwips(rect.right - rect.left, dpi_.x),
                  PixelsToTwips(rect.bottom - rect.top, dpi_.y)};
}

void MainFrameWin32::SetBounds(const Bounds& bounds) {
    const int left = TwipsToPixels(bounds.left, dpi_.x);
    const int top = TwipsToPixels(bounds.top, dpi_.y);
    const int width = TwipsToPixels(bounds.width, dpi_.x);
    const int height = TwipsToPixels(bounds.height, dpi_.y);
    // Recorded first: the move sends WM_SIZE, whose handler reads them back.
    lastBounds_ = bounds;
    lastPixels_ = RECT{left, top, left + width, top + height};
    if (IsZoomed(window_) || IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainFrameWin32::IsMinimized() const {
    return IsIconic(window_) != FALSE;
}

Size MainFrameWin32::ScreenSize() const {
    return Size{PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi_.x),
                PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi_.y)};
}

FrameMetrics MainFrameWin32::Metrics() const {
    RECT window{};
    RECT client{};
    GetWindowRect(window_, &window);
    GetClientRect(window_, &client);
    FrameMetrics metrics;
    metrics.nonClientHeight =
        PixelsToTwips((window.bottom - window.top) - (client.bottom - client.top), dpi_.y);
    metrics.nonClientWidth =
        PixelsToTwips((window.right - window.left) - (client.right - client.left), dpi_.x);
    return metrics;
}

void MainFrameWin32::SetCaption(const std::u16string& caption) {
    SetWindowTextW(window_, Wide(caption));
}

std::u16string MainFrameWin32::Caption() const {
    const int length = GetWindowTextLengthW(window_);
    if (length <= 0) return {};
    std::u16string caption(static_cast<std::size_t>(length) + 1, u'\0');
    const int copied = GetWindowTextW(window_, WideBuffer(caption), length + 1);
    caption.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return caption;
}

std::int32_t SetWindowTopMost(HWND window, bool topMost) {
    // The window owns the toolbar's tooltip, which is topmost itself. Without
    // SWP_NOOWNERZORDER, Wine first lifts that tooltip and then places the
    // window under it as an ordinary window, so it never stays on top there.
    // Owned windows keep their own order either way.
    return SetWindowPos(window, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
}

std::int32_t MainFrameWin32::SetTopMost(bool topMost) {
    return SetWindowTopMost(window_, topMost);
}

void MainFrameWin32::SetIcon(int resourceId) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    // Shared icons belong to the system's cache: nothing to destroy later.
    HANDLE big = LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                            GetSystemMetrics(SM_CYICON), LR_SHARED);
    HANDLE small = LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    if (big) SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small) SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void MainFrameWin32::Show() {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
}

void MainFrameWin32::Focus() {
    SetForegroundWindow(window_);
    SetFocus(window_);
}

void MainFrameWin32::SetBusyPointer(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_APPSTARTING : IDC_ARROW));
}

namespace {

// The pointer the window under it asks for, as when the mouse moves there.
// The mouse is taken to be where it was at the last message: had it moved
// during the command, its move waits in the queue and sets the pointer
// again at once (asking the system where it is now costs a round trip to
// the display under Wine).
void RefreshPointer() {
    const DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const HWND under = WindowFromPoint(point);
    if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return;
    }
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    if (!SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE)))
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace

void MainFrameWin32::SetWorking(bool working) {
    working_ = std::max(0, working_ + (working ? 1 : -1));
    if (working && working_ == 1) {
        if (IsWindowEnabled(window_)) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else if (!working && working_ == 0) {
        // The result on the screen before the pointer says it is done.
        if (window_) RedrawWindow(window_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        RefreshPointer();
    }
}

void MainFrameWin32::OnEnabled(bool enabled) {
    if (working_ == 0) return;
    SetCursor(LoadCursorW(nullptr, enabled ? IDC_WAIT : IDC_ARROW));
}

void MainFrameWin32::Quit() {
    // Every window of ours goes, dialogs first, with no further questions;
    // the main window's WM_DESTROY then ends the message loop.
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        if (IsWindow(dialog)) DestroyWindow(dialog);
    }
    if (IsWindow(window_)) DestroyWindow(window_);
}

}  // namespace scribbit
