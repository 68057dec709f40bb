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

const std::u16string Memo = u"C:\\docs\\memo.txt", Other = u"C:\\docs\\other.txt",
                     Copy = u"C:\\docs\\copy.HTM";
const std::u16string Ask = u"の内容は変更されています。\r\n変更を保存しますか？";

bool NamesLine(const std::u16string& message, int line) {
    return message.find(u" " + Decimal(std::uint64_t(line)) + u" 行目") != std::u16string::npos;
}

TEST(Document, OpenTypeSaveSaveAsAndNew) {
    AppFixture app;
    // Every kind of character once: ASCII, half-width katakana, kanji, symbols, NEC row 13, IBM extensions.
    const std::string bytes = "A~\\ \xB1\xB2 \x8A\xBF\r\n\x81\x60\x81\x5C \x87\x40\x87\x82 \xFA\x40\xFB\xFC";
    const std::u16string text = app.locale.FromAnsi(bytes);
    app.files.disk[Memo] = bytes;
    app.Context().commonDialog = {u"C:\\docs\\last.htm", 3, false};  // as the last dialog left it
    app.dialogs.Open(Chosen(Memo, 2));
    app.Click(menu::FileOpen);
    EXPECT_EQ(app.Window(), u"memo.txt|" + Memo + u"|[]" + text);
    EXPECT_EQ(std::tuple(app.status.PanelText(3), app.menus.IsEnabled(menu::EditUndo)),
              std::tuple(Decimal(bytes.size()), false));
    const FileDialogRequest open = app.dialogs.fileDialogs[0];
    EXPECT_EQ(std::tuple(open.fileName, open.filterIndex), std::tuple(u"C:\\docs\\last.htm", 3));

    app.Type(u"xy");
    EXPECT_EQ(app.Window(), u"memo.txt|" + Memo + u"(変更)|" + text + u"xy[]*");
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditUndo));
    app.Click(menu::FileSave);
    EXPECT_EQ(app.files.disk[Memo], bytes + "xy");
    EXPECT_EQ(app.Window(), u"memo.txt - ScribbitⅡ|" + Memo + u"|" + text + u"xy[]");

    app.Type(u"z");
    app.dialogs.Save(Chosen(Copy));
    app.Click(menu::FileSaveAs);
    const FileDialogRequest saveAs = app.dialogs.fileDialogs[1];
    EXPECT_EQ(std::tuple(saveAs.initialDir, saveAs.fileName, saveAs.filterIndex),
              std::tuple(u"C:\\docs\\", Memo, 2));
    EXPECT_EQ(std::tuple(app.files.disk[Copy], app.files.disk[Memo]),
              std::tuple(bytes + "xyz", bytes + "xy"));
    EXPECT_EQ(app.Window(), u"copy.HTM - ScribbitⅡ|" + Copy + u"|" + text + u"xyz[]");
    app.dialogs.Save();
    app.Click(menu::FileSaveAs);  // an HTML name in any case preselects the HTML filter
    EXPECT_EQ(app.dialogs.fileDialogs.back().filterIndex, 2);

    app.Context().search = {u"b", false, false, 2};
    app.Click(menu::FileNew);  // saved: no question
    EXPECT_EQ(std::tuple(app.Window(), app.status.PanelText(3)), std::tuple(u"ScribbitⅡ||[]", u"0"));
    EXPECT_EQ(std::tuple(app.Context().search.SearchText, app.Context().search.FoundPosition),
              std::tuple(u"", 0));
    app.Type(u"!");
    app.dialogs.Save();  // Save of an untitled document is Save As
    app.Click(menu::FileSave);
    EXPECT_EQ(app.dialogs.fileDialogs.size(), 4u);
    app.dialogs.Answer(MessageAnswer::No);
    OpenDocument(app.Context(), false, u"plain.txt");  // a new relative name from the command line
    EXPECT_EQ(app.Window(), u"plain.txt|plain.txt|[]");
}

TEST(Document, TheReadOnlyBoxLocksBothViewsUntilADialogClearsIt) {
    AppFixture app;
    app.files.disk = {{Memo, "abc"}, {Other, "b"}};
    app.dialogs.Open(Chosen(Memo, 1, true));
    app.Click(menu::FileOpen);
    EXPECT_EQ(app.Window(), u"memo.txt|" + Memo + u"(読込み専用)|[]abc");
    app.View().SetSel(0, 3);
    app.View().ReplaceSel(u"xyz");  // a change the program makes goes in, and saves
    app.Click(menu::FileSave);
    EXPECT_EQ(app.files.disk[Memo], "xyz");
    app.form.OnFilesDropped({Other, Memo});  // drops stay read-only; the first file opens
    EXPECT_EQ(std::tuple(app.Window(), app.frame.focusCalls),
              std::tuple(u"other.txt|" + Other + u"(読込み専用)|[]b", 1));
    app.Click(menu::FileNew);
    EXPECT_EQ(std::tuple(app.Window(), app.Context().document.IsReadOnly),
              std::tuple(u"ScribbitⅡ||[]", true));
    app.dialogs.Open();
    app.Click(menu::FileOpen);  // each dialog starts cleared, and a cancelled one leaves it so
    app.form.OnFilesDropped({Memo});
    EXPECT_EQ(std::tuple(app.dialogs.fileDialogs[1].readOnlyChecked, app.Window()),
              std::tuple(false, u"memo.txt|" + Memo + u"|[]xyz"));
    app.form.OnFilesDropped({});
    EXPECT_EQ(app.frame.focusCalls, 2);
}

// New, Open, a drop and Exit ask before they drop changes; only a "No" or a
// finished save lets them go on, and "Yes" always asks where.
TEST(Document, NewOpenDropAndExitAskToSaveAgainstEveryAnswer) {
    enum Answer {
        Unchanged,
        No,
        Saved,
        Cancel,
        SaveCancelled,
        WriteFails,
        Declined
    };  // Declined: the "?" for U+00A0
    enum Action { New, Open, Drop, Exit };
    for (const Action action : {New, Open, Drop, Exit}) {
        for (int answer = Unchanged; answer <= Declined; ++answer) {
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
            action == New    ? app.Click(menu::FileNew)
            : action == Open ? app.Click(menu::FileOpen)
            : action == Drop ? app.form.OnFilesDropped({Other})
                             : app.Click(menu::FileExit);
            const std::u16string after = !goesOn         ? before
                                         : action == New ? u"ScribbitⅡ||[]"
                                                         : u"other.txt|" + Other + u"|[]other";
            const std::string name = std::to_string(action) + " " + std::to_string(answer);
            EXPECT_EQ(std::tuple(app.frame.quit, app.files.disk.contains(app.SettingsPath())),
                      std::tuple(goesOn && action == Exit, goesOn && action == Exit))
                << name;
            if (action != Exit) {
                EXPECT_EQ(app.Window(), after) << name;
            }
            EXPECT_EQ(app.files.disk.contains(Copy) ? app.files.disk[Copy] : "-",
                      answer == Saved ? "abcd" : "-")
                << name;
            EXPECT_EQ(app.files.disk[Memo], "abc") << name;
            EXPECT_EQ(app.dialogs.messages.empty() ? u"" : app.dialogs.messages[0].text,
                      answer == Unchanged ? u"" : u"ファイル " + Memo + Ask)
                << name;
        }
    }
    AppFixture untitled;
    untitled.Type(u"x");
    untitled.dialogs.Answer(MessageAnswer::Cancel);
    untitled.Click(menu::FileNew);
    EXPECT_EQ(untitled.LastMessage(), u"ファイル " + Ask);
    EXPECT_EQ(untitled.dialogs.messages[0].icon, MessageIcon::Exclamation);
}

TEST(Document, AFailedSaveKeepsThePreviousFileAndTheModifiedDocument) {
    AppFixture app;
    app.Open(Memo, "original");
    app.Type(u"+");
    app.files.failures[Memo] = 112;
    app.dialogs.Answer(MessageAnswer::Ok);
    app.Click(menu::FileSave);
    EXPECT_EQ(std::tuple(app.files.disk[Memo], app.Window()),
              std::tuple("original", u"memo.txt|" + Memo + u"(変更)|original+[]*"));
    EXPECT_EQ(std::tuple(app.LastMessage(), app.dialogs.messages[0].icon),
              std::tuple(core_text::OtherError, MessageIcon::None));
    app.dialogs.Save({DialogOutcome::Failed, u"", 1, false, FakeFileSystem::Error(123)});
    app.dialogs.Answer(MessageAnswer::Ok);
    app.Click(menu::FileSaveAs);  // so does a failed dialog
    EXPECT_EQ(std::tuple(app.dialogs.messages.size(), app.LastMessage()),
              std::tuple(2u, core_text::OtherError));
}

// A failed open puts the whole previous document back and reports, on the
// clipboard too once the box is closed, whatever the open was to be.
TEST(Document, AFailedOpenRestoresTheWholeDocumentAndReports) {
    for (const bool readOnlyBefore : {true, false}) {
        AppFixture app;
        app.files.disk[Memo] = "mine";
        app.dialogs.Open(Chosen(Memo, 1, readOnlyBefore));
        app.Click(menu::FileOpen);
        app.View().SetSel(4, 0);
        app.View().ReplaceSel(u"!");
        const std::u16string before = app.Window();
        app.files.failures[Other] = 32;
        app.clipboard.contents = u"user's";
        app.clipboard.busy = !readOnlyBefore;  // reported all the same
        std::optional<std::u16string> clipWhileShown;
        app.dialogs.onMessage = [&] { clipWhileShown = app.clipboard.contents; };
        app.dialogs.Answer(MessageAnswer::No);
        app.dialogs.Open(Chosen(Other, 1, !readOnlyBefore));
        app.dialogs.Answer(MessageAnswer::Ok);
        app.Click(menu::FileOpen);
        EXPECT_EQ(app.Window(), before);
        EXPECT_EQ(app.LastMessage(), u"エラーです。\r\nOpenFileName: " + Other +
                                         u"\r\nオブジェクト : ScribbitⅡ\r\n" +
                                         u"エラー番号   : 32\r\nsystem error 32\r\nVer " +
                                         Decimal(VersionMajor) + u"." + Decimal(VersionMinor));
        EXPECT_EQ(std::tuple(app.dialogs.messages[1].icon, clipWhileShown),
                  std::tuple(MessageIcon::Critical, u"user's"));
        EXPECT_EQ(app.clipboard.contents, readOnlyBefore ? app.LastMessage() : u"user's");
        app.clipboard.busy = false;
        app.Click(menu::FileSave);  // a later save goes to the previous file
        EXPECT_EQ(app.files.disk[Memo], "mine!");
    }
}

TEST(Document, AFailedOpenDialogIsReportedAndAFileTooLargeForTheControlRefused) {
    AppFixture app;
    app.View().capacity = 8;
    app.Open(Memo, "12345678");   // exactly the capacity opens
    app.View().keepsPart = true;  // the part that fits must not stay
    app.files.disk[Other] = "0123456789";
    const std::u16string before = app.Window();
    const SystemError failure{12290, u"小さすぎます。", u"CommonDialog"};
    app.dialogs.Open({DialogOutcome::Failed, u"", 1, false, failure});
    app.dialogs.Answer(MessageAnswer::Ok);
    app.Click(menu::FileOpen);
    EXPECT_EQ(app.LastMessage(), ErrorReportText(failure, Memo));
    app.dialogs.Answer(MessageAnswer::Ok);
    app.form.OnFilesDropped({Other});
    EXPECT_EQ(app.Window(), before);
    EXPECT_EQ(std::tuple(app.LastMessage(), app.dialogs.messages[1].icon),
              std::tuple(core_text::TooLargeReport, MessageIcon::Critical));
    EXPECT_EQ(app.clipboard.contents, app.LastMessage());
}

TEST(Document, EncodingNamesTheFirstCharacterTheCodePageCannotHold) {
    const struct {
        std::u16string text, character;
        char32_t codePoint;
        std::size_t line;
        bool lone;
        std::string bytes;
    } rows[] = {
        {u"a\r\nb\u00A0c\u00A0", u"\u00A0", 0xA0, 2, false, "a\r\nb?c?"},
        {u"x\r\n\r\n\U0001F600y", u"\U0001F600", 0x1F600, 3, false, "x\r\n\r\n??y"},  // a "?" per unit
        {u"a\nb\r\xD83D"
         u"b",
         u"\xD83D", 0xD83D, 1, true, "a\nb\r?b"},  // lone LF and CR break no line
    };
    for (const auto& r : rows) {
        const SaveEncoding encoded = EncodeForSave(FakeLocale(), r.text);
        ASSERT_TRUE(encoded.firstUnrepresentable.has_value()) << r.bytes;
        const UnrepresentableCharacter& first = *encoded.firstUnrepresentable;
        EXPECT_EQ(std::tuple(first.character, first.codePoint == r.codePoint, first.line, first.loneSurrogate,
                             encoded.bytes),
                  std::tuple(r.character, true, r.line, r.lone, r.bytes));
    }
    EXPECT_FALSE(EncodeForSave(FakeLocale(), u"普通の文章\r\n～①").firstUnrepresentable.has_value());
    // Half a pair cannot be shown, only named; code points have four digits at least.
    EXPECT_NE(UnrepresentableWarning({u"\xD800", 0xD800, true, 1}).find(u"最初の文字: (U+D800、1 行目)"),
              std::u16string::npos);
    EXPECT_NE(UnrepresentableWarning({u"\u00A0", 0xA0, false, 3}).find(u"「\u00A0」(U+00A0、3 行目)"),
              std::u16string::npos);
}

TEST(Document, UnrepresentableCharactersAreSavedOnlyWithTheUsersWord) {
    AppFixture app;
    app.Open(Memo, "before");
    app.View().SetSel(0, 6);
    app.View().Type(u"line 1\r\nsmile \U0001F600 and \u00A0");
    app.dialogs.Answer(MessageAnswer::No);
    app.Click(menu::FileSave);
    EXPECT_EQ(app.dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(app.LastMessage().find(u"「\U0001F600」(U+1F600、2 行目)"), std::u16string::npos);
    app.dialogs.Save(Chosen(Other));
    app.dialogs.Answer(MessageAnswer::No);
    app.Click(menu::FileSaveAs);
    EXPECT_EQ(std::tuple(app.files.disk[Memo], app.files.disk.contains(Other)), std::tuple("before", false));
    EXPECT_EQ(app.status.PanelText(1), Memo + u"(変更)");
    app.dialogs.Answer(MessageAnswer::Yes);
    app.Click(menu::FileSave);
    EXPECT_EQ(std::tuple(app.files.disk[Memo], app.status.PanelText(1)),
              std::tuple("line 1\r\nsmile ?? and ?", Memo));
}

// Bytes that would not come back alike on save, and NUL bytes, which would
// cut the text short: the user is warned once the text is shown.
TEST(Document, BytesThatWillChangeAreWarnedAboutOnceTheTextIsShown) {
    const struct {
        std::string bytes;
        std::u16string text;
        std::optional<int> changedLine, nulLine;
    } rows[] = {
        {"a\x82\xA0\r\nb", u"aあ\r\nb", {}, {}},
        {"o\nk\r\n\x87\x90", u"o\nk\r\n\u2252", 2, {}},  // the second code of a character with two
        {"a\r\n\x81\r\nb", u"a\r\n\u30FB\r\nb", 2, {}},  // an invalid trail byte keeps the break
        {"abc\x81", u"abc\u30FB", 1, {}},
        {"a\r\nb\0c\0"s, u"a\r\nb c ", {}, 2},
    };
    for (const auto& r : rows) {
        AppFixture app;
        std::u16string shown;
        app.dialogs.onMessage = [&] { shown = app.Window(); };
        if (r.changedLine || r.nulLine) app.dialogs.Answer(MessageAnswer::Ok);
        app.Open(Memo, r.bytes);
        EXPECT_EQ(app.Window(), u"memo.txt|" + Memo + u"|[]" + r.text) << r.bytes;
        EXPECT_EQ(shown, r.changedLine || r.nulLine ? app.Window() : u"") << r.bytes;
        const std::u16string warning = app.LastMessage();
        EXPECT_TRUE(!r.changedLine || NamesLine(warning, *r.changedLine)) << r.bytes;
        EXPECT_TRUE(!r.nulLine || NamesLine(warning, *r.nulLine)) << r.bytes;
        app.Click(menu::FileSave);  // the character with two codes is written with its usual one
        EXPECT_EQ(app.files.disk[Memo], app.locale.ToAnsi(r.text).bytes) << r.bytes;
    }
}

}  // namespace
}  // namespace scribbit
