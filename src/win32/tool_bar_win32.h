// tolToolBar: the toolbar control bound to the toolbar image list.
#pragma once

// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <optional>
#include <vector>

#include "platform/tool_bar.h"
#include "win32/screen_units_win32.h"
#include "win32/window_subclass_win32.h"

namespace scribbit {

// Toolbar buttons send WM_COMMAND with this base plus their position, apart
// from the menu command identifiers.
inline constexpr int ToolBarButtonIdBase = 3000;

// What the user does with the bar beyond clicking a button (which reaches
// the parent as WM_COMMAND).
struct ToolBarEvents {
    // Entry `entry` (from 1) chosen in the drop-down list of the button at
    // 0-based `position`.
    std::function<void(std::size_t position, std::size_t entry)> menuEntryChosen;
    std::function<void()> doubleClicked;
};

class ToolBarWin32 final : public ToolBar {
public:
    ToolBarWin32() = default;
    ~ToolBarWin32() override;

    bool Create(HWND parent, int controlId, ToolBarEvents events = {});
    HWND Handle() const { return window_; }
    // The image list the buttons draw from (the customisation dialog's
    // lists share it).
    HIMAGELIST Images() const { return images_; }
    // The 0-based position of the button that sent a WM_COMMAND identifier.
    std::optional<std::size_t> PositionOfCommand(int commandId) const;

    // The parent forwards WM_SIZE and the toolbar's WM_NOTIFY (tooltips,
    // drop-down arrows).
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
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The drop-down list under the button; returns the entry chosen (from
    // 1), or 0 when none was.
    std::size_t TrackButtonMenu(std::size_t position) const;

    struct Position {
        ToolBarEntry entry;
        std::vector<std::u16string> menuEntries;
    };

    HWND window_ = nullptr;
    WindowSubclass subclass_;
    ToolBarEvents events_;
    HIMAGELIST images_ = nullptr;
    ScreenDpi dpi_;
    std::vector<Position> entries_;
};

}  // namespace scribbit
