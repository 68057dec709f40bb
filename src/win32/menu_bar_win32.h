// The menu bar, the toolbar's context menu and the keyboard shortcuts, built
// from the menu tree; also the check marks and enabled states the logic sets.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "platform/commands.h"
#include "platform/menu_state.h"

namespace scribbit {

class MenuBarWin32 final : public MenuState {
public:
    MenuBarWin32() = default;
    ~MenuBarWin32() override;

    // Builds the menus and the accelerator table; false when the system
    // refuses to create them.
    bool Build();
    // Attaches the menu bar to the window, which then owns it.
    void AttachTo(HWND window);

    HMENU ToolBarContextMenu() const { return Popup(Menu::ToolBar); }

    // Turns a shortcut key into its menu command, but only while that item
    // is enabled: a disabled item's key goes on to the focused control (Del
    // with nothing selected deletes the next character in the edit view).
    bool TranslateShortcut(HWND window, MSG& message) const;

    void SetChecked(MenuItem item, bool checked) override;
    bool IsChecked(MenuItem item) const override;
    void SetEnabled(MenuItem item, bool enabled) override;
    bool IsEnabled(MenuItem item) const override;

private:
    HMENU Popup(Menu menu) const { return popups_[static_cast<std::size_t>(menu)]; }
    HMENU BuildPopup(Menu menu);
    const ACCEL* FindShortcut(const MSG& message) const;

    static constexpr std::size_t MenuCount = 7;
    std::array<HMENU, MenuCount> popups_{};
    HMENU bar_ = nullptr;
    bool barAttached_ = false;
    std::vector<ACCEL> shortcuts_;
    HACCEL accelerators_ = nullptr;
};

}  // namespace scribbit
