// The main window's menu tree as data: captions, shortcuts and the state of
// each item when the window is created. The Win32 shell builds the menu bar
// and the accelerator table from it.
#pragma once

#include <span>
#include <string_view>

#include "platform/commands.h"

namespace scribbit {

// Virtual-key codes of the shortcut keys (the system's values).
inline constexpr int KeyDelete = 0x2E;
inline constexpr int KeyF3 = 0x72;
inline constexpr int KeyF5 = 0x74;

struct Shortcut {
    bool ctrl = false;
    int key = 0;  // 0: no shortcut; a letter's upper-case code or a KeyXxx value
    std::u16string_view text;  // how the menu shows it
};

struct MenuItemDef {
    std::u16string_view caption;  // "-" for a separator
    Shortcut shortcut;
    bool enabledAtStart = true;
    Menu submenu = Menu::File;  // meaningful when hasSubmenu
    bool hasSubmenu = false;
    bool IsSeparator() const { return caption == u"-"; }
};

struct MenuDef {
    Menu menu;
    std::u16string_view caption;
    bool inMenuBar;  // mnuToolBar is only the toolbar's context menu
    std::span<const MenuItemDef> items;
};

// The top-level menus in menu-bar order, then the hidden ones (mnuToolBar,
// mnuCOUNT).
std::span<const MenuDef> MenuTree();
const MenuDef& FindMenu(Menu menu);

}  // namespace scribbit
