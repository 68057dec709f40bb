// The Edit and text-processing menus and the editing dialogs, through the
// main form: what happens to the text, the selection, the clipboard and the
// copy history, and what the user is told when something cannot be done.
#include <gtest/gtest.h>

#include "core/clipboard_history.h"
#include "editing/clipboard_access.h"
#include "editing/editing_texts.h"
#include "editing/find_replace.h"
#include "editing/go_to_line.h"
#include "support/app_fixture.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

namespace texts = editing_texts;
using Sel = std::pair<std::size_t, std::size_t>;

class EditingTest : public ::testing::Test {
protected:
    // A fresh document: the text, then the selection; no undo step yet.
    void Load(const std::u16string& text, std::size_t start = 0, std::size_t length = 0) {
        View().SetText(text);
        View().SetSel(start, length);
        app.Context().document.IsModified = false;
    }
    void Edit(int index) { app.form.MenuClick({Menu::Edit, index}); }
    void Change(int index) { app.form.MenuClick({Menu::Change, index}); }
    void ExpectMessage() { app.dialogs.AnswerMessage(MessageAnswer::Ok); }
    FakeEditView& View() { return app.ActiveView(); }
    Sel Selection() { return {View().SelStart(), View().SelLength()}; }
    const ClipboardHistory& History() { return app.Context().clipboardHistory; }
    AppFixture app;
    AppContext& context = app.Context();
};

TEST_F(EditingTest, DeleteTakesALineBreakOrAPairWholeAndMarksTheDocumentEvenWhenNothingGoes) {
    const struct {
        std::u16string text;
        std::size_t start, length;
        std::u16string expected;
    } cases[] = {
        {u"ab\r\ncd", 2, 0, u"abcd"}, {u"abcd", 1, 0, u"acd"},  {u"a\r\rb", 1, 0, u"a\rb"},
        {u"a\r\nb", 2, 0, u"a\rb"},   {u"abc", 3, 0, u"abc"},   {u"abcdef", 1, 3, u"aef"},
        {u"ab\r\ncd", 1, 2, u"a\ncd"}, {u"a\U0001F600b", 1, 0, u"ab"}, {u"a\xD83D" u"b", 1, 0, u"ab"},
    };
    for (const auto& c : cases) {
        Load(c.text, c.start, c.length);
        Edit(5);
        EXPECT_EQ(View().Text(), c.expected) << Utf8(c.text);
        EXPECT_TRUE(context.document.IsModified);
    }
    // Undo with nothing to undo, paste of an empty clipboard and Delete at the
    // end change nothing the view reports, yet the mark must show.
    context.document.CurrentFilePath = u"C:\\memo.txt";
    for (const int index : {0, 4, 5}) {
        Load(u"abc", 3, 0);
        app.status.SetPanelText(1, context.document.CurrentFilePath);
        Edit(index);
        EXPECT_EQ(std::tuple(context.document.IsModified, app.status.PanelText(1)),
                  std::tuple(true, u"C:\\memo.txt(変更)")) << index;
    }
}

TEST_F(EditingTest, CopiesFillTenSlotsNewestFirstAfterTheTextTheClipboardHadAtStart) {
    app.clipboard.Put(u"seed");
    app.form.Form_Load(u"");
    Load(u"abcdefghijk");
    for (std::size_t i = 0; i < 9; ++i) {
        View().SetSel(i, 1);
        Edit(3);
    }
    EXPECT_EQ(std::tuple(History().Slot(0), History().Slot(8), History().Slot(9)), std::tuple(u"i", u"a", u"seed"));
    for (int i = 0; i < 2; ++i) {  // the tenth copy drops the seed; equal texts fill two slots
        View().SetSel(0, 1);
        Edit(3);
    }
    EXPECT_EQ(std::tuple(History().Slot(0), History().Slot(1), History().Slot(9)), std::tuple(u"a", u"a", u"b"));
    EXPECT_FALSE(context.document.IsModified);
    View().SetSel(1, 0);
    Edit(3);  // copying or cutting nothing changes nothing
    Edit(2);
    EXPECT_EQ(std::tuple(History().Slot(0), app.clipboard.Contents()), std::tuple(u"a", u"a"));
    View().SetSel(0, 3);
    Edit(2);  // a cut goes to the clipboard only
    EXPECT_EQ(std::tuple(View().Text(), app.clipboard.Contents(), History().Slot(0)), std::tuple(u"defghijk", u"abc", u"a"));
    EXPECT_TRUE(context.document.IsModified);
}

TEST_F(EditingTest, ABusyClipboardIsTriedAgainThenReportedAndNothingIsLost) {
    app.clipboard.Put(u"theirs");
    app.clipboard.SetBusy(true);
    Load(u"keep me", 0, 4);
    for (const int index : {2, 3, 4}) {
        ExpectMessage();
        app.editingWindows.pauses.clear();
        Edit(index);
        EXPECT_EQ(app.LastMessage(), texts::ClipboardBusy) << index;
        EXPECT_EQ(app.editingWindows.pauses, std::vector<int>(ClipboardAttempts - 1, ClipboardRetryPauseMs));
    }
    EXPECT_EQ(std::tuple(View().Text(), Selection(), History().Slot(0)), std::tuple(u"keep me", Sel{0, 4}, u""));
    EXPECT_FALSE(context.document.IsModified);
    EXPECT_EQ(app.clipboard.Contents(), u"theirs");
    app.editingWindows.pauses.clear();
    app.editingWindows.onPause = [&] { app.clipboard.SetBusy(app.editingWindows.pauses.size() < 2); };
    Edit(3);  // freed during the tries
    EXPECT_EQ(app.clipboard.Contents(), u"keep");
}

TEST_F(EditingTest, SelectAllAndTimeAndDate) {
    app.clipboard.Put(u"XY");
    Load(u"[old]");
    Edit(12);
    EXPECT_EQ(Selection(), Sel(0, 5));
    View().SetSel(1, 3);
    Edit(13);  // the time with seconds, then the short date, over the selection
    EXPECT_EQ(View().Text(), u"[9:05:07 2002/12/25]");
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(std::tuple(app.clipboard.Contents(), app.clipboard.setTextCalls), std::tuple(u"XY", 0));
    Edit(0);
    EXPECT_EQ(View().Text(), u"[old]");
    View().SetLocked(true);  // a read-only document takes no text from the program either
    Edit(13);
    EXPECT_EQ(View().Text(), u"[old]");
    View().SetLocked(false);
    View().SetCapacity(8);
    ExpectMessage();
    Edit(13);
    EXPECT_EQ(app.LastMessage(), texts::TextTooLarge);
    EXPECT_EQ(View().Text(), u"[old]");
    Load(u"abc", 1, 1);
    for (const int index : {-1, 1, 6, 11, 14, 99}) Edit(index);  // separators and beyond do nothing
    EXPECT_EQ(std::tuple(View().Text(), context.document.IsModified), std::tuple(u"abc", false));
    EXPECT_TRUE(app.editingWindows.shown.empty());
}

TEST_F(EditingTest, AConversionReplacesTheSelectionOrTheWholeTextAsOneUndoStep) {
    // What the user sees is a replacement of the whole text (or selection);
    // only the stretch that differs goes through the view, never cutting a
    // CR LF or a pair: Undo selects that stretch.
    const struct {
        int index;
        std::u16string text;
        std::size_t start, length;
        std::u16string expected;
        std::size_t caret;
        Sel undone;
    } cases[] = {
        {2, u"abc def", 4, 0, u"ABC DEF", 4, {0, 7}},
        {2, u"abc DEf ghi", 4, 3, u"abc DEF ghi", 4, {6, 1}},
        {18, u"a\r\nb\r\nc", 6, 0, u"abc", 3, {1, 5}},
        {20, u"a\r\nb", 1, 0, u"a<br>\r\nb", 1, {1, 0}},
        {17, u"abc", 1, 0, u"abc", 1, {2, 1}},
        {17, u"", 0, 0, u"", 0, {0, 0}},
        {17, u"one\r\ntwo  ", 2, 0, u"one\r\ntwo", 2, {8, 2}},
        {9, u"a\r\nb\nc", 0, 0, u"a\r\nb\r\nc", 0, {4, 1}},
        {8, u"a\r\nb", 0, 0, u"a\nb", 0, {1, 2}},
        {3, u"abc", 1, 1, u"abc", 1, {1, 1}},  // a separator
    };
    app.clipboard.Put(u"user's");
    for (const auto& c : cases) {
        const bool separator = c.index == 3;
        Load(c.text, c.start, c.length);
        app.status.SetPanelText(3, u"stale");
        const int notifications = View().changeNotifications;
        Change(c.index);
        EXPECT_EQ(std::tuple(View().Text(), Selection()), std::tuple(c.expected, Sel(c.caret, separator)));
        // One paste, even when nothing changes.
        const bool changed = !separator && !c.text.empty();
        EXPECT_EQ(std::tuple(View().changeNotifications - notifications, context.document.IsModified),
                  std::tuple(changed ? 1 : 0, changed));
        const std::string count = std::to_string(c.expected.size());  // bytes of ASCII text
        EXPECT_EQ(app.status.PanelText(3), separator ? u"stale" : std::u16string(count.begin(), count.end()));
        Edit(0);
        EXPECT_EQ(std::tuple(View().Text(), Selection()), std::tuple(c.text, c.undone)) << Utf8(c.text);
    }
    EXPECT_EQ(std::tuple(app.clipboard.Contents(), app.clipboard.setTextCalls), std::tuple(u"user's", 0));
}

TEST_F(EditingTest, TabConversionsAskForTheWidthAndCancelKeepsIt) {
    app.editingWindows.tabScripts = {{u"0", u"32768", u"2"}, {std::nullopt}};
    Load(u"\tx");
    Change(11);
    EXPECT_EQ(std::tuple(app.editingWindows.tabDialogEntries.back(), app.editingWindows.tabRefusals), std::tuple(u"8", 2));
    EXPECT_EQ(std::tuple(context.TabSpace, View().Text()), std::tuple(2, u"  x"));
    Load(u"    y");
    Change(12);  // the conversion runs all the same
    EXPECT_EQ(std::tuple(app.editingWindows.tabDialogEntries.back(), context.TabSpace, View().Text()),
              std::tuple(u"2", 2, u"\t\ty"));
}

TEST_F(EditingTest, AConversionThatCannotBeDoneIsReportedAndChangesNothing) {
    for (const int failure : {0, 1, 2}) {  // the control too small, the locale failing, a read-only view
        Load(u"a\tb", 1, 1);
        app.status.SetPanelText(3, u"stale");
        View().SetCapacity(failure == 0 ? 10 : 100);
        app.text.failMapping = failure == 1;
        View().SetLocked(failure == 2);
        app.editingWindows.tabScripts = {{u"100"}};
        if (failure < 2) ExpectMessage();
        Change(failure == 1 ? 2 : 11);
        EXPECT_EQ(std::tuple(View().Text(), Selection(), View().CanUndo()), std::tuple(u"a\tb", Sel{1, 1}, false));
        EXPECT_EQ(app.LastMessage(), failure < 2 ? texts::TextTooLarge : u"");
        EXPECT_EQ(app.status.PanelText(3), u"3");  // the count is refreshed after a failure too
        EXPECT_TRUE(View().IsVisible());
        app.dialogs.messages.clear();
    }
}

TEST_F(EditingTest, FindNextGoesOnFromTheSelectionAndNeverWraps) {
    Load(u"abcabc");
    context.search = {u"BC", false, false, 0};
    const std::pair<Sel, std::int64_t> down[] = {{{1, 2}, 2}, {{4, 2}, 5}, {{4, 2}, 0}};
    for (const auto& [selection, found] : down) {
        if (found == 0) ExpectMessage();
        Edit(8);
        EXPECT_EQ(std::tuple(Selection(), context.search.FoundPosition), std::tuple(selection, found));
    }
    EXPECT_EQ(app.LastMessage(), texts::SearchFinished);
    context.search.SearchUpward = true;
    Edit(8);
    EXPECT_EQ(Selection(), Sel(1, 2));
    Load(u"xxab", 4);
    context.search.SearchText = u"ab";
    Edit(8);  // upwards finds what ends at the caret
    EXPECT_EQ(Selection(), Sel(2, 2));
    Load(u"--ｶﾞ--");
    context.search = {u"ガ", false, false, 0};
    Edit(8);  // the selection covers what matched
    EXPECT_EQ(Selection(), Sel(2, 2));
    Load(u"--ア");
    context.search = {u"あ", false, true, 0};
    ExpectMessage();
    Edit(8);
    EXPECT_EQ(Selection(), Sel(0, 0));
}

TEST_F(EditingTest, TheFindDialogSharesItsSettingsWithTheOtherSearches) {
    context.search = {u"", true, true, 0};
    Load(u"one two one", 8);
    Edit(7);
    FindDialogModel& find = *app.editingWindows.find;
    EXPECT_EQ(std::tuple(find.FindText(), find.IsFindEnabled(), find.MatchCase(), find.SearchUpward()),
              std::tuple(u"", false, true, true));
    find.OnFind();  // disabled: nothing happens
    find.SetFindText(u"ONE");
    find.SetMatchCase(false);
    find.OnFind();
    EXPECT_EQ(std::tuple(context.search.SearchText, context.search.MatchCase, Selection()),
              std::tuple(u"ONE", false, Sel(0, 3)));
}

TEST_F(EditingTest, ReplaceReplacesWhateverIsSelectedThenSearchesDownwards) {
    context.search.SearchUpward = true;
    Load(u"xx a a");
    Edit(9);
    ReplaceDialogModel& replace = *app.editingWindows.replace;
    EXPECT_EQ(std::tuple(replace.IsSearchEnabled(), replace.OnAllSubst(), replace.FindFromTop(), replace.SubstText()),
              std::tuple(false, DialogAction::Stay, false, u""));
    View().SetSel(0, 2);  // "xx" is no match but is replaced all the same
    replace.SetFindText(u"a");
    replace.SetSubstText(u"B");
    replace.OnSubstNext();
    EXPECT_EQ(std::tuple(View().Text(), Selection(), context.search.SearchUpward), std::tuple(u"B a a", Sel(2, 1), false));
    EXPECT_TRUE(context.document.IsModified);
    View().SetSel(0, 0);  // nothing selected: it only searches
    replace.OnSubstNext();
    EXPECT_EQ(std::tuple(View().Text(), Selection()), std::tuple(u"B a a", Sel(2, 1)));
    replace.SetSubstText(u"");  // deletes
    replace.OnSubstNext();
    EXPECT_EQ(std::tuple(View().Text(), Selection()), std::tuple(u"B  a", Sel(3, 1)));
    context.search.SearchUpward = true;
    View().SetSel(0, 0);
    replace.OnNextFind();
    EXPECT_EQ(std::tuple(Selection(), context.search.SearchUpward), std::tuple(Sel(3, 1), false));
    EXPECT_EQ(app.clipboard.setTextCalls, 0);
}

TEST_F(EditingTest, ReplaceAllCountsKeepsTheCaretAndIsOneUndoStep) {
    const struct {
        std::u16string text;
        std::size_t caret;
        bool fromTop, matchCase;
        std::u16string find, expected, count;
        Sel undone;  // what went through the view, as Undo selects it
        std::u16string subst = u"b";
    } cases[] = {
        {u"aaa", 0, false, false, u"a", u"bbb", u"3", {0, 3}},
        {u"a a a a", 3, false, false, u"a", u"a a b b", u"2", {4, 3}},
        {u"a a a a", 3, true, false, u"a", u"b b b b", u"4", {0, 7}},
        {u"ＡaｶﾞA", 0, false, false, u"a", u"bbｶﾞb", u"3", {0, 5}},
        {u"ｶﾞ=ガ", 0, false, false, u"が", u"b=b", u"2", {0, 4}},
        {u"Aa", 0, false, true, u"a", u"Ab", u"1", {1, 1}},
        {u"x\U0001F600", 0, false, false, u"\U0001F600", u"x\U0001F601", u"1", {1, 2}, u"\U0001F601"},
        {u"\U0001F600x", 0, false, false, u"\U0001F600", u"\U00010600x", u"1", {0, 2}, u"\U00010600"},
        {u"xa", 0, false, false, u"a", u"xa", u"1", {1, 1}, u"a"},  // no change is still one
    };
    app.clipboard.Put(u"clip");
    for (const auto& c : cases) {
        Load(c.text, c.caret);
        Edit(9);
        ReplaceDialogModel& replace = *app.editingWindows.replace;
        replace.SetFindText(c.find);
        replace.SetSubstText(c.subst);
        replace.SetFindFromTop(c.fromTop);
        replace.SetMatchCase(c.matchCase);
        ExpectMessage();
        EXPECT_EQ(replace.OnAllSubst(), DialogAction::Close);
        EXPECT_EQ(std::tuple(View().Text(), Selection(), context.search.MatchCase), std::tuple(c.expected, Sel(c.caret, 0), c.matchCase));
        EXPECT_EQ(app.LastMessage(), u"全部で" + c.count + u"個、置換しました。");
        EXPECT_TRUE(context.document.IsModified);
        Edit(0);
        EXPECT_EQ(std::tuple(View().Text(), Selection()), std::tuple(c.text, c.undone)) << Utf8(c.text);
        app.form.Editing().OnDialogClosed(EditingDialog::Replace);
    }
    EXPECT_EQ(app.clipboard.Contents(), u"clip");
}

TEST_F(EditingTest, ReplaceAllFindingNothingOrRefusedChangesNothing) {
    Load(u"abc");
    View().SetSel(0, 1);
    View().ReplaceSel(u"x");  // an undo step that must survive
    View().SetSel(1, 0);
    context.document.IsModified = false;
    Edit(9);
    app.editingWindows.replace->SetFindText(u"zzz");
    ExpectMessage();
    EXPECT_EQ(app.editingWindows.replace->OnAllSubst(), DialogAction::Stay);
    EXPECT_EQ(app.LastMessage(), texts::NothingToReplace);
    EXPECT_FALSE(context.document.IsModified);
    app.editingWindows.replace->SetFindText(u"b");
    View().SetLocked(true);
    EXPECT_EQ(app.editingWindows.replace->OnAllSubst(), DialogAction::Stay);
    EXPECT_EQ(std::tuple(View().Text(), Selection(), context.document.IsModified), std::tuple(u"xbc", Sel(1, 0), false));
    View().SetLocked(false);
    Edit(0);
    EXPECT_EQ(View().Text(), u"abc");
}

TEST_F(EditingTest, GoToLineMovesTheCaretToALineStartOrTellsTheRange) {
    Load(u"first\r\nsecond\r\nthird", 2, 3);
    Edit(10);
    GoToLineModel& dialog = *app.editingWindows.goToLine;
    for (const auto& [entry, caret] : {std::pair{u"3", 15u}, {u"1", 0u}}) {
        dialog.SetEntry(entry);
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Moved);
        EXPECT_EQ(Selection(), Sel(caret, 0));
    }
    for (const std::u16string entry : {u"4", u"0", u"abc"}) {
        dialog.SetEntry(entry);
        ExpectMessage();
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Refused);
        EXPECT_EQ(app.LastMessage(), u"行番号は 1 から 3 までの数字で入力してください。");
        EXPECT_EQ(app.dialogs.messages.back().icon, MessageIcon::Exclamation);
        EXPECT_EQ(std::tuple(Selection(), dialog.Entry()), std::tuple(Sel(0, 0), entry));
    }
}

}  // namespace
}  // namespace scribbit
