#include "toolbar/command_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "support/utf8.h"

namespace scribbit {
namespace {

constexpr std::u16string_view DialogSuffix = u"...";

TEST(CommandCatalogue, NamesAndListTextsAreUniqueAndFindable) {
    const auto catalogue = CommandCatalogue();
    ASSERT_EQ(catalogue.size(), 41u);
    std::set<std::u16string_view> names;
    std::set<std::u16string_view> listTexts;
    for (const CatalogueEntry& entry : catalogue) {
        SCOPED_TRACE(Utf8(entry.commandName));
        EXPECT_FALSE(entry.commandName.empty());
        EXPECT_TRUE(names.insert(entry.commandName).second) << "command name repeats";
        // Buttons are told apart by their tooltips (paste, always on top), so
        // list texts must be unique too.
        EXPECT_TRUE(listTexts.insert(entry.listText).second) << "list text repeats";
        EXPECT_EQ(FindCatalogueEntry(entry.commandName), &entry);
    }
}

TEST(CommandCatalogue, ListTextIsTheNameWithDotsOnlyForDialogs) {
    // The list text is the command name, followed by "..." exactly when the
    // command opens a dialog.
    const std::set<std::u16string_view> opensDialog{
        u"開く",
        u"名前を付けて保存",
        u"ページ設定",
        u"印刷",
        u"検索",
        u"置換",
        u"行へ移動",
        u"フォント",
        u"タブ→スペース変換",
        u"スペース→タブ変換",
        u"ヘルプ",
        u"バージョン情報",
    };
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        SCOPED_TRACE(Utf8(entry.commandName));
        std::u16string expected(entry.commandName);
        if (opensDialog.contains(entry.commandName)) expected += DialogSuffix;
        EXPECT_EQ(Utf8(entry.listText), Utf8(expected));
    }
    for (std::u16string_view name : opensDialog) EXPECT_NE(FindCatalogueEntry(name), nullptr) << Utf8(name);
}

TEST(CommandCatalogue, LookupIsExactOnTheCommandName) {
    // A tooltip with dots, a near miss or an empty key (a separator) names no
    // command: a stored key like that gives a button that does nothing.
    for (std::u16string_view key : {u"開く...", u"開", u"開くx", u"", u"(区切り)", u"open", u"\\→/変換 "}) {
        EXPECT_EQ(FindCatalogueEntry(key), nullptr) << Utf8(key);
    }
    // The backslash commands use U+005C itself, not a yen sign.
    ASSERT_NE(FindCatalogueEntry(u"\u005C→/変換"), nullptr);
    EXPECT_EQ(FindCatalogueEntry(u"\u00A5→/変換"), nullptr);
    ASSERT_NE(FindCatalogueEntry(u"/→\u005C変換"), nullptr);
}

TEST(CommandCatalogue, RememberedTooltipsBelongToTheirCommands) {
    const CatalogueEntry* paste = FindCatalogueEntry(u"貼り付け");
    ASSERT_NE(paste, nullptr);
    EXPECT_EQ(paste->listText, PasteToolTip);
    EXPECT_EQ(paste->imageKey, u"paste");
    const CatalogueEntry* onTop = FindCatalogueEntry(u"常に手前に表示");
    ASSERT_NE(onTop, nullptr);
    EXPECT_EQ(onTop->listText, AlwaysOnTopToolTip);
    EXPECT_EQ(onTop->imageKey, u"mostfront");
}

TEST(ImageKeys, FortyTwoDistinctKeysWithTheirIndexes) {
    const auto keys = ImageKeys();
    ASSERT_EQ(keys.size(), 42u);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(Utf8(keys[i]));
        EXPECT_FALSE(keys[i].empty());
        // The first occurrence is the key itself: no key repeats.
        EXPECT_EQ(ImageIndex(keys[i]), static_cast<int>(i));
    }
    // The image list's order is the order of the pictures in the strip; a few
    // fixed points of it.
    EXPECT_EQ(ImageIndex(u"open"), 0);
    EXPECT_EQ(ImageIndex(u"properties"), 40);
    EXPECT_EQ(ImageIndex(u"help"), 41);
    for (std::u16string_view missing : {u"", u"0", u"Open", u"open ", u"新規作成"}) {
        EXPECT_EQ(ImageIndex(missing), -1) << Utf8(missing);
    }
}

TEST(ImageKeys, EveryImageButPropertiesBelongsToExactlyOneCommand) {
    std::map<std::u16string_view, int> uses;
    for (std::u16string_view key : ImageKeys()) uses[key] = 0;
    for (const CatalogueEntry& entry : CommandCatalogue()) {
        SCOPED_TRACE(Utf8(entry.commandName));
        ASSERT_TRUE(uses.contains(entry.imageKey)) << "image key not in the list: " << Utf8(entry.imageKey);
        ++uses[entry.imageKey];
    }
    for (const auto& [key, count] : uses) {
        EXPECT_EQ(count, key == u"properties" ? 0 : 1) << Utf8(key);
    }
}

TEST(DefaultToolBar, TwentySixPositionsWithSeparatorsAtFiveElevenAndTwentyFour) {
    const std::vector<ToolBarEntry> entries = DefaultToolBarEntries();
    ASSERT_EQ(entries.size(), 26u);

    // 1-based positions as the user counts them; empty marks a separator.
    const std::u16string_view expected[26] = {
        u"新規作成",
        u"開く",
        u"名前を付けて保存",
        u"終了",
        u"",
        u"元に戻す",
        u"切り取り",
        u"コピー",
        u"貼り付け",
        u"削除",
        u"",
        u"ひらがな→カタカナ",
        u"全角→半角",
        u"小文字→大文字",
        u"カタカナ→ひらがな",
        u"半角→全角",
        u"大文字→小文字",
        u"CR+LF→LF変換",
        u"LF→CR+LF変換",
        u"タブ→スペース変換",
        u"スペース→タブ変換",
        u"行末のスペース削除",
        u"改行(CR+LF)の削除",
        u"",
        u"ヘルプ",
        u"バージョン情報",
    };

    int separators = 0;
    std::set<std::u16string> keys;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ToolBarEntry& entry = entries[i];
        SCOPED_TRACE("position " + std::to_string(i + 1));
        if (expected[i].empty()) {
            ++separators;
            EXPECT_EQ(entry, SeparatorEntry());
            EXPECT_EQ(entry.key, u"");
            EXPECT_EQ(entry.style, static_cast<std::int16_t>(ButtonStyle::Separator));
            EXPECT_EQ(entry.image, u"");
            EXPECT_EQ(Utf8(entry.toolTipText), Utf8(SeparatorText));
            continue;
        }
        const CatalogueEntry* command = FindCatalogueEntry(expected[i]);
        ASSERT_NE(command, nullptr) << Utf8(expected[i]);
        EXPECT_EQ(Utf8(entry.key), Utf8(command->commandName));
        EXPECT_EQ(entry.style, 0) << "every default button is plain, paste included";
        EXPECT_EQ(Utf8(entry.image), Utf8(command->imageKey));
        EXPECT_GE(ImageIndex(entry.image), 0);
        EXPECT_EQ(Utf8(entry.toolTipText), Utf8(command->listText));
        EXPECT_TRUE(keys.insert(entry.key).second) << "a command stands twice";
    }
    EXPECT_EQ(separators, 3);
    EXPECT_EQ(keys.size(), 23u);
}

TEST(DefaultToolBar, RememberedButtonsAreFoundByTooltip) {
    // The paste button is remembered at position 9; the default set has no
    // always-on-top button.
    const std::vector<ToolBarEntry> entries = DefaultToolBarEntries();
    std::vector<std::size_t> paste;
    std::vector<std::size_t> onTop;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].toolTipText == PasteToolTip) paste.push_back(i + 1);
        if (entries[i].toolTipText == AlwaysOnTopToolTip) onTop.push_back(i + 1);
    }
    EXPECT_EQ(paste, std::vector<std::size_t>{9});
    EXPECT_TRUE(onTop.empty());
}

TEST(DefaultToolBar, ButtonsFollowTheCatalogueOrder) {
    // The first-run set is a subsequence of the catalogue, so the
    // customisation dialog shows it in the same relative order.
    const auto catalogue = CommandCatalogue();
    std::ptrdiff_t previous = -1;
    for (const ToolBarEntry& entry : DefaultToolBarEntries()) {
        if (entry.key.empty()) continue;
        const CatalogueEntry* command = FindCatalogueEntry(entry.key);
        ASSERT_NE(command, nullptr);
        const std::ptrdiff_t index = command - catalogue.data();
        EXPECT_GT(index, previous) << Utf8(entry.key);
        previous = index;
    }
}

TEST(CommandEntry, CopiesTheCatalogueFieldsWithTheGivenStyle) {
    const CatalogueEntry* paste = FindCatalogueEntry(u"貼り付け");
    ASSERT_NE(paste, nullptr);
    const ToolBarEntry dropDown = CommandEntry(*paste, ButtonStyle::DropDown);
    EXPECT_EQ(dropDown, (ToolBarEntry{u"貼り付け", 5, u"paste", u"貼り付け"}));
    const CatalogueEntry* open = FindCatalogueEntry(u"開く");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(CommandEntry(*open), (ToolBarEntry{u"開く", 0, u"open", u"開く..."}));
    EXPECT_EQ(SeparatorEntry(), (ToolBarEntry{u"", 3, u"", u"(区切り)"}));
}

}  // namespace
}  // namespace scribbit
