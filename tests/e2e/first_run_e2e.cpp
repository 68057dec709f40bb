// A first run and its settings file, then a restart on settings a user
// wrote: placement, views, bars and a toolbar of their own.
#include <set>
#include <vector>

#include "e2e/session.h"

namespace e2e {
namespace {

const std::string FirstRunSettings =
    "[Setting]\r\nXpos=0\r\nYpos=0\r\nXsize=5200\r\nYsize=5000\r\nStatusBar=True\r\nToolBar=True\r\n"
    "CharCount=False\r\nTurnRight=False\r\nTabSpace=0\r\nMostFront=False\r\n\r\n\r\n"
    "[Font]\r\nBold=False\r\nItalic=False\r\nName=FixedSys\r\nSize=13.5\r\nStrikethrough=False\r\n"
    "Underline=False\r\nColor=&H80000008\r\n\r\n\r\n"
    "[ToolBar]\r\n"
    "新規作成,0,new,新規作成\r\n"
    "開く,0,open,開く...\r\n"
    "名前を付けて保存,0,saveas,名前を付けて保存...\r\n"
    "終了,0,exit,終了\r\n"
    ",3,0,(区切り)\r\n"
    "元に戻す,0,undo,元に戻す\r\n"
    "切り取り,0,cut,切り取り\r\n"
    "コピー,0,copy,コピー\r\n"
    "貼り付け,0,paste,貼り付け\r\n"
    "削除,0,delete,削除\r\n"
    ",3,0,(区切り)\r\n"
    "ひらがな→カタカナ,0,hira_kata,ひらがな→カタカナ\r\n"
    "全角→半角,0,zen_han,全角→半角\r\n"
    "小文字→大文字,0,min_big,小文字→大文字\r\n"
    "カタカナ→ひらがな,0,kata_hira,カタカナ→ひらがな\r\n"
    "半角→全角,0,han_zen,半角→全角\r\n"
    "大文字→小文字,0,big_min,大文字→小文字\r\n"
    "CR+LF→LF変換,0,crlf_lf,CR+LF→LF変換\r\n"
    "LF→CR+LF変換,0,lf_crlf,LF→CR+LF変換\r\n"
    "タブ→スペース変換,0,tab_space,タブ→スペース変換...\r\n"
    "スペース→タブ変換,0,space_tab,スペース→タブ変換...\r\n"
    "行末のスペース削除,0,delspace,行末のスペース削除\r\n"
    "改行(CR+LF)の削除,0,delcrlf,改行(CR+LF)の削除\r\n"
    ",3,0,(区切り)\r\n"
    "ヘルプ,0,help,ヘルプ...\r\n"
    "バージョン情報,0,about,バージョン情報...\r\n";

// Placement in multiples of 15 twips (a pixel at 96 DPI), so that it survives
// the trip through the screen; the toolbar holds a separator, a check button,
// a drop-down, an image key nobody knows and a repeated key.
const std::string UserSettings =
    "[Setting]\r\nXpos=1500\r\nYpos=900\r\nXsize=6000\r\nYsize=5400\r\nStatusBar=False\r\nToolBar=True\r\n"
    "CharCount=True\r\nTurnRight=True\r\nTabSpace=4\r\nMostFront=True\r\n\r\n\r\n"
    "[Font]\r\nBold=False\r\nItalic=False\r\nName=FixedSys\r\nSize=13.5\r\nStrikethrough=False\r\n"
    "Underline=False\r\nColor=&H80000008\r\n\r\n\r\n"
    "[ToolBar]\r\n"
    "新規作成,0,new,新規作成\r\n"
    ",3,0,(区切り)\r\n"
    "常に手前に表示,1,mostfront,常に手前に表示\r\n"
    "貼り付け,5,paste,貼り付け\r\n"
    "謎のコマンド,0,nosuchimage,謎のツールチップ\r\n"
    ",3,0,(区切り)\r\n"
    "新規作成,0,new,新規作成\r\n";

bool ButtonChecked(const App& app, int index) {
    const auto button = ToolbarButton(app.process.Handle(), ToolBarOf(app.Main()), index);
    return button && (button->fsState & TBSTATE_CHECKED);
}

TEST(Session, FirstRunAndARestartOnTheUsersSettings) {
    const std::string folder = FreshFolder();
    App app(folder);
    ASSERT_FALSE(app.Settings());
    ASSERT_TRUE(app.Start());
    // Written before the window appears.
    EXPECT_EQ(app.Settings(), AnsiBytes(FirstRunSettings));
    // Two edit views, one shown; word wrap is off, so it scrolls sideways.
    EXPECT_EQ(Editors(app.Main()).size(), 2u);
    EXPECT_TRUE(GetWindowLongPtrW(app.Editor(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_TRUE(IsWindowVisible(StatusBarOf(app.Main())) && IsWindowVisible(ToolBarOf(app.Main())));
    EXPECT_EQ(Send(StatusBarOf(app.Main()), SB_GETPARTS), 8);
    EXPECT_EQ(Send(ToolBarOf(app.Main()), TB_BUTTONCOUNT), 26);
    // The narrow first-run window wraps the bar: every button can be reached,
    // and the edit view starts below the last row.
    RECT client{}, view{};
    GetClientRect(app.Main(), &client);
    MapWindowPoints(app.Main(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(app.Editor(), &view);
    for (int i = 0; i < 26; ++i) {
        const RECT button = app.ButtonRect(i);
        EXPECT_TRUE(button.left >= client.left && button.right <= client.right && button.bottom <= view.top) << i;
    }
    Screenshot("first-run");

    // Always on top, then the file spoilt meanwhile: it is written whole
    // again, with the option, when the window is closed.
    EXPECT_TRUE(app.Run(scribbit::menu::FormAlwaysOnTop));
    ASSERT_TRUE(WriteFileBytes(app.SettingsPath(), "[Setting]\r\n"));
    ASSERT_TRUE(PostMessageW(app.Main(), WM_CLOSE, 0, 0));
    ASSERT_TRUE(app.process.WaitForExit(WaitMs));
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(GetExitCodeProcess(app.process.Handle(), &code) && code == 0) << code;
    std::string expected = AnsiBytes(FirstRunSettings);
    expected.replace(expected.find("MostFront=False"), 15, "MostFront=True");
    EXPECT_EQ(app.Settings(), expected);

    // Two lines that are no button are dropped when the file is written back.
    std::string written = UserSettings;
    written.insert(written.find("謎の"), "この行は位置ではない\r\nコピー,7,copy,コピー\r\n");
    ASSERT_TRUE(WriteFileBytes(app.SettingsPath(), AnsiBytes(written)));
    App again(folder);
    ASSERT_TRUE(again.Start());
    RECT rect{};
    GetWindowRect(again.Main(), &rect);
    EXPECT_EQ(std::vector<LONG>({rect.left, rect.top, rect.right, rect.bottom}), std::vector<LONG>({100, 60, 500, 420}));
    EXPECT_FALSE(GetWindowLongPtrW(again.Editor(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_FALSE(IsWindowVisible(StatusBarOf(again.Main())));
    const BYTE styles[] = {BTNS_BUTTON, BTNS_SEP, BTNS_CHECK, BTNS_DROPDOWN, BTNS_BUTTON, BTNS_SEP, BTNS_BUTTON};
    const HWND tools = ToolBarOf(again.Main());
    ASSERT_EQ(Send(tools, TB_BUTTONCOUNT), 7);
    std::set<int> commands;
    for (int i = 0; i < 7; ++i) {
        const auto button = ToolbarButton(again.process.Handle(), tools, i);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->fsStyle & (BTNS_SEP | BTNS_CHECK | BTNS_DROPDOWN), styles[i]) << i;
        if (styles[i] == BTNS_SEP) continue;
        EXPECT_EQ(button->iBitmap != I_IMAGENONE, i != 4) << i;  // the unknown image key has none
        // Each button answers to a command of its own, a repeated key too.
        EXPECT_TRUE(commands.insert(button->idCommand).second) << i;
    }
    // Stored as on, always on top presses its button, which follows the menu item.
    Screenshot("users-settings");
    EXPECT_AFTER(again.Command(scribbit::menu::FormAlwaysOnTop), ButtonChecked(again, 2), false);
    EXPECT_AFTER(again.Command(scribbit::menu::FormAlwaysOnTop), ButtonChecked(again, 2), true);
    ASSERT_TRUE(again.Exit());
    EXPECT_EQ(again.Settings(), AnsiBytes(UserSettings));
}

}  // namespace
}  // namespace e2e
