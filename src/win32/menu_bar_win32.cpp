#include "win32/menu_bar_win32.h"

#include "app/menu_tree.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

std::u16string CaptionWithShortcut(const MenuItemDef& item) {
    std::u16string caption(item.caption);
    if (!item.shortcut.text.empty()) {
        caption += u'\t';
        caption += item.shortcut.text;
    }
    return caption;
}

bool KeyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

}  // namespace

MenuBarWin32::~MenuBarWin32() {
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    // The context menu never joins the bar, so it is always ours to destroy.
    if (HMENU contextMenu = Popup(Menu::ToolBar)) DestroyMenu(contextMenu);
    // An attached bar goes with its window, popups and submenus included.
    if (bar_ && !barAttached_) DestroyMenu(bar_);
}

HMENU MenuBarWin32::BuildPopup(Menu menu) {
    HMENU& popup = popups_[static_cast<std::size_t>(menu)];
    if (popup) return popup;
    popup = CreatePopupMenu();
    if (!popup) return nullptr;
    const MenuDef& def = FindMenu(menu);
    for (std::size_t index = 0; index < def.items.size(); ++index) {
        const MenuItemDef& item = def.items[index];
        if (item.IsSeparator()) {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::u16string caption = CaptionWithShortcut(item);
        const UINT state = item.enabledAtStart ? MF_ENABLED : MF_GRAYED;
        if (item.hasSubmenu) {
            HMENU submenu = BuildPopup(item.submenu);
            AppendMenuW(popup, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(submenu),
                        Wide(caption));
        } else {
            const int id = CommandId(MenuItem{menu, static_cast<int>(index)});
            AppendMenuW(popup, MF_STRING | state, static_cast<UINT_PTR>(id), Wide(caption));
        }
        if (item.shortcut.key != 0 && !item.hasSubmenu) {
            ACCEL accel{};
            accel.fVirt = static_cast<BYTE>(FVIRTKEY | (item.shortcut.ctrl ? FCONTROL : 0));
            accel.key = static_cast<WORD>(item.shortcut.key);
            accel.cmd = static_cast<WORD>(CommandId(MenuItem{menu, static_cast<int>(index)}));
            shortcuts_.push_back(accel);
        }
    }
    return popup;
}

bool MenuBarWin32::Build() {
    bar_ = CreateMenu();
    if (!bar_) return false;
    for (const MenuDef& def : MenuTree()) {
        HMENU popup = BuildPopup(def.menu);
        if (!popup) return false;
        if (def.inMenuBar) {
            AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                        Wide(std::u16string(def.caption)));
        }
    }
    accelerators_ = CreateAcceleratorTableW(shortcuts_.data(), static_cast<int>(shortcuts_.size()));
    return accelerators_ != nullptr;
}

void MenuBarWin32::AttachTo(HWND window) {
    if (SetMenu(window, bar_)) barAttached_ = true;
}

const ACCEL* MenuBarWin32::FindShortcut(const MSG& message) const {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return nullptr;
    const bool ctrl = KeyDown(VK_CONTROL);
    if (KeyDown(VK_SHIFT) || KeyDown(VK_MENU)) return nullptr;  // no shortcut uses them
    for (const ACCEL& accel : shortcuts_) {
        if (accel.key == message.wParam && ((accel.fVirt & FCONTROL) != 0) == ctrl) return &accel;
    }
    return nullptr;
}

bool MenuBarWin32::TranslateShortcut(HWND window, MSG& message) const {
    const ACCEL* accel = FindShortcut(message);
    if (!accel || !IsEnabled(MenuItemFromCommandId(accel->cmd))) return false;
    return TranslateAcceleratorW(window, accelerators_, &message) != 0;
}

void MenuBarWin32::SetChecked(MenuItem item, bool checked) {
    if (HMENU popup = Popup(item.menu)) {
        CheckMenuItem(popup, static_cast<UINT>(item.index),
                      MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

bool MenuBarWin32::IsChecked(MenuItem item) const {
    HMENU popup = Popup(item.menu);
    if (!popup) return false;
    const UINT state = GetMenuState(popup, static_cast<UINT>(item.index), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

void MenuBarWin32::SetEnabled(MenuItem item, bool enabled) {
    if (HMENU popup = Popup(item.menu)) {
        EnableMenuItem(popup, static_cast<UINT>(item.index),
                       MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

bool MenuBarWin32::IsEnabled(MenuItem item) const {
    HMENU popup = Popup(item.menu);
    if (!popup) return false;
    const UINT state = GetMenuState(popup, static_cast<UINT>(item.index), MF_BYPOSITION);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

}  // namespace scribbit
