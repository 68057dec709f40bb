// tolToolBar: the toolbar control bound to the toolbar image list.
#pragma once

// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <vector>

#include "platform/tool_bar.h"
#include "win32/screen_units_win32.h"

namespace scribbit {

// Toolbar buttons send WM_COMMAND with this base plus their position, apart
// from the menu command identifiers.
inline constexpr int ToolBarButtonIdBase = 3000;

class ToolBarWin32 final : public ToolBar {
public:
    ToolBarWin32() = default;
    ~ToolBarWin32() override;

    bool Create(HWND parent, int controlId);
    HWND Handle() const { return window_; }

    // The parent forwards WM_SIZE and the toolbar's WM_NOTIFY (tooltips).
    void OnParentSize();
    bool OnNotify(NMHDR& header, LRESULT& result);

    void Clear() override;
    void Append(const ToolBarEntry& entry) override;
    std::size_t Count() const override { return entries_.size(); }
    ToolBarEntry Entry(std::size_t index) const override;
    void SetPressed(std::size_t index, bool pressed) override;
    bool IsPressed(std::size_t index) const override;
    void SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) override;

    void SetVisible(bool visible) override;
    bool IsVisible() const override;
    std::int32_t HeightTwips() const override;

private:
    struct Position {
        ToolBarEntry entry;
        std::vector<std::u16string> menuEntries;
    };

    HWND window_ = nullptr;
    HIMAGELIST images_ = nullptr;
    ScreenDpi dpi_;
    std::vector<Position> entries_;
};

}  // namespace scribbit
