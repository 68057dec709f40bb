// The document's life cycle through the File menu, drops and prompts: what
// the user sees after each step, what lands on the disk, and what every
// failure says. Through a failure, the previous file and the document on
// screen both come whole.
#include "app/document.h"

#include <gtest/gtest.h>

#include "app/ansi_checks.h"
#include "core/core_texts.h"
#include "core/decimal.h"
#include "core/error_report.h"
#include "support/app_fixture.h"

using namespace std::string_literals;

namespace scribbit {
namespace {

const std::u16string Memo = u"C:\\docs\\memo.txt", Other = u"C:\\docs\\other.txt";
const std::u16string Mod = u"(変更)", Ro = u"(読込み専用)", Saved = u" - ScribbitⅡ";
const std::u16string Ask = u"の内容は変更されています。\r\n変更を保存しますか？";

class DocumentTest : public ::testing::Test {
protected:
    void Click(MenuItem item) { app.form.MenuClick(item); }
    AppFixture app;
};

TEST_F(DocumentTest, OpenTypeSaveSaveAsAndNew) {
    // Every kind of character once (ASCII, half-width katakana, kanji,
    // symbols, NEC row 13, IBM extensions), no break at the end.
    const std::string bytes = "A~\\ \xB1\xB2 \x8A\xBF\r\n\x81\x60\x81\x5C \x87\x40\x87\x82 \xFA\x40\xFB\xFC";
    app.files.AddFile(Memo, bytes);
    app.Context().commonDialog = {u"C:\\docs\\last.htm", 3, false};  // as the last dialog left it
    app.dialogs.ChooseOpen(Memo, false, 2);
    Click(menu::FileOpen);
    const std::u16string text = app.locale.FromAnsi(bytes);
    EXPECT_EQ(app.Seen(), (Screen{text, Memo, false, false, u"memo.txt", Memo}));
    EXPECT_EQ(app.status.PanelText(3), Decimal(bytes.size()));
    EXPECT_FALSE(app.menus.IsEnabled(menu::EditUndo));
    const FileDialogRequest& open = app.dialogs.fileDialogs[0];
    EXPECT_EQ(std::tuple(open.fileName, open.filterIndex), std::tuple(u"C:\\docs\\last.htm", 3));

    app.Type(u"xy");
    EXPECT_EQ(app.Seen(), (Screen{text + u"xy", Memo, true, false, u"memo.txt", Memo + Mod}));
    EXPECT_TRUE(app.menus.IsEnabled(menu::EditUndo));
    Click(menu::FileSave);
    EXPECT_EQ(app.files.Contents(Memo), bytes + "xy");
    EXPECT_EQ(app.Seen(), (Screen{text + u"xy", Memo, false, false, u"memo.txt" + Saved, Memo}));

    app.Type(u"z");
    app.dialogs.ChooseSave(u"C:\\docs\\copy.HTM", 1);
    Click(menu::FileSaveAs);
    const FileDialogRequest& saveAs = app.dialogs.fileDialogs[1];
    EXPECT_EQ(std::tuple(saveAs.initialDir, saveAs.fileName, saveAs.filterIndex), std::tuple(u"C:\\docs\\", Memo, 2));
    EXPECT_EQ(std::tuple(app.files.Contents(u"C:\\docs\\copy.HTM"), app.files.Contents(Memo)),
              std::tuple(bytes + "xyz", bytes + "xy"));
    EXPECT_EQ(std::tuple(app.Seen().caption, app.Context().commonDialog.filterIndex), std::tuple(u"copy.HTM" + Saved, 1));
    app.dialogs.CancelSave();
    Click(menu::FileSaveAs);  // an HTML name in any case preselects the HTML filter
    EXPECT_EQ(app.dialogs.fileDialogs.back().filterIndex, 2);

    app.Context().search = {u"b", false, false, 2};
    Click(menu::FileNew);
    EXPECT_EQ(app.Seen(), (Screen{u"", u"", false, false, AppTitle, u""}));
    EXPECT_EQ(app.status.PanelText(3), u"0");
    EXPECT_EQ(std::tuple(app.Context().search.SearchText, app.Context().search.FoundPosition), std::tuple(u"", 0));
    OpenDocument(app.Context(), false, u"plain.txt");  // a relative name from the command line
    EXPECT_EQ(app.Seen(), (Screen{u"", u"plain.txt", false, false, u"plain.txt", u"plain.txt"}));
}

TEST_F(DocumentTest, TheReadOnlyBoxLocksBothViewsUntilADialogClearsIt) {
    app.form.Form_Load(u"");  // the default toolbar, with its paste button
    app.files.AddFile(Memo, "abc");
    app.files.AddFile(Other, "b");
    app.dialogs.ChooseOpen(Memo, /*readOnly=*/true);
    Click(menu::FileOpen);
    EXPECT_EQ(app.Seen(), (Screen{u"abc", Memo, false, true, u"memo.txt", Memo + Ro}));
    EXPECT_FALSE(app.Type(u"x"));
    // No command changes it: the document stays clean, the clipboard the user's.
    app.clipboard.Put(u"clip");
    app.Context().clipboardHistory.Push(u"old");
    app.ActiveView().SetSel(1, 1);
    for (const MenuItem item : {menu::EditUndo, menu::EditCut, menu::EditPaste, menu::EditDelete, menu::EditTimeDate})
        Click(item);
    app.form.OnToolBarButtonMenuClick(static_cast<std::size_t>(app.Context().PasteButtonIndex) - 1, 1);
    EXPECT_EQ(app.Seen(), (Screen{u"abc", Memo, false, true, u"memo.txt", Memo + Ro}));
    EXPECT_EQ(app.clipboard.Contents(), u"clip");
    app.ActiveView().SetSel(0, 3);
    app.ActiveView().ReplaceSel(u"xyz");  // a change the program makes goes in, and saves
    Click(menu::FileSave);
    EXPECT_EQ(app.files.Contents(Memo), "xyz");
    app.form.OnFilesDropped({Other, Memo});  // drops stay read-only; the first file opens
    EXPECT_EQ(app.Seen(), (Screen{u"b", Other, false, true, u"other.txt", Other + Ro}));
    EXPECT_EQ(app.frame.focusCalls, 1);
    Click(menu::FileNew);
    EXPECT_EQ(app.Seen(), (Screen{u"", u"", false, true, AppTitle, u""}));
    app.dialogs.CancelOpen();
    Click(menu::FileOpen);
    EXPECT_FALSE(app.dialogs.fileDialogs[1].readOnlyChecked);  // each dialog starts cleared
}

TEST_F(DocumentTest, CancellingAPromptOrADialogKeepsTheDocument) {
    app.Type(u"x");
    EXPECT_EQ(app.Seen(), (Screen{u"x", u"", true, false, AppTitle, Mod}));
    app.dialogs.CancelSave();  // Save of an untitled document is Save As
    Click(menu::FileSave);
    app.dialogs.AnswerSave({DialogOutcome::Failed, u"", 1, false, MakeSystemError(win_error::InvalidName)});
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    Click(menu::FileSave);
    EXPECT_EQ(app.LastMessage(), core_text::OtherError);
    app.dialogs.AnswerMessage(MessageAnswer::Cancel);
    Click(menu::FileOpen);  // no open dialog follows
    EXPECT_EQ(app.LastMessage(), u"ファイル " + Ask);
    EXPECT_EQ(app.dialogs.messages[1].icon, MessageIcon::Exclamation);
    app.dialogs.ChooseSave(Memo);
    Click(menu::FileSave);
    app.Type(u"y");
    const Screen kept{u"xy", Memo, true, false, u"memo.txt" + Saved, Memo + Mod};
    app.files.AddFile(Other, "other");
    for (int i = 0; i < 3; ++i) {
        app.dialogs.AnswerMessage(MessageAnswer::Cancel);
        i == 0 ? Click(menu::FileNew) : i == 1 ? Click(menu::FileOpen) : app.form.OnFilesDropped({Other});
        EXPECT_EQ(app.Seen(), kept);
    }
    EXPECT_EQ(app.LastMessage(), u"ファイル " + Memo + Ask);
    app.dialogs.AnswerMessage(MessageAnswer::No);
    app.dialogs.CancelOpen();
    Click(menu::FileOpen);
    EXPECT_EQ(app.Seen(), kept);
    app.form.OnFilesDropped({});
    EXPECT_EQ(app.frame.focusCalls, 1);
}

TEST(ExitWithChanges, QuitsOnlyOnceTheChangesAreSavedOrDropped) {
    enum Save { NoDialog, Cancelled, Chosen, WriteFails, Refused };  // Refused: the "?" for U+00A0
    const struct {
        MessageAnswer answer;
        Save save;
        bool quits;
    } cases[] = {{MessageAnswer::Ok, NoDialog, true},  // unchanged: no prompt
                 {MessageAnswer::No, NoDialog, true},      {MessageAnswer::Cancel, NoDialog, false},
                 {MessageAnswer::Yes, Chosen, true},       {MessageAnswer::Yes, Cancelled, false},
                 {MessageAnswer::Yes, WriteFails, false},  {MessageAnswer::Yes, Refused, false}};
    for (const auto& c : cases) {
        AppFixture app;
        app.Open(Memo, "abc");
        app.Type(c.answer == MessageAnswer::Ok ? u"" : c.save == Refused ? u"\u00A0" : u"d");
        if (c.answer != MessageAnswer::Ok) app.dialogs.AnswerMessage(c.answer);
        if (c.save == Cancelled) app.dialogs.CancelSave();
        if (c.save >= Chosen) app.dialogs.ChooseSave(Other);
        if (c.save == WriteFails) app.files.FailWrites(Other, win_error::AccessDenied);
        if (c.save >= WriteFails) app.dialogs.AnswerMessage(c.save == Refused ? MessageAnswer::No : MessageAnswer::Ok);
        app.form.MenuClick(menu::FileExit);
        EXPECT_EQ(app.frame.HasQuit(), c.quits) << c.save;
        EXPECT_EQ(app.files.FileExists(app.SettingsPath()), c.quits);
        EXPECT_EQ(app.files.Contents(Other), c.save == Chosen ? std::optional("abcd"s) : std::nullopt);
        EXPECT_EQ(app.files.Contents(Memo), "abc");  // Yes always asks where
        EXPECT_EQ(app.dialogs.messages.empty() ? u"" : app.dialogs.messages[0].text,
                  c.answer == MessageAnswer::Ok ? u"" : u"ファイル " + Memo + Ask);
    }
}

// Every cause reaches the program as one failed write: two stand for all.
TEST(SaveFailure, KeepsThePreviousFileAndTheModifiedDocument) {
    for (const bool locked : {false, true}) {
        AppFixture app;
        app.Open(Memo, "original");
        app.Type(u"+");
        locked ? app.files.SetLocked(Memo, true) : app.files.FailWrites(Memo, win_error::DiskFull);
        app.dialogs.AnswerMessage(MessageAnswer::Ok);
        app.form.MenuClick(menu::FileSave);
        EXPECT_EQ(app.files.FilePaths(), std::vector<std::u16string>{Memo});  // no temporary file left
        EXPECT_EQ(app.files.Contents(Memo), "original");
        EXPECT_EQ(app.Seen(), (Screen{u"original+", Memo, true, false, u"memo.txt", Memo + Mod}));
        EXPECT_EQ(app.LastMessage(), core_text::OtherError);
        EXPECT_EQ(app.dialogs.messages[0].icon, MessageIcon::None);
    }
}

const std::u16string Version = u"\r\nVer " + Decimal(VersionMajor) + u"." + Decimal(VersionMinor);

// A failed open puts the whole previous document back and reports, on the
// clipboard too once the box is closed, whatever the open was to be.
TEST(OpenFailure, RestoresTheWholeDocumentAndReports) {
    using F = FakeFileSystem;
    const struct {
        std::u16string path;
        std::function<void(F&)> setUp;
        std::uint32_t code;
        bool readOnlyBefore, busyClipboard;
    } cases[] = {
        {Other, [](F& f) { f.SetLocked(Other, true); }, win_error::SharingViolation, true, false},
        {u"C:\\docs\\sub", [](F& f) { f.AddFolder(u"C:\\docs\\sub"); }, win_error::AccessDenied, false, false},
        {u"C:\\docs\\a?.txt", [](F&) {}, win_error::InvalidName, true, true},  // reported all the same
    };
    for (const auto& c : cases) {
        AppFixture app;
        app.files.AddFile(Memo, "mine");
        app.files.AddFile(Other, "x");
        app.dialogs.ChooseOpen(Memo, c.readOnlyBefore);
        app.form.MenuClick(menu::FileOpen);
        app.ActiveView().SetSel(4, 0);
        app.ActiveView().ReplaceSel(u"!");
        const Screen before = app.Seen();
        c.setUp(app.files);
        app.clipboard.Put(u"user's");
        app.clipboard.SetBusy(c.busyClipboard);
        std::optional<std::u16string> clipWhileShown;
        app.dialogs.onMessage = [&](const ShownMessage&) { clipWhileShown = app.clipboard.Contents(); };
        app.dialogs.AnswerMessage(MessageAnswer::No);
        app.dialogs.ChooseOpen(c.path, !c.readOnlyBefore);
        app.dialogs.AnswerMessage(MessageAnswer::Ok);
        app.form.MenuClick(menu::FileOpen);
        EXPECT_EQ(app.Seen(), before);
        EXPECT_EQ(app.LastMessage(), u"エラーです。\r\nOpenFileName: " + c.path + u"\r\nオブジェクト : ScribbitⅡ" +
                                         u"\r\nエラー番号   : " + Decimal(c.code) + u"\r\n" +
                                         MakeSystemError(c.code).description + Version);
        EXPECT_EQ(app.dialogs.messages[1].icon, MessageIcon::Critical);
        EXPECT_EQ(clipWhileShown, u"user's");
        EXPECT_EQ(app.clipboard.Contents(), c.busyClipboard ? u"user's" : app.LastMessage());
        app.form.MenuClick(menu::FileSave);  // a later save goes to the previous file
        EXPECT_EQ(app.files.Contents(Memo), "mine!");
    }
}

TEST_F(DocumentTest, AFailedOpenDialogIsReportedAndAFileTooLargeForTheControlRefused) {
    app.ActiveView().SetCapacity(8);
    app.Open(Memo, "12345678");                         // exactly the capacity opens
    app.ActiveView().SetKeepsPartOfTooLargeText(true);  // the part that fits must not stay
    app.files.AddFile(Other, "0123456789");
    const Screen before = app.Seen();
    const SystemError failure{12290, u"小さすぎます。", u"CommonDialog"};
    app.dialogs.AnswerOpen({DialogOutcome::Failed, u"", 1, false, failure});
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    Click(menu::FileOpen);
    EXPECT_EQ(app.LastMessage(), ErrorReportText(failure, Memo));
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    app.form.OnFilesDropped({Other});
    EXPECT_EQ(app.Seen(), before);
    EXPECT_EQ(app.LastMessage(), core_text::TooLargeReport);
    EXPECT_EQ(app.dialogs.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(app.clipboard.Contents(), app.LastMessage());
}

TEST(EncodeForSave, NamesTheFirstCharacterTheCodePageCannotHold) {
    const struct {
        std::u16string text, character;
        char32_t codePoint;
        std::size_t line;
        bool lone;
        std::string bytes;
    } cases[] = {
        {u"a\r\nb\u00A0c\u00A0", u"\u00A0", 0xA0, 2, false, "a\r\nb?c?"},
        {u"x\r\n\r\n\U0001F600y", u"\U0001F600", 0x1F600, 3, false, "x\r\n\r\n??y"},  // one character, a "?" per unit
        {u"a\nb\r\xD83D" u"b", u"\xD83D", 0xD83D, 1, true, "a\nb\r?b"},  // lone LF and CR break no line
        {u"\xDE00", u"\xDE00", 0xDE00, 1, true, "?"},
    };
    for (const auto& c : cases) {
        const SaveEncoding encoded = EncodeForSave(FakeLocale(), c.text);
        ASSERT_TRUE(encoded.firstUnrepresentable.has_value()) << c.bytes;
        const UnrepresentableCharacter& first = *encoded.firstUnrepresentable;
        EXPECT_EQ(first.character, c.character);
        EXPECT_EQ(std::tuple(first.codePoint == c.codePoint, first.line, first.loneSurrogate, encoded.bytes),
                  std::tuple(true, c.line, c.lone, c.bytes));
    }
    EXPECT_FALSE(EncodeForSave(FakeLocale(), u"普通の文章\r\n～①").firstUnrepresentable.has_value());
    // Half a pair cannot be shown, only named; code points have four digits at least.
    EXPECT_NE(UnrepresentableWarning({u"\xD800", 0xD800, true, 1}).find(u"最初の文字: (U+D800、1 行目)"),
              std::u16string::npos);
    EXPECT_NE(UnrepresentableWarning({u"\u00A0", 0xA0, false, 3}).find(u"「\u00A0」(U+00A0、3 行目)"),
              std::u16string::npos);
}

TEST(DecodeDocument, FindsBytesThatWouldChangeAndNulBytes) {
    const struct {
        std::string bytes;
        std::u16string text;
        std::optional<std::size_t> changedLine, nulLine;
    } cases[] = {
        {"a\x82\xA0\r\nb", u"aあ\r\nb", std::nullopt, std::nullopt},
        {"o\nk\r\n\x87\x90", u"o\nk\r\n\u2252", 2, std::nullopt},  // the NEC code of a character with two
        {"\x81\xE0", u"\u2252", std::nullopt, std::nullopt},       // its usual code
        {"\r\n\r\n\xFA\x4A", u"\r\n\r\n\u2160", 3, std::nullopt},  // the IBM code of a NEC character
        {"\xFA\x40", u"\u2170", std::nullopt, std::nullopt},       // an IBM extension without a twin
        {"a\r\n\x81\r\nb", u"a\r\n\u30FB\r\nb", 2, std::nullopt},  // an invalid trail byte keeps the break
        {"abc\x81", u"abc\u30FB", 1, std::nullopt},                // a lead byte at the end
        {"a\r\nb\0c\0"s, u"a\r\nb c ", std::nullopt, 2},
    };
    for (const auto& c : cases) {
        const DecodedDocument decoded = DecodeDocument(FakeLocale(), c.bytes);
        EXPECT_EQ(std::tuple(decoded.text, decoded.firstChangedLine, decoded.firstNulLine),
                  std::tuple(c.text, c.changedLine, c.nulLine));
        EXPECT_EQ(LoadWarning(decoded).empty(), !c.changedLine && !c.nulLine);
    }
}

TEST_F(DocumentTest, UnrepresentableCharactersAreSavedOnlyWithTheUsersWord) {
    app.Open(Memo, "before");
    app.ActiveView().SetSel(0, 6);
    app.ActiveView().Type(u"line 1\r\nsmile \U0001F600 and \u00A0");
    app.dialogs.AnswerMessage(MessageAnswer::No);
    Click(menu::FileSave);
    EXPECT_EQ(app.dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(app.LastMessage(), u"この文書には、文字コード(ANSI コードページ)で表せない文字が含まれています。\r\n"
                                 u"最初の文字: 「\U0001F600」(U+1F600、2 行目)\r\n"
                                 u"これらの文字は「?」に置き換えて保存されます。保存しますか？");
    EXPECT_EQ(app.files.Contents(Memo), "before");
    app.dialogs.ChooseSave(Other);
    app.dialogs.AnswerMessage(MessageAnswer::No);
    Click(menu::FileSaveAs);
    EXPECT_FALSE(app.files.FileExists(Other));
    EXPECT_EQ(app.Seen().panel1, Memo + Mod);
    app.dialogs.AnswerMessage(MessageAnswer::Yes);
    Click(menu::FileSave);
    EXPECT_EQ(app.files.Contents(Memo), "line 1\r\nsmile ?? and ?");
    EXPECT_EQ(app.Seen().panel1, Memo);
}

TEST_F(DocumentTest, BytesThatWillChangeAreWarnedAboutOnceTheTextIsShown) {
    app.files.AddFile(Memo, "first\r\nsecond \x87\x90 \x81\r\nthird\0fourth"s);
    Screen shown;
    app.dialogs.onMessage = [&](const ShownMessage&) { shown = app.Seen(); };
    app.dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(app.Context(), false, Memo);
    EXPECT_EQ(app.dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(app.LastMessage(),
              u"このファイルには、文字コード(ANSI コードページ)として正しくないバイト、"
              u"または同じ文字を別の符号で表したバイトが含まれています(最初の箇所: 2 行目)。\r\n"
              u"保存すると、これらのバイトは書き換えられます。\r\n"
              u"このファイルには NUL 文字(0x00)が含まれています(最初の箇所: 3 行目)。\r\n"
              u"その後ろの文章が失われないよう空白に置き換えて表示しています。保存すると空白として書き込まれ"
              u"ます。");
    EXPECT_EQ(shown, (Screen{u"first\r\nsecond \u2252 \u30FB\r\nthird fourth", Memo, false, false, u"memo.txt", Memo}));
    Click(menu::FileSave);  // the character with two codes is written with its usual one
    EXPECT_EQ(app.files.Contents(Memo), "first\r\nsecond \x81\xE0 \x81\x45\r\nthird fourth");
}

}  // namespace
}  // namespace scribbit
