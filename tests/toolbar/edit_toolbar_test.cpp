#include "toolbar/edit_toolbar.h"

#include <gtest/gtest.h>

#include "help/about_dialog.h"
#include "support/app_fixture.h"
#include "support/utf8.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

// A list as "count: [selected index] selected text", or "count: -".
std::string Render(const ToolBarListBox& list) {
    std::string shown = std::to_string(list.entries.size()) + ":";
    if (!list.selected) return shown + " -";
    return shown + " [" + std::to_string(*list.selected) + "] " + Utf8(list.entries[*list.selected].text);
}

std::string Texts(const ToolBarListBox& list) {
    std::string texts;
    for (const ToolBarListEntry& entry : list.entries) texts += Utf8(entry.text) + "|";
    return texts;
}

ToolBarEntry Command(std::u16string_view name) {
    return CommandEntry(*FindCatalogueEntry(name));
}

void SetToolBar(AppFixture& app, const std::vector<ToolBarEntry>& entries) {
    app.toolBar.Clear();
    for (const ToolBarEntry& entry : entries) app.toolBar.Append(entry);
}

class EditToolBarTest : public ::testing::Test {
protected:
    AppFixture app;
};

TEST_F(EditToolBarTest, OpensWithTheToolBarOnTheRightAndTheOtherCommandsInCatalogueOrder) {
    app.form.Form_Load(u"");
    app.toolBar.Append(ToolBarEntry{u"謎", 0, u"", u"謎のツールチップ"});  // removes nothing
    const EditToolBarModel model(app.Context());
    ASSERT_EQ(model.Chosen().entries.size(), 27u);
    for (std::size_t i = 0; i < 27; ++i) {
        const ToolBarEntry position = app.toolBar.Entry(i);
        EXPECT_EQ(model.Chosen().entries[i],
                  (ToolBarListEntry{position.key, position.toolTipText, position.image}));
    }
    const auto& left = model.Available().entries;
    ASSERT_EQ(left.size(), 18u);
    std::size_t next = 0;  // catalogue order, and together the two lists hold every command once
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        const bool onToolBar =
            std::any_of(model.Chosen().entries.begin(), model.Chosen().entries.end(),
                        [&](const ToolBarListEntry& e) { return e.key == entry.commandName; });
        if (onToolBar) continue;
        ASSERT_LT(next, left.size());
        EXPECT_EQ(left[next++],
                  (ToolBarListEntry{std::u16string(entry.commandName), std::u16string(entry.listText),
                                    std::u16string(entry.imageKey)}));
    }
    EXPECT_EQ(next, 18u);
    EXPECT_FALSE(model.Available().selected);
    EXPECT_FALSE(model.Chosen().selected);
}

// One step of the user: select an entry on the left ('L') or right ('R')
// side, or press a button: + 追加, - 削除, | 区切り, ^ ↑, v ↓.
struct Step {
    char what;
    std::size_t index = 0;
};

TEST_F(EditToolBarTest, ListMovesKeepTheirSelectionsAndAreHarmlessAtTheEnds) {
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::string right;  // the texts in order
        std::string rightSelection, leftSelection;
    } cases[] = {
        {"up on 3", {{'R', 2}, {'^'}}, "新規作成|終了|開く...|", "3: [1] 終了", "38: -"},
        {"up on the first", {{'R', 0}, {'^'}}, "新規作成|開く...|終了|", "3: [0] 新規作成", "38: -"},
        {"down twice to the end",
         {{'R', 0}, {'v'}, {'v'}, {'v'}},
         "開く...|終了|新規作成|",
         "3: [2] 新規作成",
         "38: -"},
        {"moves without a selection",
         {{'^'}, {'v'}, {'|'}, {'-'}, {'+'}},
         "新規作成|開く...|終了|",
         "3: -",
         "38: -"},
        {"separator before the current entry",
         {{'R', 1}, {'|'}},
         "新規作成|(区切り)|開く...|終了|",
         "4: [1] (区切り)",
         "38: -"},
        {"add before the current entry",
         {{'L', 0}, {'R', 1}, {'+'}},
         "新規作成|上書き保存|開く...|終了|",
         "4: [1] 上書き保存",
         "37: [0] 名前を付けて保存..."},
        {"add to the end",
         {{'L', 37}, {'+'}},
         "新規作成|開く...|終了|バージョン情報...|",
         "4: [3] バージョン情報...",
         "37: [36] ヘルプ..."},
        {"delete the last", {{'R', 2}, {'-'}}, "新規作成|開く...|", "2: [1] 開く...", "39: [38] 終了"},
        {"delete the first", {{'R', 0}, {'-'}}, "開く...|終了|", "2: [0] 開く...", "39: [38] 新規作成"},
        {"separator out and back",
         {{'R', 0}, {'|'}, {'-'}, {'R', 2}, {'+'}},
         "新規作成|開く...|(区切り)|終了|",
         "4: [2] (区切り)",
         "38: [37] バージョン情報..."},
    };
    for (const auto& c : cases) {
        SetToolBar(app, {Command(u"新規作成"), Command(u"開く"), Command(u"終了")});
        EditToolBarModel model(app.Context());
        for (const Step& step : c.steps) {
            switch (step.what) {
                case 'L':
                    model.SelectAvailable(step.index);
                    break;
                case 'R':
                    model.SelectChosen(step.index);
                    break;
                case '+':
                    model.OnAdd();
                    break;
                case '-':
                    model.OnDel();
                    break;
                case '|':
                    model.OnAddSeparator();
                    break;
                case '^':
                    model.OnUp();
                    break;
                case 'v':
                    model.OnDown();
                    break;
            }
        }
        EXPECT_EQ(Texts(model.Chosen()), c.right) << c.name;
        EXPECT_EQ(Render(model.Chosen()), c.rightSelection) << c.name;
        EXPECT_EQ(Render(model.Available()), c.leftSelection) << c.name;
    }
}

TEST_F(EditToolBarTest, EntriesMoveWithTheirKeysAndImagesAndTheListsCanEmpty) {
    SetToolBar(app, {});
    EditToolBarModel model(app.Context());
    model.OnAddSeparator();  // an empty right list takes a separator at the top
    for (std::size_t i = 0; i < CommandCatalogue().size(); ++i) {
        model.SelectAvailable(model.Available().entries.size() - 1);
        model.OnAdd();
    }
    EXPECT_TRUE(model.Available().entries.empty());
    EXPECT_FALSE(model.Available().selected);
    model.OnAdd();  // nothing left to add
    ASSERT_EQ(model.Chosen().entries.size(), 42u);
    EXPECT_EQ(model.Chosen().entries[0].text, u"新規作成");
    EXPECT_EQ(model.Chosen().entries.back(), (ToolBarListEntry{u"", u"(区切り)", u""}));
    model.SelectChosen(41);
    model.OnUp();
    EXPECT_EQ(model.Chosen().entries[40], (ToolBarListEntry{u"", u"(区切り)", u""}));
    EXPECT_EQ(model.Chosen().entries[41],
              (ToolBarListEntry{u"バージョン情報", u"バージョン情報...", u"about"}));
    for (int i = 0; i < 42; ++i) model.OnDel();
    EXPECT_TRUE(model.Chosen().entries.empty());
    EXPECT_EQ(model.Available().entries.size(), 42u);
    model.OnUp();
    model.OnDown();
    model.OnDel();
    EXPECT_EQ(model.Available().entries.size(), 42u);
}

TEST_F(EditToolBarTest, ApplyRebuildsTheToolBarWithStylesAndRememberedButtons) {
    const std::vector<ToolBarEntry> withBoth{Command(u"常に手前に表示"), SeparatorEntry(),
                                             Command(u"貼り付け"), Command(u"コピー")};
    const struct {
        const char* name;
        std::vector<ToolBarEntry> list;
        bool onTop;
        std::vector<std::int16_t> styles;
        std::int16_t paste, alwaysOnTop;
    } cases[] = {
        {"both buttons, on top", withBoth, true, {1, 3, 5, 0}, 3, 1},
        {"both buttons", withBoth, false, {1, 3, 5, 0}, 3, 1},
        {"neither", {Command(u"コピー"), SeparatorEntry()}, true, {0, 3}, -1, -1},
        {"empty", {}, true, {}, -1, -1},
    };
    for (const auto& c : cases) {
        AppFixture app;  // a fresh start for each
        app.clipboard.Put(u"copied");
        app.form.Form_Load(u"");
        app.menus.SetChecked(menu::FormAlwaysOnTop, c.onTop);
        SetToolBar(app, c.list);
        EditToolBarModel model(app.Context());
        model.OnApply();
        ASSERT_EQ(app.toolBar.Count(), c.styles.size()) << c.name;
        for (std::size_t i = 0; i < c.styles.size(); ++i) {
            EXPECT_EQ(app.toolBar.Entry(i).style, c.styles[i]) << c.name << " " << i;
            EXPECT_EQ(app.toolBar.Entry(i).toolTipText, c.list[i].toolTipText) << c.name << " " << i;
            EXPECT_EQ(app.toolBar.IsPressed(i), c.onTop && c.styles[i] == 1) << c.name << " " << i;
        }
        EXPECT_EQ(app.Context().PasteButtonIndex, c.paste) << c.name;
        EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, c.alwaysOnTop) << c.name;
        if (c.paste > 0) {
            EXPECT_EQ(app.toolBar.MenuEntries(2), std::vector<std::u16string>{u"copied"}) << c.name;
        }
        // The option now moves the new button, or none.
        app.form.MenuClick(menu::FormAlwaysOnTop);
        for (std::size_t i = 0; i < c.styles.size(); ++i) {
            EXPECT_EQ(app.toolBar.IsPressed(i), !c.onTop && c.styles[i] == 1) << c.name << " " << i;
        }
    }
}

TEST_F(EditToolBarTest, OkAppliesCancelKeepsWhatWasAppliedAndEachOpeningStartsAfresh) {
    app.form.Form_Load(u"");
    const std::vector<ToolBarEntry> before = app.toolBar.Entries();
    app.formDialogs.editToolBar = [](EditToolBarModel& model) {
        model.SelectChosen(0);
        model.OnDel();
    };  // then Cancel
    app.form.OnToolBarDoubleClick();
    EXPECT_EQ(app.toolBar.Entries(), before);
    app.formDialogs.editToolBar = [](EditToolBarModel& model) {
        model.SelectChosen(0);
        model.OnDel();
        model.OnApply();
        model.OnDel();
    };  // then Cancel
    app.form.MenuClick(menu::ToolBarCustomize);
    EXPECT_EQ(app.toolBar.Count(), 25u);
    app.formDialogs.editToolBar = [](EditToolBarModel& model) {
        EXPECT_EQ(model.Chosen().entries.size(), 25u);
        model.SelectChosen(0);
        model.OnDel();
        model.OnOK();
    };
    app.form.MenuClick(menu::ToolBarCustomize);
    EXPECT_EQ(app.toolBar.Count(), 24u);
    EXPECT_EQ(app.toolBar.Entry(0).key, u"名前を付けて保存");
    app.form.MenuClick(MenuItem{Menu::ToolBar, 1});
    EXPECT_EQ(app.formDialogs.editToolBarRuns, 3);
}

TEST_F(EditToolBarTest, TheDialogsStayAboveAMainWindowKeptOnTop) {
    struct Window : TopLevelWindow {
        std::int32_t SetTopMost(bool topMost) override {
            calls.push_back(topMost);
            return 1;
        }
        std::vector<bool> calls;
    } dialog;
    EditToolBarModel model(app.Context());
    AboutModel about(app.Context(), app.shell);
    model.OnActivate(dialog);
    about.OnActivate(dialog);
    EXPECT_TRUE(dialog.calls.empty());
    app.menus.SetChecked(menu::FormAlwaysOnTop, true);
    model.OnActivate(dialog);
    about.OnActivate(dialog);
    EXPECT_EQ(dialog.calls, (std::vector<bool>{true, true}));
}

}  // namespace
}  // namespace scribbit
