// A dialog nobody scripted must fail the test that raised it.
#include "support/fake_user_dialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace scribbit {
namespace {

TEST(FakeUserDialogsTest, AnswersInScriptOrderAndRecordsEverything) {
    FakeUserDialogs dialogs;
    dialogs.AnswerMessage(MessageAnswer::No);
    dialogs.ChooseOpen(u"C:\\a.txt", true, 2);
    dialogs.CancelSave();
    EXPECT_EQ(dialogs.ShowMessage(u"q", MessageIcon::Exclamation, MessageButtons::YesNoCancel),
              MessageAnswer::No);
    const FileDialogResult open = dialogs.ShowOpenDialog(FileDialogRequest{u"C:\\", u"x", 1, false});
    EXPECT_EQ(open.outcome, DialogOutcome::Chosen);
    EXPECT_EQ(open.path, u"C:\\a.txt");
    EXPECT_TRUE(open.readOnlyChecked);
    EXPECT_EQ(open.filterIndex, 2);
    EXPECT_EQ(dialogs.ShowSaveDialog(FileDialogRequest{}).outcome, DialogOutcome::Cancelled);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(dialogs.fileDialogs[0].request.initialDir, u"C:\\");
    EXPECT_EQ(dialogs.fileDialogs[1].kind, FileDialogKind::Save);
}

TEST(FakeUserDialogsTest, UnscriptedOrMismatchedDialogsFail) {
    EXPECT_NONFATAL_FAILURE(
        {
            FakeUserDialogs dialogs;
            EXPECT_EQ(dialogs.ShowMessage(u"surprise", MessageIcon::None, MessageButtons::YesNoCancel),
                      MessageAnswer::Cancel);
        },
        "unscripted message box: surprise");
    EXPECT_NONFATAL_FAILURE(
        {
            FakeUserDialogs dialogs;
            dialogs.AnswerMessage(MessageAnswer::Ok);
            dialogs.ShowSaveDialog(FileDialogRequest{});
            dialogs.ShowMessage(u"x", MessageIcon::None, MessageButtons::Ok);
        },
        "unscripted save dialog");
    EXPECT_NONFATAL_FAILURE(
        {
            FakeUserDialogs dialogs;
            dialogs.AnswerMessage(MessageAnswer::Yes);
            dialogs.ShowMessage(u"ok only", MessageIcon::None, MessageButtons::Ok);
        },
        "not a button");
    EXPECT_NONFATAL_FAILURE(
        {
            FakeUserDialogs dialogs;
            dialogs.CancelOpen();
        },
        "never asked for");
}

}  // namespace
}  // namespace scribbit
