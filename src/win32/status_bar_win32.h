// sttSTATUS: the eight-panel status bar with its tooltips, clock and key
// state panels.
#pragma once

#include <windows.h>

#include <array>

#include "platform/status_bar.h"
#include "win32/screen_units_win32.h"
#include "win32/window_subclass_win32.h"

namespace scribbit {

class StatusBarWin32 final : public StatusBar {
public:
    StatusBarWin32() = default;
    ~StatusBarWin32() override;
    StatusBarWin32(const StatusBarWin32&) = delete;
    StatusBarWin32& operator=(const StatusBarWin32&) = delete;
    static constexpr int PanelCount = 8;

    bool Create(HWND parent, int controlId);
    HWND Handle() const { return window_; }

    // The parent forwards WM_SIZE (after the bar has sized itself, the panels
    // are laid out again), WM_TIMER and the panels' WM_DRAWITEM.
    void OnParentSize();
    void OnTimer();
    bool OnDrawItem(const DRAWITEMSTRUCT& item);
    static constexpr UINT_PTR TimerId = 0x5354;

    void SetPanelText(int panel, const std::u16string& text) override;
    std::u16string PanelText(int panel) const override;
    void SetVisible(bool visible) override;
    bool IsVisible() const override;
    std::int32_t HeightTwips() const override;

private:
    void LayoutPanels();
    void UpdateClock();
    void UpdateKeyStates();
    // What SB_GETTEXTW reports for a panel: owner-drawn key panels name
    // their key only while it is on.
    std::u16string ReadableText(int part) const;
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    WindowSubclass subclass_;
    HWND tips_ = nullptr;
    ScreenDpi dpi_;
    std::array<std::u16string, PanelCount> texts_;
    std::array<bool, 3> keyStates_{};  // INS, NUM, CAPS toggled on
    bool keyStatesKnown_ = false;
    // The paint a panel's new text asks for, held for the bar's next paint.
    bool holdingPaint_ = false;
    HRGN heldPaint_ = nullptr;
};

}  // namespace scribbit
