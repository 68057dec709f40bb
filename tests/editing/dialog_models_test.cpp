#include <gtest/gtest.h>

#include "editing/edit_commands.h"
#include "editing/editing_texts.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "editing_fixture.h"

namespace scribbit {
namespace {

TEST(TabWidthEntry, AcceptsRoundedNumbersFromOneTo32767) {
    const std::pair<std::u16string, std::optional<std::int32_t>> cases[] = {
        {u"", std::nullopt},
        {u"  ", std::nullopt},
        {u"abc", std::nullopt},
        {u"4x", std::nullopt},
        {u"0", std::nullopt},
        {u"-3", std::nullopt},
        {u"0.4", std::nullopt},
        {u"0.5", std::nullopt},
        {u"0.6", 1},
        {u"2.5", 2},
        {u"3.5", 4},
        {u"4", 4},
        {u" 8 ", 8},
        {u"+6", 6},
        {u"1e1", 10},
        {u"４", 4},
        {u"32767", 32767},
        {u"32767.4", 32767},
        {u"32767.5", std::nullopt},
        {u"32768", std::nullopt},
        {u"1e400", std::nullopt},
        {u"+-1", std::nullopt},
        {u"--1", std::nullopt},
        {u".", std::nullopt},
    };
    for (const auto& [entry, expected] : cases) {
        EXPECT_EQ(ParseTabSpaceEntry(entry), expected) << std::string(entry.begin(), entry.end());
    }
}

TEST(TabWidthDialog, OpensWithAUsableWidthAndTakesOnlyAcceptedEntries) {
    const std::pair<std::int32_t, std::u16string> opening[] = {
        {0, u"8"}, {-5, u"8"}, {4, u"4"}, {32767, u"32767"}, {40000, u"8"}};
    for (const auto& [stored, shown] : opening) {
        std::int32_t tabSpace = stored;
        TabSpaceDialogModel dialog(tabSpace);
        EXPECT_EQ(dialog.InitialEntry(), shown);
        EXPECT_FALSE(dialog.OnOK(u"zero"));
        EXPECT_EQ(tabSpace, stored >= 1 && stored <= 32767 ? stored : 8);
        EXPECT_TRUE(dialog.OnOK(u"3.5"));
        EXPECT_EQ(tabSpace, 4);
    }
}

TEST(LineNumbers, CountAndStartOffsetsByCrLf) {
    const std::u16string text = u"one\r\ntwo\nstill two\r\n\r\nfive\rend";
    EXPECT_EQ(CountLines(text), 4u);
    EXPECT_EQ(LineStartOffset(text, 1), 0u);
    EXPECT_EQ(LineStartOffset(text, 2), 5u);
    EXPECT_EQ(LineStartOffset(text, 3), 20u);
    EXPECT_EQ(LineStartOffset(text, 4), 22u);
    EXPECT_EQ(CountLines(u""), 1u);
    EXPECT_EQ(CountLines(u"a\r\n"), 2u);
    EXPECT_EQ(LineStartOffset(u"a\r\n", 2), 3u);
}

TEST(LineNumbers, ParsesWholeNumbersInRange) {
    const std::pair<std::u16string, std::optional<std::size_t>> cases[] = {
        {u"1", 1},
        {u" 3 ", 3},
        {u"０３", 3},
        {u"5", 5},
        {u"6", std::nullopt},
        {u"0", std::nullopt},
        {u"", std::nullopt},
        {u"-1", std::nullopt},
        {u"2.0", std::nullopt},
        {u"x", std::nullopt},
        {u"99999999999999999999999", std::nullopt},
    };
    for (const auto& [entry, expected] : cases) {
        EXPECT_EQ(ParseLineNumber(entry, 5), expected) << std::string(entry.begin(), entry.end());
    }
}

class GoToLineTest : public ::testing::Test, protected EditingFixture {};

TEST_F(GoToLineTest, OkMovesTheCaretToTheLineStartWithOrWithoutWordWrap) {
    for (const bool wordWrap : {false, true}) {
        menus.SetChecked(menu::FormWordWrap, wordWrap);
        Load(u"first\r\nsecond\r\nthird", 2, 3);
        mnuEDIT_Click(editing, 10);
        GoToLineModel& dialog = *editing.goToLineDialog;
        dialog.SetEntry(u"3");
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Moved);
        EXPECT_EQ(View().SelStart(), 15u);
        EXPECT_EQ(View().SelLength(), 0u);
        dialog.SetEntry(u"1");
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Moved);
        EXPECT_EQ(View().SelStart(), 0u);
        editing.OnDialogClosed(EditingDialog::GoToLine);
    }
}

TEST_F(GoToLineTest, ABadEntryIsRefusedWithTheRangeAndTheCaretStays) {
    Load(u"a\r\nb", 1, 0);
    mnuEDIT_Click(editing, 10);
    GoToLineModel& dialog = *editing.goToLineDialog;
    for (const std::u16string entry : {u"3", u"0", u"", u"abc"}) {
        dialog.SetEntry(entry);
        ExpectMessage();
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Refused);
        EXPECT_EQ(LastMessage(), u"行番号は 1 から 2 までの数字で入力してください。");
        EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Exclamation);
        EXPECT_EQ(View().SelStart(), 1u);
        EXPECT_EQ(dialog.Entry(), entry);
    }
}

}  // namespace
}  // namespace scribbit
