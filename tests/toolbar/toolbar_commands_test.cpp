#include "toolbar/toolbar_commands.h"

#include <gtest/gtest.h>

#include <set>

#include "app/menu_tree.h"
#include "editing/editing_texts.h"
#include "support/app_fixture.h"
#include "support/utf8.h"
#include "toolbar/command_catalogue.h"
#include "toolbar/paste_history_menu.h"

namespace scribbit {
namespace {

// Each command runs the one menu item whose caption is its name (without
// access key and "..."), and no two commands share an item.
TEST(ToolBarCommands, EveryCatalogueCommandRunsTheMenuItemOfItsName) {
    const ViewState view;
    std::set<int> commandIds;
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        const std::u16string_view name = entry.commandName;
        if (name == u"文字のカウント方式") continue;  // the toggle, below
        std::vector<MenuItem> ran;
        DispatchToolBarCommand(name, view, [&](MenuItem item) { ran.push_back(item); });
        ASSERT_EQ(ran.size(), 1u) << Utf8(name);
        commandIds.insert(CommandId(ran[0]));
        const auto items = FindMenu(ran[0].menu).items;
        ASSERT_LT(static_cast<std::size_t>(ran[0].index), items.size()) << Utf8(name);
        std::u16string_view caption = items[static_cast<std::size_t>(ran[0].index)].caption;
        if (caption.ends_with(u"...")) caption.remove_suffix(3);
        if (caption.ends_with(u")")) caption = caption.substr(0, caption.rfind(u'('));
        const bool same = name.find(caption) != name.npos || caption.find(name) != caption.npos;
        EXPECT_TRUE(same || (name == u"ヘルプ" && ran[0] == menu::HelpContents)) << Utf8(name);
    }
    EXPECT_EQ(commandIds.size(), CommandCatalogue().size() - 1);
}

TEST(ToolBarCommands, ButtonsRunTheirCommandsAndUnknownKeysDoNothing) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.toolBar.Clear();
    for (const ToolBarEntry& entry :
         {ToolBarEntry{u"文字のカウント方式", 0, u"count", u"文字のカウント方式"},
          ToolBarEntry{u"謎", 0, u"", u"謎"},
          SeparatorEntry(), ToolBarEntry{u"新規作成 ", 0, u"new", u"新規作成"}}) {
        app.toolBar.Append(entry);
    }
    const bool characters = app.menus.IsChecked(menu::CountCharacters);
    for (const bool expected : {!characters, characters}) {
        app.form.OnToolBarButtonClick(0);
        EXPECT_EQ(app.menus.IsChecked(menu::CountCharacters), expected);
        EXPECT_EQ(app.menus.IsChecked(menu::CountBytes), !expected);
    }
    // A key that is no command name (matched exactly), a separator, a
    // position past the end: nothing happens.
    app.ActiveView().Type(u"ab");
    for (std::size_t position : {1u, 2u, 3u, 4u}) app.form.OnToolBarButtonClick(position);
    EXPECT_EQ(app.ActiveView().Text(), u"ab");
    EXPECT_TRUE(app.dialogs.messages.empty());
}

TEST(PasteHistoryMenu, ShortTextsWholeLongOnesCutAndEveryEntryOneLine) {
    const std::u16string a29(29, u'a'), a30(30, u'a');
    const struct {
        std::u16string text, shown;
    } cases[] = {
        {a30, a30},
        {a30 + u"b", a30 + u"…"},
        {u"a\r\nb\nc\rd\r", u"a↓b↓c↓d↓"},
        {u"A&B &&", u"A&B &&"},
        {std::u16string(u"x\0y\x1b\x7f", 5), u"x y  "},
        {a29 + u"😀b", a29 + u"😀…"},     // a pair is one character, never cut
    };
    for (const auto& c : cases) EXPECT_EQ(HistoryEntryText(c.text), c.shown) << Utf8(c.text);
}

TEST(PasteHistoryMenu, CopiesAreListedNewestFirstAndTheChosenOneIsPasted) {
    AppFixture app;
    app.clipboard.Put(u"from before");
    app.form.Form_Load(u"");
    app.ActiveView().SetText(u"one two three ");
    const auto paste = static_cast<std::size_t>(app.Context().PasteButtonIndex) - 1;
    for (const auto& [start, length] : {std::pair{0u, 3u}, {4u, 3u}, {8u, 5u}}) {
        app.ActiveView().SetSel(start, length);
        app.form.MenuClick(menu::EditCopy);
    }
    app.Context().clipboardHistory.Push(u"");  // a copy that yielded no text
    RefreshPasteHistoryMenu(app.Context());
    EXPECT_EQ(app.toolBar.buttons[paste].menu,
              (std::vector<std::u16string>{u"three", u"two", u"one", u"from before"}));

    app.ActiveView().SetSel(14, 0);
    app.form.OnToolBarButtonMenuClick(paste, 3);
    EXPECT_EQ(app.ActiveView().Text(), u"one two three one");
    EXPECT_EQ(app.clipboard.Contents(), u"one");
    // Past the last entry, another button's list, a busy clipboard: nothing
    // is pasted, and the busy clipboard is reported.
    app.form.OnToolBarButtonMenuClick(paste, 5);
    app.form.OnToolBarButtonMenuClick(0, 1);
    app.clipboard.SetBusy(true);
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.OnToolBarButtonMenuClick(paste, 1);
    EXPECT_EQ(app.ActiveView().Text(), u"one two three one");
    ASSERT_EQ(app.dialogs.messages.size(), 1u);
    EXPECT_EQ(app.dialogs.messages[0].text, editing_texts::ClipboardBusy);
}

}  // namespace
}  // namespace scribbit
