// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "win32/adapter_test.h"
#include "win32/status_bar_win32.h"
#include "win32/test_window.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

std::u16string ReadablePanel(HWND bar, int part) {
    wchar_t text[32] = {};
    const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    const std::u16string result(reinterpret_cast<const char16_t*>(text));
    EXPECT_EQ(static_cast<std::size_t>(LOWORD(length)), result.size());
    return result;
}

void SetToggled(int key, bool on) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[key] = static_cast<BYTE>(on ? (keys[key] | 1) : (keys[key] & ~1));
    SetKeyboardState(keys);
}

// The key panels are drawn by the program, yet another process reads them:
// the key's name while it is on, nothing while it is off.
ADAPTER_TEST(StatusBarKeyPanelsReadTheirStateThroughSbGetText) {
    TestWindow window(1000, 400);
    StatusBarWin32 bar;
    EXPECT_TRUE(bar.Create(window.Handle(), 13));
    bar.OnParentSize();
    const struct {
        int key;
        int part;
        std::u16string name;
    } keys[] = {{VK_INSERT, 5, u"INS"}, {VK_NUMLOCK, 6, u"NUM"}, {VK_CAPITAL, 7, u"CAPS"}};
    for (const auto& k : keys) {
        const bool was = (GetKeyState(k.key) & 1) != 0;
        for (const bool on : {true, false}) {
            SetToggled(k.key, on);
            bar.OnTimer();
            EXPECT_EQ(ReadablePanel(bar.Handle(), k.part), on ? k.name : std::u16string());
            EXPECT_EQ(bar.PanelText(k.part + 1), k.name);
        }
        SetToggled(k.key, was);
    }
    bar.SetPanelText(2, u"バイト");
    EXPECT_EQ(ReadablePanel(bar.Handle(), 1), std::u16string(u"バイト"));
}

}  // namespace
}  // namespace scribbit
