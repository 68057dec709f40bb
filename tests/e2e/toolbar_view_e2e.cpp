// The toolbar restored from the settings file, the font dialog, the count
// panel while typing and the always-on-top option, through the real program.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "e2e/e2e_harness.h"
#include "e2e/expected_settings.h"
#include "e2e/file_bytes.h"
#include "e2e/program_session.h"
#include "e2e/window_probe.h"

using namespace e2e;
namespace menu = scribbit::menu;

namespace {

// Control identifiers of the system's font dialog (dlgs.h): the face list
// and the size box.
constexpr int FontFaceCombo = 0x470;
constexpr int FontSizeCombo = 0x472;

std::string Ansi(TestContext& t, const std::wstring& text) {
    auto bytes = EncodeAnsi(text);
    E2E_CHECK(bytes.has_value());
    return bytes.value_or(std::string{});
}

std::optional<ToolbarButton> Button(ProgramSession& app, int index) {
    return ToolbarButtonAt(app.Process().Handle(), ToolBarOf(app.Main()), index);
}

bool ButtonChecked(ProgramSession& app, int index) {
    const auto button = Button(app, index);
    return button && (button->state & TBSTATE_CHECKED) != 0;
}

// Typing as the keyboard delivers it: the character, then the key release
// that the program recounts on.
void TypeKey(HWND view, wchar_t character) {
    PostMessageW(view, WM_CHAR, character, 1);
}
void ReleaseKey(HWND view) {
    PostMessageW(view, WM_KEYUP, 'A', static_cast<LPARAM>(0xC0000001u | (0x1Eu << 16)));
}

// Waits until the shown edit view is another one than before.
HWND WaitForOtherEditor(HWND mainWindow, HWND before) {
    HWND now = nullptr;
    PollUntil(
        [&] {
            now = ActiveEditor(mainWindow);
            return now && now != before;
        },
        DialogTimeoutMs);
    return now;
}

// What the visible font does to the text "MMMMMMMMMM" on the first line:
// the width of nine letters and the height of a line.
struct TextMetrics {
    int width = -1;
    int lineHeight = -1;
    friend bool operator==(const TextMetrics&, const TextMetrics&) = default;
};

TextMetrics MeasureText(HWND view) {
    const auto first = EditCharPosition(view, 0);
    const auto ninth = EditCharPosition(view, 9);
    const auto nextLine = EditCharPosition(view, 12);  // after "MMMMMMMMMM\r\n"
    if (!first || !ninth || !nextLine) return {};
    return {ninth->x - first->x, nextLine->y - first->y};
}

std::string Describe(const TextMetrics& m) {
    return std::to_string(m.width) + " wide, lines " + std::to_string(m.lineHeight) + " apart";
}

HWND WaitForFontDialog(HWND owner) {
    HWND found = nullptr;
    PollUntil(
        [&] {
            for (HWND dialog : OwnedDialogs(owner)) {
                if (GetDlgItem(dialog, FontFaceCombo) && GetDlgItem(dialog, FontSizeCombo)) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        DialogTimeoutMs);
    return found;
}

// The index of the first item that is neither the current choice nor a
// vertical-writing face ("@..."), preferring one that names the wanted text.
int OtherItem(const std::vector<std::wstring>& items, const std::wstring& current,
              const std::wstring& wanted) {
    int fallback = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const std::wstring& item = items[static_cast<std::size_t>(i)];
        if (item.empty() || item == current || item[0] == L'@') continue;
        if (item.find(wanted) != std::wstring::npos) return i;
        if (fallback < 0) fallback = i;
    }
    return fallback;
}

struct FontChoice {
    std::wstring face;
    std::wstring size;
};

// Picks another face and another size in the open font dialog.
std::optional<FontChoice> ChooseOtherFont(TestContext& t, HWND dialog) {
    const HWND faceBox = GetDlgItem(dialog, FontFaceCombo);
    const auto faces = ComboItems(faceBox);
    const int face = OtherItem(faces, TextOf(faceBox), L"Mincho");
    if (!E2E_CHECK(face >= 0) || !E2E_CHECK(ChooseComboItem(dialog, FontFaceCombo, face)))
        return std::nullopt;
    // The size list is filled for the face just chosen.
    const HWND sizeBox = GetDlgItem(dialog, FontSizeCombo);
    std::vector<std::wstring> sizes;
    PollUntil([&] { return !(sizes = ComboItems(sizeBox)).empty(); }, DialogTimeoutMs);
    const int size = OtherItem(sizes, TextOf(sizeBox), L"24");
    if (!E2E_CHECK(size >= 0) || !E2E_CHECK(ChooseComboItem(dialog, FontSizeCombo, size)))
        return std::nullopt;
    return FontChoice{faces[static_cast<std::size_t>(face)], sizes[static_cast<std::size_t>(size)]};
}

std::wstring FontLines(const FontChoice& font) {
    return L"\r\nName=" + font.face + L"\r\nSize=" + font.size + L"\r\n";
}

}  // namespace

E2E_TEST(StoredToolBarIsRestoredAndWrittenBackInOrder) {
    // A hand-made section: separators, a check button, a drop-down, lines the
    // program must skip, an image key it does not know and a repeated key.
    ExpectedSettings stored = FirstRunSettings();
    stored.mostFront = true;
    stored.toolBarRecords = {
        L"新規作成,0,new,新規作成",
        L",3,0,(区切り)",
        L"常に手前に表示,1,mostfront,常に手前に表示",
        L"貼り付け,5,paste,貼り付け",
        L"この行は位置ではない",
        L"コピー,7,copy,コピー",
        L"謎のコマンド,0,nosuchimage,謎のツールチップ",
        L",3,0,(区切り)",
        L"新規作成,0,new,新規作成",
    };
    struct Expected {
        BYTE style;
        int image;  // 0-based index in the image list's documented order
        const wchar_t* toolTip;
    };
    const Expected buttons[] = {
        {BTNS_BUTTON, 20, L"新規作成"},
        {BTNS_SEP, 0, nullptr},
        {BTNS_CHECK, 2, L"常に手前に表示"},
        {BTNS_DROPDOWN, 37, L"貼り付け"},
        {BTNS_BUTTON, I_IMAGENONE, L"謎のツールチップ"},
        {BTNS_SEP, 0, nullptr},
        {BTNS_BUTTON, 20, L"新規作成"},
    };
    constexpr int AlwaysOnTopButton = 2;
    ExpectedSettings written = stored;
    written.toolBarRecords.erase(written.toolBarRecords.begin() + 4, written.toolBarRecords.begin() + 6);

    ProgramSession app(t);
    E2E_REQUIRE(WriteFileBytes(app.SettingsPath(), Ansi(t, SettingsText(stored))));
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    const HWND tools = ToolBarOf(app.Main());
    E2E_REQUIRE(tools != nullptr);
    E2E_REQUIRE_EQ(static_cast<long long>(ToolbarButtonCount(tools)), 7LL);
    std::vector<int> commands;
    for (int i = 0; i < 7; ++i) {
        const auto button = Button(app, i);
        E2E_REQUIRE(button.has_value());
        const Expected& want = buttons[i];
        E2E_CHECK_EQ(static_cast<long long>(button->style & (BTNS_SEP | BTNS_CHECK | BTNS_DROPDOWN)),
                     static_cast<long long>(want.style));
        if (want.style == BTNS_SEP) continue;
        E2E_CHECK_EQ(
            static_cast<long long>(ToolbarButtonImage(app.Process().Handle(), tools, i).value_or(-100)),
            static_cast<long long>(want.image));
        E2E_CHECK_EQ(
            ToolbarToolTipText(app.Process().Handle(), tools, button->command).value_or(L"<unreadable>"),
            std::wstring(want.toolTip));
        // Every button answers to a command of its own, repeated keys too.
        for (int other : commands) E2E_CHECK(other != button->command);
        commands.push_back(button->command);
    }
    // Always on top was stored as on: its button is pressed, and the menu
    // item turns it off and on again, the button following. (The window
    // order is not checked: Wine neither reports another process's
    // WS_EX_TOPMOST nor keeps a window on top through a later activation.)
    E2E_CHECK(ButtonChecked(app, AlwaysOnTopButton));
    t.Screenshot("restored");
    app.Command(menu::FormAlwaysOnTop);
    E2E_CHECK(PollUntil([&] { return !ButtonChecked(app, AlwaysOnTopButton); }, DialogTimeoutMs));
    app.Command(menu::FormAlwaysOnTop);
    E2E_CHECK(PollUntil([&] { return ButtonChecked(app, AlwaysOnTopButton); }, DialogTimeoutMs));
    app.Command(menu::FormAlwaysOnTop);
    E2E_CHECK(PollUntil([&] { return !ButtonChecked(app, AlwaysOnTopButton); }, DialogTimeoutMs));

    // Written back in toolbar order, without the lines that were skipped,
    // and with the option as it was left.
    E2E_REQUIRE(app.ExitViaMenu());
    written.mostFront = false;
    auto bytes = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(bytes.has_value());
    E2E_CHECK_BYTES(*bytes, Ansi(t, SettingsText(written)));

    // The next start shows it off, button released; turned on, it is stored.
    ProgramSession again(t);
    E2E_REQUIRE(again.Launch());
    again.Process().WaitForIdle(5000);
    E2E_CHECK_EQ(static_cast<long long>(ToolbarButtonCount(ToolBarOf(again.Main()))), 7LL);
    E2E_CHECK(!ButtonChecked(again, AlwaysOnTopButton));
    again.Command(menu::FormAlwaysOnTop);
    E2E_CHECK(PollUntil([&] { return ButtonChecked(again, AlwaysOnTopButton); }, DialogTimeoutMs));
    again.Command(menu::FormAlwaysOnTop);
    E2E_CHECK(PollUntil([&] { return !ButtonChecked(again, AlwaysOnTopButton); }, DialogTimeoutMs));
    again.Command(menu::FormAlwaysOnTop);
    E2E_REQUIRE(again.ExitViaMenu());
    written.mostFront = true;
    bytes = ReadFileBytes(again.SettingsPath());
    E2E_REQUIRE(bytes.has_value());
    E2E_CHECK_BYTES(*bytes, Ansi(t, SettingsText(written)));
}

E2E_TEST(AlwaysOnTopWithoutItsButtonPressesNoButton) {
    // The default toolbar has no always-on-top button: no button is pressed.
    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    // Sent, so that the option is on when the buttons are read.
    DWORD_PTR ignored = 0;
    E2E_REQUIRE(SendMessageTimeoutW(app.Main(), WM_COMMAND, scribbit::CommandId(menu::FormAlwaysOnTop), 0,
                                    SMTO_ABORTIFHUNG, DialogTimeoutMs, &ignored) != 0);
    const int count = ToolbarButtonCount(ToolBarOf(app.Main()));
    E2E_CHECK_EQ(static_cast<long long>(count), 26LL);
    int pressed = 0;
    for (int i = 0; i < count; ++i) pressed += ButtonChecked(app, i) ? 1 : 0;
    E2E_CHECK_EQ(static_cast<long long>(pressed), 0LL);
    E2E_REQUIRE(app.ExitViaMenu());
    const auto bytes = ReadFileBytes(app.SettingsPath());
    E2E_REQUIRE(bytes.has_value());
    E2E_CHECK(bytes->find("\r\nMostFront=True\r\n") != std::string::npos);
}

E2E_TEST(FontDialogChangesTheShownFontAndCancelChangesNothing) {
    const std::wstring path = t.PathInFolder(L"font.txt");
    E2E_REQUIRE(WriteFileBytes(path, "MMMMMMMMMM\r\nMMMMMMMMMM\r\n"));
    FontChoice chosen;
    TextMetrics before;
    TextMetrics after;
    {
        ProgramSession app(t);
        E2E_REQUIRE(app.Launch(path));
        E2E_REQUIRE_EQ(app.WaitForCaption(L"font.txt"), std::wstring(L"font.txt"));
        const HWND view = ActiveEditor(app.Main());
        before = MeasureText(view);
        E2E_REQUIRE(before.width > 0 && before.lineHeight > 0);

        // Cancel after changing the choices: the font stays, nothing is said.
        app.Command(menu::FormFont);
        HWND dialog = WaitForFontDialog(app.Main());
        E2E_REQUIRE(dialog != nullptr);
        E2E_REQUIRE(ChooseOtherFont(t, dialog).has_value());
        E2E_REQUIRE(ClickButton(dialog, IDCANCEL));
        E2E_REQUIRE(WaitForNoDialog(app.Main(), DialogTimeoutMs));
        E2E_CHECK(!WaitForMessageBox(app.Main(), 300).has_value());
        t.Check(MeasureText(view) == before, "cancel keeps the font", __FILE__, __LINE__,
                Describe(MeasureText(view)));

        // OK: the shown text takes the new face and size.
        app.Command(menu::FormFont);
        dialog = WaitForFontDialog(app.Main());
        E2E_REQUIRE(dialog != nullptr);
        const auto choice = ChooseOtherFont(t, dialog);
        E2E_REQUIRE(choice.has_value());
        chosen = *choice;
        t.Screenshot("font-dialog");
        E2E_REQUIRE(ClickButton(dialog, IDOK));
        E2E_REQUIRE(WaitForNoDialog(app.Main(), DialogTimeoutMs));
        PollUntil([&] { return (after = MeasureText(view)) != before; }, DialogTimeoutMs);
        t.Check(after != before && after.width > 0, "the chosen font is shown", __FILE__, __LINE__,
                "before " + Describe(before) + ", after " + Describe(after));

        // Word wrap hands the font to the other view.
        app.Command(menu::FormWordWrap);
        const HWND wrapping = WaitForOtherEditor(app.Main(), view);
        E2E_REQUIRE(wrapping != nullptr && wrapping != view);
        E2E_CHECK(PollUntil([&] { return TextLengthOf(wrapping) == 24; }, DialogTimeoutMs));
        t.Check(MeasureText(wrapping) == after, "the wrapping view shows the chosen font", __FILE__, __LINE__,
                Describe(MeasureText(wrapping)) + ", expected " + Describe(after));
        t.Screenshot("chosen-font");
        E2E_REQUIRE(app.ExitViaMenu());
        const auto settings = ReadFileBytes(app.SettingsPath());
        E2E_REQUIRE(settings.has_value());
        E2E_CHECK(settings->find(Ansi(t, FontLines(chosen))) != std::string::npos);
    }
    // The next start shows the stored font and keeps it.
    ProgramSession again(t);
    E2E_REQUIRE(again.Launch(path));
    E2E_REQUIRE_EQ(again.WaitForCaption(L"font.txt"), std::wstring(L"font.txt"));
    const HWND view = ActiveEditor(again.Main());
    TextMetrics restored;
    PollUntil([&] { return (restored = MeasureText(view)) == after; }, DialogTimeoutMs);
    t.Check(restored == after, "the stored font is shown again", __FILE__, __LINE__,
            Describe(restored) + ", expected " + Describe(after));
    E2E_REQUIRE(again.ExitViaMenu());
    const auto settings = ReadFileBytes(again.SettingsPath());
    E2E_REQUIRE(settings.has_value());
    E2E_CHECK(settings->find(Ansi(t, FontLines(chosen))) != std::string::npos);
}

E2E_TEST(CountPanelFollowsTypingUnitAndOpening) {
    // A file to open later: kanji, ASCII, half-width katakana, CR LF.
    const std::wstring fileText = L"開いた文書\r\nopened ｶﾀｶﾅ\r\n";
    const auto fileBytes = EncodeAnsi(fileText);
    E2E_REQUIRE(fileBytes.has_value());
    const std::wstring path = t.PathInFolder(L"opened.txt");
    E2E_REQUIRE(WriteFileBytes(path, *fileBytes));

    ProgramSession app(t);
    E2E_REQUIRE(app.Launch());
    app.Process().WaitForIdle(5000);
    HWND view = ActiveEditor(app.Main());
    E2E_REQUIRE(view != nullptr);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"0"), std::wstring(L"0"));

    // A typed character is counted at the key's release, not before.
    TypeKey(view, L'あ');
    E2E_REQUIRE(PollUntil([&] { return TextLengthOf(view) == 1; }, DialogTimeoutMs));
    E2E_CHECK_EQ(app.Panel(3).value_or(L"<unreadable>"), std::wstring(L"0"));
    ReleaseKey(view);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"2"), std::wstring(L"2"));  // one double-byte character

    // "あa" and a line break: 4 characters, 5 bytes.
    TypeKey(view, L'a');
    TypeKey(view, L'\r');
    ReleaseKey(view);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"5"), std::wstring(L"5"));
    E2E_CHECK_EQ(app.EditorText(), std::wstring(L"あa\r\n"));
    app.Command(menu::CountCharacters);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"4"), std::wstring(L"4"));
    E2E_CHECK_EQ(app.Panel(2).value_or(L"<unreadable>"), std::wstring(L"文字"));

    // The whole text is counted, whatever is selected.
    TypeKey(view, L'b');
    E2E_REQUIRE(PollUntil([&] { return TextLengthOf(view) == 5; }, DialogTimeoutMs));
    PostMessageW(view, EM_SETSEL, 0, 1);
    ReleaseKey(view);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"5"), std::wstring(L"5"));
    app.Command(menu::CountBytes);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"6"), std::wstring(L"6"));
    E2E_CHECK_EQ(app.Panel(2).value_or(L"<unreadable>"), std::wstring(L"バイト"));
    TypeKey(view, L'ｶ');  // replaces the selected "あ"; half-width katakana is one byte
    ReleaseKey(view);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"5"), std::wstring(L"5"));
    E2E_CHECK_EQ(app.EditorText(), std::wstring(L"ｶa\r\nb"));

    // After word wrap the key releases of the other view are counted.
    app.Command(menu::FormWordWrap);
    const HWND wrapping = WaitForOtherEditor(app.Main(), view);
    E2E_REQUIRE(wrapping != nullptr && wrapping != view);
    E2E_REQUIRE(PollUntil([&] { return TextLengthOf(wrapping) == 5; }, DialogTimeoutMs));
    PostMessageW(wrapping, EM_SETSEL, 5, 5);
    TypeKey(wrapping, L'漢');
    ReleaseKey(wrapping);
    E2E_CHECK_EQ(app.WaitForPanel(3, L"7"), std::wstring(L"7"));
    t.Screenshot("typed");

    // Opening a file counts it; the typed text is not kept.
    app.Command(menu::FileOpen);
    const auto ask = WaitForMessageBox(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(ask.has_value());
    E2E_REQUIRE(ClickButton(ask->window, IDNO));
    const HWND dialog = WaitForFileDialog(app.Main(), DialogTimeoutMs);
    E2E_REQUIRE(dialog != nullptr);
    E2E_REQUIRE(SetFileDialogName(dialog, path));
    E2E_REQUIRE(ClickButton(dialog, IDOK));
    E2E_REQUIRE_EQ(app.WaitForCaption(L"opened.txt"), std::wstring(L"opened.txt"));
    const std::wstring bytes = std::to_wstring(fileBytes->size());
    E2E_CHECK_EQ(app.WaitForPanel(3, bytes), bytes);
    app.Command(menu::CountCharacters);
    const std::wstring characters = std::to_wstring(fileText.size());
    E2E_CHECK_EQ(app.WaitForPanel(3, characters), characters);
    E2E_CHECK(app.ExitViaMenu());
}
