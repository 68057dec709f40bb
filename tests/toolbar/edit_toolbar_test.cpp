#include "toolbar/edit_toolbar.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"
#include "support/utf8.h"
#include "toolbar/command_catalogue.h"

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

void SetToolBar(AppFixture& app, const std::vector<ToolBarEntry>& entries) {
    app.toolBar.Clear();
    for (const ToolBarEntry& entry : entries) app.toolBar.Append(entry);
}

TEST(EditToolBar, OpensWithTheToolBarOnTheRightAndTheOtherCommandsInCatalogueOrder) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.toolBar.Append(ToolBarEntry{u"謎", 0, u"", u"謎のツールチップ"});  // removes nothing
    const EditToolBarModel model(app.Context());
    ASSERT_EQ(model.Chosen().entries.size(), 27u);
    EXPECT_EQ(model.Chosen().entries[4], (ToolBarListEntry{u"", u"(区切り)", u""}));
    EXPECT_EQ(model.Chosen().entries[26], (ToolBarListEntry{u"謎", u"謎のツールチップ", u""}));
    // The catalogue minus what the toolbar holds, in catalogue order.
    ASSERT_EQ(model.Available().entries.size(), 18u);
    EXPECT_EQ(model.Available().entries[17], (ToolBarListEntry{u"行末に<br>追加", u"行末に<br>追加", u"addbr"}));
}

// One step of the user: select an entry on the left ('L') or right ('R'),
// or press a button: + 追加, - 削除, | 区切り, ^ ↑, v ↓.
struct Step {
    char what;
    std::size_t index = 0;
};

TEST(EditToolBar, ListMovesKeepTheirSelectionsAndAreHarmlessAtTheEnds) {
    const struct {
        const char* name;
        std::vector<Step> steps;
        std::string right, left;  // the right list whole, the left one's count and selection
    } cases[] = {
        {"up on 3", {{'R', 2}, {'^'}}, "新規作成|終了|開く...|: 1", "38: -"},
        {"down to the end and on", {{'R', 0}, {'v'}, {'v'}, {'v'}}, "開く...|終了|新規作成|: 2", "38: -"},
        {"no selection", {{'^'}, {'v'}, {'|'}, {'-'}, {'+'}}, "新規作成|開く...|終了|: -", "38: -"},
        {"separator before", {{'R', 1}, {'|'}}, "新規作成|(区切り)|開く...|終了|: 1", "38: -"},
        {"add before", {{'L', 0}, {'R', 1}, {'+'}}, "新規作成|上書き保存|開く...|終了|: 1", "37: 0"},
        {"add the last", {{'L', 37}, {'+'}}, "新規作成|開く...|終了|バージョン情報...|: 3", "37: 36"},
        {"delete the last", {{'R', 2}, {'-'}}, "新規作成|開く...|: 1", "39: 38"},
        {"separator out and back",
         {{'R', 0}, {'|'}, {'-'}, {'R', 2}, {'+'}},
         "新規作成|開く...|(区切り)|終了|: 2",
         "38: 37"},
    };
    for (const auto& c : cases) {
        AppFixture app;
        SetToolBar(app, {Command(u"新規作成"), Command(u"開く"), Command(u"終了")});
        EditToolBarModel model(app.Context());
        for (const Step& step : c.steps) {
            if (step.what == 'L') model.SelectAvailable(step.index);
            if (step.what == 'R') model.SelectChosen(step.index);
            if (step.what == '+') model.OnAdd();
            if (step.what == '-') model.OnDel();
            if (step.what == '|') model.OnAddSeparator();
            if (step.what == '^') model.OnUp();
            if (step.what == 'v') model.OnDown();
        }
        EXPECT_EQ(Render(model.Chosen()), c.right) << c.name;
        const std::string left = Render(model.Available());
        EXPECT_EQ(std::to_string(model.Available().entries.size()) + left.substr(left.rfind(':')), c.left)
            << c.name;
    }
}

TEST(EditToolBar, ApplyRebuildsTheToolBarWithStylesAndRememberedButtons) {
    const std::vector<ToolBarEntry> withBoth{Command(u"常に手前に表示"), SeparatorEntry(),
                                             Command(u"貼り付け"), Command(u"コピー")};
    const struct {
        std::vector<ToolBarEntry> list;
        bool onTop;
        std::vector<std::int16_t> styles;
        std::int16_t paste, alwaysOnTop;
    } cases[] = {
        {withBoth, true, {1, 3, 5, 0}, 3, 1},
        {{Command(u"コピー"), SeparatorEntry()}, true, {0, 3}, -1, -1},
        {{}, true, {}, -1, -1},
    };
    for (const auto& c : cases) {
        AppFixture app;
        app.form.Form_Load(u"");
        app.Context().view.alwaysOnTop = c.onTop;
        SetToolBar(app, c.list);
        EditToolBarModel(app.Context()).OnApply();
        const std::string name = std::to_string(c.list.size()) + (c.onTop ? " on top" : "");
        ASSERT_EQ(app.toolBar.Count(), c.styles.size()) << name;
        for (std::size_t i = 0; i < c.styles.size(); ++i) {
            EXPECT_EQ(app.toolBar.Entry(i).style, c.styles[i]) << name << " " << i;
            EXPECT_EQ(app.toolBar.Entry(i).toolTipText, c.list[i].toolTipText) << name << " " << i;
            EXPECT_EQ(app.toolBar.IsPressed(i), c.onTop && c.styles[i] == 1) << name << " " << i;
        }
        EXPECT_EQ(app.Context().PasteButtonIndex, c.paste) << name;
        EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, c.alwaysOnTop) << name;
        app.form.MenuClick(menu::FormAlwaysOnTop);  // moves the new button, or none
        for (std::size_t i = 0; i < c.styles.size(); ++i) {
            EXPECT_EQ(app.toolBar.IsPressed(i), !c.onTop && c.styles[i] == 1) << name << " " << i;
        }
    }
}

TEST(EditToolBar, OkAppliesCancelKeepsWhatWasAppliedAndEachOpeningStartsAfresh) {
    AppFixture app;
    app.form.Form_Load(u"");
    const auto removeFirst = [](EditToolBarModel& model) {
        model.SelectChosen(0);
        model.OnDel();
    };
    app.formDialogs.editToolBar = [&](EditToolBarModel& model) {
        removeFirst(model);
        model.OnApply();
        model.OnDel();
    };  // then Cancel
    app.form.MenuClick(menu::ToolBarCustomize);
    EXPECT_EQ(app.toolBar.Count(), 25u);
    app.formDialogs.editToolBar = [&](EditToolBarModel& model) {
        EXPECT_EQ(model.Chosen().entries.size(), 25u);
        removeFirst(model);
        model.OnOK();
    };
    app.form.MenuClick(menu::ToolBarCustomize);
    EXPECT_EQ(app.toolBar.Count(), 24u);
    EXPECT_EQ(app.toolBar.Entry(0).key, u"名前を付けて保存");
}

}  // namespace
}  // namespace scribbit
