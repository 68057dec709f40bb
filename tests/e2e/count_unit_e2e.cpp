// The status bar's count and its unit, as the user switches it, and the
// unit surviving a restart through the settings file.
#include <windows.h>

#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"

using namespace e2e;
using scribbit::menu::CountBytes;
using scribbit::menu::CountCharacters;

E2E_TEST(CountUnitSwitchRecountsAndIsRemembered) {
    // Double-byte kanji and kana, ASCII, half-width katakana (one byte each)
    // and CR LF line breaks (two characters, two bytes).
    const std::wstring text = L"日本語のテキスト\r\nASCII line\r\n半角ｶﾀｶﾅ\r\n";
    const auto bytes = EncodeAnsi(text);
    E2E_REQUIRE(bytes.has_value());
    const std::wstring characterCount = std::to_wstring(text.size());
    const std::wstring byteCount = std::to_wstring(bytes->size());
    E2E_REQUIRE(characterCount != byteCount);

    const std::wstring path = t.PathInFolder(L"count.txt");
    E2E_REQUIRE(WriteFileBytes(path, *bytes));
    {
        ProgramSession app(t);
        E2E_REQUIRE(app.Launch(path));
        // Opening counts in the first run's unit, bytes.
        E2E_CHECK_EQ(app.WaitForPanel(3, byteCount), byteCount);
        E2E_CHECK_EQ(app.Panel(2).value_or(L"<unreadable>"), std::wstring(L"バイト"));

        app.Command(CountCharacters);
        E2E_CHECK_EQ(app.WaitForPanel(2, L"文字"), std::wstring(L"文字"));
        E2E_CHECK_EQ(app.WaitForPanel(3, characterCount), characterCount);
        t.Screenshot("characters");
        E2E_REQUIRE(app.ExitViaMenu());
        const auto settings = ReadFileBytes(app.SettingsPath());
        E2E_REQUIRE(settings.has_value());
        E2E_CHECK(settings->find("\r\nCharCount=True\r\n") != std::string::npos);
    }
    // The next start counts in characters straight away.
    ProgramSession again(t);
    E2E_REQUIRE(again.Launch(path));
    E2E_CHECK_EQ(again.WaitForPanel(2, L"文字"), std::wstring(L"文字"));
    E2E_CHECK_EQ(again.WaitForPanel(3, characterCount), characterCount);
    again.Command(CountBytes);
    E2E_CHECK_EQ(again.WaitForPanel(2, L"バイト"), std::wstring(L"バイト"));
    E2E_CHECK_EQ(again.WaitForPanel(3, byteCount), byteCount);
    E2E_CHECK(again.ExitViaMenu());
}
