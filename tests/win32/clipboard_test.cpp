#include <thread>

#include "win32/adapter_test.h"
#include "win32/clipboard_win32.h"
#include "win32/test_window.h"

namespace scribbit {
namespace {

using adapter_test::TestWindow;

ADAPTER_TEST(ClipboardRoundTripsUnicodeText) {
    TestWindow window;
    ClipboardWin32 clipboard;
    clipboard.SetOwner(window.Handle());
    const std::u16string texts[] = {u"日本語\r\nテキスト", u"", u"\U0001F600 surrogate"};
    for (const std::u16string& text : texts) {
        EXPECT_TRUE(clipboard.SetText(text));
        const std::optional<std::u16string> back = clipboard.GetText();
        EXPECT_TRUE(back.has_value());
        if (back) EXPECT_EQ(*back, text);
    }
}

ADAPTER_TEST(ClipboardHeldByAnotherWindowFailsAfterRetries) {
    TestWindow window;
    ClipboardWin32 clipboard;
    clipboard.SetOwner(window.Handle());
    EXPECT_TRUE(clipboard.SetText(u"before"));

    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        TestWindow other;
        OpenClipboard(other.Handle());
        SetEvent(opened);
        WaitForSingleObject(release, 5000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 5000);
    EXPECT_TRUE(!clipboard.IsAvailable());
    EXPECT_TRUE(!clipboard.SetText(u"while held"));
    EXPECT_TRUE(!clipboard.GetText().has_value());
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);

    EXPECT_TRUE(clipboard.IsAvailable());
    const std::optional<std::u16string> after = clipboard.GetText();
    EXPECT_TRUE(after.has_value());
    if (after) EXPECT_EQ(*after, std::u16string(u"before"));
}

}  // namespace
}  // namespace scribbit
