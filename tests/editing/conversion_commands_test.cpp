#include "editing/conversion_commands.h"

#include <gtest/gtest.h>

#include "editing/edit_commands.h"
#include "editing/editing_texts.h"
#include "editing_fixture.h"
#include "view/char_count.h"

namespace scribbit {
namespace {

class ConversionCommandsTest : public ::testing::Test, protected EditingFixture {
protected:
    void SetUp() override { menus.SetChecked(menu::CountCharacters, true); }
    void Convert(int index) { mnuCHANGE_Click(editing, index); }
};

TEST_F(ConversionCommandsTest, WholeTextKeepsTheCaretOffsetOrEndsAtTheShorterEnd) {
    struct Case {
        int index;
        std::u16string text;
        std::size_t caret;
        std::u16string expected;
        std::size_t caretAfter;
    };
    const Case cases[] = {
        {2, u"abc def", 4, u"ABC DEF", 4},
        {18, u"a\r\nb\r\nc", 6, u"abc", 3},
        {20, u"a\r\nb", 1, u"a<br>\r\nb", 1},
        {17, u"", 0, u"", 0},
    };
    for (const auto& c : cases) {
        Load(c.text, c.caret, 0);
        Convert(c.index);
        EXPECT_EQ(View().Text(), c.expected) << c.index;
        EXPECT_EQ(View().SelStart(), c.caretAfter) << c.index;
        EXPECT_EQ(View().SelLength(), 0u) << c.index;
        EXPECT_TRUE(View().IsVisible());
        EXPECT_EQ(status.PanelText(3), std::u16string(1, static_cast<char16_t>(u'0' + c.expected.size())));
    }
}

TEST_F(ConversionCommandsTest, ASelectionAloneIsConvertedAndTheCaretStandsAtItsStart) {
    Load(u"abc def ghi", 4, 3);
    Convert(2);
    EXPECT_EQ(View().Text(), u"abc DEF ghi");
    EXPECT_EQ(View().SelStart(), 4u);
    EXPECT_EQ(View().SelLength(), 0u);
}

TEST_F(ConversionCommandsTest, EachConversionIsOneUndoStepAndLeavesTheClipboard) {
    clipboard.Put(u"user's");
    for (int index = 0; index <= 20; ++index) {
        const std::u16string original = u"ａb\"/\\\tc  \r\nかナ\n";
        Load(original, 0, 0);
        windows.tabScripts.push_back({u"2"});
        const int before = View().changeNotifications;
        Convert(index);
        const bool isSeparator =
            index == 3 || index == 7 || index == 10 || index == 13 || index == 16 || index == 19;
        // Every conversion pastes, even one that changes nothing.
        EXPECT_EQ(View().changeNotifications - before, isSeparator ? 0 : 1) << index;
        mnuEDIT_Click(editing, 0);
        EXPECT_EQ(View().Text(), original) << index;
    }
    EXPECT_EQ(clipboard.Contents(), u"user's");
    EXPECT_EQ(clipboard.setTextCalls, 0);
}

TEST_F(ConversionCommandsTest, TabConversionsAskForTheWidthFirst) {
    app.TabSpace = 0;
    windows.tabScripts.push_back({u"", u"abc", u"0", u"-3", u"32768", u"2.5"});
    Load(u"\tx", 0, 0);
    Convert(11);
    EXPECT_EQ(windows.tabDialogEntries.back(), u"8");
    EXPECT_EQ(windows.tabRefusals, 5);
    EXPECT_EQ(app.TabSpace, 2);
    EXPECT_EQ(View().Text(), u"  x");

    // Cancel keeps the width, and the conversion still runs.
    windows.tabScripts.push_back({std::nullopt});
    Load(u"    y", 0, 0);
    Convert(12);
    EXPECT_EQ(windows.tabDialogEntries.back(), u"2");
    EXPECT_EQ(app.TabSpace, 2);
    EXPECT_EQ(View().Text(), u"\t\ty");
}

TEST_F(ConversionCommandsTest, AResultTooLargeForTheControlIsReportedAndNothingChanges) {
    Load(u"a\tb", 1, 1);
    View().SetCapacity(10);
    windows.tabScripts.push_back({u"100"});
    ExpectMessage();
    Convert(11);
    EXPECT_EQ(LastMessage(), editing_texts::TextTooLarge);
    EXPECT_EQ(View().Text(), u"a\tb");
    EXPECT_EQ(View().SelStart(), 1u);
    EXPECT_EQ(View().SelLength(), 1u);
    EXPECT_TRUE(View().IsVisible());
    EXPECT_FALSE(View().CanUndo());
}

TEST_F(ConversionCommandsTest, AFailedMappingIsReportedAndNothingChanges) {
    text.failMapping = true;
    Load(u"abc", 0, 0);
    status.SetPanelText(3, u"0");  // stale since the load
    ExpectMessage();
    Convert(2);
    EXPECT_EQ(LastMessage(), editing_texts::TextTooLarge);
    EXPECT_EQ(status.PanelText(3), u"3");
    EXPECT_EQ(View().Text(), u"abc");
    EXPECT_EQ(View().changeNotifications, 1);  // only the Load
}

TEST_F(ConversionCommandsTest, ALockedViewIsLeftAlone) {
    Load(u"abc", 1, 0);
    View().SetLocked(true);
    Convert(2);
    EXPECT_EQ(View().Text(), u"abc");
    EXPECT_EQ(View().SelStart(), 1u);
    EXPECT_EQ(View().SelLength(), 0u);
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace scribbit
