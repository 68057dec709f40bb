// The document's life cycle as a user meets it: opening from the command
// line and the file dialog, saving, the ask-to-save prompt and failures.
#include <windows.h>

#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"

using namespace e2e;
using scribbit::menu::FileExit;
using scribbit::menu::FileOpen;
using scribbit::menu::FileSave;

namespace {

// Mixed Japanese and ASCII text with CR LF line ends, as users' files are.
const std::wstring SampleText = L"日本語のテキスト\r\nASCII line\r\n半角ｶﾀｶﾅ と 記号①\r\n";

std::string SampleBytes(TestContext& t) {
    const auto bytes = EncodeAnsi(SampleText);
    E2E_CHECK(bytes.has_value());
    return bytes.value_or(std::string{});
}

// Types text into the edit view the way the keyboard does.
void Type(HWND editor, const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(editor, WM_CHAR, c, 1);
}

std::wstring PromptText(const std::wstring& path) {
    return L"ファイル " + path + L"の内容は変更されています。\r\n変更を保存しますか？";
}

}  // namespace

E2E_TEST(OpenFromCommandLineThenSaveKeepsTheBytes) {
    // A quoted path with a space and Japanese in its name.
    const std::wstring folder = t.PathInFolder(L"my docs");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\メモ 1.txt";
    const std::string original = SampleBytes(t);
    E2E_REQUIRE(WriteFileBytes(path, original));

    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(L"\"" + path + L"\""));
    E2E_CHECK_EQ(app.WaitForCaption(L"メモ 1.txt"), std::wstring(L"メモ 1.txt"));
    E2E_CHECK_EQ(app.EditorText(), SampleText);
    E2E_CHECK_EQ(app.WaitForPanel(1, path), path);
    t.Screenshot("opened");

    app.Command(FileSave);
    const std::wstring savedCaption = L"メモ 1.txt - " + std::wstring(ProgramTitle);
    E2E_CHECK_EQ(app.WaitForCaption(savedCaption), savedCaption);
    const auto saved = ReadFileBytes(path);
    E2E_REQUIRE(saved.has_value());
    // Saved exactly as it stands: an unchanged document round-trips byte
    // for byte instead of growing a line break with every save.
    E2E_CHECK_BYTES(*saved, original);
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), path);
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(UnquotedPathWithSpacesOpensWholeAndEditsSave) {
    // The command line is one file name: not split at its blanks.
    const std::wstring folder = t.PathInFolder(L"two words");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring path = folder + L"\\a b.txt";
    const std::string original = SampleBytes(t);
    E2E_REQUIRE(WriteFileBytes(path, original));

    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_CHECK_EQ(app.WaitForCaption(L"a b.txt"), std::wstring(L"a b.txt"));
    E2E_CHECK_EQ(app.WaitForPanel(1, path), path);

    // The first change marks panel 1 and leaves the caption alone.
    Type(ActiveEditor(app.Main()), L"x");
    E2E_CHECK_EQ(app.WaitForPanel(1, path + L"(変更)"), path + L"(変更)");
    E2E_CHECK_EQ(app.Caption(), std::wstring(L"a b.txt"));

    app.Command(FileSave);
    const std::wstring savedCaption = L"a b.txt - " + std::wstring(ProgramTitle);
    E2E_CHECK_EQ(app.WaitForCaption(savedCaption), savedCaption);
    E2E_CHECK_EQ(app.WaitForPanel(1, path), path);
    const auto saved = ReadFileBytes(path);
    E2E_REQUIRE(saved.has_value());
    E2E_CHECK_BYTES(*saved, "x" + original);
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(CommandLineNameThatDoesNotExistIsCreatedEmpty) {
    const std::wstring path = t.PathInFolder(L"新しい.txt");
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_CHECK_EQ(app.WaitForCaption(L"新しい.txt"), std::wstring(L"新しい.txt"));
    E2E_CHECK(FileExists(path));
    E2E_CHECK_EQ(FileSize(path), 0LL);
    E2E_CHECK_EQ(app.EditorText(), std::wstring());
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(ExitWithChangesAsksFirst) {
    const std::wstring path = t.PathInFolder(L"draft.txt");
    const std::string original = SampleBytes(t);
    E2E_REQUIRE(WriteFileBytes(path, original));
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch(path));
    E2E_REQUIRE_EQ(app.WaitForCaption(L"draft.txt"), std::wstring(L"draft.txt"));

    Type(ActiveEditor(app.Main()), L"x");
    E2E_CHECK_EQ(app.WaitForPanel(1, path + L"(変更)"), path + L"(変更)");

    // Cancel keeps the program and the text.
    app.Command(FileExit);
    auto prompt = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(prompt.has_value());
    E2E_CHECK_EQ(prompt->caption, std::wstring(ProgramTitle));
    E2E_CHECK_EQ(prompt->text, PromptText(path));
    t.Screenshot("prompt");
    E2E_REQUIRE(ClickButton(prompt->window, IDCANCEL));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    E2E_CHECK(!app.Process().WaitForExit(300));
    E2E_CHECK_EQ(app.EditorText(), L"x" + SampleText);

    // No ends it without saving.
    app.Command(FileExit);
    prompt = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(prompt.has_value());
    E2E_REQUIRE(ClickButton(prompt->window, IDNO));
    E2E_CHECK(app.Process().WaitForExit(ExitTimeoutMs));
    const auto after = ReadFileBytes(path);
    E2E_REQUIRE(after.has_value());
    E2E_CHECK_BYTES(*after, original);
}

E2E_TEST(SavingUntitledDocumentAsksForName) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    Type(ActiveEditor(app.Main()), L"abc");
    E2E_CHECK_EQ(app.WaitForPanel(1, L"(変更)"), std::wstring(L"(変更)"));

    // Cancelling the dialog changes nothing.
    app.Command(FileSave);
    HWND dialog = WaitForFileDialog(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    t.Screenshot("save-dialog");
    E2E_REQUIRE(ClickButton(dialog, IDCANCEL));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    E2E_CHECK_EQ(app.Caption(), std::wstring(ProgramTitle));

    const std::wstring path = t.PathInFolder(L"saved.txt");
    app.Command(FileSave);
    dialog = WaitForFileDialog(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_REQUIRE(SetFileDialogName(dialog, path));
    E2E_REQUIRE(ClickButton(dialog, IDOK));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    const std::wstring caption = L"saved.txt - " + std::wstring(ProgramTitle);
    E2E_CHECK_EQ(app.WaitForCaption(caption), caption);
    const auto saved = ReadFileBytes(path);
    E2E_REQUIRE(saved.has_value());
    E2E_CHECK_BYTES(*saved, std::string("abc"));
    E2E_CHECK_EQ(app.Panel(1).value_or(L"<unreadable>"), path);
    // Saved: leaving asks nothing.
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(OpenDialogWithReadOnlyLocksTheView) {
    const std::wstring path = t.PathInFolder(L"locked.txt");
    E2E_REQUIRE(WriteFileBytes(path, SampleBytes(t)));
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());

    app.Command(FileOpen);
    HWND dialog = WaitForFileDialog(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_REQUIRE(SetFileDialogReadOnly(dialog, true));
    E2E_REQUIRE(SetFileDialogName(dialog, path));
    t.Screenshot("open-dialog");
    E2E_REQUIRE(ClickButton(dialog, IDOK));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));

    E2E_CHECK_EQ(app.WaitForPanel(1, path + L"(読込み専用)"), path + L"(読込み専用)");
    E2E_CHECK_EQ(app.Caption(), std::wstring(L"locked.txt"));
    E2E_CHECK_EQ(app.EditorText(), SampleText);
    for (HWND editor : Editors(app.Main())) {
        E2E_CHECK((GetWindowLongPtrW(editor, GWL_STYLE) & ES_READONLY) != 0);
    }
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(OpeningAFolderReportsTheError) {
    const std::wstring path = t.PathInFolder(L"a folder");
    CreateDirectoryW(path.c_str(), nullptr);
    ProgramSession app(t);
    E2E_REQUIRE(app.StartOnly(path));
    // The command-line file is opened during start-up, so the report comes
    // before the window is shown.
    const auto report = WaitForProcessMessageBox(app.Process().Id(), StartTimeoutMs);
    E2E_REQUIRE(report.has_value());
    t.Screenshot("error");
    E2E_CHECK_EQ(report->caption, std::wstring(ProgramTitle));
    const std::wstring head = L"エラーです。\r\nOpenFileName: " + path + L"\r\n";
    E2E_CHECK_EQ(report->text.substr(0, head.size()), head);
    E2E_CHECK(report->text.size() >= 8 && report->text.substr(report->text.size() - 8) == L"Ver 1.57");
    E2E_REQUIRE(ClickButton(report->window, IDOK));
    // Start-up completes all the same, with the empty, untitled document.
    E2E_REQUIRE(app.Process().WaitForMainWindow(StartTimeoutMs) != nullptr);
    E2E_CHECK_EQ(app.Caption(), std::wstring(ProgramTitle));
    E2E_CHECK_EQ(app.EditorText(), std::wstring());
    E2E_CHECK(app.ExitViaMenu());
}
