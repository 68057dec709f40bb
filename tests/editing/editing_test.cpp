// The Edit and text-processing menus and the editing dialogs, through the
// main form, and the comparing, searching, replacing and converting under
// them. A screen is the text with the selection in brackets and "*" while
// the document is modified (AppFixture::Screen).
#include <gtest/gtest.h>

#include "editing/clipboard_access.h"
#include "editing/conversions.h"
#include "editing/editing_texts.h"
#include "editing/find_replace.h"
#include "editing/go_to_line.h"
#include "editing/tab_width.h"
#include "editing/text_compare.h"
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
        {EditDelete, u"a[]\U0001F600b", u"a[]b*"},
        {EditDelete, u"a[]\xD83D\x62", u"a[]b*"},
        {EditDelete, u"a[b\r]\ncd", u"a[]\ncd*"},
        {EditDelete, u"abc[]", u"abc[]*"},  // nothing goes, yet the mark shows
        {EditUndo, u"abc[]", u"abc[]*"},
        {EditPaste, u"abc[]", u"abc[]*", u"", std::nullopt, std::nullopt},
        {EditPaste, u"a[b]c", u"aXY[]c*"},
        {EditCut, u"[ab]c", u"[]c*", u"", u"XY", u"ab"},
        {EditCopy, u"[ab]c", u"[ab]c", u"", u"XY", u"ab"},
        {EditSelectAll, u"ab[]c", u"[abc]"},
        {EditTimeDate, u"(o[ld])", u"(o9:05:07 2002/12/25[])*"},  // the clipboard stays the user's
        {{Menu::Edit, 1}, u"a[b]c", u"a[b]c"},                    // a separator does nothing
        {Change(2), u"abc []def", u"ABC []DEF*", u"[abc def]*"},  // the whole text; the caret stays
        {Change(2), u"abc [def] ghi", u"abc []DEF ghi*", u"abc [def] ghi*"},
        {Change(18), u"a\r\nb\r\n[]c", u"abc[]*", u"a[\r\nb\r\n]c*"},
        {Change(20), u"a[]\r\nb", u"a[]<br>\r\nb*", u"a[]\r\nb*"},
        {Change(17), u"a[]bc", u"a[]bc*", u"ab[c]*"},  // one paste even when nothing changes
        {Change(9), u"[]a\r\nb\nc", u"[]a\r\nb\r\nc*", u"a\r\nb[\n]c*"},  // no CR LF cut in two
        {Change(3), u"a[b]c", u"a[b]c"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(Utf8(r.before));
        AppFixture app;
        app.clipboard.contents = r.clip;
        app.Show(r.before);
        app.Click(r.item);
        EXPECT_EQ(std::tuple(app.Screen(), app.clipboard.contents), std::tuple(r.after, r.clipAfter));
        if (r.item.menu == Menu::Change && r.item.index != 3) {  // counted at once, in bytes
            EXPECT_EQ(app.status.PanelText(3), Decimal(TextOf(r.after).size()));
        }
        app.Click(EditUndo);
        EXPECT_EQ(app.View().Text(), TextOf(r.before));
        if (!r.undone.empty()) {
            EXPECT_EQ(app.Screen(), r.undone);
        }
    }
}

TEST(EditCommands, FindNextGoesOnFromTheSelectionAndNeverWraps) {
    // Before, the text sought, upwards, match case; after, where it was found (0: not).
    const std::tuple<std::u16string, std::u16string, bool, bool, std::u16string, std::int64_t> rows[] = {
        {u"[]abcabc", u"BC", false, false, u"a[bc]abc", 2},
        {u"a[bc]abc", u"BC", false, false, u"abca[bc]", 5},
        {u"abca[bc]", u"BC", false, false, u"abca[bc]", 0},
        {u"abca[bc]", u"BC", true, false, u"a[bc]abc", 2},
        {u"xxab[]", u"ab", true, false, u"xx[ab]", 3},       // upwards finds what ends at the caret
        {u"[]--ｶﾞ--", u"ガ", false, false, u"--[ｶﾞ]--", 3},  // the selection covers what matched
        {u"[]--ア", u"あ", false, true, u"[]--ア", 0},
    };
    for (const auto& [before, sought, up, matchCase, after, found] : rows) {
        AppFixture app;
        app.Show(before);
        app.Context().search = {sought, up, matchCase, 0};
        if (found == 0) app.dialogs.Answer(MessageAnswer::Ok);
        app.Click(EditFindNext);
        EXPECT_EQ(std::tuple(app.Screen(), app.Context().search.FoundPosition, app.LastMessage()),
                  std::tuple(after, found, found ? u"" : texts::SearchFinished));
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
                 u"\U0001F601"},                                                 // no pair cut in two
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
    app.Show(u"fi[rst]\r\nsec\nond\r\nthird");  // only CR LF ends a line
    app.Click(EditGoToLine);
    GoToLineModel& dialog = *app.editWindows.goToLine;
    dialog.SetEntry(u"3");
    EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Moved);
    EXPECT_EQ(app.Screen(), u"first\r\nsec\nond\r\n[]third");
    dialog.SetEntry(u"4");
    app.dialogs.Answer(MessageAnswer::Ok);
    EXPECT_EQ(dialog.OnOK(), GoToLineOutcome::Refused);
    EXPECT_EQ(std::tuple(app.Screen(), dialog.Entry()), std::tuple(u"first\r\nsec\nond\r\n[]third", u"4"));
    EXPECT_EQ(app.LastMessage(), u"行番号は 1 から 3 までの数字で入力してください。");

    // OK with each entry in turn; then Cancel, and the conversion runs all the same.
    std::vector<bool> accepted;
    app.editWindows.on["TabSpace"] = [&] {
        for (const std::u16string_view entry : {u"0", u"２"})  // full-width digits count
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
        SCOPED_TRACE(std::to_string(why) + " " + std::to_string(CommandId(item)));
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
        EXPECT_EQ(std::tuple(app.Screen(), app.View().CanUndo(), app.LastMessage(), app.status.PanelText(3)),
                  std::tuple(why == TooLarge && item == EditTimeDate ? u"a[\t]b*" : u"a[\t]b", true,
                             told[why], item.menu == Menu::Change ? u"3" : u"0"));
        EXPECT_EQ(std::tuple(app.clipboard.contents, app.Context().clipboardHistory.Slot(0),
                             app.editWindows.Count(u"Pause 40")),
                  std::tuple(u"theirs", u"old", why == Busy ? ClipboardAttempts - 1 : 0));
    }
}

using std::nullopt;
constexpr CompareMode Text = CompareMode::Text, Binary = CompareMode::Binary;

class TextTest : public ::testing::Test {
protected:
    FakeTextServices services;
    TextFolder folder{services};
};

// FindFirst starts at or after its offset, FindLast ends at or before it.
TEST_F(TextTest, TextModeIgnoresCaseWidthAndKanaButCutsNoCharacter) {
    const struct {
        std::u16string pattern, text;
        CompareMode mode;
        std::optional<TextMatch> found;
        bool last = false;
        std::size_t offset = 0;
    } rows[] = {
        {u"ABC", u"xabc", Text, TextMatch{1, 3}},
        {u"あ", u"xア", Text, TextMatch{1, 1}},
        {u"カナ", u"ｶﾅ", Text, TextMatch{0, 2}},
        {u"ガ", u"aｶﾞb", Text, TextMatch{1, 2}},  // the length matched
        {u"カ", u"ガ", Text, nullopt},
        {u"ｶ", u"ｶﾞ", Text, nullopt},  // not cut from its mark
        {u"ABC", u"abc", Binary, nullopt},
        {u"\xD800\xDC00", u"a\xD800\xDC00", Text, TextMatch{1, 2}},
        {u"", u"abc", Text, nullopt},
        {u"bc", u"abcabc", Binary, TextMatch{1, 2}, false, 1},
        {u"bc", u"abcabc", Binary, TextMatch{4, 2}, true, 6},
        {u"ガギ", u"xxｶﾞｷﾞyy", Text, TextMatch{2, 4}, true, 6},
        {u"ガギ", u"xxｶﾞｷﾞyy", Text, nullopt, true, 5},  // no end inside a composed pair
    };
    for (const auto& r : rows) {
        const TextSearcher searcher(r.pattern, r.mode, folder);
        EXPECT_EQ(r.last ? searcher.FindLast(r.text, r.offset) : searcher.FindFirst(r.text, r.offset),
                  r.found)
            << Utf8(r.pattern) << " in " << Utf8(r.text) << " " << r.offset;
    }
}

TEST_F(TextTest, ReplaceEveryGoesLeftToRightWithoutOverlapsAndNeverRescans) {
    // The text from an offset, the pattern and its replacement; the text after and the count.
    const std::tuple<std::u16string, std::size_t, std::u16string, std::u16string, CompareMode, std::u16string,
                     std::size_t>
        rows[] = {
            {u"aaa", 0, u"a", u"aa", Binary, u"aaaaaa", 3},
            {u"aaa", 0, u"aa", u"b", Binary, u"ba", 1},
            {u"a-a-a", 2, u"a", u"X", Binary, u"a-X-X", 2},
            // Long enough for whole blocks; then one that grows past the room its first stretch foretold.
            {u"がxｶﾞyガzがxｶﾞyガzがxｶﾞﾊﾟ", 0, u"が", u"12345678", Text,
             u"12345678x12345678y12345678z12345678x12345678y12345678z12345678x12345678ﾊﾟ", 8},
            {std::u16string(65536, u'b') + std::u16string(10000, u'a'), 0, u"a", u"--------", Binary,
             std::u16string(65536, u'b') + std::u16string(10000 * 8, u'-'), 10000},
            // Rare matches, one unit each, written over a copy: a composed kana shortens what follows.
            {u"が" + std::u16string(40, u'x') + u"ｶﾞ" + std::u16string(40, u'y') + u"ガz", 1, u"が", u"G",
             Text, u"が" + std::u16string(40, u'x') + u"G" + std::u16string(40, u'y') + u"Gz", 2},
        };
    for (const auto& [text, from, pattern, replacement, mode, expected, count] : rows) {
        const ReplaceResult result = ReplaceEvery(text, from, pattern, replacement, mode, folder);
        EXPECT_EQ(std::tuple(result.text, result.count), std::tuple(expected, count)) << Utf8(text);
    }
}

TEST_F(TextTest, EveryConversionOnTypicalAndEdgeTexts) {
    using C = Conversion;
    const struct {
        Conversion conversion;
        std::u16string input, expected;
        std::int32_t tabSpace = 8;
    } rows[] = {
        {C::HiraganaToKatakana, u"ひらがなとカナ", u"ヒラガナトカナ"},
        {C::FullWidthToHalfWidth, u"ＡＢＣ　ガッコウ１２３\u201Dx\u201D", u"ABC ｶﾞｯｺｳ123\"x\""},
        {C::ToUpperCase, u"abc ａｂｃ àé", u"ABC ＡＢＣ ÀÉ"},
        {C::KatakanaToHiragana, u"カタカナとｶﾀｶﾅ", u"かたかなとｶﾀｶﾅ"},
        {C::HalfWidthToFullWidth, u"ｶﾞﾊﾟ1 a\"x\"",
         u"ガパ１　ａ\u201Dｘ\u201D"},  // a quote becomes the closing one
        {C::ToLowerCase, u"ABC ＡＢＣ ÀÉ", u"abc ａｂｃ àé"},
        {C::CrLfToLf, u"a\r\nb\rc\nd\r\n", u"a\nb\rc\nd\n"},
        {C::LfToCrLf, u"a\nb\r\nc\rd\r\r\ne\n", u"a\r\nb\r\nc\rd\r\r\ne\r\n"},  // CR LF and lone CR stay
        {C::TabsToSpaces, u"\tab\tc", u"    ab    c", 4},                       // columns are not counted
        {C::SpacesToTabs, u"          x     ", u"\t\t  x\t ", 4},
        {C::SpacesToTabs, u"\u3000\u3000x", u"\tx", 2},  // ideographic spaces compare equal
        {C::BackslashToSlash, u"C:\\a\\b", u"C:/a/b"},
        {C::SlashToBackslash, u"a/b／c", u"a\\b\\c"},
        {C::TrimLineEnds, u"a  \r\nb \t\r\nc  \nd\u3000\r\n  \r\ne ", u"a\r\nb \t\r\nc  \nd\u3000\r\n\r\ne"},
        {C::RemoveLineBreaks, u"a\r\nb\r\nc\nd\r", u"abc\nd\r"},
        {C::AppendBrTags, u"a\r\n\r\nb<br>\r\nc", u"a<br>\r\n<br>\r\nb<br><br>\r\nc"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Convert(r.conversion, r.input, r.tabSpace, services, folder), r.expected) << Utf8(r.input);
}

}  // namespace
}  // namespace scribbit
