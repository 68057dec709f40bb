#include "toolbar/toolbar_list.h"

#include <gtest/gtest.h>

#include <string>

#include "support/app_fixture.h"
#include "toolbar/command_catalogue.h"

namespace scribbit {
namespace {

std::string Narrow(std::u16string_view text) {
    return std::string(text.begin(), text.end());
}

TEST(ToolBarRecord, IsWrittenAsFourFieldsWithZeroForNoImage) {
    EXPECT_EQ(FormatToolBarRecord(SeparatorEntry()), u",3,0,(区切り)");
    EXPECT_EQ(FormatToolBarRecord(ToolBarEntry{u"新規作成", 0, u"new", u"新規作成"}),
              u"新規作成,0,new,新規作成");
    EXPECT_EQ(FormatToolBarRecord(ToolBarEntry{u"貼り付け", 5, u"paste", u"貼り付け"}),
              u"貼り付け,5,paste,貼り付け");
}

TEST(ToolBarRecord, EveryDefaultPositionReadsBackAsWritten) {
    for (const ToolBarEntry& entry : DefaultToolBarEntries()) {
        EXPECT_EQ(ParseToolBarRecord(FormatToolBarRecord(entry)), entry) << Narrow(entry.key);
    }
}

struct RecordCase {
    std::u16string line;
    std::optional<ToolBarEntry> expected;
};

TEST(ToolBarRecord, HandEditedLinesAreTakenWhenTheyStillHoldFourFields) {
    const RecordCase cases[] = {
        {u"検索,0,find,検索...", ToolBarEntry{u"検索", 0, u"find", u"検索..."}},
        {u",3,0,(区切り)", ToolBarEntry{u"", 3, u"", u"(区切り)"}},
        {u"常に手前に表示,1,mostfront,常に手前に表示",
         ToolBarEntry{u"常に手前に表示", 1, u"mostfront", u"常に手前に表示"}},
        {u"  検索 , 0 ,\tfind , 検索 ", ToolBarEntry{u"検索", 0, u"find", u"検索"}},  // blanks around fields
        {u"\"検索\",0,\"find\",\"検索\"", ToolBarEntry{u"検索", 0, u"find", u"検索"}},  // quoted fields
        {u"謎,0,nosuchimage,謎", ToolBarEntry{u"謎", 0, u"nosuchimage", u"謎"}},  // drawn without an image
        {u"謎,0,,謎", ToolBarEntry{u"謎", 0, u"", u"謎"}},
        {u"", std::nullopt},
        {u"検索,0,find", std::nullopt},                // a field missing
        {u"検索,0,find,検索,もう一つ", std::nullopt},  // a comma inside the tooltip
        {u"検索,x,find,検索", std::nullopt},           // style not a number
        {u"検索,,find,検索", std::nullopt},
        {u"検索,0x,find,検索", std::nullopt},
        {u"検索,2,find,検索", std::nullopt},  // a style the toolbar cannot draw
        {u"検索,99999,find,検索", std::nullopt},
        {u"[ToolBar]", std::nullopt},
    };
    for (const RecordCase& c : cases) EXPECT_EQ(ParseToolBarRecord(c.line), c.expected) << Narrow(c.line);
}

class ToolBarListTest : public ::testing::Test {
protected:
    void Load(const std::vector<std::u16string_view>& lines, bool alwaysOnTop = false) {
        app.menus.SetChecked(menu::FormAlwaysOnTop, alwaysOnTop);
        LoadToolBarFromSettings(app.Context(), lines);
    }
    AppFixture app;
};

TEST_F(ToolBarListTest, TheDefaultToolBarHasTwentySixPositionsWithPasteAtNine) {
    app.toolBar.Append(ToolBarEntry{u"old", 0, u"", u"old"});
    BuildDefaultToolBar(app.Context());
    ASSERT_EQ(app.toolBar.Count(), 26u);
    EXPECT_EQ(app.toolBar.Entries(), DefaultToolBarEntries());
    EXPECT_EQ(app.Context().PasteButtonIndex, 9);
    EXPECT_EQ(app.toolBar.Entry(8).toolTipText, u"貼り付け");
    EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, -1);
}

TEST_F(ToolBarListTest, RemembersThePasteAndAlwaysOnTopButtonsByTooltip) {
    app.toolBar.Append(ToolBarEntry{u"old", 0, u"", u"old"});
    Load({u"新規作成,0,new,新規作成", u",3,0,(区切り)", u"何か,5,paste,貼り付け",
          u"常に手前に表示,1,mostfront,常に手前に表示"});
    ASSERT_EQ(app.toolBar.Count(), 4u);  // the old position is gone
    EXPECT_EQ(app.Context().PasteButtonIndex, 3);
    EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, 4);
    EXPECT_FALSE(app.toolBar.IsPressed(3));
}

TEST_F(ToolBarListTest, PressesTheAlwaysOnTopButtonWhenTheOptionIsOn) {
    Load({u",3,0,(区切り)", u"常に手前に表示,1,mostfront,常に手前に表示", u"新規作成,0,new,新規作成"}, true);
    EXPECT_TRUE(app.toolBar.IsPressed(1));
    EXPECT_FALSE(app.toolBar.IsPressed(0));
    EXPECT_FALSE(app.toolBar.IsPressed(2));
}

TEST_F(ToolBarListTest, SkipsBrokenLinesAndKeepsRepeatedKeys) {
    Load({u"", u"新規作成,0,new,新規作成", u"garbage", u"貼り付け,5,paste", u"新規作成,0,new,新規作成",
          u"貼り付け,5,paste,貼り付け", u"\r"});
    ASSERT_EQ(app.toolBar.Count(), 3u);
    EXPECT_EQ(app.toolBar.Entry(0), app.toolBar.Entry(1));
    EXPECT_EQ(app.Context().PasteButtonIndex, 3);  // positions count only the buttons made
}

TEST_F(ToolBarListTest, OnlySeparatorsOrNoLinesLeaveNoRememberedButtons) {
    Load({u",3,0,(区切り)", u",3,0,(区切り)"});
    EXPECT_EQ(app.toolBar.Count(), 2u);
    EXPECT_EQ(app.Context().PasteButtonIndex, -1);
    EXPECT_EQ(app.Context().AlwaysOnTopButtonIndex, -1);
    Load({});
    EXPECT_EQ(app.toolBar.Count(), 0u);
}

TEST_F(ToolBarListTest, AHugeToolBarDoesNotOverflowTheRememberedPositions) {
    std::vector<std::u16string> records(40000, u"新規作成,0,new,新規作成");
    records.back() = u"貼り付け,0,paste,貼り付け";
    std::vector<std::u16string_view> lines(records.begin(), records.end());
    Load(lines);
    EXPECT_EQ(app.toolBar.Count(), 40000u);
    EXPECT_EQ(app.Context().PasteButtonIndex, -1);
}

}  // namespace
}  // namespace scribbit
