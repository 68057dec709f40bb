#include "toolbar/paste_history_menu.h"

#include <gtest/gtest.h>

#include "editing/editing_texts.h"
#include "support/app_fixture.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

std::u16string Repeat(std::u16string_view piece, std::size_t times) {
    std::u16string text;
    for (std::size_t i = 0; i < times; ++i) text += piece;
    return text;
}

TEST(HistoryEntryText, ShortTextsWholeLongOnesCutAndEveryEntryOneLine) {
    const std::u16string a29 = Repeat(u"a", 29);
    const struct {
        std::u16string text;
        std::u16string shown;
    } cases[] = {
        {u"x", u"x"},
        {Repeat(u"あ", 30), Repeat(u"あ", 30)},
        {Repeat(u"あ", 31), Repeat(u"あ", 30) + u"…"},
        {u"a\r\nb\nc\rd\r", u"a↓b↓c↓d↓"},
        {u"a\tb", u"a→b"},
        {u"A&B &&", u"A&B &&"},
        {std::u16string(u"x\0y\x1b\x7f", 5), u"x y  "},
        {a29 + u"\r\nb", a29 + u"↓…"},  // a line break counts as one character
        {a29 + u"😀b", a29 + u"😀…"},     // a pair is one character, never cut
        {a29 + u"a😀", a29 + u"a…"},
    };
    for (const auto& c : cases) EXPECT_EQ(HistoryEntryText(c.text), c.shown) << Utf8(c.text);
}

class PasteHistoryTest : public ::testing::Test {
protected:
    void Start(std::optional<std::u16string> clipboard, const std::u16string& file = u"") {
        app.clipboard.Put(std::move(clipboard));
        app.form.Form_Load(file);
        paste = static_cast<std::size_t>(app.Context().PasteButtonIndex) - 1;
    }
    std::vector<std::u16string> Menu() const { return app.toolBar.MenuEntries(paste); }
    AppFixture app;
    std::size_t paste = 0;
};

TEST_F(PasteHistoryTest, CopiesAreListedNewestFirstAndTheChosenOneIsPasted) {
    app.files.AddFile(u"C:\\docs\\a.txt", "one two three ");
    Start(u"from before", u"C:\\docs\\a.txt");
    EXPECT_EQ(Menu(), std::vector<std::u16string>{u"from before"});
    for (const auto& [start, length] : {std::pair{0, 3}, {4, 3}, {8, 5}}) {
        app.ActiveView().SetSel(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
        app.form.MenuClick(menu::EditCopy);
    }
    EXPECT_EQ(Menu(), (std::vector<std::u16string>{u"three", u"two", u"one", u"from before"}));

    ASSERT_FALSE(app.Context().document.IsModified);
    app.ActiveView().SetSel(14, 0);
    app.form.OnToolBarButtonMenuClick(paste, 3);
    EXPECT_EQ(app.ActiveView().Text(), u"one two three one");
    EXPECT_EQ(app.clipboard.Contents(), u"one");
    EXPECT_TRUE(app.Context().document.IsModified);
    EXPECT_EQ(app.status.PanelText(1), u"C:\\docs\\a.txt(変更)");

    // Past the last entry, or another button's list: nothing.
    app.form.OnToolBarButtonMenuClick(paste, 5);
    app.form.OnToolBarButtonMenuClick(paste, 0);
    app.form.OnToolBarButtonMenuClick(0, 1);
    EXPECT_EQ(app.ActiveView().Text(), u"one two three one");
}

TEST_F(PasteHistoryTest, EntriesSkipEmptySlotsAndStandForTheFilledOnes) {
    Start(std::nullopt);
    EXPECT_TRUE(Menu().empty());
    ClipboardHistory& history = app.Context().clipboardHistory;
    history.Push(u"old");
    history.Push(u"");
    history.Push(u"new");
    RefreshPasteHistoryMenu(app.Context());
    EXPECT_EQ(Menu(), (std::vector<std::u16string>{u"new", u"old"}));
    app.form.OnToolBarButtonMenuClick(paste, 2);
    EXPECT_EQ(app.ActiveView().Text(), u"old");
}

TEST_F(PasteHistoryTest, ABusyClipboardIsReportedAndNothingIsPasted) {
    Start(u"seed");
    app.clipboard.SetBusy(true);
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.OnToolBarButtonMenuClick(paste, 1);
    ASSERT_EQ(app.dialogs.messages.size(), 1u);
    EXPECT_EQ(app.dialogs.messages[0].text, editing_texts::ClipboardBusy);
    EXPECT_EQ(app.ActiveView().Text(), u"");
    EXPECT_FALSE(app.Context().document.IsModified);
}

}  // namespace
}  // namespace scribbit
