// What the user must never lose to a window the program hides or a box it
// shows: typing after a conversion with word wrap on goes into the shown
// view, and while a message box is up no modeless dialog takes input.
#include <windows.h>

#include <string>

#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/keyboard_input.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"
#include "editing_dialog_ids.h"
using namespace e2e;
namespace menu = scribbit::menu;

E2E_TEST(FocusTypingAfterAConversionWithWordWrapOnStaysInTheShownView) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    HWND noWrap = ActiveEditor(app.Main());
    app.Command(menu::FormWordWrap);
    HWND wrap = nullptr;
    PollUntil([&] { wrap = ActiveEditor(app.Main()); return wrap && wrap != noWrap; }, DialogTimeoutMs);
    E2E_REQUIRE(wrap && wrap != noWrap);
    E2E_REQUIRE(BringToForeground(wrap));
    E2E_REQUIRE(WaitForFocus(wrap));
    E2E_REQUIRE(TypeText(L"abc"));
    E2E_REQUIRE(PollUntil([&] { return TextOf(wrap) == L"abc"; }, DialogTimeoutMs));
    app.Command(scribbit::MenuItem{scribbit::Menu::Change, 2});
    E2E_REQUIRE(PollUntil([&] { return TextOf(wrap) == L"ABC"; }, DialogTimeoutMs));
    E2E_REQUIRE(TypeText(L"xyz"));
    std::wstring text;
    PollUntil([&] { return (text = TextOf(wrap)) == L"ABCxyz"; }, DialogTimeoutMs);
    E2E_CHECK_EQ(text, std::wstring(L"ABCxyz"));
    E2E_CHECK_EQ(TextOf(noWrap), std::wstring());
    E2E_CHECK(app.ExitDiscardingChanges());
}

E2E_TEST(FocusModelessDialogsTakeNoInputWhileAMessageIsUp) {
    ProgramSession app(t);
    const std::wstring path = t.PathInFolder(L"r.txt");
    E2E_REQUIRE(WriteFileBytes(path, std::string("a a a")));
    E2E_REQUIRE(app.Launch(path));
    const DWORD pid = app.Process().Id();
    app.Command(menu::EditFind);
    HWND find = WaitForDialogTitled(pid, L"検索", DialogTimeoutMs);
    E2E_REQUIRE(find != nullptr);
    app.Command(menu::EditReplace);
    HWND replace = WaitForDialogTitled(pid, L"置換", DialogTimeoutMs);
    E2E_REQUIRE(replace != nullptr);
    SetTextOf(GetDlgItem(replace, IDC_FIND_TEXT), L"a");
    SetTextOf(GetDlgItem(replace, IDC_SUBST_TEXT), L"bb");
    PostMessageW(GetDlgItem(replace, IDC_FIND_FROM_TOP), BM_CLICK, 0, 0);
    E2E_REQUIRE(PollUntil([&] { return IsItemChecked(replace, IDC_FIND_FROM_TOP); }, DialogTimeoutMs));
    E2E_REQUIRE(PollUntil([&] { return IsItemEnabled(replace, IDC_ALL_SUBST); }, DialogTimeoutMs));
    E2E_REQUIRE(PostMessageW(GetDlgItem(replace, IDC_ALL_SUBST), BM_CLICK, 0, 0));
    auto box = WaitForProcessMessageBox(pid, DialogTimeoutMs);
    E2E_REQUIRE(box.has_value());
    E2E_CHECK_EQ(box->text, std::wstring(L"全部で3個、置換しました。"));
    E2E_CHECK(!IsWindowEnabled(find));
    E2E_CHECK(!IsWindowEnabled(replace));
    E2E_CHECK(ClickButton(box->window, IDOK));
    E2E_CHECK(PollUntil([&] { return IsWindow(find) && IsWindowEnabled(find); }, DialogTimeoutMs));
    E2E_CHECK(WaitForNoDialogTitled(pid, L"置換", DialogTimeoutMs));
    E2E_CHECK_EQ(TextOf(ActiveEditor(app.Main())), std::wstring(L"bb bb bb"));
    E2E_CHECK(app.ExitDiscardingChanges());
}

E2E_TEST(FocusAPasteOfNothingStillShowsTheModifiedMark) {
    ProgramSession app(t);
    const std::wstring path = t.PathInFolder(L"m.txt");
    E2E_REQUIRE(WriteFileBytes(path, std::string("abc")));
    E2E_REQUIRE(app.Launch(path));
    E2E_REQUIRE_EQ(app.WaitForPanel(1, path), path);
    E2E_REQUIRE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    app.Command(menu::EditPaste);
    E2E_CHECK_EQ(app.WaitForPanel(1, path + L"(変更)"), path + L"(変更)");
    E2E_CHECK(app.ExitDiscardingChanges());
}
