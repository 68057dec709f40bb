// One of the main window's two multi-line edit controls.
#pragma once

// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <functional>
#include <vector>

#include "platform/edit_view.h"
#include "win32/gdi_handles_win32.h"
#include "win32/screen_units_win32.h"
#include "win32/window_subclass_win32.h"

namespace scribbit {

// What the control reports to the main window's logic.
struct EditViewEvents {
    std::function<void()> changed;
    std::function<void()> keyUp;
    std::function<void()> click;
    std::function<void(const std::vector<std::u16string>&)> filesDropped;
};

class EditViewWin32 final : public EditView {
public:
    EditViewWin32() = default;
    ~EditViewWin32() override;

    // wordWrap: vertical scroll bar only, so lines wrap at the right edge.
    bool Create(HWND parent, int controlId, bool wordWrap, EditViewEvents events);
    HWND Handle() const { return window_; }

    // The parent's WM_COMMAND notifications from this control.
    void OnCommand(WORD code);
    // The parent's WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC for this control.
    HBRUSH OnControlColor(HDC dc) const;

    std::u16string Text() const override;
    std::size_t TextLength() const override;
    void ReadText(std::u16string& text) const override;
    SetTextResult SetText(const std::u16string& text) override;

    std::size_t SelStart() const override;
    std::size_t SelLength() const override;
    void SetSel(std::size_t start, std::size_t length) override;
    std::u16string SelText() const override;
    bool ReplaceSel(const std::u16string& text) override;

    bool CanUndo() const override;
    void Undo() override;
    void Cut() override;
    void Copy() override;
    void Paste() override;
    void Clear() override;

    void SetLocked(bool locked) override;
    bool IsLocked() const override;

    FontSpec Font() const override { return font_; }
    void SetFont(const FontSpec& font) override;
    Color TextColor() const override { return color_; }
    void SetTextColor(Color color) override;

    bool IsVisible() const override;
    void SetVisible(bool visible) override;
    void Move(const Bounds& bounds) override;
    Bounds Placement() const override;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDropFiles(HDROP drop);
    void RaiseChanged() const;
    RECT PixelRect() const;

    HWND window_ = nullptr;
    WindowSubclass subclass_;
    EditViewEvents events_;
    ScreenDpi dpi_;
    FontSpec font_;
    FontHandle fontHandle_;
    Color color_ = WindowTextColor;
    // Set while the adapter itself changes the text, so the control's own
    // notifications are folded into one the adapter raises.
    bool quiet_ = false;
    bool outOfSpace_ = false;
    Bounds lastBounds_;
    RECT lastPixels_{};
};

// The colour a Color value stands for, system colours resolved.
COLORREF ResolveColor(Color color);

}  // namespace scribbit
