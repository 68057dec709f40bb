// The document's life cycle through the File menu, drops and prompts: what
// the window shows after each step (caption|panel 1|screen, see
// AppFixture::Window), what lands on the disk and what every failure says.
// Through a failure, the previous file and the document both come whole.
#include "app/document.h"

#include <gtest/gtest.h>

#include "app/ansi_checks.h"
#include "core/core_texts.h"
#include "core/error_report.h"
#include "support/app_fixture.h"

using namespace std::string_literals;

namespace scribbit {
namespace {

using namespace menu;
const std::u16string Memo = u"C:\\docs\\memo.txt", Other = u"C:\\docs\\other.txt",
                     Copy = u"C:\\docs\\copy.HTM";
const std::u16string Ask = u"の内容は変更されています。\r\n変更を保存しますか？";

TEST(Document, OpenTypeSaveSaveAsAndNew) {
    AppFixture app;
    // Every kind of character once: ASCII, half-width katakana, kanji, symbols, NEC row 13, IBM extensions.
    const std::string bytes = "A~\\ \xB1\xB2 \x8A\xBF\r\n\x81\x60\x81\x5C \x87\x40\x87\x82 \xFA\x40\xFB\xFC";
    const std::u16string text = app.locale.FromAnsi(bytes);
    app.files.disk[Memo] = bytes;
    app.dialogs.Open(Chosen(Memo, 2));
    app.Click(FileOpen);
    EXPECT_EQ(std::tuple(app.Window(), app.status.PanelText(3), app.menus.IsEnabled(EditUndo)),
              std::tuple(u"memo.txt|" + Memo + u"|[]" + text, Decimal(bytes.size()), false));
    app.Type(u"xy");
    EXPECT_EQ(std::tuple(app.Window(), app.menus.IsEnabled(EditUndo)),
              std::tuple(u"memo.txt|" + Memo + u"(変更)|" + text + u"xy[]*", true));
    app.Click(FileSave);
    EXPECT_EQ(std::tuple(app.files.disk[Memo], app.Window()),
              std::tuple(bytes + "xy", u"memo.txt - ScribbitⅡ|" + Memo + u"|" + text + u"xy[]"));
    app.Type(u"z");
    app.dialogs.Save(Chosen(Copy));
    app.Click(FileSaveAs);
    EXPECT_EQ(
        std::tuple(app.files.disk[Copy], app.files.disk[Memo], app.Window()),
        std::tuple(bytes + "xyz", bytes + "xy", u"copy.HTM - ScribbitⅡ|" + Copy + u"|" + text + u"xyz[]"));

    app.Context().search = {u"b", false, false, 2};
    app.Click(FileNew);  // saved: no question
    EXPECT_EQ(std::tuple(app.Window(), app.status.PanelText(3), app.Context().search.SearchText,
                         app.Context().search.FoundPosition),
              std::tuple(u"ScribbitⅡ||[]", u"0", u"", 0));
    app.Type(u"!");
    app.dialogs.Save();  // Save of an untitled document is Save As
    app.Click(FileSave);
    EXPECT_EQ(app.files.disk[Copy], bytes + "xyz");
}

TEST(Document, TheReadOnlyBoxLocksBothViewsUntilADialogClearsIt) {
    AppFixture app;
    app.files.disk = {{Memo, "abc"}, {Other, "b"}};
    app.dialogs.Open(Chosen(Memo, 1, true));
    app.Click(FileOpen);
    EXPECT_EQ(app.Window(), u"memo.txt|" + Memo + u"(読込み専用)|[]abc");
    app.View().SetSel(0, 3);
    app.View().ReplaceSel(u"xyz");  // a change the program makes goes in, and saves
    app.Click(FileSave);
    app.form.OnFilesDropped({Other, Memo});  // drops stay read-only; the first file opens
    EXPECT_EQ(std::tuple(app.files.disk[Memo], app.Window()),
              std::tuple("xyz", u"other.txt|" + Other + u"(読込み専用)|[]b"));
    app.Click(FileNew);
    EXPECT_EQ(std::tuple(app.Window(), app.Context().document.IsReadOnly),
              std::tuple(u"ScribbitⅡ||[]", true));
    app.dialogs.Open();
    app.Click(FileOpen);  // each dialog starts cleared, and a cancelled one leaves it so
    app.form.OnFilesDropped({Memo});
    app.form.OnFilesDropped({});
    EXPECT_EQ(std::tuple(app.dialogs.fileDialogs[1].readOnlyChecked, app.Window(), app.frame.focusCalls),
              std::tuple(false, u"memo.txt|" + Memo + u"|[]xyz", 2));
}

// New, Open, a drop and Exit ask before they drop changes; only a "No" or a
// finished save lets them go on, and "Yes" always asks where. A failed
// write is told plainly. Declined: the save's question whether a
// "?" may stand for U+00A0 is answered No.
TEST(Document, NewOpenDropAndExitAskToSaveAgainstEveryAnswer) {
    enum Answer { Unchanged, No, Saved, Cancel, SaveCancelled, WriteFails, Declined };
    enum Action { New, Open, Drop, Exit };
    for (const Action action : {New, Open, Drop, Exit}) {
        for (const Answer answer : {Unchanged, No, Saved, Cancel, SaveCancelled, WriteFails, Declined}) {
            AppFixture app;
            app.Open(Memo, "abc");
            app.files.disk[Other] = "other";
            if (answer != Unchanged) app.Type(answer == Declined ? u"\u00A0" : u"d");
            const std::u16string before = app.Window();
            const bool goesOn = answer <= Saved;
            if (answer != Unchanged)
                app.dialogs.Answer(answer == No       ? MessageAnswer::No
                                   : answer == Cancel ? MessageAnswer::Cancel
                                                      : MessageAnswer::Yes);
            if (answer >= Saved && answer != Cancel)
                app.dialogs.Save(answer == SaveCancelled ? FileDialogResult{} : Chosen(Copy));
            if (answer == WriteFails) app.files.writeFailures[Copy] = 5;
            if (answer >= WriteFails)
                app.dialogs.Answer(answer == Declined ? MessageAnswer::No : MessageAnswer::Ok);
            if (action == Open && goesOn) app.dialogs.Open(Chosen(Other));
            const MenuItem items[] = {FileNew, FileOpen, {}, FileExit};
            action == Drop ? app.form.OnFilesDropped({Other}) : app.Click(items[action]);
            SCOPED_TRACE(std::to_string(action) + " " + std::to_string(answer));
            const std::u16string after = !goesOn         ? before
                                         : action == New ? u"ScribbitⅡ||[]"
                                                         : u"other.txt|" + Other + u"|[]other";
            EXPECT_EQ(std::tuple(app.frame.quit, app.files.disk.contains(app.SettingsPath())),
                      std::tuple(goesOn && action == Exit, goesOn && action == Exit));
            if (action != Exit) {
                EXPECT_EQ(app.Window(), after);
            }
            EXPECT_EQ(
                std::tuple(app.files.disk.contains(Copy) ? app.files.disk[Copy] : "-", app.files.disk[Memo]),
                std::tuple(answer == Saved ? "abcd" : "-", "abc"));
            if (answer != Unchanged) {
                EXPECT_EQ(std::tuple(app.dialogs.messages[0].text, app.dialogs.messages[0].icon),
                          std::tuple(u"ファイル " + Memo + Ask, MessageIcon::Exclamation));
            }
            if (answer == WriteFails) {
                EXPECT_EQ(std::tuple(app.LastMessage(), app.dialogs.messages.back().icon),
                          std::tuple(core_text::OtherError, MessageIcon::None));
            }
        }
    }
}

// A failed open puts the whole previous document back and reports, on the
// clipboard too once the box is closed (unless another program holds it);
// so do a failed open dialog and a file too large for the view, whose part
// that fits must not stay.
TEST(Document, AFailedOpenRestoresTheWholeDocumentAndReports) {
    enum Failure { ReadFails, ClipboardBusy, DialogFails, TooLarge };
    const SystemError dialogError{12290, u"小さすぎます。", u"CommonDialog"};
    for (const Failure failure : {ReadFails, ClipboardBusy, DialogFails, TooLarge}) {
        SCOPED_TRACE(failure);
        AppFixture app;
        app.View().capacity = 4;
        app.files.disk = {{Memo, "mine"}, {Other, "01234"}};  // exactly the capacity opens
        if (failure != TooLarge) app.files.failures[Other] = 32;
        app.dialogs.Open(Chosen(Memo, 1, failure == ReadFails));
        app.Click(FileOpen);
        app.View().SetSel(0, 1);
        app.View().ReplaceSel(u"M");
        app.View().SetSel(0, 0);
        app.View().keepsPart = true;
        const std::u16string before = app.Window();
        app.clipboard.contents = u"user's";
        app.clipboard.busy = failure == ClipboardBusy;
        std::optional<std::u16string> clipWhileShown;
        app.dialogs.onMessage = [&] { clipWhileShown = app.clipboard.contents; };
        app.dialogs.Answer(MessageAnswer::No);
        app.dialogs.Open(failure == DialogFails
                             ? FileDialogResult{DialogOutcome::Failed, u"", 1, false, dialogError}
                             : Chosen(Other, 1, failure != ReadFails));
        app.dialogs.Answer(MessageAnswer::Ok);
        app.Click(FileOpen);
        const std::u16string report = failure == DialogFails ? ErrorReportText(dialogError, Memo)
                                      : failure == TooLarge
                                          ? std::u16string(core_text::TooLargeReport)
                                          : ErrorReportText(FakeFileSystem::Error(32), Other);
        EXPECT_EQ(std::tuple(app.Window(), app.LastMessage(), app.dialogs.messages.back().icon,
                             clipWhileShown, app.clipboard.contents),
                  std::tuple(before, report, MessageIcon::Critical, u"user's",
                             failure == ClipboardBusy ? u"user's" : report));
        app.Click(FileSave);  // a later save goes to the previous file
        EXPECT_EQ(app.files.disk[Memo], "Mine");
    }
}

// The save warning names the first character the code page cannot hold:
// itself unless it is half a pair, its code point in four digits at least,
// and its line (only CR LF breaks one). Nothing is written without a Yes.
TEST(Document, UnrepresentableCharactersAreSavedOnlyWithTheUsersWord) {
    const std::pair<std::u16string, std::u16string> rows[] = {
        {u"a\r\nb\u00A0c\u00A0", u"「\u00A0」(U+00A0、2 行目)"},
        {u"x\r\n\r\n\U0001F600y", u"「\U0001F600」(U+1F600、3 行目)"},
        {u"a\nb\r\xD83D\x62", u"最初の文字: (U+D83D、1 行目)"},
    };
    for (const auto& [text, named] : rows) {
        AppFixture app;
        app.Open(Memo, "before");
        app.Show(text);
        app.dialogs.Answer(MessageAnswer::No);
        app.Click(FileSave);
        EXPECT_TRUE(Contains(app.LastMessage(), named)) << Utf8(app.LastMessage());
        EXPECT_EQ(std::tuple(app.dialogs.messages[0].icon, app.files.disk[Memo]),
                  std::tuple(MessageIcon::Exclamation, "before"));
    }
    AppFixture app;
    app.Open(Memo, "before");
    app.Type(u" \U0001F600 and \u00A0");
    app.dialogs.Answer(MessageAnswer::Yes);
    app.Click(FileSave);
    EXPECT_EQ(
        std::tuple(app.files.disk[Memo], app.Window()),
        std::tuple("before ?? and ?", u"memo.txt - ScribbitⅡ|" + Memo + u"|before \U0001F600 and \u00A0[]"));
}

// Bytes that would not come back alike on save, and NUL bytes, which would
// cut the text short: the user is warned, naming the first line of each,
// once the text is shown.
TEST(Document, BytesThatWillChangeAreWarnedAboutOnceTheTextIsShown) {
    // The bytes, the text shown and the lines named in the warning.
    const std::tuple<std::string, std::u16string, std::vector<int>> rows[] = {
        {"a\x82\xA0\r\nb", u"aあ\r\nb", {}},
        {"o\nk\r\n\x87\x90", u"o\nk\r\n\u2252", {2}},  // the second code of a character with two
        {"a\r\n\x81\r\nb", u"a\r\n\u30FB\r\nb", {2}},  // an invalid trail byte keeps the break
        {"abc\x81", u"abc\u30FB", {1}},
        {"a\r\nb\0c\0"s, u"a\r\nb c ", {2}},
        {"\x81\r\n\0"s, u"\u30FB\r\n ", {1, 2}},
    };
    for (const auto& [bytes, text, lines] : rows) {
        SCOPED_TRACE(bytes);
        AppFixture app;
        std::u16string shown;
        app.dialogs.onMessage = [&] { shown = app.Window(); };
        if (!lines.empty()) app.dialogs.Answer(MessageAnswer::Ok);
        app.Open(Memo, bytes);
        EXPECT_EQ(std::tuple(app.Window(), shown),
                  std::tuple(u"memo.txt|" + Memo + u"|[]" + text, lines.empty() ? u"" : app.Window()));
        for (const int line : lines)
            EXPECT_TRUE(Contains(app.LastMessage(), u" " + Decimal(std::uint64_t(line)) + u" 行目"));
        app.Click(FileSave);  // the character with two codes is written with its usual one
        EXPECT_EQ(app.files.disk[Memo], app.locale.ToAnsi(text).bytes);
    }
}

}  // namespace
}  // namespace scribbit
