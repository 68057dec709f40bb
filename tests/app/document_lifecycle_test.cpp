// New, Open, Save, Save As, the ask-to-save prompt, the change handler,
// drops and the File menu, through the doubles.
#include <gtest/gtest.h>

#include "app/document.h"
#include "app/document_fixture.h"
#include "app/document_texts.h"

namespace scribbit {
namespace {

const std::u16string Memo = u"C:\\docs\\memo.txt";
const std::u16string AskUntitled = u"ファイル の内容は変更されています。\r\n変更を保存しますか？";

TEST(FileNameFromPathTest, TakesTheTextAfterTheLastBackslash) {
    const struct {
        std::u16string path, name;
    } cases[] = {
        {u"C:\\docs\\memo.txt", u"memo.txt"},
        {u"memo.txt", u"memo.txt"},  // a relative name from the command line
        {u"C:\\a.b\\c", u"c"},
        {u"C:\\docs\\", u""},
        {u"", u""},
    };
    for (const auto& c : cases) EXPECT_EQ(FileNameFromPath(c.path), c.name);
}

using QuerySaveChangesTest = DocumentTest;

TEST_F(QuerySaveChangesTest, CleanDocumentContinuesWithoutAsking) {
    EXPECT_EQ(QuerySaveChanges(context), QueryResult::Continue);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(QuerySaveChangesTest, NamesTheDocumentWithExclamationAndThreeButtons) {
    TypeAtEnd(u"x");
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    QuerySaveChanges(context);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, AskUntitled);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);

    dialogs.AnswerMessage(MessageAnswer::No);
    OpenFile(Memo, "abc");
    TypeAtEnd(u"x");
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    QuerySaveChanges(context);
    EXPECT_EQ(dialogs.messages.back().text,
              u"ファイル C:\\docs\\memo.txtの内容は変更されています。\r\n変更を保存しますか？");
}

enum class SaveStep { NotAsked, Chosen, DialogCancelled, WriteFails, CharacterRefused };

struct PromptCase {
    const char* name;
    MessageAnswer answer;
    SaveStep save;
    QueryResult expected;
    bool fileWritten;
};

class QuerySaveChangesAnswers : public DocumentTest, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(QuerySaveChangesAnswers, DecideWhetherTheCallerGoesOn) {
    const PromptCase& c = GetParam();
    // U+00A0 has no code in the code page, so saving it asks first.
    TypeAtEnd(c.save == SaveStep::CharacterRefused ? u"\u00A0" : u"text");
    dialogs.AnswerMessage(c.answer);
    if (c.save == SaveStep::DialogCancelled) dialogs.CancelSave();
    if (c.save == SaveStep::Chosen || c.save == SaveStep::WriteFails || c.save == SaveStep::CharacterRefused)
        dialogs.ChooseSave(Memo);
    if (c.save == SaveStep::WriteFails) {
        files.InjectFailure(Memo, FileStep::Replace, win_error::AccessDenied);
        dialogs.AnswerMessage(MessageAnswer::Ok);
    }
    if (c.save == SaveStep::CharacterRefused) dialogs.AnswerMessage(MessageAnswer::No);

    EXPECT_EQ(QuerySaveChanges(context), c.expected);
    EXPECT_EQ(files.FileExists(Memo), c.fileWritten);
    EXPECT_EQ(context.document.IsModified, !c.fileWritten);
    EXPECT_EQ(dialogs.PendingAnswers(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAnswer, QuerySaveChangesAnswers,
    ::testing::Values(
        PromptCase{"No", MessageAnswer::No, SaveStep::NotAsked, QueryResult::Continue, false},
        PromptCase{"Cancel", MessageAnswer::Cancel, SaveStep::NotAsked, QueryResult::Cancel, false},
        PromptCase{"YesSaved", MessageAnswer::Yes, SaveStep::Chosen, QueryResult::Continue, true},
        PromptCase{"YesDialogCancelled", MessageAnswer::Yes, SaveStep::DialogCancelled, QueryResult::Cancel,
                   false},
        PromptCase{"YesWriteFailed", MessageAnswer::Yes, SaveStep::WriteFails, QueryResult::Cancel, false},
        PromptCase{"YesButReplacementRefused", MessageAnswer::Yes, SaveStep::CharacterRefused,
                   QueryResult::Cancel, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuerySaveChangesTest, YesShowsTheSaveDialogEvenForATitledDocument) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    dialogs.AnswerMessage(MessageAnswer::Yes);
    dialogs.ChooseSave(u"C:\\docs\\other.txt");
    EXPECT_EQ(QuerySaveChanges(context), QueryResult::Continue);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].kind, FileDialogKind::Save);
    EXPECT_EQ(files.Contents(u"C:\\docs\\other.txt"), "abcd");
    EXPECT_EQ(files.Contents(Memo), "abc");
    EXPECT_EQ(context.document.CurrentFilePath, u"C:\\docs\\other.txt");
}

using NewDocumentTest = DocumentTest;

TEST_F(NewDocumentTest, ClearsTextPathSearchAndShowsTheEmptyState) {
    OpenFile(Memo, "abc");
    context.search.SearchText = u"b";
    context.search.FoundPosition = 2;
    status.SetPanelText(3, u"3");

    NewDocument(context);

    EXPECT_EQ(Editor().Text(), u"");
    EXPECT_EQ(context.document.CurrentFilePath, u"");
    EXPECT_EQ(context.search.SearchText, u"");
    EXPECT_EQ(context.search.FoundPosition, 0);
    EXPECT_EQ(frame.Caption(), u"ScribbitⅡ");
    EXPECT_EQ(Panel1(), u"");
    EXPECT_EQ(status.PanelText(3), u"0");
    EXPECT_FALSE(context.document.IsModified);
    EXPECT_FALSE(menus.IsEnabled(menu::EditUndo));
}

TEST_F(NewDocumentTest, KeepsTheLockOfAReadOnlyDocument) {
    dialogs.ChooseOpen(Memo, /*readOnly=*/true);
    files.AddFile(Memo, "abc");
    OpenDocument(context, true);
    ASSERT_TRUE(BothLocked());
    NewDocument(context);
    EXPECT_TRUE(BothLocked());
    EXPECT_TRUE(context.document.IsReadOnly);
}

TEST_F(NewDocumentTest, CancelledPromptKeepsEverything) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    NewDocument(context);
    EXPECT_EQ(Editor().Text(), u"abcd");
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(Panel1(), Memo + u"(変更)");
}

using OpenDocumentTest = DocumentTest;

TEST_F(OpenDocumentTest, ShowsTheFileNameThePathAndTheCount) {
    files.AddFile(Memo, Bytes(u"あいう\r\nえお"));
    dialogs.ChooseOpen(Memo);
    OpenDocument(context, true);

    EXPECT_EQ(Editor().Text(), u"あいう\r\nえお");
    EXPECT_EQ(frame.Caption(), u"memo.txt");
    EXPECT_EQ(Panel1(), Memo);
    EXPECT_EQ(status.PanelText(3), u"12");  // bytes: 5 characters of two bytes and CR LF
    EXPECT_FALSE(context.document.IsModified);
    EXPECT_FALSE(context.document.IsReadOnly);
    EXPECT_TRUE(NoneLocked());
    EXPECT_FALSE(menus.IsEnabled(menu::EditUndo));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenDocumentTest, DialogStartsInTheDocumentsFolderWithTheLastNameAndFilter) {
    OpenFile(Memo, "abc");
    context.commonDialog.fileName = u"C:\\docs\\last.htm";
    context.commonDialog.filterIndex = 3;
    context.commonDialog.readOnlyChecked = true;
    dialogs.CancelOpen();
    OpenDocument(context, true);

    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    const auto& shown = dialogs.fileDialogs[0];
    EXPECT_EQ(shown.kind, FileDialogKind::Open);
    EXPECT_EQ(shown.request.initialDir, u"C:\\docs\\");
    EXPECT_EQ(shown.request.fileName, u"C:\\docs\\last.htm");
    EXPECT_EQ(shown.request.filterIndex, 3);
    EXPECT_FALSE(shown.request.readOnlyChecked);  // every dialog starts with the box cleared
}

TEST_F(OpenDocumentTest, CancelledDialogChangesNothingAndSaysNothing) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.CancelOpen();
    context.commonDialog.readOnlyChecked = true;
    OpenDocument(context, true);

    EXPECT_EQ(Editor().Text(), u"abcd");
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(dialogs.messages.size(), 1u);  // only the prompt

    // A cancelled dialog leaves its read-only box cleared, as it started:
    // a file dropped afterwards opens for editing.
    files.AddFile(u"C:\\docs\\b.txt", "b");
    dialogs.AnswerMessage(MessageAnswer::No);
    OpenDroppedFile(context, {u"C:\\docs\\b.txt"});
    EXPECT_FALSE(context.document.IsReadOnly);
    EXPECT_FALSE(Editor().IsLocked());
}

TEST_F(OpenDocumentTest, ReadOnlyBoxLocksBothViewsAndStaysForLaterDrops) {
    files.AddFile(Memo, "abc");
    files.AddFile(u"C:\\docs\\b.txt", "b");
    dialogs.ChooseOpen(Memo, /*readOnly=*/true);
    OpenDocument(context, true);
    EXPECT_TRUE(BothLocked());
    EXPECT_TRUE(context.document.IsReadOnly);
    EXPECT_EQ(Panel1(), Memo + u"(読込み専用)");
    EXPECT_FALSE(Editor().Type(u"x"));

    OpenDroppedFile(context, {u"C:\\docs\\b.txt"});
    EXPECT_TRUE(BothLocked());
    EXPECT_EQ(Panel1(), u"C:\\docs\\b.txt(読込み専用)");

    dialogs.ChooseOpen(Memo, /*readOnly=*/false);
    OpenDocument(context, true);
    EXPECT_TRUE(NoneLocked());
    EXPECT_FALSE(context.document.IsReadOnly);
    EXPECT_EQ(Panel1(), Memo);
}

TEST_F(OpenDocumentTest, MissingFileIsCreatedEmptyAndOpenedClean) {
    OpenDocument(context, false, u"C:\\docs\\new.txt");
    EXPECT_EQ(files.Contents(u"C:\\docs\\new.txt"), "");
    EXPECT_EQ(Editor().Text(), u"");
    EXPECT_EQ(frame.Caption(), u"new.txt");
    EXPECT_FALSE(context.document.IsModified);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(OpenDocumentTest, RelativeNameIsItsOwnCaption) {
    OpenDocument(context, false, u"plain.txt");
    EXPECT_EQ(frame.Caption(), u"plain.txt");
    EXPECT_EQ(Panel1(), u"plain.txt");
}

TEST_F(OpenDocumentTest, CancelledPromptStopsBeforeTheDialog) {
    TypeAtEnd(u"x");
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    OpenDocument(context, true);
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_EQ(Editor().Text(), u"x");
}

using SaveDocumentTest = DocumentTest;

TEST_F(SaveDocumentTest, OpenThenSaveLeavesTheFileByteForByte) {
    const std::string original = Bytes(u"一行目\r\n二行目 ｶﾀｶﾅ abc\r\n\r\n最後の行に改行なし");
    OpenFile(Memo, original);
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), original);
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), original);  // saving again adds nothing either
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveDocumentTest, SavedStateShowsNameWithTitleAndPlainPath) {
    OpenFile(Memo, "abc");
    EXPECT_EQ(frame.Caption(), u"memo.txt");
    TypeAtEnd(u"\r\nあ");
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "abc\r\n\x82\xA0");
    EXPECT_EQ(frame.Caption(), u"memo.txt - ScribbitⅡ");
    EXPECT_EQ(Panel1(), Memo);
    EXPECT_FALSE(context.document.IsModified);
}

TEST_F(SaveDocumentTest, ReadOnlyDocumentCanBeSaved) {
    files.AddFile(Memo, "abc");
    dialogs.ChooseOpen(Memo, /*readOnly=*/true);
    OpenDocument(context, true);
    Editor().SetSel(0, 3);
    Editor().ReplaceSel(u"xyz");  // a program-made change goes in even when locked
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "xyz");
}

TEST_F(SaveDocumentTest, UntitledRunsSaveAsAndItsCancelChangesNothing) {
    TypeAtEnd(u"hello");
    dialogs.CancelSave();
    EXPECT_EQ(SaveDocument(context), SaveResult::Cancelled);
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(context.document.CurrentFilePath, u"");
    EXPECT_EQ(Panel1(), u"(変更)");
    EXPECT_EQ(frame.Caption(), u"ScribbitⅡ");
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.ChooseSave(Memo);
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "hello");
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
}

using SaveDocumentAsTest = DocumentTest;

TEST_F(SaveDocumentAsTest, PreselectsTheHtmlFilterForHtmlNamesInAnyCase) {
    const struct {
        std::u16string path;
        int filter;
    } cases[] = {
        {u"C:\\docs\\page.htm", 2},   {u"C:\\docs\\PAGE.HTML", 2},
        {u"C:\\docs\\page.Html", 2},  {u"C:\\docs\\memo.txt", 3},
        {u"C:\\docs\\html", 3},       {u"C:\\docs.html\\memo", 3},
        {u"C:\\docs\\page.html5", 3}, {u"", 3},
    };
    for (const auto& c : cases) {
        context.document.CurrentFilePath = c.path;
        context.commonDialog.filterIndex = 3;  // as the last dialog left it
        dialogs.CancelSave();
        EXPECT_EQ(SaveDocumentAs(context), SaveResult::Cancelled);
        EXPECT_EQ(dialogs.fileDialogs.back().request.filterIndex, c.filter);
    }
}

TEST_F(SaveDocumentAsTest, WritesToTheChosenPathAndRemembersTheDialog) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    dialogs.ChooseSave(u"C:\\docs\\copy.htm", 2);
    EXPECT_EQ(SaveDocumentAs(context), SaveResult::Saved);
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialDir, u"C:\\docs\\");
    EXPECT_EQ(files.Contents(u"C:\\docs\\copy.htm"), "abcd");
    EXPECT_EQ(files.Contents(Memo), "abc");
    EXPECT_EQ(context.document.CurrentFilePath, u"C:\\docs\\copy.htm");
    EXPECT_EQ(context.commonDialog.fileName, u"C:\\docs\\copy.htm");
    EXPECT_EQ(context.commonDialog.filterIndex, 2);
    EXPECT_EQ(frame.Caption(), u"copy.htm - ScribbitⅡ");
    EXPECT_EQ(Panel1(), u"C:\\docs\\copy.htm");
}

using OnEditorChangedTest = DocumentTest;

TEST_F(OnEditorChangedTest, FirstChangeMarksModifiedOnceAndLeavesTheCaption) {
    OpenFile(Memo, "abc");
    const int panelWrites = status.setPanelTextCalls;
    TypeAtEnd(u"d");
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(Panel1(), Memo + u"(変更)");
    EXPECT_EQ(frame.Caption(), u"memo.txt");
    EXPECT_EQ(status.setPanelTextCalls, panelWrites + 1);
    TypeAtEnd(u"e");
    TypeAtEnd(u"f");
    EXPECT_EQ(status.setPanelTextCalls, panelWrites + 1);
}

TEST_F(OnEditorChangedTest, UntitledShowsTheMarkAlone) {
    TypeAtEnd(u"a");
    EXPECT_EQ(Panel1(), u"(変更)");
}

TEST_F(OnEditorChangedTest, UndoItemFollowsTheControl) {
    EXPECT_FALSE(menus.IsEnabled(menu::EditUndo));
    TypeAtEnd(u"a");
    EXPECT_TRUE(menus.IsEnabled(menu::EditUndo));
    Editor().SetText(u"fresh");  // no undo step after a whole new text
    EXPECT_FALSE(menus.IsEnabled(menu::EditUndo));
}

TEST_F(OnEditorChangedTest, WordWrapSwitchIsNoEdit) {
    OpenFile(Memo, "abc");
    const int panelWrites = status.setPanelTextCalls;
    context.EditorSwitching = true;
    txtReturn.SetText(u"abc");
    txtNoReturn.SetText(u"");
    context.EditorSwitching = false;
    EXPECT_FALSE(context.document.IsModified);
    EXPECT_EQ(status.setPanelTextCalls, panelWrites);
}

using OpenDroppedFileTest = DocumentTest;

TEST_F(OpenDroppedFileTest, OpensOnlyTheFirstFileAfterFocusingTheWindow) {
    files.AddFile(u"C:\\docs\\one.txt", "one");
    files.AddFile(u"C:\\docs\\two.txt", "two");
    OpenDroppedFile(context, {u"C:\\docs\\one.txt", u"C:\\docs\\two.txt"});
    EXPECT_EQ(frame.focusCalls, 1);
    EXPECT_EQ(Editor().Text(), u"one");
    EXPECT_EQ(context.document.CurrentFilePath, u"C:\\docs\\one.txt");
    EXPECT_EQ(files.log, std::vector<std::u16string>{u"read C:\\docs\\one.txt"});
}

TEST_F(OpenDroppedFileTest, DropWithoutFilesDoesNothing) {
    OpenDroppedFile(context, {});
    EXPECT_EQ(frame.focusCalls, 0);
    EXPECT_TRUE(files.log.empty());
}

TEST_F(OpenDroppedFileTest, PromptNamesTheCurrentDocumentAndCancelKeepsIt) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    files.AddFile(u"C:\\docs\\dropped.txt", "dropped");
    files.log.clear();
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    OpenDroppedFile(context, {u"C:\\docs\\dropped.txt"});

    EXPECT_EQ(dialogs.messages.back().text,
              u"ファイル C:\\docs\\memo.txtの内容は変更されています。\r\n変更を保存しますか？");
    EXPECT_EQ(Editor().Text(), u"abcd");
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_TRUE(files.log.empty());
}

using FileMenuTest = DocumentTest;

TEST_F(FileMenuTest, DispatchesEachItem) {
    files.AddFile(Memo, "abc");
    dialogs.ChooseOpen(Memo);
    mnuFILE_Click(context, 1);
    EXPECT_EQ(Editor().Text(), u"abc");

    TypeAtEnd(u"d");
    mnuFILE_Click(context, 2);
    EXPECT_EQ(files.Contents(Memo), "abcd");

    dialogs.ChooseSave(u"C:\\docs\\as.txt");
    mnuFILE_Click(context, 3);
    EXPECT_EQ(files.Contents(u"C:\\docs\\as.txt"), "abcd");

    mnuFILE_Click(context, 0);
    EXPECT_EQ(Editor().Text(), u"");
    EXPECT_EQ(context.document.CurrentFilePath, u"");
}

TEST_F(FileMenuTest, SeparatorsDoNothing) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    for (int index : {4, 7, 9}) mnuFILE_Click(context, index);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_EQ(Editor().Text(), u"abcd");
    EXPECT_FALSE(frame.HasQuit());
}

TEST_F(FileMenuTest, ExitAsksFirstAndCancelKeepsTheProgram) {
    TypeAtEnd(u"a");
    dialogs.AnswerMessage(MessageAnswer::Cancel);
    mnuFILE_Click(context, 8);
    EXPECT_FALSE(frame.HasQuit());
    EXPECT_FALSE(context.ended);

    dialogs.AnswerMessage(MessageAnswer::No);
    mnuFILE_Click(context, 8);
    EXPECT_TRUE(frame.HasQuit());
    EXPECT_TRUE(context.ended);
    EXPECT_TRUE(files.FileExists(context.SettingsPath()));
}

TEST_F(FileMenuTest, ExitOfACleanDocumentDoesNotAsk) {
    mnuFILE_Click(context, 8);
    EXPECT_TRUE(frame.HasQuit());
    EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace scribbit
