// The customisation dialog's two lists and what Apply builds, and the paste
// button's list of copies.
#include "toolbar/edit_toolbar.h"

#include <gtest/gtest.h>

#include <cctype>

#include "editing/editing_texts.h"
#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"
#include "toolbar/paste_history_menu.h"

namespace scribbit {
namespace {

// A list as "text|text|...: selected index", or "...: -".
std::string Render(const ToolBarListBox& list) {
    std::string shown;
    for (const ToolBarListEntry& entry : list.entries) shown += Utf8(entry.text) + "|";
    return shown + ": " + (list.selected ? std::to_string(*list.selected) : "-");
}

ToolBarEntry Command(std::u16string_view name) {
    return CommandEntry(*FindCatalogueEntry(name));
}

std::vector<std::u16string> PasteMenu(AppFixture& app) {
    return app.toolBar.buttons.at(std::size_t(app.Context().PasteButtonIndex - 1)).menu;
}

// The right list is the toolbar; the left one the catalogue without it, in
// catalogue order. A step selects an entry on the left ("L3") or right
// ("R3"), or presses a button: + 追加, - 削除, | 区切り, ^ ↑, v ↓. Shown: the
// right list whole, then the left one's first and selected entries.
TEST(EditToolBar, ListMovesKeepTheirSelectionsAndAreHarmlessAtTheEnds) {
    const std::string last = Utf8(CommandCatalogue().back().listText);
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"", "新規作成|開く...|謎|: -", "上書き保存: -"},  // a key from no catalogue removes nothing
        {"R2^", "新規作成|謎|開く...|: 1", "上書き保存: -"},
        {"R0vvv", "開く...|謎|新規作成|: 2", "上書き保存: -"},
        {"^v|-+", "新規作成|開く...|謎|: -", "上書き保存: -"},
        {"R1|", "新規作成|(区切り)|開く...|謎|: 1", "上書き保存: -"},
        {"L0R1+", "新規作成|上書き保存|開く...|謎|: 1", "名前を付けて保存...: 名前を付けて保存..."},
        {"L99+", "新規作成|開く...|謎|: -", "上書き保存: -"},
        {"L0R2-", "新規作成|開く...|: 1", "謎: 謎"},
        {"R0|-R3+", "新規作成|開く...|謎|(区切り)|: 3", "上書き保存: " + last}};
    for (const auto& [steps, right, left] : rows) {
        AppFixture app;
        for (const ToolBarEntry& entry :
             {Command(u"新規作成"), Command(u"開く"), ToolBarEntry{u"謎", 0, u"", u"謎"}})
            app.toolBar.Append(entry);
        EditToolBarModel model(app.Context());
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const char what = steps[i];
            std::size_t index = 0;
            while (i + 1 < steps.size() && std::isdigit(steps[i + 1]))
                index = index * 10 + (steps[++i] - '0');
            if (what == 'L') model.SelectAvailable(index);
            if (what == 'R') model.SelectChosen(index);
            if (what == '+') model.OnAdd();
            if (what == '-') model.OnDel();
            if (what == '|') model.OnAddSeparator();
            if (what == '^') model.OnUp();
            if (what == 'v') model.OnDown();
        }
        const ToolBarListBox& available = model.Available();
        EXPECT_EQ(
            std::tuple(Render(model.Chosen()),
                       Utf8(available.entries[0].text) + ": " +
                           (available.selected ? Utf8(available.entries[*available.selected].text) : "-")),
            std::tuple(right, left))
            << steps;
    }
}

TEST(EditToolBar, ApplyRebuildsTheToolBarWithItsStylesPressedButtonAndPasteList) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.Context().clipboardHistory.Push(u"copied");
    app.Context().view.alwaysOnTop = true;
    app.toolBar.Clear();
    for (const ToolBarEntry& entry :
         {Command(u"常に手前に表示"), SeparatorEntry(), Command(u"貼り付け"), Command(u"コピー")})
        app.toolBar.Append(entry);
    EditToolBarModel(app.Context()).OnApply();
    std::u16string shown;
    for (const FakeToolBar::Button& b : app.toolBar.buttons)
        shown +=
            b.entry.toolTipText + u":" + Decimal(std::uint64_t(b.entry.style)) + (b.pressed ? u"+ " : u" ");
    EXPECT_EQ(shown, u"常に手前に表示:1+ (区切り):3 貼り付け:5 コピー:0 ");
    EXPECT_EQ(PasteMenu(app), std::vector<std::u16string>{u"copied"});
    app.Click(menu::FormAlwaysOnTop);  // the new button follows the option
    EXPECT_FALSE(app.toolBar.IsPressed(0));
    app.toolBar.Clear();
    app.toolBar.Append(Command(u"コピー"));
    EditToolBarModel(app.Context()).OnApply();  // without them nothing is remembered
    app.Click(menu::FormAlwaysOnTop);
    EXPECT_EQ(std::tuple(app.Context().PasteButtonIndex, app.Context().AlwaysOnTopButtonIndex,
                         app.toolBar.IsPressed(0)),
              std::tuple(-1, -1, false));
}

TEST(EditToolBar, OkAppliesCancelKeepsWhatWasAppliedAndEachOpeningStartsAfresh) {
    AppFixture app;
    app.form.Form_Load(u"");
    const std::vector<ToolBarEntry> before = app.toolBar.Entries();
    app.formDialogs.on["EditToolBar"] = [&] {
        EditToolBarModel& model = *app.formDialogs.editToolBar;
        EXPECT_EQ(model.Chosen().entries.size(), app.toolBar.Count());
        model.SelectChosen(0);
        model.OnDel();
        model.OnApply();
        model.OnDel();
    };  // then Cancel
    app.Click(menu::ToolBarCustomize);
    app.formDialogs.on["EditToolBar"] = [&] {
        EXPECT_EQ(app.formDialogs.editToolBar->Chosen().entries.size(), before.size() - 1);
        app.formDialogs.editToolBar->OnOK();
    };
    app.form.OnToolBarDoubleClick();
    EXPECT_EQ(std::tuple(app.toolBar.Count(), app.toolBar.Entry(0).key),
              std::tuple(before.size() - 1, before[1].key));
    EXPECT_EQ(app.formDialogs.log.size(), 2u);
}

TEST(PasteHistoryMenu, EntriesShowShortTextsWholeLongOnesCutAndEveryEntryOnOneLine) {
    const std::u16string a29(29, u'a'), a30(30, u'a');
    const std::pair<std::u16string, std::u16string> rows[] = {
        {a30, a30},
        {a30 + u"b", a30 + u"…"},
        {u"a\r\nb\nc\rd\r", u"a↓b↓c↓d↓"},
        {u"a\tb", u"a→b"},
        {u"A&B &&", u"A&B &&"},
        {std::u16string(u"x\0y\x1b\x7f", 5), u"x y  "},
        {a29 + u"😀b", a29 + u"😀…"},  // a pair is one character, never cut
    };
    for (const auto& [text, shown] : rows) EXPECT_EQ(HistoryEntryText(text), shown) << Utf8(text);
}

// Copies fill ten slots after the text the clipboard had at start; the list
// shows them newest first and pastes the chosen one as the user's paste.
TEST(PasteHistoryMenu, CopiesAreListedNewestFirstAndTheChosenOneIsPasted) {
    AppFixture app;
    app.clipboard.contents = u"seed";
    app.form.Form_Load(u"");
    app.Show(u"abcdefghijk");
    for (std::size_t i = 0; i < 9; ++i) {
        app.View().SetSel(i, 1);
        app.Click(menu::EditCopy);
    }
    EXPECT_EQ(PasteMenu(app),
              (std::vector<std::u16string>{u"i", u"h", u"g", u"f", u"e", u"d", u"c", u"b", u"a", u"seed"}));
    for (int i = 0; i < 2; ++i) {  // the tenth copy drops the seed; equal texts fill two slots
        app.View().SetSel(0, 1);
        app.Click(menu::EditCopy);
    }
    app.View().SetSel(0, 3);
    app.Click(menu::EditCut);  // a cut goes to the clipboard only
    EXPECT_EQ(PasteMenu(app),
              (std::vector<std::u16string>{u"a", u"a", u"i", u"h", u"g", u"f", u"e", u"d", u"c", u"b"}));
    app.Context().clipboardHistory.Push(u"");  // a copy that yielded no text
    app.Context().document.IsModified = false;
    const std::size_t paste = std::size_t(app.Context().PasteButtonIndex - 1);
    app.form.OnToolBarButtonMenuClick(paste, 3);
    EXPECT_EQ(std::tuple(app.Screen(), app.clipboard.contents), std::tuple(u"i[]defghijk*", u"i"));
    app.View().capacity = app.View().TextLength();  // a full view takes nothing, yet the paste marks
    app.Context().document.IsModified = false;
    app.form.OnToolBarButtonMenuClick(paste, 1);
    app.form.OnToolBarButtonMenuClick(paste, 11);  // past the last entry, another button's list: nothing
    app.form.OnToolBarButtonMenuClick(0, 1);
    EXPECT_EQ(std::tuple(app.Screen(), app.clipboard.contents, app.dialogs.messages.size()),
              std::tuple(u"i[]defghijk*", u"a", 0u));
}

}  // namespace
}  // namespace scribbit
