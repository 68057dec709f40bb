#include "toolbar/toolbar_commands.h"

#include <gtest/gtest.h>

#include <set>

#include "app/menu_tree.h"
#include "support/app_fixture.h"
#include "support/utf8.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

// A menu caption without its access key and its "...".
std::u16string_view BareCaption(std::u16string_view caption) {
    if (caption.ends_with(u"...")) caption.remove_suffix(3);
    if (caption.ends_with(u")")) caption = caption.substr(0, caption.rfind(u'('));
    return caption;
}

TEST(ToolBarCommands, EveryCatalogueCommandRunsTheMenuItemOfItsName) {
    FakeMenuState menus;
    std::set<int> commandIds;
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        const std::u16string_view name = entry.commandName;
        if (name == u"文字のカウント方式") continue;  // the toggle, below
        std::vector<MenuItem> ran;
        DispatchToolBarCommand(name, menus, [&](MenuItem item) { ran.push_back(item); });
        ASSERT_EQ(ran.size(), 1u) << Utf8(name);
        commandIds.insert(CommandId(ran[0]));
        const auto items = FindMenu(ran[0].menu).items;
        ASSERT_LT(static_cast<std::size_t>(ran[0].index), items.size()) << Utf8(name);
        const std::u16string_view caption =
            BareCaption(items[static_cast<std::size_t>(ran[0].index)].caption);
        if (name == u"ヘルプ") {
            EXPECT_EQ(ran[0], menu::HelpContents);  // the menu calls it 目次
        } else {
            EXPECT_TRUE(name.find(caption) != name.npos || caption.find(name) != caption.npos)
                << Utf8(name) << " ran " << Utf8(caption);
        }
    }
    EXPECT_EQ(commandIds.size(), CommandCatalogue().size() - 1);
}

TEST(ToolBarCommands, ButtonsRunTheirCommandsAndUnknownKeysDoNothing) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.toolBar.Clear();
    for (const ToolBarEntry& entry :
         {ToolBarEntry{u"文字のカウント方式", 0, u"count", u"文字のカウント方式"},
          ToolBarEntry{u"全角→半角", 0, u"zen_han", u"全角→半角"}, ToolBarEntry{u"謎", 0, u"", u"謎"},
          SeparatorEntry(), ToolBarEntry{u"新規作成 ", 0, u"new", u"新規作成"}}) {
        app.toolBar.Append(entry);
    }
    const bool characters = app.menus.IsChecked(menu::CountCharacters);
    app.form.OnToolBarButtonClick(0);
    EXPECT_EQ(app.menus.IsChecked(menu::CountCharacters), !characters);
    EXPECT_EQ(app.menus.IsChecked(menu::CountBytes), characters);
    app.form.OnToolBarButtonClick(0);
    EXPECT_EQ(app.menus.IsChecked(menu::CountCharacters), characters);
    EXPECT_EQ(app.menus.IsChecked(menu::CountBytes), !characters);

    app.ActiveView().Type(u"ＡＢ");
    app.ActiveView().SetSel(0, 2);
    app.form.OnToolBarButtonClick(1);
    EXPECT_EQ(app.ActiveView().Text(), u"AB");

    // A key that is no command name (matched exactly), a separator, a
    // position past the end: nothing happens.
    app.log.Clear();
    for (std::size_t position : {2u, 3u, 4u, 5u}) app.form.OnToolBarButtonClick(position);
    EXPECT_EQ(app.ActiveView().Text(), u"AB");
    EXPECT_TRUE(app.log.Events().empty());
    EXPECT_TRUE(app.dialogs.messages.empty());
}

}  // namespace
}  // namespace scribbit
