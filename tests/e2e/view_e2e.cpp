// What the user sees change: the count panel while typing, the font
// dialog, word wrap and the two bars.
#include <algorithm>

#include "e2e/session.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;
constexpr int FontFaces = 0x470;  // dlgs.h cmb1 and cmb3
constexpr int FontSizes = 0x472;

// Where the font puts the text: nine letters' width, the lines' distance.
std::pair<int, int> Metrics(HWND editor) {
    const auto at = [&](int index) {
        const auto packed = static_cast<DWORD>(Send(editor, EM_POSFROMCHAR, index));
        return std::pair<int, int>(static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed)));
    };
    return {at(9).first - at(0).first, at(12).second - at(0).second};  // line 2 starts at 12
}

// Picks, in the open font dialog, another item of the list than the
// chosen one (not a vertical "@" face), one holding `wanted` if there is.
std::string ChooseOther(HWND dialog, int list, const std::string& wanted) {
    const HWND combo = GetDlgItem(dialog, list);
    PollUntil([&] { return Send(combo, CB_GETCOUNT) > 0; });
    const std::string chosen = TextOf(combo);
    std::string picked;
    int pick = -1;
    for (int i = 0; i < Send(combo, CB_GETCOUNT) && picked.find(wanted) == std::string::npos; ++i) {
        std::wstring wide(static_cast<std::size_t>(Send(combo, CB_GETLBTEXTLEN, i)) + 1, L'\0');
        wide.resize(static_cast<std::size_t>(std::max<LRESULT>(0, Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data())))));
        const std::string item = Utf8(wide);
        if (item.empty() || item[0] == '@' || item == chosen || (pick >= 0 && item.find(wanted) == std::string::npos)) continue;
        pick = i;
        picked = item;
    }
    if (pick < 0 || Send(combo, CB_SETCURSEL, pick) != pick) return "<no other item>";
    Send(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return picked;
}

HWND FontDialog(const App& app) {
    for (HWND dialog : ShownDialogs(app.Pid()))
        if (GetDlgItem(dialog, FontFaces) && GetDlgItem(dialog, FontSizes)) return dialog;
    return nullptr;
}

TEST(Session, CountFontWordWrapAndBars) {
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\view.txt";
    const std::string sample = "MMMMMMMMMM\r\n日本語 ｶﾀｶﾅ\r\n";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(sample)));
    std::pair<int, int> chosen;
    {
        App app(folder);
        ASSERT_TRUE(app.Start(path));
        const HWND editor = app.Editor();
        // A key is counted when it is let go.
        const std::size_t bytes = AnsiBytes(sample).size();
        ASSERT_TRUE(SetSelection(editor, 0, 0));
        EXPECT_AFTER(app.Key('A'), app.Panel(3), std::to_string(bytes + 1));
        EXPECT_AFTER(app.Key(VK_BACK), app.Panel(3), std::to_string(bytes));
        // The INS panel follows the key at the clock's next tick (pressed
        // twice, to leave the key as it was).
        for (int press = 0; press < 2; ++press) {
            const std::string ins = app.Panel(6);
            EXPECT_AFTER(app.Key(VK_INSERT), app.Panel(6), ins.empty() ? "INS" : "");
        }

        // The font dialog: Cancel keeps the font after another was picked;
        // OK shows the picked one.
        const auto before = Metrics(editor);
        ASSERT_GT(before.first, 0);
        HWND dialog = app.Opens([&] { app.Command(menu::FormFont); }, [&] { return FontDialog(app); });
        ASSERT_TRUE(dialog);
        EXPECT_NE(ChooseOther(dialog, FontFaces, "Mincho"), "<no other item>");
        ASSERT_TRUE(Click(dialog, IDCANCEL));
        EXPECT_EQ(WaitFor([&] { return IsWindowEnabled(app.Main()) != FALSE; }, true), true);
        Send(app.Main(), WM_NULL);  // the command has finished when this returns
        EXPECT_EQ(Metrics(editor), before);
        dialog = app.Opens([&] { app.Command(menu::FormFont); }, [&] { return FontDialog(app); });
        ASSERT_TRUE(dialog);
        ChooseOther(dialog, FontFaces, "Mincho");
        ChooseOther(dialog, FontSizes, "24");
        Screenshot("font-dialog");
        ASSERT_TRUE(Click(dialog, IDOK));
        // The control takes the new line height before it has measured the
        // characters again: the font is shown once both have changed.
        EXPECT_TRUE(PollUntil([&] {
            chosen = Metrics(editor);
            return chosen.first != before.first && chosen.second != before.second;
        }));
        Screenshot("chosen-font");

        // Word wrap hands the font to the other view.
        const HWND wrapping = OtherEditor(app.Main());
        EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
        EXPECT_EQ(Metrics(wrapping), chosen);
        // Both bars hidden give their room to the view.
        RECT shown{};
        GetClientRect(wrapping, &shown);
        app.Command(menu::FormStatusBar);
        app.Command(menu::FormToolBar);
        EXPECT_TRUE(PollUntil([&] {
            RECT now{};
            GetClientRect(wrapping, &now);
            return now.bottom > shown.bottom && !IsWindowVisible(StatusBarOf(app.Main())) && !IsWindowVisible(ToolBarOf(app.Main()));
        }));
        Screenshot("word-wrap-no-bars");
        EXPECT_TRUE(app.Exit(IDNO));
    }
    // The next start shows the stored font.
    App again(folder);
    ASSERT_TRUE(again.Start(path));
    EXPECT_EQ(WaitFor([&] { return Metrics(again.Editor()); }, chosen), chosen);
    EXPECT_TRUE(again.Exit());
}

}  // namespace
}  // namespace e2e
