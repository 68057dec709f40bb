// What the user sees change: the count panel while typing, the font
// dialog, word wrap and the two bars.
#include <algorithm>
#include <vector>

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
    std::vector<std::string> items;
    PollUntil([&] { return Send(combo, CB_GETCOUNT) > 0; });
    for (int i = 0; i < Send(combo, CB_GETCOUNT); ++i) {
        std::wstring item(static_cast<std::size_t>(Send(combo, CB_GETLBTEXTLEN, i)) + 1, L'\0');
        item.resize(static_cast<std::size_t>(std::max<LRESULT>(0, Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data())))));
        items.push_back(Utf8(item));
    }
    int pick = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        const std::string& item = items[static_cast<std::size_t>(i)];
        if (item.empty() || item[0] == '@' || item == TextOf(combo)) continue;
        if (pick < 0 || item.find(wanted) != std::string::npos) pick = i;
        if (item.find(wanted) != std::string::npos) break;
    }
    if (pick < 0 || Send(combo, CB_SETCURSEL, pick) != pick) return "<no other item>";
    Send(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return items[static_cast<std::size_t>(pick)];
}

HWND FontDialog(const App& app) {
    for (HWND dialog : ShownDialogs(app.Pid())) {
        if (GetDlgItem(dialog, FontFaces) && GetDlgItem(dialog, FontSizes)) return dialog;
    }
    return nullptr;
}

TEST(Session, CountFontWordWrapAndBars) {
    const std::string folder = FreshFolder();
    const std::string path = folder + "\\view.txt";
    const std::string sample = "MMMMMMMMMM\r\n日本語 ｶﾀｶﾅ\r\n";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(sample)));
    std::pair<int, int> chosen;
    std::string face;
    std::string size;
    {
        App app(folder);
        ASSERT_TRUE(app.Start(path));
        const HWND editor = app.Editor();
        // Opening counts, in the first run's unit: bytes; a typed letter is
        // counted when its key is let go, then characters on request.
        const auto bytes = std::to_string(AnsiBytes(sample).size());
        EXPECT_EQ(WaitFor([&] { return app.Panel(3); }, bytes), bytes);
        ASSERT_TRUE(SetSelection(editor, 0, 0));
        EXPECT_AFTER(app.Key('A'), app.Panel(3), std::to_string(AnsiBytes(sample).size() + 1));
        EXPECT_AFTER(app.Command(menu::CountCharacters), app.Panel(3), std::to_string(Units("a" + sample)));
        EXPECT_AFTER(app.Key(VK_BACK), app.Panel(3), std::to_string(Units(sample)));

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
        face = ChooseOther(dialog, FontFaces, "Mincho");
        size = ChooseOther(dialog, FontSizes, "24");
        Screenshot("font-dialog");
        ASSERT_TRUE(Click(dialog, IDOK));
        // The control takes the new line height before it has measured the
        // characters again: the font is shown once both have changed.
        EXPECT_TRUE(PollUntil([&] {
            chosen = Metrics(editor);
            return chosen.first != before.first && chosen.second != before.second;
        }));
        Screenshot("chosen-font");

        // Word wrap hands text and font to the other view and is no edit.
        const HWND wrapping = Editors(app.Main())[Editors(app.Main())[0] == editor ? 1 : 0];
        EXPECT_AFTER(app.Command(menu::FormWordWrap), app.Editor(), wrapping);
        EXPECT_EQ(app.Text(), sample);
        EXPECT_EQ(Metrics(wrapping), chosen);
        // Both bars hidden give their room to the view.
        RECT shown{};
        GetClientRect(wrapping, &shown);
        const auto height = [&] {
            RECT rect{};
            GetClientRect(wrapping, &rect);
            return rect.bottom;
        };
        app.Command(menu::FormStatusBar);
        app.Command(menu::FormToolBar);
        const auto hidden = [&] { return !IsWindowVisible(StatusBarOf(app.Main())) && !IsWindowVisible(ToolBarOf(app.Main())); };
        EXPECT_EQ(WaitFor([&] { return hidden() && height() > shown.bottom; }, true), true);
        Screenshot("word-wrap-no-bars");
        EXPECT_TRUE(app.Exit(IDNO));
        const std::string settings = app.Settings().value_or("");
        for (const std::string& line : std::vector<std::string>{"StatusBar=False", "ToolBar=False", "TurnRight=True", "CharCount=True",
                                        "Name=" + face, "Size=" + size}) {
            EXPECT_NE(settings.find(AnsiBytes("\r\n" + line + "\r\n")), std::string::npos) << line;
        }
    }
    // The next start shows the stored font.
    App again(folder);
    ASSERT_TRUE(again.Start(path));
    EXPECT_EQ(WaitFor([&] { return Metrics(again.Editor()); }, chosen), chosen);
    EXPECT_TRUE(again.Exit());
}

}  // namespace
}  // namespace e2e
