// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <dlgs.h>
// clang-format on

#include <functional>
#include <thread>

#include "win32/adapter_test.h"
#include "win32/test_window.h"
#include "win32/user_dialogs_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

// Waits for the modal dialog the adapter opens over owner, then answers it
// from another thread as a user would.
class DialogAnswerer {
public:
    DialogAnswerer(HWND owner, std::function<void(HWND)> answer)
        : thread_([owner, answer = std::move(answer)] {
              for (int attempt = 0; attempt < 200; ++attempt) {
                  HWND dialog = FindDialogOf(owner);
                  if (dialog) {
                      Sleep(100);  // let it finish building its controls
                      answer(dialog);
                      return;
                  }
                  Sleep(25);
              }
          }) {}
    ~DialogAnswerer() { thread_.join(); }

private:
    static HWND FindDialogOf(HWND owner) {
        HWND candidate = nullptr;
        while ((candidate = FindWindowExW(nullptr, candidate, L"#32770", nullptr)) != nullptr) {
            if (GetWindow(candidate, GW_OWNER) == owner && IsWindowVisible(candidate)) return candidate;
        }
        return nullptr;
    }
    std::thread thread_;
};

std::u16string DialogCaption(HWND dialog) {
    return WindowText(dialog);
}

ADAPTER_TEST(MessageBoxIsCaptionedWithTheTitleAndReportsTheAnswer) {
    TestWindow window;
    UserDialogsWin32 dialogs;
    dialogs.SetOwner(window.Handle());
    struct Case {
        MessageButtons buttons;
        int click;
        MessageAnswer answer;
    };
    const Case cases[] = {{MessageButtons::YesNoCancel, IDNO, MessageAnswer::No},
                          {MessageButtons::YesNoCancel, IDCANCEL, MessageAnswer::Cancel},
                          {MessageButtons::YesNo, IDYES, MessageAnswer::Yes},
                          {MessageButtons::Ok, IDOK, MessageAnswer::Ok}};
    for (const Case& c : cases) {
        std::u16string caption;
        MessageAnswer answer = MessageAnswer::Ok;
        {
            DialogAnswerer answerer(window.Handle(), [&](HWND box) {
                caption = DialogCaption(box);
                SendMessageW(GetDlgItem(box, c.click), BM_CLICK, 0, 0);
            });
            answer = dialogs.ShowMessage(u"変更を保存しますか？", MessageIcon::Exclamation, c.buttons);
        }
        EXPECT_EQ(caption, std::u16string(u"ScribbitⅡ"));
        EXPECT_EQ(answer, c.answer);
    }
}

ADAPTER_TEST(CancelledFileDialogChangesNothing) {
    TestWindow window;
    UserDialogsWin32 dialogs;
    dialogs.SetOwner(window.Handle());
    FileDialogRequest request;
    request.fileName = u"メモ.txt";
    request.filterIndex = 2;
    request.readOnlyChecked = true;
    FileDialogResult result;
    {
        DialogAnswerer answerer(window.Handle(),
                                [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        result = dialogs.ShowSaveDialog(request);
    }
    EXPECT_EQ(result.outcome, DialogOutcome::Cancelled);
    EXPECT_EQ(result.filterIndex, 2);
    EXPECT_TRUE(result.readOnlyChecked);
    EXPECT_EQ(result.path, std::u16string());
}

ADAPTER_TEST(OpenDialogReturnsTheChosenPathAndTheReadOnlyBox) {
    TestWindow window;
    UserDialogsWin32 dialogs;
    dialogs.SetOwner(window.Handle());
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    FileDialogRequest request;
    request.initialDir = FromWide(temp);
    request.fileName = u"";
    FileDialogResult result;
    std::u16string typed = FromWide(temp) + u"開く.txt";
    {
        DialogAnswerer answerer(window.Handle(), [&](HWND dialog) {
            SendDlgItemMessageW(dialog, chx1, BM_CLICK, 0, 0);
            SetDlgItemTextW(dialog, cmb13, Wide(typed));
            SetDlgItemTextW(dialog, edt1, Wide(typed));
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        result = dialogs.ShowOpenDialog(request);
    }
    EXPECT_EQ(result.outcome, DialogOutcome::Chosen);
    EXPECT_EQ(result.path, typed);
    EXPECT_TRUE(result.readOnlyChecked);
    EXPECT_EQ(result.filterIndex, 1);
}

}  // namespace
}  // namespace scribbit
