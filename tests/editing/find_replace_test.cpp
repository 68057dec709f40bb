#include "editing/find_replace.h"

#include <gtest/gtest.h>

#include "editing/edit_commands.h"
#include "editing/editing_texts.h"
#include "editing_fixture.h"

namespace scribbit {
namespace {

class FindReplaceTest : public ::testing::Test, protected EditingFixture {
protected:
    void Search(const std::u16string& what, bool upward = false, bool matchCase = false) {
        app.search.SearchText = what;
        app.search.SearchUpward = upward;
        app.search.MatchCase = matchCase;
    }
    // F3; expects the end-of-search message when nothing is to be found.
    bool F3(bool expectFound) {
        if (!expectFound) ExpectMessage();
        const std::size_t before = dialogs.messages.size();
        mnuEDIT_Click(editing, 8);
        const bool found = dialogs.messages.size() == before;
        if (!found) {
            EXPECT_EQ(LastMessage(), editing_texts::SearchFinished);
        }
        return found;
    }
    std::pair<std::size_t, std::size_t> Sel() { return {View().SelStart(), View().SelLength()}; }
};

TEST_F(FindReplaceTest, FindNextDownwardsThenUpwardsNeverWraps) {
    Load(u"abcabc", 0, 0);
    Search(u"bc");
    EXPECT_TRUE(F3(true));
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{1}, std::size_t{2}));
    EXPECT_EQ(app.search.FoundPosition, 2);
    EXPECT_TRUE(F3(true));
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{4}, std::size_t{2}));
    EXPECT_EQ(app.search.FoundPosition, 5);
    EXPECT_FALSE(F3(false));
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{4}, std::size_t{2}));
    EXPECT_EQ(app.search.FoundPosition, 0);

    app.search.SearchUpward = true;
    EXPECT_TRUE(F3(true));
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{1}, std::size_t{2}));
    EXPECT_FALSE(F3(false));
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{1}, std::size_t{2}));
}

TEST_F(FindReplaceTest, UpwardsFindsAnOccurrenceEndingAtTheCaret) {
    Load(u"xxab", 4, 0);
    Search(u"ab", true);
    EXPECT_TRUE(F3(true));
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{2}, std::size_t{2}));
    Load(u"abc", 0, 0);
    EXPECT_FALSE(F3(false));
}

TEST_F(FindReplaceTest, TextModeSelectsTheTextActuallyMatched) {
    struct Case {
        std::u16string text, search;
        bool matchCase;
        std::optional<std::pair<std::size_t, std::size_t>> selection;
    };
    const Case cases[] = {
        {u"--abc", u"ABC", false, std::make_pair(2, 3)},
        {u"--ａｂｃ", u"ABC", false, std::make_pair(2, 3)},
        {u"--ア", u"あ", false, std::make_pair(2, 1)},
        {u"--ｶﾞ--", u"ガ", false, std::make_pair(2, 2)},
        {u"--abc", u"ABC", true, std::nullopt},
        {u"--ａｂｃ", u"ABC", true, std::nullopt},
        {u"--ア", u"あ", true, std::nullopt},
    };
    for (const auto& c : cases) {
        Load(c.text, 0, 0);
        Search(c.search, false, c.matchCase);
        EXPECT_EQ(F3(c.selection.has_value()), c.selection.has_value());
        if (c.selection) {
            EXPECT_EQ(Sel(), *c.selection);
        }
    }
}

TEST_F(FindReplaceTest, F3WithoutASearchTextOpensTheFindDialog) {
    Load(u"abc", 0, 2);
    mnuEDIT_Click(editing, 8);
    ASSERT_EQ(windows.shown, std::vector<EditingDialog>{EditingDialog::Find});
    EXPECT_EQ(editing.findDialog->FindText(), u"ab");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FindReplaceTest, FindDialogStartsFromSelectionAndSharedStateAndWritesItBack) {
    app.search.MatchCase = true;
    app.search.SearchUpward = true;
    Load(u"one two one", 8, 0);
    ShowFindDialog(editing);
    FindDialogModel& find = *editing.findDialog;
    EXPECT_EQ(find.FindText(), u"");
    EXPECT_FALSE(find.IsFindEnabled());
    EXPECT_TRUE(find.MatchCase());
    EXPECT_TRUE(find.SearchUpward());
    find.OnFind();  // disabled: nothing happens
    EXPECT_EQ(app.search.SearchText, u"");

    find.SetFindText(u"ONE");
    EXPECT_TRUE(find.IsFindEnabled());
    find.SetMatchCase(false);
    EXPECT_FALSE(app.search.MatchCase);
    find.OnFind();
    EXPECT_EQ(app.search.SearchText, u"ONE");
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{0}, std::size_t{3}));
    find.SetSearchUpward(false);
    EXPECT_FALSE(app.search.SearchUpward);
    find.OnFind();
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{8}, std::size_t{3}));
}

TEST_F(FindReplaceTest, ReplaceDialogEnablingAndSearchingDownwards) {
    app.search.SearchUpward = true;
    Load(u"a-b-a", 0, 0);
    ShowReplaceDialog(editing);
    ReplaceDialogModel& replace = *editing.replaceDialog;
    EXPECT_FALSE(replace.IsSearchEnabled());
    EXPECT_EQ(replace.OnAllSubst(), DialogAction::Stay);
    EXPECT_FALSE(replace.FindFromTop());
    EXPECT_EQ(replace.SubstText(), u"");
    replace.SetFindText(u"a");
    EXPECT_TRUE(replace.IsSearchEnabled());
    View().SetSel(2, 0);
    replace.OnNextFind();
    EXPECT_FALSE(app.search.SearchUpward);
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{4}, std::size_t{1}));
}

TEST_F(FindReplaceTest, SubstNextReplacesWhateverIsSelectedThenSearchesOn) {
    Load(u"xx a a", 0, 2);  // "xx" is no occurrence but is replaced all the same
    ShowReplaceDialog(editing);
    ReplaceDialogModel& replace = *editing.replaceDialog;
    replace.SetFindText(u"a");
    replace.SetSubstText(u"B");
    replace.OnSubstNext();
    EXPECT_EQ(View().Text(), u"B a a");
    EXPECT_TRUE(app.document.IsModified);
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{2}, std::size_t{1}));
    replace.OnSubstNext();
    EXPECT_EQ(View().Text(), u"B B a");
    // Nothing selected: it only searches.
    View().SetSel(0, 0);
    replace.SetSubstText(u"");
    replace.OnSubstNext();
    EXPECT_EQ(View().Text(), u"B B a");
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{4}, std::size_t{1}));
    // An empty replacement deletes; the search after it ends the text.
    ExpectMessage();
    replace.OnSubstNext();
    EXPECT_EQ(View().Text(), u"B B ");
    EXPECT_EQ(clipboard.setTextCalls, 0);
}

TEST_F(FindReplaceTest, ReplaceAllCountsRestoresTheCaretAndIsOneUndoStep) {
    struct Case {
        std::u16string text;
        std::size_t caret;
        bool fromTop;
        std::u16string find, subst;
        std::u16string expected;
        const char16_t* message;
    };
    const Case cases[] = {
        {u"aaa", 0, false, u"a", u"aa", u"aaaaaa", u"全部で3個、置換しました。"},
        {u"a a a a", 3, false, u"a", u"b", u"a a b b", u"全部で2個、置換しました。"},
        {u"a a a a", 3, true, u"a", u"b", u"b b b b", u"全部で4個、置換しました。"},
        {u"ＡaｶﾞA", 0, false, u"a", u"-", u"--ｶﾞ-", u"全部で3個、置換しました。"},
        {u"ｶﾞ=ガ", 0, false, u"が", u"ka", u"ka=ka", u"全部で2個、置換しました。"},
    };
    for (const auto& c : cases) {
        clipboard.Put(u"clip");
        Load(c.text, c.caret, 0);
        View().ReplaceSel(u"");  // no-op, keeps the undo empty
        ShowReplaceDialog(editing);
        ReplaceDialogModel& replace = *editing.replaceDialog;
        replace.SetFindText(c.find);
        replace.SetSubstText(c.subst);
        replace.SetFindFromTop(c.fromTop);
        ExpectMessage();
        EXPECT_EQ(replace.OnAllSubst(), DialogAction::Close);
        EXPECT_EQ(View().Text(), c.expected);
        EXPECT_EQ(LastMessage(), c.message);
        EXPECT_EQ(Sel(), std::make_pair(c.caret, std::size_t{0}));
        EXPECT_TRUE(app.document.IsModified);
        EXPECT_EQ(clipboard.Contents(), u"clip");
        mnuEDIT_Click(editing, 0);
        EXPECT_EQ(View().Text(), c.text);
        editing.OnDialogClosed(EditingDialog::Replace);
        app.document.IsModified = false;
    }
}

TEST_F(FindReplaceTest, ReplaceAllFindingNothingChangesNothing) {
    clipboard.Put(u"clip");
    Load(u"abc", 0, 0);
    View().SetSel(0, 1);
    View().ReplaceSel(u"x");  // an undo step that must survive
    View().SetSel(1, 0);
    const std::size_t notifications = View().changeNotifications;
    ShowReplaceDialog(editing);
    editing.replaceDialog->SetFindText(u"zzz");
    ExpectMessage();
    EXPECT_EQ(editing.replaceDialog->OnAllSubst(), DialogAction::Stay);
    EXPECT_EQ(LastMessage(), editing_texts::NothingToReplace);
    EXPECT_EQ(View().Text(), u"xbc");
    EXPECT_EQ(View().changeNotifications, notifications);
    EXPECT_FALSE(app.document.IsModified);
    EXPECT_EQ(clipboard.Contents(), u"clip");
    mnuEDIT_Click(editing, 0);
    EXPECT_EQ(View().Text(), u"abc");
}

TEST_F(FindReplaceTest, ReplaceAllUsesTheDialogsCaseBox) {
    Load(u"Aa", 0, 0);
    ShowReplaceDialog(editing);
    ReplaceDialogModel& replace = *editing.replaceDialog;
    replace.SetFindText(u"a");
    replace.SetSubstText(u"x");
    replace.SetMatchCase(true);
    EXPECT_TRUE(app.search.MatchCase);
    ExpectMessage();
    EXPECT_EQ(replace.OnAllSubst(), DialogAction::Close);
    EXPECT_EQ(View().Text(), u"Ax");
}

TEST_F(FindReplaceTest, ReplaceAllOnALockedViewClaimsNothing) {
    Load(u"aaa", 1, 0);
    View().SetLocked(true);
    EXPECT_FALSE(ReplaceAll(editing, u"a", u"b", true, false));
    EXPECT_EQ(View().Text(), u"aaa");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(Sel(), std::make_pair(std::size_t{1}, std::size_t{0}));
}

}  // namespace
}  // namespace scribbit
