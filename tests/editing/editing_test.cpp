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
        std::optional<std::u16string> clip = u"XY", clipAfter = u"XY";
    } rows[] = {
        {menu::EditDelete, u"ab[]\r\ncd", u"ab[]cd*"},  // a line break goes whole, and so does a pair
        {menu::EditDelete, u"a[]\r\rb", u"a[]\rb*"},
        {menu::EditDelete, u"a\r[]\nb", u"a\r[]b*"},
        {menu::EditDelete, u"a[]\U0001F600b", u"a[]b*"},
        {menu::EditDelete,
         u"a[]\xD83D"
         u"b",
         u"a[]b*"},
        {menu::EditDelete, u"a[bcd]ef", u"a[]ef*"},
        {menu::EditDelete, u"a[b\r]\ncd", u"a[]\ncd*"},
        {menu::EditDelete, u"abc[]", u"abc[]*"},  // nothing goes, yet the mark shows
        {menu::EditUndo, u"abc[]", u"abc[]*"},
        {menu::EditPaste, u"abc[]", u"abc[]*", std::nullopt, std::nullopt},
        {menu::EditPaste, u"a[b]c", u"aXY[]c*"},
        {menu::EditCut, u"[ab]c", u"[]c*", u"XY", u"ab"},
        {menu::EditCopy, u"[ab]c", u"[ab]c", u"XY", u"ab"},
        {menu::EditCopy, u"a[]bc", u"a[]bc"},
        {menu::EditSelectAll, u"ab[]c", u"[abc]"},
        {menu::EditTimeDate, u"(o[ld])", u"(o9:05:07 2002/12/25[])*"},  // the clipboard stays the user's
        {{Menu::Edit, 1}, u"a[b]c", u"a[b]c"},                          // separators and beyond do nothing
        {{Menu::Edit, 99}, u"a[b]c", u"a[b]c"},
        {Change(2), u"abc []def", u"ABC []DEF*"},  // the whole text; the caret stays
        {Change(2), u"abc [def] ghi", u"abc []DEF ghi*"},
        {Change(18), u"a\r\nb\r\n[]c", u"abc[]*"},
        {Change(20), u"a[]\r\nb", u"a[]<br>\r\nb*"},
        {Change(17), u"a[]bc", u"a[]bc*"},  // one paste even when nothing changes
        {Change(17), u"[]", u"[]"},
        {Change(3), u"a[b]c", u"a[b]c"},
    };
    for (const auto& r : rows) {
        AppFixture app;
        app.clipboard.contents = r.clip;
        app.Show(r.before);
        app.Click(r.item);
        EXPECT_EQ(app.Screen(), r.after) << Utf8(r.before);
        EXPECT_EQ(app.clipboard.contents, r.clipAfter) << Utf8(r.before);
        EXPECT_TRUE(app.editWindows.log.empty());
        if (r.item.menu == Menu::Change && r.item.index != 3) {  // counted at once, in bytes
            EXPECT_EQ(app.status.PanelText(3), Decimal(TextOf(r.after).size())) << Utf8(r.before);
        }
        app.Click(menu::EditUndo);
        EXPECT_EQ(app.View().Text(), TextOf(r.before)) << Utf8(r.before);
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
        app.Click(menu::EditFindNext);
        EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.FoundPosition), std::tuple(r.after, r.found));
        EXPECT_EQ(app.LastMessage(), r.found ? u"" : texts::SearchFinished);
    }
}

TEST(EditDialogs, FindAndReplaceShareTheSearchAndReplaceSearchesDownwards) {
    AppFixture app;
    app.Context().search = {u"", true, true, 0};
    app.Show(u"one two [one]");
    app.Click(menu::EditFind);
    FindDialogModel& find = *app.editWindows.find;
    EXPECT_EQ(std::tuple(find.FindText(), find.MatchCase(), find.SearchUpward()),
              std::tuple(u"one", true, true));
    find.SetFindText(u"ONE");
    find.SetMatchCase(false);
    find.OnFind();
    EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.SearchText),
              std::tuple(u"[one] two one", u"ONE"));

    app.Show(u"[xx] a a");
    app.Click(menu::EditReplace);
    ReplaceDialogModel& replace = *app.editWindows.replace;
    replace.SetFindText(u"a");
    replace.SetSubstText(u"B");
    replace.OnSubstNext();  // "xx" is no match but is replaced all the same
    EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.SearchUpward), std::tuple(u"B [a] a*", false));
    app.View().SetSel(0, 0);
    replace.OnSubstNext();  // nothing selected: it only searches
    EXPECT_EQ(app.Screen(), u"B [a] a*");
    replace.SetSubstText(u"");
    replace.OnSubstNext();
    EXPECT_EQ(app.Screen(), u"B  [a]*");
    app.Context().search.SearchUpward = true;
    app.View().SetSel(0, 0);
    replace.OnNextFind();
    EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.SearchUpward), std::tuple(u"B  [a]*", false));
    EXPECT_EQ(app.clipboard.sets, 0);
}

TEST(EditDialogs, ReplaceAllCountsKeepsTheCaretAndIsOneUndoStep) {
    const struct {
        std::u16string before;
        bool fromTop, matchCase;
        std::u16string find, after, count;
    } rows[] = {
        {u"[]aaa", false, false, u"a", u"[]bbb*", u"3"},
        {u"a a[] a a", false, false, u"a", u"a a[] b b*", u"2"},
        {u"a a[] a a", true, false, u"a", u"b b[] b b*", u"4"},
        {u"[]ＡaｶﾞA", false, false, u"a", u"[]bbｶﾞb*", u"3"},
        {u"[]ｶﾞ=ガ", false, false, u"が", u"[]b=b*", u"2"},
        {u"[]Aa", false, true, u"a", u"[]Ab*", u"1"},
    };
    for (const auto& r : rows) {
        AppFixture app;
        app.clipboard.contents = u"clip";
        app.Show(r.before);
        app.Click(menu::EditReplace);
        ReplaceDialogModel& replace = *app.editWindows.replace;
        replace.SetFindText(r.find);
        replace.SetSubstText(u"b");
        replace.SetFindFromTop(r.fromTop);
        replace.SetMatchCase(r.matchCase);
        app.dialogs.Answer(MessageAnswer::Ok);
        EXPECT_EQ(replace.OnAllSubst(), DialogAction::Close);
        EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.MatchCase), std::tuple(r.after, r.matchCase));
        EXPECT_EQ(app.LastMessage(), u"全部で" + r.count + u"個、置換しました。");
        app.Click(menu::EditUndo);
        EXPECT_EQ(std::tuple(app.View().Text(), app.clipboard.contents),
                  std::tuple(TextOf(r.before), u"clip"));
    }
}

TEST(EditDialogs, GoToLineMovesToALineStartOrTellsTheRange) {
    AppFixture app;
    app.Show(u"fi[rst]\r\nsecond\r\nthird");
    app.Click(menu::EditGoToLine);
    GoToLineModel& dialog = *app.editWindows.goToLine;
    for (const auto& [entry, screen] :
         {std::pair{u"3", u"first\r\nsecond\r\n[]third"}, {u"1", u"[]first\r\nsecond\r\nthird"}}) {
        dialog.SetEntry(entry);
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Moved);
        EXPECT_EQ(app.Screen(), screen);
    }
    for (const std::u16string entry : {u"4", u"0", u"abc"}) {
        dialog.SetEntry(entry);
        app.dialogs.Answer(MessageAnswer::Ok);
        EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Refused);
        EXPECT_EQ(app.LastMessage(), u"行番号は 1 から 3 までの数字で入力してください。");
        EXPECT_EQ(std::tuple(app.Screen(), dialog.Entry()), std::tuple(u"[]first\r\nsecond\r\nthird", entry));
    }
}

TEST(EditDialogs, TabConversionsAskForTheWidthAndCancelKeepsIt) {
    AppFixture app;
    std::vector<bool> accepted;
    app.editWindows.on["TabSpace"] = [&] {
        for (const std::u16string_view entry : {u"0", u"32768", u"2"})
            accepted.push_back(app.editWindows.tabSpace->OnOK(entry));
    };
    app.Show(u"[]\tx");
    app.Click(Change(11));
    EXPECT_EQ(
        std::tuple(app.editWindows.log, accepted, app.Screen()),
        std::tuple(std::vector<std::u16string>{u"TabSpace 8"}, std::vector{false, false, true}, u"[]  x*"));
    app.editWindows.on.clear();  // Cancel: the conversion runs all the same
    app.Show(u"[]    y");
    app.Click(Change(12));
    EXPECT_EQ(std::tuple(app.editWindows.log.back(), app.Screen()), std::tuple(u"TabSpace 2", u"[]\t\ty*"));
}

// Refusals: the screen, the user's undo step, the clipboard and the copy
// history stay as they were, and the user is told why (a read-only
// document says nothing).
using Action = std::function<void(AppFixture&)>;
void ExpectRefused(const char* name, const Action& action, const Action& setUp, std::u16string_view message,
                   std::u16string_view after = u"a[\t]b") {
    AppFixture app;
    app.form.Form_Load(u"");  // the default toolbar, with its paste button
    app.clipboard.contents = u"theirs";
    app.Context().clipboardHistory.Push(u"old");
    app.Show(u"a[]b");
    app.View().ReplaceSel(u"\t");
    app.View().SetSel(1, 1);
    app.Context().document.IsModified = false;
    setUp(app);
    if (!message.empty()) app.dialogs.Answer(MessageAnswer::Ok);
    action(app);
    EXPECT_EQ(std::tuple(app.Screen(), app.View().CanUndo()), std::tuple(after, true)) << name;
    EXPECT_EQ(app.clipboard.contents, u"theirs") << name;
    EXPECT_EQ(app.Context().clipboardHistory.Slot(0), u"old") << name;
    EXPECT_EQ(app.LastMessage(), message) << name;
}
Action Clicks(MenuItem item, bool counted = false) {
    return [item, counted](AppFixture& app) {
        app.Click(item);
        if (counted) {
            EXPECT_EQ(app.status.PanelText(3), u"3");  // refreshed all the same
        }
    };
}
void HistoryPaste(AppFixture& app) {
    app.form.OnToolBarButtonMenuClick(std::size_t(app.Context().PasteButtonIndex - 1), 1);
}
Action ReplacesAll(std::u16string find) {
    return [find](AppFixture& app) {
        app.Click(menu::EditReplace);
        app.editWindows.replace->SetFindText(find);
        app.editWindows.replace->SetSubstText(u"0123456789");
        EXPECT_EQ(app.editWindows.replace->OnAllSubst(), DialogAction::Stay);
    };
}

TEST(Refused, ABusyClipboardIsTriedAgainThenReported) {
    const Action busy = [](AppFixture& a) { a.clipboard.busy = true; };
    for (const auto& [name, action] : {std::pair<const char*, Action>{"cut", Clicks(menu::EditCut)},
                                       {"copy", Clicks(menu::EditCopy)},
                                       {"paste", Clicks(menu::EditPaste)},
                                       {"history", HistoryPaste}}) {
        const Action tried = [&action](AppFixture& a) {
            action(a);
            EXPECT_EQ(a.editWindows.log, std::vector<std::u16string>(ClipboardAttempts - 1, u"Pause 40"));
        };
        ExpectRefused(name, tried, busy, texts::ClipboardBusy);
    }
    AppFixture app;
    app.clipboard.busy = true;
    app.editWindows.on["Pause"] = [&] { app.clipboard.busy = app.editWindows.log.size() < 2; };
    app.Show(u"[ab]");
    app.Click(menu::EditCopy);  // freed during the tries
    EXPECT_EQ(app.clipboard.contents, u"ab");
}

TEST(Refused, TooLargeForTheControl) {
    const Action small = [](AppFixture& a) {
        a.View().capacity = 10;
        a.editWindows.on["TabSpace"] = [&a] { a.editWindows.tabSpace->OnOK(u"100"); };
    };
    ExpectRefused("time and date", Clicks(menu::EditTimeDate), small, texts::TextTooLarge,
                  u"a[\t]b*");  // marked all the same
    ExpectRefused("tabs", Clicks(Change(11), true), small, texts::TextTooLarge);
    ExpectRefused("replace all", ReplacesAll(u"\t"), small, texts::TextTooLarge);
    ExpectRefused(
        "the locale failing", Clicks(Change(2), true), [](AppFixture& a) { a.text.failMapping = true; },
        texts::TextTooLarge);
}

TEST(Refused, AReadOnlyDocumentTakesNoChange) {
    const Action locked = [](AppFixture& a) {
        a.txtReturn.SetLocked(true);
        a.txtNoReturn.SetLocked(true);
    };
    for (const auto& [name, action] : {std::pair<const char*, Action>{"undo", Clicks(menu::EditUndo)},
                                       {"cut", Clicks(menu::EditCut)},
                                       {"paste", Clicks(menu::EditPaste)},
                                       {"delete", Clicks(menu::EditDelete)},
                                       {"time and date", Clicks(menu::EditTimeDate)},
                                       {"conversion", Clicks(Change(2))},
                                       {"history", HistoryPaste},
                                       {"replace all", ReplacesAll(u"b")}})
        ExpectRefused(name, action, locked, u"");
}

TEST(Refused, NothingToReplace) {
    const Action none = [](AppFixture&) {};
    ExpectRefused("no match", ReplacesAll(u"zzz"), none, texts::NothingToReplace);
    ExpectRefused("nothing to find", ReplacesAll(u""), none, u"");
}

}  // namespace
}  // namespace scribbit
