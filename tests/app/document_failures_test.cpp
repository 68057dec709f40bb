// Saves that cannot be done and opens that fail: the previous file and the
// document on screen must both come through whole, and the user is told.
#include <gtest/gtest.h>

#include <functional>

#include "app/document.h"
#include "app/document_fixture.h"
#include "app/error_report.h"

namespace scribbit {
namespace {

const std::u16string Memo = u"C:\\docs\\memo.txt";
const std::u16string Other = u"C:\\docs\\other.txt";
const std::u16string OtherError = u"その他のエラー";

using SaveFailureTest = DocumentTest;

struct BrokenDisk {
    const char* name;
    std::function<void(FakeFileSystem&)> breakIt;
};

class SaveFailureCases : public DocumentTest, public ::testing::WithParamInterface<BrokenDisk> {};

TEST_P(SaveFailureCases, PreviousFileAndModifiedDocumentStayAsTheyWere) {
    OpenFile(Memo, "original");
    TypeAtEnd(u" and more");
    const std::u16string caption = frame.Caption();
    GetParam().breakIt(files);

    dialogs.AnswerMessage(MessageAnswer::Ok);
    EXPECT_EQ(SaveDocument(context), SaveResult::Failed);

    EXPECT_EQ(files.Contents(Memo), "original");
    EXPECT_EQ(files.FilePaths(), std::vector<std::u16string>{Memo});  // no temporary file left
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(frame.Caption(), caption);
    EXPECT_EQ(Panel1(), Memo + u"(変更)");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, OtherError);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, SaveFailureCases,
    ::testing::Values(
        BrokenDisk{
            "TempWrite",
            [](FakeFileSystem& fs) { fs.InjectFailure(Memo, FileStep::WriteTemp, win_error::AccessDenied); }},
        BrokenDisk{"Flush",
                   [](FakeFileSystem& fs) { fs.InjectFailure(Memo, FileStep::Flush, win_error::DiskFull); }},
        BrokenDisk{"Replace",
                   [](FakeFileSystem& fs) {
                       fs.InjectFailure(Memo, FileStep::Replace, win_error::SharingViolation);
                   }},
        BrokenDisk{"DiskFull", [](FakeFileSystem& fs) { fs.SetCapacity(fs.UsedBytes() + 3); }},
        BrokenDisk{"ReadOnlyFile", [](FakeFileSystem& fs) { fs.SetReadOnly(Memo, true); }},
        BrokenDisk{"ReadOnlyFolder", [](FakeFileSystem& fs) { fs.SetFolderReadOnly(u"C:\\docs", true); }},
        BrokenDisk{"Locked", [](FakeFileSystem& fs) { fs.SetLocked(Memo, true); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFailureTest, FailedSaveAsKeepsThePreviousPathAndReportsOnce) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    files.InjectFailure(Other, FileStep::Flush, win_error::DiskFull);
    dialogs.ChooseSave(Other);
    dialogs.AnswerMessage(MessageAnswer::Ok);

    EXPECT_EQ(SaveDocumentAs(context), SaveResult::Failed);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_FALSE(files.FileExists(Other));
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_EQ(Panel1(), Memo + u"(変更)");

    // A later Save still goes where the document came from.
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "abcd");
}

TEST_F(SaveFailureTest, SaveDialogThatFailsIsReportedAsOtherError) {
    TypeAtEnd(u"a");
    FileDialogResult failed;
    failed.outcome = DialogOutcome::Failed;
    failed.error = MakeSystemError(win_error::InvalidName);
    dialogs.AnswerSave(failed);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    EXPECT_EQ(SaveDocumentAs(context), SaveResult::Failed);
    EXPECT_EQ(dialogs.messages.back().text, OtherError);
    EXPECT_TRUE(context.document.IsModified);
}

TEST_F(SaveFailureTest, SaveFailsAgainAfterTheDiskIsFixedItWorks) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    files.SetLocked(Memo, true);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    EXPECT_EQ(SaveDocument(context), SaveResult::Failed);
    files.SetLocked(Memo, false);
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "abcd");
    EXPECT_FALSE(context.document.IsModified);
}

using OpenFailureTest = DocumentTest;

std::u16string Widen(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

std::u16string Report(const std::u16string& path, std::uint32_t code) {
    return u"エラーです。\r\nOpenFileName: " + path + u"\r\nオブジェクト : ScribbitⅡ\r\nエラー番号   : " +
           Widen(std::to_string(code)) + u"\r\n" + MakeSystemError(code).description + u"\r\nVer 1.57";
}

TEST_F(OpenFailureTest, ReportTextHasSixLines) {
    SystemError error = MakeSystemError(win_error::SharingViolation);
    EXPECT_EQ(ErrorReportText(error, u"C:\\x.txt"),
              u"エラーです。\r\nOpenFileName: C:\\x.txt\r\nオブジェクト : ScribbitⅡ\r\nエラー番号   : 32\r\n"
              u"プロセスはファイルにアクセスできません。別のプロセスが使用中です。\r\nVer 1.57");
    error.source.clear();
    error.code = 0;
    EXPECT_EQ(ErrorReportText(error),
              u"エラーです。\r\nオブジェクト : ScribbitⅡ\r\nエラー番号   : 0\r\n"
              u"プロセスはファイルにアクセスできません。別のプロセスが使用中です。\r\nVer 1.57");
}

struct FailingOpen {
    const char* name;
    std::u16string path;
    std::function<void(FakeFileSystem&)> setUp;
    std::uint32_t code;
};

class OpenFailureCases : public DocumentTest, public ::testing::WithParamInterface<FailingOpen> {};

TEST_P(OpenFailureCases, RestoresTheWholeDocumentAndReportsOnTheClipboard) {
    const FailingOpen& c = GetParam();
    // The current document: opened read-only, then changed by the program.
    dialogs.ChooseOpen(Memo, /*readOnly=*/true);
    files.AddFile(Memo, "mine");
    OpenDocument(context, true);
    Editor().SetSel(4, 0);
    Editor().ReplaceSel(u"!");
    ASSERT_TRUE(context.document.IsModified);
    c.setUp(files);
    clipboard.Put(u"user's clip");

    // The new file is picked without the read-only box, then fails.
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.ChooseOpen(c.path, /*readOnly=*/false);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, true);

    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, Report(c.path, c.code));
    EXPECT_EQ(dialogs.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.messages[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(clipboard.Contents(), dialogs.messages[1].text);

    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_TRUE(context.document.IsReadOnly);
    EXPECT_TRUE(BothLocked());
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(Editor().Text(), u"mine!");
    EXPECT_EQ(frame.Caption(), u"memo.txt");
    EXPECT_EQ(Panel1(), Memo + u"(変更)");
}

INSTANTIATE_TEST_SUITE_P(
    EveryCause, OpenFailureCases,
    ::testing::Values(
        FailingOpen{"LockedFile", u"C:\\docs\\locked.txt",
                    [](FakeFileSystem& fs) {
                        fs.AddFile(u"C:\\docs\\locked.txt", "x");
                        fs.SetLocked(u"C:\\docs\\locked.txt", true);
                    },
                    win_error::SharingViolation},
        FailingOpen{"Folder", u"C:\\docs\\sub", [](FakeFileSystem& fs) { fs.AddFolder(u"C:\\docs\\sub"); },
                    win_error::AccessDenied},
        FailingOpen{"BadName", u"C:\\docs\\a?.txt", [](FakeFileSystem&) {}, win_error::InvalidName},
        FailingOpen{"MissingFolder", u"C:\\nowhere\\a.txt", [](FakeFileSystem&) {}, win_error::PathNotFound},
        FailingOpen{"NewFileInReadOnlyFolder", u"C:\\ro\\new.txt",
                    [](FakeFileSystem& fs) { fs.AddFolder(u"C:\\ro", true); }, win_error::AccessDenied},
        FailingOpen{"ReadError", u"C:\\docs\\bad.txt",
                    [](FakeFileSystem& fs) {
                        fs.AddFile(u"C:\\docs\\bad.txt", "x");
                        fs.InjectFailure(u"C:\\docs\\bad.txt", FileStep::Read, win_error::AccessDenied);
                    },
                    win_error::AccessDenied}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenFailureTest, SaveAfterAFailedOpenWritesToThePreviousFile) {
    OpenFile(Memo, "abc");
    TypeAtEnd(u"d");
    files.AddFile(Other, "other's bytes");
    files.SetLocked(Other, true);
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDroppedFile(context, {Other});
    files.SetLocked(Other, false);

    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Other), "other's bytes");
    EXPECT_EQ(files.Contents(Memo), "abcd");
}

TEST_F(OpenFailureTest, TooLargeOnlyWhenTheControlRefuses) {
    Editor().SetCapacity(8);
    OpenFile(Memo, "12345678");  // exactly the capacity opens
    EXPECT_EQ(Editor().Text(), u"12345678");
    clipboard.Put(std::nullopt);

    files.AddFile(Other, "123456789");
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, false, Other);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::u16string expected =
        u"ごめんなさい、32kB以上のファイルは開けません。\r\n"
        u"すみませんが、32kB以下のファイルで編集を行って下さい。\r\n\r\n"
        u"もし、32kB以下のファイルを開いてこのエラーが出た場合は、\r\n"
        u"メモリが足りなくなっている可能性があります。\r\n"
        u"使用していないアプリケーションは終了するなどして下さい。";
    EXPECT_EQ(dialogs.messages[0].text, expected);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(clipboard.Contents(), expected);
    EXPECT_EQ(Editor().Text(), u"12345678");
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_FALSE(context.document.IsModified);
    EXPECT_EQ(frame.Caption(), u"memo.txt");
    EXPECT_EQ(Panel1(), Memo);
}

TEST_F(OpenFailureTest, TruncatedTextOfARefusedFileDoesNotStayInTheEditor) {
    OpenFile(Memo, "mine");
    TypeAtEnd(u"!");
    Editor().SetCapacity(8);
    Editor().SetKeepsPartOfTooLargeText(true);
    files.AddFile(Other, "0123456789");
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, false, Other);

    EXPECT_EQ(Editor().Text(), u"mine!");
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(Panel1(), Memo + u"(変更)");
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "mine!");
}

TEST_F(OpenFailureTest, FailedReadOnlyOpenUnlocksTheViewsAgain) {
    OpenFile(Memo, "mine");
    context.commonDialog.readOnlyChecked = true;
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, false, u"C:\\docs\\bad|name.txt");
    EXPECT_TRUE(NoneLocked());
    EXPECT_FALSE(context.document.IsReadOnly);
    EXPECT_EQ(Panel1(), Memo);
    EXPECT_TRUE(Editor().Type(u"typing works"));
}

TEST_F(OpenFailureTest, BusyClipboardStillShowsTheReport) {
    clipboard.SetBusy(true);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, false, u"C:\\docs\\bad|name.txt");
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(clipboard.setTextCalls, 1);
}

TEST_F(OpenFailureTest, ReportGoesOnTheClipboardOnlyAfterTheBoxIsClosed) {
    clipboard.Put(u"before");
    // Record what the clipboard held while the box was up.
    struct Probe : FakeUserDialogs {
        explicit Probe(FakeClipboard& c) : clip(c) {}
        MessageAnswer ShowMessage(const std::u16string&, MessageIcon, MessageButtons) override {
            seen = clip.Contents();
            return MessageAnswer::Ok;
        }
        FakeClipboard& clip;
        std::optional<std::u16string> seen;
    } probe(clipboard);
    AppContext local{
        Ports{frame, txtReturn, txtNoReturn, status, menus, toolbar, probe, clipboard, files, locale},
        u"C:\\Program\\"};
    OpenDocument(local, false, u"C:\\docs\\bad|name.txt");
    EXPECT_EQ(probe.seen, u"before");
    EXPECT_NE(clipboard.Contents(), u"before");
}

TEST_F(OpenFailureTest, OpenDialogThatFailsIsReported) {
    FileDialogResult failed;
    failed.outcome = DialogOutcome::Failed;
    failed.error = SystemError{12290, u"ファイル名のバッファーが小さすぎます。", u"CommonDialog"};
    dialogs.AnswerOpen(failed);
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, true);
    EXPECT_EQ(dialogs.messages.back().text,
              u"エラーです。\r\nOpenFileName: \r\nオブジェクト : CommonDialog\r\nエラー番号   : 12290\r\n"
              u"ファイル名のバッファーが小さすぎます。\r\nVer 1.57");
    EXPECT_EQ(frame.Caption(), u"ScribbitⅡ");
}

}  // namespace
}  // namespace scribbit
