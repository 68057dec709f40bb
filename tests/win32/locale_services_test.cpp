#include <windows.h>

#include "win32/adapter_test.h"
#include "win32/locale_services_win32.h"

namespace scribbit {
namespace {

// These expectations are those of the Japanese code page the program is
// made for; the test prefix runs with it.
bool JapaneseCodePage() {
    if (GetACP() == 932) return true;
    adapter_test::RecordFailure(__FILE__, __LINE__, "the ANSI code page is not 932");
    return false;
}

ADAPTER_TEST(ToAnsiEncodesJapaneseTextAndReportsNoLoss) {
    if (!JapaneseCodePage()) return;
    LocaleServicesWin32 locale;
    const AnsiEncoding encoded = locale.ToAnsi(u"あA\r\nｱ漢");
    EXPECT_EQ(encoded.bytes, std::string("\x82\xA0"
                                         "A\r\n\xB1\x8A\xBF"));
    EXPECT_EQ(encoded.firstUnrepresentable, NoPosition);
    EXPECT_EQ(locale.ToAnsi(u"").bytes, std::string());
    EXPECT_EQ(locale.ToAnsi(u"").firstUnrepresentable, NoPosition);
}

ADAPTER_TEST(ToAnsiFindsTheFirstCharacterTheCodePageLacks) {
    if (!JapaneseCodePage()) return;
    LocaleServicesWin32 locale;
    struct Case {
        std::u16string text;
        std::size_t first;
    };
    const Case cases[] = {
        {u"abcé", 3},                           // no best-fit 'e'
        {u"あい\U0001F600う", 2},               // a surrogate pair
        {u"?\u00E9", 1},                        // a real '?' before the loss is not mistaken for it
        {u"x\xD800y", 1},                       // a lone surrogate
        {u"①\u00E9\u00E9", 1},                  // NEC extension encodes; the first loss counts
        {std::u16string(u"a\0b\u0101", 4), 3},  // NUL is kept and counted
    };
    for (const Case& c : cases) EXPECT_EQ(locale.ToAnsi(c.text).firstUnrepresentable, c.first);
}

ADAPTER_TEST(FromAnsiDecodesWholeBuffersKeepingNulBytes) {
    if (!JapaneseCodePage()) return;
    LocaleServicesWin32 locale;
    EXPECT_EQ(locale.FromAnsi(std::string("\x82\xA0\0\x82\xA2", 5)), std::u16string(u"あ\0い", 3));
    EXPECT_EQ(locale.FromAnsi(""), std::u16string());
    // A lead byte with no trail byte at the end must not eat anything before it.
    const std::u16string cut = locale.FromAnsi("ab\x82");
    EXPECT_EQ(cut.substr(0, 2), std::u16string(u"ab"));
    EXPECT_EQ(cut.size(), std::size_t{3});
}

ADAPTER_TEST(LargeTextsRoundTripInLinearTime) {
    if (!JapaneseCodePage()) return;
    LocaleServicesWin32 locale;
    std::u16string text;
    for (int i = 0; i < 400000; ++i) text += u"日本語テキスト abc\r\n";
    const DWORD start = GetTickCount();
    const AnsiEncoding encoded = locale.ToAnsi(text);
    const std::u16string back = locale.FromAnsi(encoded.bytes);
    EXPECT_EQ(encoded.firstUnrepresentable, NoPosition);
    EXPECT_TRUE(back == text);
    EXPECT_TRUE(GetTickCount() - start < 10000);
}

}  // namespace
}  // namespace scribbit
