// The Edit and Text-processing menus as a user meets them: real key presses
// for typing and shortcuts, menu commands, the find, replace, go-to-line and
// tab-width dialogs, Undo after each program-made edit, and the user's
// clipboard text surviving every edit the program makes.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "e2e/e2e_harness.h"
#include "e2e/file_bytes.h"
#include "e2e/keyboard_input.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"
#include "editing_dialog_ids.h"

using namespace e2e;
namespace menu = scribbit::menu;

// Printable forms for the checks of this file (internal: other files may
// have their own).
namespace e2e {
static std::string Show(const Selection& selection) {
    return "(" + std::to_string(selection.start) + ", " + std::to_string(selection.end) + ")";
}
static std::string Show(const std::optional<std::wstring>& text) { return text ? Show(*text) : "<no text>"; }
}  // namespace e2e

namespace {

constexpr wchar_t FindCaption[] = L"検索";
constexpr wchar_t ReplaceCaption[] = L"置換";
constexpr wchar_t GoToLineCaption[] = L"行へ移動";
constexpr wchar_t TabSpaceCaption[] = L"タブスペースの設定";
constexpr wchar_t SearchFinished[] = L"検索が終わりました。";

scribbit::MenuItem Conversion(int index) { return scribbit::MenuItem{scribbit::Menu::Change, index}; }
constexpr int ToKatakana = 0;
constexpr int ToHalfWidth = 1;
constexpr int ToUpperCase = 2;
constexpr int TabsToSpaces = 11;

// Starts the program on a file holding the text (in the ANSI code page).
bool LaunchWith(TestContext& t, ProgramSession& app, const std::wstring& name, const std::wstring& text) {
    const std::wstring path = t.PathInFolder(name);
    const auto bytes = EncodeAnsi(text);
    if (!E2E_CHECK(bytes.has_value()) || !E2E_CHECK(WriteFileBytes(path, *bytes))) return false;
    if (!app.Launch(path)) return false;
    return E2E_CHECK_EQ(app.WaitForCaption(name), name);
}

std::wstring WaitForText(HWND editor, const std::wstring& expected, DWORD timeoutMs = DialogTimeoutMs) {
    std::wstring text;
    PollUntil([&] { return (text = TextOf(editor)) == expected; }, timeoutMs);
    return text;
}

// A key press meant for the edit view: the main window comes forward and
// its edit view must hold the focus before the key goes out.
bool PressInEditor(TestContext& t, HWND editor, WORD key, Modifiers modifiers = NoModifier) {
    return E2E_CHECK(BringToForeground(editor)) && E2E_CHECK(WaitForFocus(editor)) &&
           E2E_CHECK(PressKey(key, modifiers));
}

// A click that cannot open a modal window (the handler returns at once), so
// when this returns the dialog has acted on it.
bool ClickNow(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    DWORD_PTR ignored = 0;
    return button && SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs, &ignored);
}

// Answers the message box that must be up now with OK; returns its text.
std::wstring DismissMessage(TestContext& t, ProgramSession& app, const std::string& screenshot = {}) {
    auto box = WaitForProcessMessageBox(app.Process().Id(), DialogTimeoutMs);
    if (!E2E_CHECK(box.has_value())) return L"<no message box>";
    E2E_CHECK_EQ(box->caption, std::wstring(ProgramTitle));
    if (!screenshot.empty()) t.Screenshot(screenshot);
    E2E_CHECK(ClickButton(box->window, IDOK));
    E2E_CHECK(PollUntil([&] { return !IsWindow(box->window) || !IsWindowVisible(box->window); }, DialogTimeoutMs));
    return box->text;
}

SYSTEMTIME Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now;
}

// The time-and-date text for every second from `first` to `last`: the
// time in the user's format with seconds, a space, the short date.
std::vector<std::wstring> TimeAndDateTexts(SYSTEMTIME first, SYSTEMTIME last) {
    FILETIME from{};
    FILETIME to{};
    SystemTimeToFileTime(&first, &from);
    SystemTimeToFileTime(&last, &to);
    constexpr ULONGLONG Second = 10000000ULL;  // in 100 ns units
    const auto ticks = [](FILETIME f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    const ULONGLONG end = ticks(to) + Second;
    std::vector<std::wstring> texts;
    for (ULONGLONG moment = ticks(from); moment <= end && texts.size() < 120; moment += Second) {
        const FILETIME file{static_cast<DWORD>(moment), static_cast<DWORD>(moment >> 32)};
        SYSTEMTIME time{};
        FileTimeToSystemTime(&file, &time);
        wchar_t clock[128] = {};
        wchar_t date[128] = {};
        GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 128);
        texts.push_back(std::wstring(clock) + L" " + date);
    }
    return texts;
}

// The text is longer than head and tail together and starts and ends with them.
bool Surrounds(const std::wstring& text, const std::wstring& head, const std::wstring& tail) {
    return text.size() > head.size() + tail.size() && text.compare(0, head.size(), head) == 0 &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool OneOf(const std::wstring& text, const std::vector<std::wstring>& candidates) {
    for (const std::wstring& candidate : candidates) {
        if (text == candidate) return true;
    }
    return false;
}

}  // namespace

E2E_TEST(EditingTypingThenClipboardCommandsByMenuAndByKeys) {
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    HWND editor = ActiveEditor(app.Main());
    E2E_REQUIRE(editor != nullptr);

    // Typed with the keyboard, Japanese included; Enter makes CR LF.
    E2E_REQUIRE(BringToForeground(editor));
    E2E_REQUIRE(WaitForFocus(editor));
    E2E_REQUIRE(TypeText(L"一行目 abc\r\n二行目"));
    const std::wstring typed = L"一行目 abc\r\n二行目";
    E2E_REQUIRE_EQ(WaitForText(editor, typed), typed);
    E2E_CHECK_EQ(app.WaitForPanel(1, L"(変更)"), std::wstring(L"(変更)"));
    const long long length = static_cast<long long>(typed.size());

    // Select all: the shortcut, then the menu.
    E2E_REQUIRE(SetSelection(editor, 2, 2));
    E2E_REQUIRE(PressInEditor(t, editor, 'A', Ctrl));
    E2E_CHECK_EQ(WaitForSelection(editor, {0, length}, DialogTimeoutMs), (Selection{0, length}));
    E2E_REQUIRE(SetSelection(editor, 2, 2));
    app.Command(menu::EditSelectAll);
    E2E_CHECK_EQ(WaitForSelection(editor, {0, length}, DialogTimeoutMs), (Selection{0, length}));

    // Copy: the menu, then Ctrl+C on a selection made with Shift+Home.
    E2E_REQUIRE(SetSelection(editor, 4, 7));
    app.Command(menu::EditCopy);
    E2E_CHECK_EQ(WaitForClipboardText(L"abc", DialogTimeoutMs), std::optional<std::wstring>(L"abc"));
    E2E_REQUIRE(SetSelection(editor, 3, 3));
    E2E_REQUIRE(PressInEditor(t, editor, VK_HOME, Shift));
    E2E_REQUIRE_EQ(WaitForSelection(editor, {0, 3}, DialogTimeoutMs), (Selection{0, 3}));
    E2E_REQUIRE(PressKey('C', Ctrl));
    E2E_CHECK_EQ(WaitForClipboardText(L"一行目", DialogTimeoutMs), std::optional<std::wstring>(L"一行目"));
    E2E_CHECK_EQ(TextOf(editor), typed);

    // Cut with Ctrl+X, taken back with Ctrl+Z.
    E2E_REQUIRE(SetSelection(editor, 4, 7));
    E2E_REQUIRE(PressInEditor(t, editor, 'X', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, L"一行目 \r\n二行目"), std::wstring(L"一行目 \r\n二行目"));
    E2E_CHECK_EQ(WaitForClipboardText(L"abc", DialogTimeoutMs), std::optional<std::wstring>(L"abc"));
    E2E_REQUIRE(PressKey('Z', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);

    // Cut from the menu, taken back with Edit > Undo.
    E2E_REQUIRE(SetSelection(editor, 9, 12));
    app.Command(menu::EditCut);
    E2E_CHECK_EQ(WaitForText(editor, L"一行目 abc\r\n"), std::wstring(L"一行目 abc\r\n"));
    E2E_CHECK_EQ(WaitForClipboardText(L"二行目", DialogTimeoutMs), std::optional<std::wstring>(L"二行目"));
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);

    // Paste what the driver put on the clipboard: the menu at the start,
    // then Ctrl+V at the end; each undone. (The edit control joins an
    // insertion that continues the one before it into one undo step, so
    // neither paste continues the text Undo just put back.)
    const std::wstring pasted = L"貼り付け①";
    E2E_REQUIRE(SetClipboardText(pasted));
    E2E_REQUIRE(SetSelection(editor, 0, 0));
    app.Command(menu::EditPaste);
    E2E_CHECK_EQ(WaitForText(editor, pasted + typed), pasted + typed);
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);
    E2E_REQUIRE(SetSelection(editor, length, length));
    E2E_REQUIRE(PressInEditor(t, editor, 'V', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, typed + pasted), typed + pasted);
    E2E_REQUIRE(PressKey('Z', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);

    // Delete from the menu with nothing selected: before CR LF both go
    // together; before any other character only that one.
    E2E_REQUIRE(SetSelection(editor, 7, 7));
    app.Command(menu::EditDelete);
    E2E_CHECK_EQ(WaitForText(editor, L"一行目 abc二行目"), std::wstring(L"一行目 abc二行目"));
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);
    E2E_REQUIRE(SetSelection(editor, 4, 4));
    app.Command(menu::EditDelete);
    E2E_CHECK_EQ(WaitForText(editor, L"一行目 bc\r\n二行目"), std::wstring(L"一行目 bc\r\n二行目"));
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);
    // The Del key: with a selection it removes the selection; with the
    // caret put before the line break by the keyboard, the whole break.
    E2E_REQUIRE(SetSelection(editor, 3, 7));
    E2E_REQUIRE(PressInEditor(t, editor, VK_DELETE));
    E2E_CHECK_EQ(WaitForText(editor, L"一行目\r\n二行目"), std::wstring(L"一行目\r\n二行目"));
    E2E_REQUIRE(PressKey(VK_HOME, Ctrl));
    E2E_REQUIRE(PressKey(VK_END));
    E2E_REQUIRE_EQ(WaitForSelection(editor, {3, 3}, DialogTimeoutMs), (Selection{3, 3}));
    E2E_REQUIRE(PressKey(VK_DELETE));
    E2E_CHECK_EQ(WaitForText(editor, L"一行目二行目"), std::wstring(L"一行目二行目"));
    // Typing over the selected whole text starts afresh.
    E2E_REQUIRE(SetSelection(editor, 0, -1));
    E2E_REQUIRE(TypeText(typed));
    E2E_REQUIRE_EQ(WaitForText(editor, typed), typed);

    // Time and date with F5 replaces the selection; the user's clipboard
    // text is still there afterwards, exactly; Undo brings "abc" back.
    const std::wstring kept = L"ユーザーの文字列 ①\r\n二行目\t";
    E2E_REQUIRE(SetClipboardText(kept));
    E2E_REQUIRE(SetSelection(editor, 4, 7));
    SYSTEMTIME before = Now();
    E2E_REQUIRE(PressInEditor(t, editor, VK_F5));
    std::wstring text;
    const std::wstring head = L"一行目 ";
    const std::wstring tail = L"\r\n二行目";
    // The old selection "abc" stands between the same head and tail, so the
    // wait is for a text that differs from the one before F5 as well.
    PollUntil([&] { return (text = TextOf(editor)) != typed && Surrounds(text, head, tail); }, DialogTimeoutMs);
    SYSTEMTIME after = Now();
    E2E_REQUIRE(text.size() > head.size() + tail.size());
    E2E_CHECK_EQ(text.substr(0, head.size()), head);
    E2E_CHECK_EQ(text.substr(text.size() - tail.size()), tail);
    const std::wstring inserted = text.substr(head.size(), text.size() - head.size() - tail.size());
    if (!E2E_CHECK(OneOf(inserted, TimeAndDateTexts(before, after)))) {
        std::printf("    inserted %s, expected like %s\n", Show(inserted).c_str(),
                    Show(TimeAndDateTexts(before, before).front()).c_str());
    }
    const auto caret = static_cast<long long>(head.size() + inserted.size());
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{caret, caret}));
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));
    E2E_REQUIRE(PressKey('Z', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, typed), typed);

    // From the menu at the caret: inserted there, the clipboard kept again.
    E2E_REQUIRE(SetSelection(editor, length, length));
    before = Now();
    app.Command(menu::EditTimeDate);
    PollUntil([&] { return (text = TextOf(editor)).size() > typed.size() && Surrounds(text, typed, L""); },
              DialogTimeoutMs);
    after = Now();
    E2E_CHECK_EQ(text.substr(0, typed.size()), typed);
    E2E_CHECK(text.size() > typed.size() && OneOf(text.substr(typed.size()), TimeAndDateTexts(before, after)));
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));
    t.Screenshot("time-and-date");

    E2E_CHECK(app.ExitDiscardingChanges());
}

E2E_TEST(EditingFindAndF3DownwardsAndUpwardsNeverWrap) {
    // a0 b1 c2 a3 b4 c5 space6 ｶ7 ﾞ8 ｷ9 ﾞ10 CR11 LF12
    const std::wstring sample = L"abcabc ｶﾞｷﾞ\r\n";
    ProgramSession app(t);
    E2E_REQUIRE(LaunchWith(t, app, L"find.txt", sample));
    HWND editor = ActiveEditor(app.Main());
    E2E_REQUIRE(editor != nullptr);
    const DWORD pid = app.Process().Id();

    // F3 before anything was searched for opens the Find dialog.
    E2E_REQUIRE(SetSelection(editor, 0, 0));
    E2E_REQUIRE(PressInEditor(t, editor, VK_F3));
    HWND find = WaitForDialogTitled(pid, FindCaption, DialogTimeoutMs);
    E2E_REQUIRE(find != nullptr);
    E2E_CHECK(GetWindow(find, GW_OWNER) == nullptr);
    E2E_CHECK_EQ(TextOf(GetDlgItem(find, IDC_FIND_TEXT)), std::wstring());
    E2E_CHECK(!IsItemEnabled(find, IDOK));
    E2E_CHECK(IsItemChecked(find, IDC_DOWN));
    E2E_REQUIRE(ClickNow(find, IDCANCEL));
    E2E_CHECK(WaitForNoDialogTitled(pid, FindCaption, DialogTimeoutMs));

    // Ctrl+F; typed into the field, the search button follows it; Enter
    // searches downwards from the caret and the focus stays in the field;
    // Esc closes the dialog.
    E2E_REQUIRE(PressInEditor(t, editor, 'F', Ctrl));
    find = WaitForDialogTitled(pid, FindCaption, DialogTimeoutMs);
    E2E_REQUIRE(find != nullptr);
    HWND field = GetDlgItem(find, IDC_FIND_TEXT);
    E2E_REQUIRE(BringToForeground(find));
    E2E_REQUIRE(WaitForFocus(field));
    E2E_REQUIRE(TypeText(L"bc"));
    E2E_REQUIRE(PollUntil([&] { return TextOf(field) == L"bc"; }, DialogTimeoutMs));
    E2E_CHECK(PollUntil([&] { return IsItemEnabled(find, IDOK); }, DialogTimeoutMs));
    t.Screenshot("find-dialog");
    E2E_REQUIRE(PressKey(VK_RETURN));
    E2E_CHECK_EQ(WaitForSelection(editor, {1, 3}, DialogTimeoutMs), (Selection{1, 3}));
    E2E_CHECK(FocusOf(field) == field);
    E2E_CHECK(GetForegroundWindow() == find);
    E2E_REQUIRE(PressKey(VK_ESCAPE));
    E2E_CHECK(WaitForNoDialogTitled(pid, FindCaption, DialogTimeoutMs));

    // F3 moves on; at the last occurrence it stops with the message and
    // does not wrap to the first.
    E2E_REQUIRE(PressInEditor(t, editor, VK_F3));
    E2E_CHECK_EQ(WaitForSelection(editor, {4, 6}, DialogTimeoutMs), (Selection{4, 6}));
    app.Command(menu::EditFindNext);
    E2E_CHECK_EQ(DismissMessage(t, app, "search-finished"), std::wstring(SearchFinished));
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{4, 6}));

    // Edit > Find takes the selection as its search text; upwards from
    // there finds the earlier occurrence, then stops at the beginning.
    app.Command(menu::EditFind);
    find = WaitForDialogTitled(pid, FindCaption, DialogTimeoutMs);
    E2E_REQUIRE(find != nullptr);
    E2E_CHECK_EQ(TextOf(GetDlgItem(find, IDC_FIND_TEXT)), std::wstring(L"bc"));
    E2E_CHECK(IsItemEnabled(find, IDOK));
    E2E_REQUIRE(ClickNow(find, IDC_UP));
    E2E_REQUIRE(ClickNow(find, IDOK));
    E2E_CHECK_EQ(WaitForSelection(editor, {1, 3}, DialogTimeoutMs), (Selection{1, 3}));
    E2E_REQUIRE(PressInEditor(t, editor, VK_F3));
    E2E_CHECK_EQ(DismissMessage(t, app), std::wstring(SearchFinished));
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{1, 3}));
    // Upwards with the caret right behind an occurrence finds it.
    E2E_REQUIRE(SetSelection(editor, 6, 6));
    E2E_REQUIRE(PressInEditor(t, editor, VK_F3));
    E2E_CHECK_EQ(WaitForSelection(editor, {4, 6}, DialogTimeoutMs), (Selection{4, 6}));

    // Choosing Find while it is open only brings it forward: what the user
    // typed stays. Text mode: ガ finds the half-width ｶﾞ and selects both
    // of its characters; with the case box checked it finds nothing.
    E2E_REQUIRE(SetTextOf(GetDlgItem(find, IDC_FIND_TEXT), L"ガ"));
    app.Command(menu::EditFind);
    E2E_CHECK(PollUntil([&] { return GetForegroundWindow() == find; }, DialogTimeoutMs));
    E2E_CHECK(WaitForDialogTitled(pid, FindCaption, DialogTimeoutMs) == find);
    E2E_CHECK_EQ(TextOf(GetDlgItem(find, IDC_FIND_TEXT)), std::wstring(L"ガ"));
    E2E_REQUIRE(ClickNow(find, IDC_DOWN));
    E2E_REQUIRE(SetSelection(editor, 0, 0));
    E2E_REQUIRE(ClickNow(find, IDOK));
    E2E_CHECK_EQ(WaitForSelection(editor, {7, 9}, DialogTimeoutMs), (Selection{7, 9}));
    E2E_REQUIRE(ClickNow(find, IDC_MATCH_CASE));
    E2E_REQUIRE(SetSelection(editor, 0, 0));
    E2E_REQUIRE(PostMessageW(GetDlgItem(find, IDOK), BM_CLICK, 0, 0));
    E2E_CHECK_EQ(DismissMessage(t, app), std::wstring(SearchFinished));
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{0, 0}));

    // Searching never changed the text.
    E2E_CHECK_EQ(TextOf(editor), sample);
    E2E_CHECK(app.ExitViaMenu());
}

E2E_TEST(EditingReplaceNextAndReplaceAllThenOneUndo) {
    // り0 ん1 ご2 space3 と4 space5 み6 か7 ん8 space9 と10 space11 り12 ん13
    // ご14 CR15 LF16 り17 ん18 ご19 ジ20 ュ21 ー22 ス23 CR24 LF25
    const std::wstring sample = L"りんご と みかん と りんご\r\nりんごジュース\r\n";
    ProgramSession app(t);
    E2E_REQUIRE(LaunchWith(t, app, L"replace.txt", sample));
    HWND editor = ActiveEditor(app.Main());
    E2E_REQUIRE(editor != nullptr);
    const DWORD pid = app.Process().Id();
    const std::wstring kept = L"クリップボードの文字列";
    E2E_REQUIRE(SetClipboardText(kept));

    E2E_REQUIRE(SetSelection(editor, 0, 0));
    E2E_REQUIRE(PressInEditor(t, editor, 'R', Ctrl));
    HWND replace = WaitForDialogTitled(pid, ReplaceCaption, DialogTimeoutMs);
    E2E_REQUIRE(replace != nullptr);
    E2E_CHECK(GetWindow(replace, GW_OWNER) == nullptr);
    for (int id : {IDOK, IDC_SUBST_NEXT, IDC_ALL_SUBST}) E2E_CHECK(!IsItemEnabled(replace, id));
    E2E_REQUIRE(SetTextOf(GetDlgItem(replace, IDC_FIND_TEXT), L"りんご"));
    E2E_REQUIRE(SetTextOf(GetDlgItem(replace, IDC_SUBST_TEXT), L"林檎"));
    E2E_CHECK(PollUntil([&] { return IsItemEnabled(replace, IDC_ALL_SUBST); }, DialogTimeoutMs));
    t.Screenshot("replace-dialog");

    // Replace-and-next with nothing selected only searches; then it
    // replaces the found occurrence and selects the next one.
    E2E_REQUIRE(ClickNow(replace, IDC_SUBST_NEXT));
    E2E_CHECK_EQ(WaitForSelection(editor, {0, 3}, DialogTimeoutMs), (Selection{0, 3}));
    E2E_CHECK_EQ(TextOf(editor), sample);
    E2E_REQUIRE(ClickNow(replace, IDC_SUBST_NEXT));
    const std::wstring once = L"林檎 と みかん と りんご\r\nりんごジュース\r\n";
    E2E_CHECK_EQ(WaitForText(editor, once), once);
    E2E_CHECK_EQ(WaitForSelection(editor, {11, 14}, DialogTimeoutMs), (Selection{11, 14}));
    E2E_CHECK_EQ(app.WaitForPanel(1, t.PathInFolder(L"replace.txt") + L"(変更)"),
                 t.PathInFolder(L"replace.txt") + L"(変更)");
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));
    E2E_REQUIRE(ClickNow(replace, IDOK));
    E2E_CHECK_EQ(WaitForSelection(editor, {16, 19}, DialogTimeoutMs), (Selection{16, 19}));

    // Replace all from the top: the count, the caret put back, the dialog
    // gone, the clipboard untouched.
    E2E_REQUIRE(ClickNow(replace, IDC_FIND_FROM_TOP));
    E2E_REQUIRE(PostMessageW(GetDlgItem(replace, IDC_ALL_SUBST), BM_CLICK, 0, 0));
    E2E_CHECK_EQ(DismissMessage(t, app, "replaced-count"), std::wstring(L"全部で2個、置換しました。"));
    const std::wstring all = L"林檎 と みかん と 林檎\r\n林檎ジュース\r\n";
    E2E_CHECK_EQ(WaitForText(editor, all), all);
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{16, 16}));
    E2E_CHECK(WaitForNoDialogTitled(pid, ReplaceCaption, DialogTimeoutMs));
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));

    // One Edit > Undo takes the whole Replace all back.
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, once), once);

    // Nothing to replace is reported and changes nothing; without "from
    // the top" an occurrence that starts before the caret (at 11) stays.
    app.Command(menu::EditReplace);
    replace = WaitForDialogTitled(pid, ReplaceCaption, DialogTimeoutMs);
    E2E_REQUIRE(replace != nullptr);
    E2E_CHECK(!IsItemChecked(replace, IDC_FIND_FROM_TOP));
    E2E_CHECK_EQ(TextOf(GetDlgItem(replace, IDC_SUBST_TEXT)), std::wstring());
    E2E_REQUIRE(SetTextOf(GetDlgItem(replace, IDC_FIND_TEXT), L"ぶどう"));
    E2E_REQUIRE(PostMessageW(GetDlgItem(replace, IDC_ALL_SUBST), BM_CLICK, 0, 0));
    E2E_CHECK_EQ(DismissMessage(t, app), std::wstring(L"該当する文字は見つかりませんでした。"));
    E2E_CHECK(IsWindowVisible(replace));
    E2E_CHECK_EQ(TextOf(editor), once);
    E2E_REQUIRE(SetSelection(editor, 12, 12));
    E2E_REQUIRE(SetTextOf(GetDlgItem(replace, IDC_FIND_TEXT), L"りんご"));
    E2E_REQUIRE(SetTextOf(GetDlgItem(replace, IDC_SUBST_TEXT), L"梨"));
    E2E_REQUIRE(PostMessageW(GetDlgItem(replace, IDC_ALL_SUBST), BM_CLICK, 0, 0));
    E2E_CHECK_EQ(DismissMessage(t, app), std::wstring(L"全部で1個、置換しました。"));
    const std::wstring after = L"林檎 と みかん と りんご\r\n梨ジュース\r\n";
    E2E_CHECK_EQ(WaitForText(editor, after), after);
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{12, 12}));
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));
    E2E_REQUIRE(PressInEditor(t, editor, 'Z', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, once), once);

    E2E_CHECK(app.ExitDiscardingChanges());
}

E2E_TEST(EditingConversionsOfSelectionAndWholeTextEachUndoneOnce) {
    const std::wstring sample = L"ひらがな abc\r\nカタカナ def\r\n";
    ProgramSession app(t);
    E2E_REQUIRE(LaunchWith(t, app, L"convert.txt", sample));
    HWND editor = ActiveEditor(app.Main());
    E2E_REQUIRE(editor != nullptr);
    const std::wstring kept = L"変換の前からある文字列";
    E2E_REQUIRE(SetClipboardText(kept));

    // A selection: only it changes; the caret stands where it began.
    E2E_REQUIRE(SetSelection(editor, 0, 4));
    app.Command(Conversion(ToKatakana));
    const std::wstring katakana = L"ヒラガナ abc\r\nカタカナ def\r\n";
    E2E_CHECK_EQ(WaitForText(editor, katakana), katakana);
    E2E_CHECK_EQ(WaitForSelection(editor, {0, 0}, DialogTimeoutMs), (Selection{0, 0}));
    E2E_CHECK(IsWindowVisible(editor));
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, sample), sample);

    E2E_REQUIRE(SetSelection(editor, 10, 14));
    app.Command(Conversion(ToHalfWidth));
    const std::wstring halfWidth = L"ひらがな abc\r\nｶﾀｶﾅ def\r\n";
    E2E_CHECK_EQ(WaitForText(editor, halfWidth), halfWidth);
    E2E_CHECK_EQ(WaitForSelection(editor, {10, 10}, DialogTimeoutMs), (Selection{10, 10}));
    E2E_REQUIRE(PressInEditor(t, editor, 'Z', Ctrl));
    E2E_CHECK_EQ(WaitForText(editor, sample), sample);

    // Nothing selected: the whole text, the caret keeps its offset.
    E2E_REQUIRE(SetSelection(editor, 6, 6));
    app.Command(Conversion(ToUpperCase));
    const std::wstring upper = L"ひらがな ABC\r\nカタカナ DEF\r\n";
    E2E_CHECK_EQ(WaitForText(editor, upper), upper);
    E2E_CHECK_EQ(WaitForSelection(editor, {6, 6}, DialogTimeoutMs), (Selection{6, 6}));
    E2E_CHECK_EQ(ClipboardText(), std::optional<std::wstring>(kept));
    E2E_CHECK_EQ(app.WaitForPanel(1, t.PathInFolder(L"convert.txt") + L"(変更)"),
                 t.PathInFolder(L"convert.txt") + L"(変更)");
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, sample), sample);

    E2E_CHECK(app.ExitDiscardingChanges());
}

E2E_TEST(EditingTabDialogRefusesBadEntriesThenSetsTheStoredWidth) {
    const std::wstring sample = L"a\tb\r\n\tc";
    ProgramSession app(t);
    E2E_REQUIRE(LaunchWith(t, app, L"tabs.txt", sample));
    HWND editor = ActiveEditor(app.Main());
    E2E_REQUIRE(editor != nullptr);
    E2E_REQUIRE(SetSelection(editor, 0, 0));

    app.Command(Conversion(TabsToSpaces));
    HWND dialog = WaitForDialogTitled(app.Process().Id(), TabSpaceCaption, DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_CHECK(GetWindow(dialog, GW_OWNER) == app.Main());
    E2E_CHECK(!IsWindowEnabled(app.Main()));  // modal
    HWND field = GetDlgItem(dialog, IDC_TAB_SPACE);
    // A first run has no stored width: the dialog offers 8.
    E2E_CHECK_EQ(TextOf(field), std::wstring(L"8"));
    t.Screenshot("tab-dialog");

    // Refused silently: the dialog stays with the entry as typed.
    for (const wchar_t* entry : {L"", L"abc", L"0", L"-3", L"0.4", L"1,5x"}) {
        E2E_REQUIRE(SetTextOf(field, entry));
        E2E_REQUIRE(ClickNow(dialog, IDOK));
        if (!E2E_CHECK(IsWindow(dialog) && IsWindowVisible(dialog))) {
            std::printf("    the entry %s was taken\n", Show(std::wstring(entry)).c_str());
            return;
        }
        E2E_CHECK_EQ(TextOf(field), std::wstring(entry));
    }
    E2E_CHECK_EQ(TextOf(editor), sample);

    // 2.5 rounds to the even 2; every tab becomes two spaces.
    E2E_REQUIRE(SetTextOf(field, L"2.5"));
    E2E_REQUIRE(ClickNow(dialog, IDOK));
    E2E_CHECK(WaitForNoDialog(app.Main(), DialogTimeoutMs));
    const std::wstring converted = L"a  b\r\n  c";
    E2E_CHECK_EQ(WaitForText(editor, converted), converted);
    E2E_CHECK(PollUntil([&] { return IsWindowEnabled(app.Main()) != FALSE; }, DialogTimeoutMs));
    app.Command(menu::EditUndo);
    E2E_CHECK_EQ(WaitForText(editor, sample), sample);

    // The dialog offers the width now set; Cancel keeps it and the
    // conversion runs all the same.
    app.Command(Conversion(TabsToSpaces));
    dialog = WaitForDialogTitled(app.Process().Id(), TabSpaceCaption, DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_CHECK_EQ(TextOf(GetDlgItem(dialog, IDC_TAB_SPACE)), std::wstring(L"2"));
    E2E_REQUIRE(ClickNow(dialog, IDCANCEL));
    E2E_CHECK_EQ(WaitForText(editor, converted), converted);

    // The width is stored at exit.
    E2E_REQUIRE(app.ExitDiscardingChanges());
    const auto settings = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(settings.has_value());
    E2E_CHECK(settings->find("\r\nTabSpace=2\r\n") != std::string::npos);
}

E2E_TEST(EditingGoToLineMovesTheCaretOrExplainsTheRange) {
    // The first line is long enough to wrap in the window.
    std::wstring first = L"一行目";
    for (int i = 0; i < 30; ++i) first += L" 長い行";
    const std::wstring sample = first + L"\r\n二行目\r\n三行目";
    const auto second = static_cast<long long>(first.size() + 2);
    const long long third = second + 5;
    ProgramSession app(t);
    E2E_REQUIRE(LaunchWith(t, app, L"lines.txt", sample));
    HWND editor = ActiveEditor(app.Main());
    E2E_REQUIRE(editor != nullptr);
    const DWORD pid = app.Process().Id();
    E2E_REQUIRE(SetSelection(editor, 1, 2));

    E2E_REQUIRE(PressInEditor(t, editor, 'G', Ctrl));
    HWND dialog = WaitForDialogTitled(pid, GoToLineCaption, DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_CHECK(GetWindow(dialog, GW_OWNER) == nullptr);
    HWND field = GetDlgItem(dialog, IDC_LINE);
    t.Screenshot("go-to-line");

    // Out of range: the message names the range; the dialog stays with the
    // entry selected for retyping, and the caret has not moved.
    E2E_REQUIRE(SetTextOf(field, L"4"));
    E2E_REQUIRE(PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0));
    E2E_CHECK_EQ(DismissMessage(t, app, "line-range"), std::wstring(L"行番号は 1 から 3 までの数字で入力してください。"));
    E2E_CHECK(IsWindow(dialog) && IsWindowVisible(dialog));
    E2E_CHECK_EQ(TextOf(field), std::wstring(L"4"));
    E2E_CHECK_EQ(WaitForSelection(field, {0, 1}, DialogTimeoutMs), (Selection{0, 1}));
    E2E_CHECK_EQ(SelectionOf(editor), (Selection{1, 2}));

    // Choosing it again only brings it forward with the entry kept.
    app.Command(menu::EditGoToLine);
    E2E_CHECK(PollUntil([&] { return GetForegroundWindow() == dialog; }, DialogTimeoutMs));
    E2E_CHECK_EQ(TextOf(field), std::wstring(L"4"));

    // OK moves the caret to the start of the line and closes the dialog.
    E2E_REQUIRE(SetTextOf(field, L"3"));
    E2E_REQUIRE(ClickNow(dialog, IDOK));
    E2E_CHECK(WaitForNoDialogTitled(pid, GoToLineCaption, DialogTimeoutMs));
    E2E_CHECK_EQ(WaitForSelection(editor, {third, third}, DialogTimeoutMs), (Selection{third, third}));

    // From the menu, typed with the keyboard and confirmed with Enter.
    app.Command(menu::EditGoToLine);
    dialog = WaitForDialogTitled(pid, GoToLineCaption, DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    field = GetDlgItem(dialog, IDC_LINE);
    E2E_CHECK_EQ(TextOf(field), std::wstring());
    E2E_REQUIRE(BringToForeground(dialog));
    E2E_REQUIRE(WaitForFocus(field));
    E2E_REQUIRE(TypeText(L"2"));
    E2E_REQUIRE(PollUntil([&] { return TextOf(field) == L"2"; }, DialogTimeoutMs));
    E2E_REQUIRE(PressKey(VK_RETURN));
    E2E_CHECK(WaitForNoDialogTitled(pid, GoToLineCaption, DialogTimeoutMs));
    E2E_CHECK_EQ(WaitForSelection(editor, {second, second}, DialogTimeoutMs), (Selection{second, second}));

    // With word wrap the other edit view holds the text; lines are still
    // counted by line breaks, not by wrapped screen lines.
    app.Command(menu::FormWordWrap);
    HWND wrapped = nullptr;
    E2E_REQUIRE(PollUntil([&] { return (wrapped = ActiveEditor(app.Main())) != editor && wrapped; }, DialogTimeoutMs));
    E2E_REQUIRE_EQ(TextOf(wrapped), sample);
    E2E_REQUIRE(PressInEditor(t, wrapped, 'G', Ctrl));
    dialog = WaitForDialogTitled(pid, GoToLineCaption, DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_REQUIRE(SetTextOf(GetDlgItem(dialog, IDC_LINE), L"3"));
    E2E_REQUIRE(ClickNow(dialog, IDOK));
    E2E_CHECK(WaitForNoDialogTitled(pid, GoToLineCaption, DialogTimeoutMs));
    E2E_CHECK_EQ(WaitForSelection(wrapped, {third, third}, DialogTimeoutMs), (Selection{third, third}));

    // Moving the caret is no edit: leaving asks nothing.
    E2E_CHECK_EQ(TextOf(wrapped), sample);
    E2E_CHECK(app.ExitViaMenu());
}
