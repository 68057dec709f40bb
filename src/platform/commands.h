// Menu identifiers. A menu item is its menu and its index in that menu's
// item array (separators count), exactly as the click handlers receive it.
// The command identifier sent with WM_COMMAND is derived from both, so a
// menu array and its handler stay one thing; the end-to-end driver includes
// this header instead of repeating numbers.
#pragma once

namespace scribbit {

enum class Menu : int {
    File = 0,     // mnuFILE
    Edit = 1,     // mnuEDIT
    Form = 2,     // mnuFORM
    Change = 3,   // mnuCHANGE
    Help = 4,     // mnuHELP
    ToolBar = 5,  // mnuToolBar, the toolbar's context menu
    Count = 6,    // mnuCOUNT, the submenu of mnuFORM(3)
};

struct MenuItem {
    Menu menu;
    int index;
    friend constexpr bool operator==(MenuItem, MenuItem) = default;
};

inline constexpr int CommandIdBase = 1000;
inline constexpr int CommandIdsPerMenu = 100;

constexpr int CommandId(MenuItem item) {
    return CommandIdBase + static_cast<int>(item.menu) * CommandIdsPerMenu + item.index;
}
constexpr bool IsMenuCommandId(int id) {
    return id >= CommandIdBase && id < CommandIdBase + 7 * CommandIdsPerMenu &&
           (id - CommandIdBase) % CommandIdsPerMenu < 50;
}
constexpr MenuItem MenuItemFromCommandId(int id) {
    return MenuItem{static_cast<Menu>((id - CommandIdBase) / CommandIdsPerMenu),
                    (id - CommandIdBase) % CommandIdsPerMenu};
}

namespace menu {
// mnuFILE
inline constexpr MenuItem FileNew{Menu::File, 0};
inline constexpr MenuItem FileOpen{Menu::File, 1};
inline constexpr MenuItem FileSave{Menu::File, 2};
inline constexpr MenuItem FileSaveAs{Menu::File, 3};
inline constexpr MenuItem FilePageSetup{Menu::File, 5};
inline constexpr MenuItem FilePrint{Menu::File, 6};
inline constexpr MenuItem FileExit{Menu::File, 8};
// mnuEDIT
inline constexpr MenuItem EditUndo{Menu::Edit, 0};
inline constexpr MenuItem EditCut{Menu::Edit, 2};
inline constexpr MenuItem EditCopy{Menu::Edit, 3};
inline constexpr MenuItem EditPaste{Menu::Edit, 4};
inline constexpr MenuItem EditDelete{Menu::Edit, 5};
inline constexpr MenuItem EditFind{Menu::Edit, 7};
inline constexpr MenuItem EditFindNext{Menu::Edit, 8};
inline constexpr MenuItem EditReplace{Menu::Edit, 9};
inline constexpr MenuItem EditGoToLine{Menu::Edit, 10};
inline constexpr MenuItem EditSelectAll{Menu::Edit, 12};
inline constexpr MenuItem EditTimeDate{Menu::Edit, 13};
// mnuFORM
inline constexpr MenuItem FormWordWrap{Menu::Form, 0};
inline constexpr MenuItem FormFont{Menu::Form, 1};
inline constexpr MenuItem FormCountUnit{Menu::Form, 3};
inline constexpr MenuItem FormStatusBar{Menu::Form, 5};
inline constexpr MenuItem FormToolBar{Menu::Form, 6};
inline constexpr MenuItem FormAlwaysOnTop{Menu::Form, 8};
// mnuCOUNT
inline constexpr MenuItem CountCharacters{Menu::Count, 0};
inline constexpr MenuItem CountBytes{Menu::Count, 1};
// mnuHELP
inline constexpr MenuItem HelpContents{Menu::Help, 0};
inline constexpr MenuItem HelpSearch{Menu::Help, 1};
inline constexpr MenuItem HelpAbout{Menu::Help, 3};
// mnuToolBar
inline constexpr MenuItem ToolBarCustomize{Menu::ToolBar, 0};
}  // namespace menu

static_assert(CommandId(menu::FileNew) == 1000);
static_assert(CommandId(menu::EditTimeDate) == 1113);
static_assert(CommandId(menu::CountBytes) == 1601);
static_assert(MenuItemFromCommandId(CommandId(menu::FormAlwaysOnTop)) == menu::FormAlwaysOnTop);
static_assert(IsMenuCommandId(CommandId(menu::ToolBarCustomize)));

}  // namespace scribbit
