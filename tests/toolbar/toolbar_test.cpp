// The toolbar: its records in the settings file, loading them into the bar,
// the catalogue's commands and pictures, what its buttons run, the
// customisation dialog's two lists and what Apply builds, and the paste
// button's list of copies.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>

#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"
#include "toolbar/edit_toolbar.h"
#include "toolbar/paste_history_menu.h"
#include "toolbar/toolbar_commands.h"
#include "toolbar/toolbar_icons.h"
#include "toolbar/toolbar_list.h"

namespace scribbit {
namespace {

TEST(ToolBarList, RecordsHoldFourFieldsAndLoadingReplacesTheButtons) {
    EXPECT_EQ(FormatToolBarRecord({u"new", 1, u"", u"新規作成"}), u"new,1,0,新規作成");
    // The drop-down style is kept; a comma inside a field makes one field too many.
    const std::optional<ToolBarEntry> No;
    const std::pair<std::u16string_view, std::optional<ToolBarEntry>> lines[] = {
        {u" open ,\t0 , \"open\" ,\"開く\"", ToolBarEntry{u"open", 0, u"open", u"開く"}},
        {u",3,0,(区切り)", ToolBarEntry{u"", 3, u"", u"(区切り)"}},
        {u"a,5,0,x", ToolBarEntry{u"a", 5, u"", u"x"}},
        {u"a,4,0,x", No},
        {u"a,1,0,x,y", No}};
    for (const auto& [line, entry] : lines)
        EXPECT_EQ(ParseToolBarRecord(line), entry) << Utf8(std::u16string(line));
    // The buttons loaded, "+" after the pressed one, then the paste and always-on-top positions.
    const std::tuple<std::vector<std::u16string_view>, bool, std::u16string> rows[] = {
        {{u"new,0,new,新規作成", u"broken", u",3,0,(区切り)", u"paste,0,paste,貼り付け",
          u"new,0,new,新規作成", u"mostfront,1,mostfront,常に手前に表示"},
         true,
         u"new  paste new mostfront+ 3 5"},
        {{u"mostfront,1,mostfront,常に手前に表示", u"paste,0,paste,貼り付け"}, false, u"mostfront paste 2 1"},
        {{}, true, u"-1 -1"}};
    for (const auto& [records, onTop, shown] : rows) {
        AppFixture app;
        app.toolBar.Append(ToolBarEntry{u"old", 0, u"", u"old"});
        app.Context().view.alwaysOnTop = onTop;
        LoadToolBarFromSettings(app.Context(), records);
        std::u16string loaded;
        for (const FakeToolBar::Button& b : app.toolBar.buttons)
            loaded += b.entry.key + (b.pressed ? u"+ " : u" ");
        const auto index = [](std::int16_t i) { return i < 0 ? u"-1" : Decimal(std::uint64_t(i)); };
        EXPECT_EQ(loaded + index(app.Context().PasteButtonIndex) + u" " +
                      index(app.Context().AlwaysOnTopButtonIndex),
                  shown);
    }
}

// Each command runs the one menu item whose caption is its name (without
// access key and "..."); its picture and list text are its own.
TEST(ToolBarCommands, EveryCatalogueCommandRunsTheMenuItemOfItsNameAndHasItsOwnPicture) {
    std::set<std::u16string_view> names, lists, images;
    std::set<int> commandIds;
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        const std::u16string name(entry.commandName);
        EXPECT_TRUE(names.insert(entry.commandName).second && lists.insert(entry.listText).second &&
                    images.insert(entry.imageKey).second && ImageIndex(entry.imageKey) >= 0 &&
                    FindCatalogueEntry(name) == &entry &&
                    (entry.listText == name || entry.listText == name + u"..."))
            << Utf8(name);
        if (name == u"文字のカウント方式") continue;  // the toggle, below
        std::vector<MenuItem> ran;
        DispatchToolBarCommand(name, ViewState{}, [&](MenuItem item) { ran.push_back(item); });
        ASSERT_EQ(ran.size(), 1u) << Utf8(name);
        commandIds.insert(CommandId(ran[0]));
        std::u16string_view caption = FindMenu(ran[0].menu).items[std::size_t(ran[0].index)].caption;
        if (caption.ends_with(u"...")) caption.remove_suffix(3);
        if (caption.ends_with(u")")) caption = caption.substr(0, caption.rfind(u'('));
        EXPECT_TRUE(Contains(name, caption) || Contains(caption, name) ||
                    (name == u"ヘルプ" && ran[0] == menu::HelpContents))
            << Utf8(name);
    }
    EXPECT_EQ(commandIds.size(), CommandCatalogue().size() - 1);
    for (const ToolBarEntry& entry : DefaultToolBarEntries()) {  // the first-run bar uses them
        const CatalogueEntry* command = FindCatalogueEntry(entry.key);
        EXPECT_TRUE(entry.key.empty()
                        ? entry == SeparatorEntry() && entry.style == std::int16_t(ButtonStyle::Separator)
                        : command && entry.image == command->imageKey &&
                              entry.style != std::int16_t(ButtonStyle::Separator))
            << Utf8(entry.key);
    }
}

TEST(ToolbarIcons, TheBitmapHasEveryPictureAndScaledImagesAreCompleteAndSymmetric) {
    for (const auto& [dpi, size] : {std::pair{96u, 16}, {144u, 24}, {4294967295u, 256}})
        EXPECT_EQ(IconSizeForDpi(dpi), size) << dpi;
    // The bitmap the program is built with holds a cell for every picture: its width, little-endian at 18.
    std::ifstream file(SCRIBBIT_TOOLBAR_BITMAP, std::ios::binary);
    unsigned char width[4] = {};
    file.seekg(18).read(reinterpret_cast<char*>(width), 4);
    EXPECT_EQ(width[0] | width[1] << 8 | width[2] << 16, IconGridSize * int(ImageKeys().size()));
    // At the grid size a picture comes out as drawn; a key without a cell is blank, a size out of range
    // empty.
    std::vector<IconColour> cells;
    for (int i = 0; i < 2 * IconGridSize * IconGridSize; ++i)
        cells.push_back({std::uint8_t(i), std::uint8_t(i >> 8), 0});
    EXPECT_EQ(ScaleIconStrip(cells, 2 * IconGridSize, ImageKeys().first(2), IconGridSize), cells);
    const std::u16string_view unknown[] = {u"no such picture"};
    EXPECT_EQ(ScaleIconStrip(cells, 2 * IconGridSize, unknown, 24), std::vector(24 * 24, IconMaskColour));
    EXPECT_TRUE(ScaleIconStrip(cells, 2 * IconGridSize, unknown, IconMaxSize + 1).empty() &&
                IconScaleMap(0).empty());
    // At one and a half, a pixel centre on a cell boundary takes the cell nearer the middle.
    EXPECT_EQ(IconScaleMap(24), (std::vector<int>{0, 1, 1, 2,  3,  3,  4,  5,  5,  6,  7,  7,
                                                  8, 8, 9, 10, 10, 11, 12, 12, 13, 14, 14, 15}));
    // In order, symmetric (an odd size's middle pixel may fall either way), and enlarging skips no cell.
    for (int size = 1; size <= 80; ++size) {
        const std::vector<int> cells = IconScaleMap(size);
        ASSERT_EQ(cells.size(), std::size_t(size));
        for (std::size_t d = 0; d < cells.size(); ++d)
            EXPECT_TRUE((d == 0 || (cells[d - 1] <= cells[d] &&
                                    (size < IconGridSize || cells[d] <= cells[d - 1] + 1))) &&
                        ((size % 2 && d == cells.size() / 2) ||
                         cells[d] + cells[cells.size() - 1 - d] == IconGridSize - 1))
                << size << " at " << d;
    }
}

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

// Cancel keeps what Apply built.
TEST(EditToolBar, ApplyRebuildsTheToolBarWithItsStylesPressedButtonAndPasteList) {
    AppFixture app;
    app.form.Form_Load(u"");
    app.Context().clipboardHistory.Push(u"copied");
    app.Context().view.alwaysOnTop = true;
    app.toolBar.Clear();
    for (const ToolBarEntry& entry : {Command(u"常に手前に表示"), SeparatorEntry(), Command(u"貼り付け"),
                                      Command(u"コピー"), Command(u"開く")})
        app.toolBar.Append(entry);
    app.formDialogs.on["EditToolBar"] = [&] {
        EditToolBarModel& model = *app.formDialogs.editToolBar;
        model.SelectChosen(4);
        model.OnDel();
        model.OnApply();
        model.OnDel();
    };
    app.Click(menu::ToolBarCustomize);
    std::u16string shown;
    for (const FakeToolBar::Button& b : app.toolBar.buttons)
        shown +=
            b.entry.toolTipText + u":" + Decimal(std::uint64_t(b.entry.style)) + (b.pressed ? u"+ " : u" ");
    EXPECT_EQ(shown, u"常に手前に表示:1+ (区切り):3 貼り付け:5 コピー:0 ");
    EXPECT_EQ(PasteMenu(app), std::vector<std::u16string>{u"copied"});
    app.Click(menu::FormAlwaysOnTop);  // the new button follows the option
    EXPECT_FALSE(app.toolBar.IsPressed(0));
    // A key that is no command name (matched exactly), a separator and a position past the end do nothing.
    for (const ToolBarEntry& entry :
         {ToolBarEntry{u"謎", 0, u"", u"謎"}, ToolBarEntry{u"新規作成 ", 0, u"new", u"新規作成"}})
        app.toolBar.Append(entry);
    for (const std::size_t position : {1u, 4u, 5u, 6u}) app.form.OnToolBarButtonClick(position);
    EXPECT_EQ(std::tuple(app.Screen(), app.dialogs.messages.size(), app.frame.topMost),
              std::tuple(u"[]", 0u, false));
}

TEST(PasteHistoryMenu, EntriesShowShortTextsWholeLongOnesCutAndEveryEntryOnOneLine) {
    const std::u16string a29(29, u'a'), a30(30, u'a');
    const std::pair<std::u16string, std::u16string> rows[] = {
        {a30 + u"b", a30 + u"…"},   {u"a\r\nb\nc\rd\r", u"a↓b↓c↓d↓"},
        {u"a\tb", u"a→b"},          {std::u16string(u"x\0y\x1b\x7f", 5), u"x y  "},
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
