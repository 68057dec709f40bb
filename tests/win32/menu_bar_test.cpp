#include "app/menu_tree.h"
#include "win32/adapter_test.h"
#include "win32/menu_bar_win32.h"
#include "win32/test_window.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

ADAPTER_TEST(MenuBarFollowsTheMenuTree) {
    TestWindow window;
    MenuBarWin32 menus;
    EXPECT_TRUE(menus.Build());
    menus.AttachTo(window.Handle());
    HMENU bar = GetMenu(window.Handle());
    EXPECT_EQ(GetMenuItemCount(bar), 5);
    for (const MenuDef& def : MenuTree()) {
        for (std::size_t index = 0; index < def.items.size(); ++index) {
            const MenuItemDef& item = def.items[index];
            if (item.IsSeparator() || item.hasSubmenu) continue;
            const MenuItem menuItem{def.menu, static_cast<int>(index)};
            EXPECT_EQ(menus.IsEnabled(menuItem), item.enabledAtStart);
            EXPECT_TRUE(!menus.IsChecked(menuItem));
        }
    }
    // Captions carry the shortcut after a tab; command ids follow the items.
    HMENU edit = GetSubMenu(bar, 1);
    wchar_t caption[64] = {};
    GetMenuStringW(edit, static_cast<UINT>(CommandId(menu::EditDelete)), caption, 64, MF_BYCOMMAND);
    EXPECT_EQ(FromWide(caption), std::u16string(u"削除(&L)\tDel"));
    HMENU form = GetSubMenu(bar, 2);
    HMENU count = GetSubMenu(form, menu::FormCountUnit.index);
    EXPECT_EQ(static_cast<int>(GetMenuItemID(count, 1)), CommandId(menu::CountBytes));
    EXPECT_EQ(static_cast<int>(GetMenuItemID(menus.ToolBarContextMenu(), 0)),
              CommandId(menu::ToolBarCustomize));
}

ADAPTER_TEST(CheckAndEnableByMenuItem) {
    MenuBarWin32 menus;
    EXPECT_TRUE(menus.Build());
    menus.SetChecked(menu::FormWordWrap, true);
    menus.SetChecked(menu::CountCharacters, true);
    EXPECT_TRUE(menus.IsChecked(menu::FormWordWrap));
    EXPECT_TRUE(menus.IsChecked(menu::CountCharacters));
    EXPECT_TRUE(!menus.IsChecked(menu::CountBytes));
    menus.SetChecked(menu::FormWordWrap, false);
    EXPECT_TRUE(!menus.IsChecked(menu::FormWordWrap));
    menus.SetEnabled(menu::EditUndo, true);
    EXPECT_TRUE(menus.IsEnabled(menu::EditUndo));
    menus.SetEnabled(menu::EditPaste, false);
    EXPECT_TRUE(!menus.IsEnabled(menu::EditPaste));
}

ADAPTER_TEST(AShortcutOfADisabledItemReachesTheControl) {
    TestWindow window;
    MenuBarWin32 menus;
    EXPECT_TRUE(menus.Build());
    menus.AttachTo(window.Handle());
    const auto keyDown = [&](WPARAM key) {
        MSG message{};
        message.hwnd = window.Handle();
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = 1;
        return menus.TranslateShortcut(window.Handle(), message);
    };
    EXPECT_TRUE(!keyDown(VK_DELETE));  // "削除" starts disabled
    menus.SetEnabled(menu::EditDelete, true);
    EXPECT_TRUE(keyDown(VK_DELETE));
    EXPECT_TRUE(keyDown(VK_F5));
    menus.SetEnabled(menu::EditTimeDate, false);
    EXPECT_TRUE(!keyDown(VK_F5));
    EXPECT_TRUE(!keyDown('Q'));
}

}  // namespace
}  // namespace scribbit
