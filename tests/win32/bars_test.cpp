// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "toolbar/command_catalogue.h"
#include "win32/adapter_test.h"
#include "win32/status_bar_win32.h"
#include "win32/test_window.h"
#include "win32/tool_bar_win32.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

std::vector<int> PanelRightEdges(HWND bar) {
    std::vector<int> edges(StatusBarWin32::PanelCount + 1, 0);
    const LRESULT count =
        SendMessageW(bar, SB_GETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    edges.resize(static_cast<std::size_t>(count));
    return edges;
}

ADAPTER_TEST(StatusBarHasEightPanelsOfTheDesignWidths) {
    TestWindow window(1000, 400);
    StatusBarWin32 bar;
    EXPECT_TRUE(bar.Create(window.Handle(), 13));
    bar.OnParentSize();
    const int dpi = CurrentScreenDpi().x;
    const std::vector<int> edges = PanelRightEdges(bar.Handle());
    EXPECT_EQ(edges.size(), std::size_t{8});
    if (edges.size() == 8) {
        EXPECT_EQ(edges[1] - edges[0], MillimetresToPixels(10.58, dpi));
        EXPECT_EQ(edges[3] - edges[2], MillimetresToPixels(24.69, dpi));
        EXPECT_EQ(edges[4] - edges[3], MillimetresToPixels(17.64, dpi));
        RECT client{};
        GetClientRect(bar.Handle(), &client);
        EXPECT_EQ(edges[7], client.right);  // panel 1 takes the rest
    }
    EXPECT_EQ(bar.PanelText(3), std::u16string(u"0"));
    EXPECT_EQ(bar.PanelText(6), std::u16string(u"INS"));
    EXPECT_EQ(bar.PanelText(8), std::u16string(u"CAPS"));
    EXPECT_TRUE(!bar.PanelText(4).empty());  // the date, kept by the bar
    EXPECT_TRUE(bar.HeightTwips() > 0);
}

ADAPTER_TEST(StatusBarFirstPanelNeverShrinksBelowItsMinimum) {
    TestWindow window(120, 300);
    StatusBarWin32 bar;
    EXPECT_TRUE(bar.Create(window.Handle(), 13));
    bar.OnParentSize();
    const std::vector<int> edges = PanelRightEdges(bar.Handle());
    EXPECT_TRUE(!edges.empty());
    if (!edges.empty()) EXPECT_EQ(edges[0], MillimetresToPixels(17.64, CurrentScreenDpi().x));
}

ADAPTER_TEST(StatusBarPanelTextsAndTooltips) {
    TestWindow window;
    StatusBarWin32 bar;
    EXPECT_TRUE(bar.Create(window.Handle(), 13));
    bar.SetPanelText(1, u"C:\\文書\\メモ.txt(変更)");
    bar.SetPanelText(2, u"バイト");
    EXPECT_EQ(bar.PanelText(1), std::u16string(u"C:\\文書\\メモ.txt(変更)"));
    wchar_t shown[64] = {};
    SendMessageW(bar.Handle(), SB_GETTEXTW, 1, reinterpret_cast<LPARAM>(shown));
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(shown)), std::u16string(u"バイト"));
    bar.SetPanelText(0, u"ignored");
    bar.SetPanelText(9, u"ignored");
    EXPECT_EQ(bar.PanelText(9), std::u16string());
    bar.SetVisible(false);
    EXPECT_TRUE(!bar.IsVisible());
}

ADAPTER_TEST(ToolBarKeepsEntriesAsAppended) {
    TestWindow window;
    ToolBarWin32 bar;
    EXPECT_TRUE(bar.Create(window.Handle(), 10));
    const std::vector<ToolBarEntry> entries{
        {u"新規作成", 0, u"new", u"新規作成"},
        {u"", 3, u"", u"(区切り)"},
        {u"常に手前に表示", 1, u"top", u"常に手前に表示"},
        {u"貼り付け", 5, u"paste", u"貼り付け"},
        {u"謎", 0, u"no such image", u"謎"},
    };
    for (const ToolBarEntry& entry : entries) bar.Append(entry);
    EXPECT_EQ(bar.Count(), entries.size());
    EXPECT_EQ(SendMessageW(bar.Handle(), TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) EXPECT_TRUE(bar.Entry(i) == entries[i]);

    TBBUTTON button{};
    SendMessageW(bar.Handle(), TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&button));
    EXPECT_TRUE((button.fsStyle & BTNS_DROPDOWN) != 0);
    SendMessageW(bar.Handle(), TB_GETBUTTON, 4, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.iBitmap, I_IMAGENONE);

    bar.SetPressed(2, true);
    EXPECT_TRUE(bar.IsPressed(2));
    bar.SetPressed(2, false);
    EXPECT_TRUE(!bar.IsPressed(2));
    bar.SetPressed(0, true);
    EXPECT_TRUE(bar.IsPressed(0));
    bar.SetPressed(99, true);
    EXPECT_TRUE(!bar.IsPressed(99));
    EXPECT_TRUE(bar.HeightTwips() > 0);

    bar.Clear();
    EXPECT_EQ(bar.Count(), std::size_t{0});
    EXPECT_EQ(SendMessageW(bar.Handle(), TB_BUTTONCOUNT, 0, 0), LRESULT{0});
}

ADAPTER_TEST(ToolBarAnswersTooltipRequestsWithTheEntryText) {
    TestWindow window;
    ToolBarWin32 bar;
    EXPECT_TRUE(bar.Create(window.Handle(), 10));
    bar.Append({u"開く", 0, u"open", u"開く..."});
    NMTTDISPINFOW info{};
    info.hdr.code = TTN_GETDISPINFOW;
    info.hdr.idFrom = ToolBarButtonIdBase;
    LRESULT result = 1;
    EXPECT_TRUE(bar.OnNotify(info.hdr, result));
    EXPECT_TRUE(info.lpszText != nullptr);
    if (info.lpszText) {
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(info.lpszText)),
                  std::u16string(u"開く..."));
    }
}

}  // namespace
}  // namespace scribbit
