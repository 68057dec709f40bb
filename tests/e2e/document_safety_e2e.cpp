// The ask-to-save prompt's other answers, New, and the cases where a save
// cannot keep the user's text as it is: nothing may be lost without a word.
#include <windows.h>

#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"

using namespace e2e;
using scribbit::menu::FileExit;
using scribbit::menu::FileNew;
using scribbit::menu::FileSave;

namespace {

void Type(HWND editor, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(editor, WM_CHAR, c, 1);
}

// Answers the ask-to-save prompt; false when none came.
bool AnswerPrompt(TestContext& t, ProgramSession& app, int button) {
    const auto prompt = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_CHECK(prompt.has_value());
    return prompt && ClickButton(prompt->window, button);
}

}  // namespace

E2E_TEST(ExitPromptYesSavesUnderAChosenName) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    Type(ActiveEditor(app.Main()), L"メモ");
    E2E_REQUIRE_EQ(app.WaitForPanel(1, L"(変更)"), std::wstring(L"(変更)"));

    // Yes, then cancelling the save dialog, cancels the exit.
    app.Command(FileExit);
    E2E_REQUIRE(AnswerPrompt(t, app, IDYES));
    HWND dialog = WaitForFileDialog(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_REQUIRE(ClickButton(dialog, IDCANCEL));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    E2E_CHECK(!app.Process().WaitForExit(300));
    E2E_CHECK_EQ(app.EditorText(), std::wstring(L"メモ"));

    // Yes and a name: saved, then the program ends.
    const std::wstring path = t.PathInFolder(L"メモ.txt");
    app.Command(FileExit);
    E2E_REQUIRE(AnswerPrompt(t, app, IDYES));
    dialog = WaitForFileDialog(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_REQUIRE(SetFileDialogName(dialog, path));
    E2E_REQUIRE(ClickButton(dialog, IDOK));
    E2E_CHECK(app.Process().WaitForExit(ExitTimeoutMs));
    const auto saved = ReadFileBytes(path);
    E2E_REQUIRE(saved.has_value());
    E2E_CHECK_BYTES(*saved, EncodeAnsi(L"メモ").value_or("?"));
}

E2E_TEST(NewAfterChangesAsksThenClears) {
    const std::wstring path = t.PathInFolder(L"keep.txt");
    E2E_REQUIRE(WriteFileBytes(path, "keep me\r\n"));
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_REQUIRE_EQ(app.WaitForCaption(L"keep.txt"), std::wstring(L"keep.txt"));
    Type(ActiveEditor(app.Main()), L"x");
    E2E_REQUIRE_EQ(app.WaitForPanel(1, path + L"(変更)"), path + L"(変更)");

    app.Command(FileNew);
    const auto prompt = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(prompt.has_value());
    E2E_CHECK_EQ(prompt->text, L"ファイル " + path + L"の内容は変更されています。\r\n変更を保存しますか？");
    E2E_REQUIRE(ClickButton(prompt->window, IDNO));
    E2E_CHECK_EQ(app.WaitForCaption(ProgramTitle), std::wstring(ProgramTitle));
    E2E_CHECK_EQ(app.EditorText(), std::wstring());
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), std::wstring());
    E2E_CHECK_BYTES(ReadFileBytes(path).value_or(""), std::string("keep me\r\n"));
    // The new document is clean: leaving asks nothing.
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(CharacterWithoutShiftJisCodeIsNotDroppedSilently) {
    const std::wstring path = t.PathInFolder(L"accents.txt");
    E2E_REQUIRE(WriteFileBytes(path, "abc"));
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_REQUIRE_EQ(app.WaitForCaption(L"accents.txt"), std::wstring(L"accents.txt"));
    // "é" has no code in Shift-JIS.
    Type(ActiveEditor(app.Main()), L"\u00E9");
    E2E_REQUIRE_EQ(app.WaitForPanel(1, path + L"(変更)"), path + L"(変更)");

    app.Command(FileSave);
    const auto warning = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(warning.has_value());
    t.Screenshot("warning");
    E2E_CHECK_EQ(warning->caption, std::wstring(ProgramTitle));
    E2E_REQUIRE(ClickButton(warning->window, IDNO));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    // Declined: the file and the document's state are as before.
    E2E_CHECK_BYTES(ReadFileBytes(path).value_or(""), std::string("abc"));
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), path + L"(変更)");
    E2E_CHECK_EQ(app.Caption(), std::wstring(L"accents.txt"));

    app.Command(FileExit);
    E2E_REQUIRE(AnswerPrompt(t, app, IDNO));
    E2E_CHECK(app.Process().WaitForExit(ExitTimeoutMs));
}

E2E_TEST(FailedSaveIsReportedAndKeepsTheChanges) {
    const std::wstring path = t.PathInFolder(L"gone.txt");
    E2E_REQUIRE(WriteFileBytes(path, "text"));
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_REQUIRE_EQ(app.WaitForCaption(L"gone.txt"), std::wstring(L"gone.txt"));
    Type(ActiveEditor(app.Main()), L"x");
    E2E_REQUIRE_EQ(app.WaitForPanel(1, path + L"(変更)"), path + L"(変更)");

    // A folder now stands where the file was: no one can write there, not
    // even a user with every right.
    E2E_REQUIRE(DeleteFileW(path.c_str()));
    E2E_REQUIRE(CreateDirectoryW(path.c_str(), nullptr));
    app.Command(FileSave);
    const auto report = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(report.has_value());
    t.Screenshot("report");
    E2E_CHECK_EQ(report->text, std::wstring(L"その他のエラー"));
    E2E_REQUIRE(ClickButton(report->window, IDOK));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), path + L"(変更)");
    E2E_CHECK_EQ(app.Caption(), std::wstring(L"gone.txt"));
    E2E_CHECK_EQ(app.EditorText(), std::wstring(L"xtext"));

    app.Command(FileExit);
    E2E_REQUIRE(AnswerPrompt(t, app, IDNO));
    E2E_CHECK(app.Process().WaitForExit(ExitTimeoutMs));
}

E2E_TEST(DamagedSettingsStillStartAndAreRewritten) {
    ProgramSession app(t);
    E2E_REQUIRE(WriteFileBytes(app.SettingsPath(),
                               "[Setting]\r\nXpos=abc\r\nYpos=-50\r\nXsize=\r\nTurnRight=maybe\r\nTabSpace=x\r\n"
                               "[Font]\r\nSize=huge\r\nColor=&HZZ\r\n"
                               "[ToolBar]\r\nfoo,bar\r\n,3,0,(x),extra,fields\r\n\r\n"));
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    t.Screenshot("started");
    E2E_REQUIRE(app.ExitViaMenu());
    const auto written = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(written.has_value());
    // Unreadable numbers fall back as start-up reads them: 0, and the
    // minimum window size.
    const std::string head = "[Setting]\r\nXpos=0\r\nYpos=0\r\nXsize=5200\r\n";
    E2E_CHECK_BYTES(written->substr(0, head.size()), head);
    E2E_CHECK(written->find("\r\n\r\n\r\n[Font]\r\n") != std::string::npos);
    E2E_CHECK(written->find("\r\n\r\n\r\n[ToolBar]\r\n") != std::string::npos);
    E2E_CHECK(written->size() >= 2 && written->substr(written->size() - 2) == "\r\n");
}
