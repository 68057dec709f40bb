// The Format menu as a user meets it: word wrap and the two bars.
#include <windows.h>

#include <string>

#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"

using namespace e2e;

namespace {

int HeightOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

// Waits until the shown edit view is the other one.
HWND WaitForOtherEditor(HWND mainWindow, HWND before) {
    for (int i = 0; i < 100; ++i) {
        HWND now = ActiveEditor(mainWindow);
        if (now && now != before) return now;
        Sleep(50);
    }
    return ActiveEditor(mainWindow);
}

}  // namespace

E2E_TEST(WordWrapAndBarsKeepTheTextAndAreRemembered) {
    std::wstring text = L"折り返しの確認:";
    for (int i = 0; i < 20; ++i) text += L" 長い行のテキスト";
    text += L"\r\n二行目\r\n";
    const std::wstring path = t.PathInFolder(L"wrap.txt");
    const auto bytes = EncodeAnsi(text);
    E2E_REQUIRE(bytes.has_value());
    E2E_REQUIRE(WriteFileBytes(path, *bytes));

    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_REQUIRE_EQ(app.WaitForCaption(L"wrap.txt"), std::wstring(L"wrap.txt"));
    HWND noWrap = ActiveEditor(app.Main());
    E2E_REQUIRE(noWrap != nullptr);

    // Word wrap moves the text to the other view and is no edit.
    app.Command(scribbit::menu::FormWordWrap);
    HWND wrap = WaitForOtherEditor(app.Main(), noWrap);
    E2E_CHECK(wrap != noWrap);
    E2E_CHECK_EQ(TextOf(wrap), text);
    E2E_CHECK_EQ(TextOf(noWrap), std::wstring());
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), path);
    t.Screenshot("word-wrap");

    // Hiding both bars gives their room to the edit view.
    const int before = HeightOf(wrap);
    app.Command(scribbit::menu::FormStatusBar);
    app.Command(scribbit::menu::FormToolBar);
    // Both commands are posted: wait for the state after the second one.
    PollUntil([&] { return !IsShown(ToolBarOf(app.Main())) && HeightOf(wrap) > before; }, DialogTimeoutMs);
    E2E_CHECK(HeightOf(wrap) > before);
    E2E_CHECK(!IsShown(StatusBarOf(app.Main())));
    E2E_CHECK(!IsShown(ToolBarOf(app.Main())));
    t.Screenshot("bars-hidden");

    // Nothing was modified, so Exit asks nothing; the options are stored.
    E2E_CHECK(app.ExitViaMenu());
    const auto settings = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(settings.has_value());
    for (const char* line : {"StatusBar=False\r\n", "ToolBar=False\r\n", "TurnRight=True\r\n"}) {
        E2E_CHECK(settings->find(line) != std::string::npos);
    }
}
