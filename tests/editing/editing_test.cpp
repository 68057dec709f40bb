// The Edit and text-processing menus and the editing dialogs, through the
// main form. A screen is the text with the selection in brackets and "*"
// while the document is modified (AppFixture::Screen).
#include <gtest/gtest.h>

#include "editing/clipboard_access.h"
#include "editing/editing_texts.h"
#include "editing/find_replace.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

namespace texts = editing_texts;
using namespace menu;
constexpr MenuItem Change(int index) {
    return {Menu::Change, index};
}
std::u16string TextOf(std::u16string screen) {
    std::erase_if(screen, [](char16_t c) { return c == u'[' || c == u']' || c == u'*'; });
    return screen;
}

// Each change is one step that Undo takes back.
TEST(EditCommands, ChangeTheScreenAndTheClipboardAsShown) {
    const struct {
        MenuItem item;
        std::u16string before, after;
        std::u16string undone = u"";  // the screen after Undo: only what differed went through the view
        std::optional<std::u16string> clip = u"XY", clipAfter = u"XY";
    } rows[] = {
        {EditDelete, u"ab[]\r\ncd", u"ab[]cd*"},  // a line break goes whole, and so does a pair
        {EditDelete, u"a[]\r\rb", u"a[]\rb*"},
        {EditDelete, u"a\r[]\nb", u"a\r[]b*"},
        {EditDelete, u"a[]\U0001F600b", u"a[]b*"},
        {EditDelete, u"a[]\xD83D\x62", u"a[]b*"},
        {EditDelete, u"a[bcd]ef", u"a[]ef*"},
        {EditDelete, u"a[b\r]\ncd", u"a[]\ncd*"},
        {EditDelete, u"abc[]", u"abc[]*"},  // nothing goes, yet the mark shows
        {EditUndo, u"abc[]", u"abc[]*"},
        {EditPaste, u"abc[]", u"abc[]*", u"", std::nullopt, std::nullopt},
        {EditPaste, u"a[b]c", u"aXY[]c*"},
        {EditCut, u"[ab]c", u"[]c*", u"", u"XY", u"ab"},
        {EditCopy, u"[ab]c", u"[ab]c", u"", u"XY", u"ab"},
        {EditCopy, u"a[]bc", u"a[]bc"},
        {EditSelectAll, u"ab[]c", u"[abc]"},
        {EditTimeDate, u"(o[ld])", u"(o9:05:07 2002/12/25[])*"},  // the clipboard stays the user's
        {{Menu::Edit, 1}, u"a[b]c", u"a[b]c"},                    // separators and beyond do nothing
        {{Menu::Edit, 99}, u"a[b]c", u"a[b]c"},
        {Change(2), u"abc []def", u"ABC []DEF*", u"[abc def]*"},  // the whole text; the caret stays
        {Change(2), u"abc [def] ghi", u"abc []DEF ghi*", u"abc [def] ghi*"},
        {Change(2), u"abc [DEf] ghi", u"abc []DEF ghi*", u"abc DE[f] ghi*"},
        {Change(18), u"a\r\nb\r\n[]c", u"abc[]*", u"a[\r\nb\r\n]c*"},
        {Change(20), u"a[]\r\nb", u"a[]<br>\r\nb*", u"a[]\r\nb*"},
        {Change(17), u"a[]bc", u"a[]bc*", u"ab[c]*"},  // one paste even when nothing changes
        {Change(17), u"on[]e\r\ntwo  ", u"on[]e\r\ntwo*", u"one\r\ntwo[  ]*"},
        {Change(9), u"[]a\r\nb\nc", u"[]a\r\nb\r\nc*", u"a\r\nb[\n]c*"},  // no CR LF cut in two
        {Change(8), u"[]a\r\nb", u"[]a\nb*", u"a[\r\n]b*"},
        {Change(17), u"[]", u"[]"},
        {Change(3), u"a[b]c", u"a[b]c"},
    };
    for (const auto& r : rows) {
        AppFixture app;
        app.clipboard.contents = r.clip;
        app.Show(r.before);
        app.Click(r.item);
        EXPECT_EQ(std::tuple(app.Screen(), app.clipboard.contents), std::tuple(r.after, r.clipAfter))
            << Utf8(r.before);
        if (r.item.menu == Menu::Change && r.item.index != 3) {  // counted at once, in bytes
            EXPECT_EQ(app.status.PanelText(3), Decimal(TextOf(r.after).size())) << Utf8(r.before);
        }
        app.Click(EditUndo);
        EXPECT_EQ(app.View().Text(), TextOf(r.before)) << Utf8(r.before);
        if (!r.undone.empty()) {
            EXPECT_EQ(app.Screen(), r.undone) << Utf8(r.before);
        }
    }
}

TEST(EditCommands, FindNextGoesOnFromTheSelectionAndNeverWraps) {
    const struct {
        std::u16string before, find;
        bool up, matchCase;
        std::u16string after;
        std::int64_t found;
    } rows[] = {
        {u"[]abcabc", u"BC", false, false, u"a[bc]abc", 2},
        {u"a[bc]abc", u"BC", false, false, u"abca[bc]", 5},
        {u"abca[bc]", u"BC", false, false, u"abca[bc]", 0},
        {u"abca[bc]", u"BC", true, false, u"a[bc]abc", 2},
        {u"xxab[]", u"ab", true, false, u"xx[ab]", 3},       // upwards finds what ends at the caret
        {u"[]--ｶﾞ--", u"ガ", false, false, u"--[ｶﾞ]--", 3},  // the selection covers what matched
        {u"[]--ア", u"あ", false, true, u"[]--ア", 0},
    };
    for (const auto& r : rows) {
        AppFixture app;
        app.Show(r.before);
        app.Context().search = {r.find, r.up, r.matchCase, 0};
        if (r.found == 0) app.dialogs.Answer(MessageAnswer::Ok);
        app.Click(EditFindNext);
        EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.FoundPosition), std::tuple(r.after, r.found));
        EXPECT_EQ(app.LastMessage(), r.found ? u"" : texts::SearchFinished);
    }
}

TEST(EditDialogs, FindAndReplaceShareTheSearchAndReplaceSearchesDownwards) {
    AppFixture app;
    app.Context().search = {u"", true, true, 0};
    app.Show(u"one two [one]");
    app.Click(EditFind);
    FindDialogModel& find = *app.editWindows.find;
    EXPECT_EQ(std::tuple(find.FindText(), find.MatchCase(), find.SearchUpward()),
              std::tuple(u"one", true, true));
    find.SetFindText(u"ONE");
    find.SetMatchCase(false);
    find.OnFind();
    EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.SearchText),
              std::tuple(u"[one] two one", u"ONE"));
    app.Show(u"[xx] a a");
    app.Click(EditReplace);
    ReplaceDialogModel& replace = *app.editWindows.replace;
    replace.SetFindText(u"a");
    replace.SetSubstText(u"B");
    // The selection is replaced, a match or not; with nothing selected it only searches.
    std::vector<std::u16string> screens;
    for (const bool selected : {true, false, true}) {
        if (!selected) app.View().SetSel(0, 0);
        replace.OnSubstNext();
        screens.push_back(app.Screen());
        replace.SetSubstText(u"");
    }
    EXPECT_EQ(screens, (std::vector<std::u16string>{u"B [a] a*", u"B [a] a*", u"B  [a]*"}));
    EXPECT_FALSE(app.Context().search.SearchUpward);
}

TEST(EditDialogs, ReplaceAllCountsKeepsTheCaretAndIsOneUndoStep) {
    const struct {
        std::u16string before;
        bool fromTop, matchCase;
        std::u16string after, count, undone;  // the screen after Undo: only what differed went through
        std::u16string find = u"a", subst = u"b";
    } rows[] = {{u"[]aaa", false, false, u"[]bbb*", u"3", u"[aaa]*"},
                {u"a a[] a a", false, false, u"a a[] b b*", u"2", u"a a [a a]*"},
                {u"a a[] a a", true, false, u"b b[] b b*", u"4", u"[a a a a]*"},
                {u"[]Aa", false, true, u"[]Ab*", u"1", u"A[a]*"},
                {u"[]x\U0001F600", false, false, u"[]x\U0001F601*", u"1", u"x[\U0001F600]*", u"\U0001F600",
                 u"\U0001F601"},  // no pair cut in two
                {u"[]\U0001F600x", false, false, u"[]\U00010600x*", u"1", u"[\U0001F600]x*", u"\U0001F600",
                 u"\U00010600"},
                {u"[]xa", false, false, u"[]xa*", u"1", u"x[a]*", u"a", u"a"}};  // no change is still one
    for (const auto& r : rows) {
        AppFixture app;
        app.Show(r.before);
        app.Click(EditReplace);
        ReplaceDialogModel& replace = *app.editWindows.replace;
        replace.SetFindText(r.find);
        replace.SetSubstText(r.subst);
        replace.SetFindFromTop(r.fromTop);
        replace.SetMatchCase(r.matchCase);
        app.dialogs.Answer(MessageAnswer::Ok);
        EXPECT_EQ(replace.OnAllSubst(), DialogAction::Close);
        EXPECT_EQ(std::tuple(app.Screen(), app.LastMessage()),
                  std::tuple(r.after, u"全部で" + r.count + u"個、置換しました。"));
        app.Click(EditUndo);
        EXPECT_EQ(std::tuple(app.Screen(), app.clipboard.sets), std::tuple(r.undone, 0));
    }
}

TEST(EditDialogs, GoToLineAndTheTabWidth) {
    AppFixture app;
    app.Show(u"fi[rst]\r\nsecond\r\nthird");
    app.Click(EditGoToLine);
    GoToLineModel& dialog = *app.editWindows.goToLine;
    dialog.SetEntry(u"3");
    EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Moved);
    EXPECT_EQ(app.Screen(), u"first\r\nsecond\r\n[]third");
    dialog.SetEntry(u"4");
    app.dialogs.Answer(MessageAnswer::Ok);
    EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Refused);
    EXPECT_EQ(std::tuple(app.Screen(), dialog.Entry()), std::tuple(u"first\r\nsecond\r\n[]third", u"4"));
    EXPECT_EQ(app.LastMessage(), u"行番号は 1 から 3 までの数字で入力してください。");

    // OK with each entry in turn; then Cancel, and the conversion runs all the same.
    std::vector<bool> accepted;
    app.editWindows.on["TabSpace"] = [&] {
        for (const std::u16string_view entry : {u"0", u"2"})
            accepted.push_back(app.editWindows.tabSpace->OnOK(entry));
        app.editWindows.on.clear();
    };
    app.Show(u"[]\tx");
    app.Click(Change(11));
    app.Show(u"[]    y");
    app.Click(Change(12));
    EXPECT_EQ(std::tuple(accepted, app.Screen()), std::tuple(std::vector{false, true}, u"[]\t\ty*"));
    EXPECT_EQ(std::vector(app.editWindows.log.end() - 2, app.editWindows.log.end()),
              (std::vector<std::u16string>{u"TabSpace 8", u"TabSpace 2"}));
}

// Refusals: the screen, the user's undo step, the clipboard and the copy
// history stay as they were, and the user is told why (a read-only document
// says nothing). A busy clipboard is tried again before it is reported.
TEST(EditCommands, RefusedCommandsChangeNothing) {
    enum Refusal { Busy, TooLarge, LocaleFails, ReadOnly, NoMatch };
    constexpr MenuItem History{Menu::ToolBar, -1}, ReplaceAll = EditReplace;  // the list's entry; All
    const std::pair<Refusal, MenuItem> rows[] = {
        {Busy, EditCut},          {Busy, EditCopy},       {Busy, EditPaste},        {Busy, History},
        {TooLarge, Change(11)},   {TooLarge, ReplaceAll}, {TooLarge, EditTimeDate}, {LocaleFails, Change(2)},
        {ReadOnly, EditUndo},     {ReadOnly, EditCut},    {ReadOnly, EditPaste},    {ReadOnly, EditDelete},
        {ReadOnly, EditTimeDate}, {ReadOnly, Change(2)},  {ReadOnly, History},      {ReadOnly, ReplaceAll},
        {NoMatch, ReplaceAll}};
    const std::u16string_view told[] = {texts::ClipboardBusy, texts::TextTooLarge, texts::TextTooLarge, u"",
                                        texts::NothingToReplace};
    for (const auto& [why, item] : rows) {
        AppFixture app;
        app.form.Form_Load(u"");  // the default toolbar, with its paste button
        app.clipboard.contents = u"theirs";
        app.Context().clipboardHistory.Push(u"old");
        app.Show(u"a[]b");
        app.View().ReplaceSel(u"\t");
        app.View().SetSel(1, 1);
        app.Context().document.IsModified = false;
        app.clipboard.busy = why == Busy;
        app.View().capacity = why == TooLarge ? 10 : SIZE_MAX;
        app.text.failMapping = why == LocaleFails;
        app.txtReturn.SetLocked(why == ReadOnly);
        app.txtNoReturn.SetLocked(why == ReadOnly);
        app.editWindows.on["TabSpace"] = [&] { app.editWindows.tabSpace->OnOK(u"100"); };
        if (!told[why].empty()) app.dialogs.Answer(MessageAnswer::Ok);
        if (item == History) {
            app.form.OnToolBarButtonMenuClick(std::size_t(app.Context().PasteButtonIndex - 1), 1);
        } else if (item == ReplaceAll) {
            app.Click(EditReplace);
            app.editWindows.replace->SetFindText(why == NoMatch ? u"zzz" : why == ReadOnly ? u"b" : u"\t");
            app.editWindows.replace->SetSubstText(u"0123456789");
            EXPECT_EQ(app.editWindows.replace->OnAllSubst(), DialogAction::Stay);
        } else {
            app.Click(item);
        }
        const std::string name = std::to_string(why) + " " + std::to_string(CommandId(item));
        EXPECT_EQ(
            std::tuple(app.Screen(), app.View().CanUndo(), app.LastMessage()),
            std::tuple(why == TooLarge && item == EditTimeDate ? u"a[\t]b*" : u"a[\t]b", true, told[why]))
            << name;
        EXPECT_EQ(std::tuple(app.clipboard.contents, app.Context().clipboardHistory.Slot(0)),
                  std::tuple(u"theirs", u"old"))
            << name;
        EXPECT_EQ(app.editWindows.Count(u"Pause 40"), why == Busy ? ClipboardAttempts - 1 : 0) << name;
        EXPECT_EQ(app.status.PanelText(3), item.menu == Menu::Change ? u"3" : u"0") << name;
    }
    AppFixture app;
    app.clipboard.busy = true;
    app.editWindows.on["Pause"] = [&] { app.clipboard.busy = app.editWindows.log.size() < 2; };
    app.Show(u"[ab]");
    app.Click(EditCopy);  // freed during the tries
    EXPECT_EQ(app.clipboard.contents, u"ab");
}

}  // namespace
}  // namespace scribbit
