// Reading the whole text into a buffer kept between reads: the buffer must
// end up holding exactly the control's text, whatever it held before.
#include "win32/adapter_test.h"
#include "win32/edit_view_win32.h"
#include "win32/test_window.h"

namespace scribbit {
namespace {

ADAPTER_TEST(ReadTextReplacesWhateverTheBufferHeld) {
    adapter_test::TestWindow window;
    EditViewWin32 view;
    EXPECT_TRUE(view.Create(window.Handle(), 11, false, EditViewEvents{}));
    std::u16string large;
    while (large.size() < 200'000) large += u"漢字かなｶﾞABC\r\n";
    // Growing, shrinking within the capacity, emptied, and a buffer that
    // starts out longer than the text.
    const std::u16string texts[] = {u"短い", large, u"一行目\r\n二行目", u"", large.substr(0, 12345)};
    std::u16string buffer(300'000, u'x');
    for (const std::u16string& text : texts) {
        EXPECT_EQ(view.SetText(text), SetTextResult::Ok);
        view.ReadText(buffer);
        EXPECT_EQ(buffer.size(), text.size());
        EXPECT_TRUE(buffer == text);
    }
}

}  // namespace
}  // namespace scribbit
