// Start-up, the first-run settings file and the two ways out.
#include <windows.h>

#include "e2e/e2e_harness.h"
#include "e2e/expected_settings.h"
#include "e2e/file_bytes.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"

using namespace e2e;

namespace {

// Expected bytes in the ANSI code page; an expectation that cannot be
// encoded fails the test instead of comparing against a lossy string.
std::string Ansi(TestContext& t, const std::wstring& text) {
    auto bytes = EncodeAnsi(text);
    E2E_CHECK(bytes.has_value());
    return bytes.value_or(std::string{});
}

}  // namespace

E2E_TEST(EnvironmentUsesJapaneseCodePage) {
    // Everything below compares Shift-JIS bytes; a prefix without the
    // Japanese locale would make every such check fail for the wrong reason.
    E2E_CHECK_EQ(static_cast<long long>(GetACP()), 932LL);
}

E2E_TEST(FirstRunShowsTitledWindowAndWritesSettings) {
    ProgramSession app(t);
    E2E_REQUIRE(!FileExists(app.SettingsPath()));
    E2E_REQUIRE(app.Launch());
    // The settings file is written before the window appears.
    E2E_CHECK(FileExists(app.SettingsPath()));
    E2E_CHECK_EQ(app.Caption(), std::wstring(ProgramTitle));
    app.Process().WaitForIdle(5000);
    t.Screenshot("started");

    const auto written = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(written.has_value());
    E2E_CHECK_BYTES(*written, Ansi(t, SettingsText(FirstRunSettings())));
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(FirstRunWindowHasItsParts) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    const HWND main = app.Main();

    const auto editors = Editors(main);
    E2E_CHECK_EQ(static_cast<long long>(editors.size()), 2LL);
    // Word wrap is off at first run: the shown view scrolls sideways.
    const HWND active = ActiveEditor(main);
    E2E_REQUIRE(active != nullptr);
    E2E_CHECK((GetWindowLongPtrW(active, GWL_STYLE) & WS_HSCROLL) != 0);
    int shown = 0;
    for (HWND editor : editors) shown += IsWindowVisible(editor) ? 1 : 0;
    E2E_CHECK_EQ(static_cast<long long>(shown), 1LL);

    const HWND status = StatusBarOf(main);
    E2E_REQUIRE(status != nullptr);
    E2E_CHECK(IsWindowVisible(status));
    E2E_CHECK_EQ(static_cast<long long>(StatusPartCount(status)), 8LL);
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), std::wstring());
    E2E_CHECK_EQ(app.Panel(2).value_or(L"<unreadable>"), std::wstring(L"バイト"));

    // The default toolbar: 26 positions, separators at 5, 11 and 24.
    const HWND tools = ToolBarOf(main);
    E2E_REQUIRE(tools != nullptr);
    E2E_CHECK(IsWindowVisible(tools));
    E2E_REQUIRE_EQ(static_cast<long long>(ToolbarButtonCount(tools)), 26LL);
    std::wstring separators;
    for (int i = 0; i < 26; ++i) {
        const auto button = ToolbarButtonAt(app.Process().Handle(), tools, i);
        E2E_REQUIRE(button.has_value());
        if (button->separator()) separators += std::to_wstring(i + 1) + L" ";
    }
    E2E_CHECK_EQ(separators, std::wstring(L"5 11 24 "));
    t.Screenshot("parts");
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(ExitFromMenuEndsAndRewritesSettings) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    // Spoil the file the first run wrote: only a rewrite at the end can
    // bring back the full contents.
    E2E_REQUIRE(WriteFileBytes(app.SettingsPath(), "[Setting]\r\n"));
    E2E_REQUIRE(app.ExitViaMenu());
    E2E_CHECK_EQ(static_cast<long long>(app.Process().ExitCode()), 0LL);
    const auto written = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(written.has_value());
    E2E_CHECK_BYTES(*written, Ansi(t, SettingsText(FirstRunSettings())));
}

E2E_TEST(ClosingTheWindowEndsAndRewritesSettings) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    E2E_REQUIRE(WriteFileBytes(app.SettingsPath(), ""));
    E2E_REQUIRE(PostClose(app.Main()));
    E2E_REQUIRE(app.Process().WaitForExit(ExitTimeoutMs));
    const auto written = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(written.has_value());
    E2E_CHECK_BYTES(*written, Ansi(t, SettingsText(FirstRunSettings())));
}

E2E_TEST(HandWrittenSettingsAreAppliedAndWrittenBack) {
    // Placement values are multiples of 15 twips (one pixel at 96 DPI) so
    // that they survive the trip through the screen unchanged.
    ExpectedSettings settings = FirstRunSettings();
    settings.xpos = 1500;
    settings.ypos = 900;
    settings.xsize = 6000;
    settings.ysize = 5400;
    settings.statusBar = false;
    settings.charCount = true;
    settings.turnRight = true;
    settings.tabSpace = 4;
    settings.toolBarRecords = {L"新規作成,0,new,新規作成", L",3,0,(区切り)", L"貼り付け,5,paste,貼り付け"};

    ProgramSession app(t);
    E2E_REQUIRE(WriteFileBytes(app.SettingsPath(), Ansi(t, SettingsText(settings))));
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    const HWND main = app.Main();

    // Word wrap on: the shown view has no horizontal scroll bar.
    const HWND active = ActiveEditor(main);
    E2E_REQUIRE(active != nullptr);
    E2E_CHECK((GetWindowLongPtrW(active, GWL_STYLE) & WS_HSCROLL) == 0);
    const HWND status = StatusBarOf(main);
    E2E_CHECK(status == nullptr || !IsWindowVisible(status));
    E2E_CHECK_EQ(static_cast<long long>(ToolbarButtonCount(ToolBarOf(main))), 3LL);
    RECT rect{};
    GetWindowRect(main, &rect);
    // 1500 × 900 twips is 100 × 60 pixels at 96 DPI.
    E2E_CHECK_EQ(static_cast<long long>(rect.left), 100LL);
    E2E_CHECK_EQ(static_cast<long long>(rect.top), 60LL);
    t.Screenshot("applied");

    E2E_REQUIRE(app.ExitViaMenu());
    const auto written = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(written.has_value());
    E2E_CHECK_BYTES(*written, Ansi(t, SettingsText(settings)));
}
