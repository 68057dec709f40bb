// The CP932 double: exact two-way mappings only, and a documented answer
// for every byte sequence the code page does not define.
#include "support/fake_locale.h"

#include <gtest/gtest.h>

#include <chrono>

namespace scribbit {
namespace {

using namespace std::string_literals;

TEST(FakeLocaleTest, CharactersWithOneCodeRoundTrip) {
    FakeLocale locale;
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"", ""},
        {u"abc\r\n~\\", "abc\r\n~\\"},
        {u"あア", "\x82\xA0\x83\x41"},
        {u"ｱﾞ", "\xB1\xDE"},
        {u"～", "\x81\x60"},  // U+FF5E is the code page's tilde
        {u"①", "\x87\x40"},
        {u"≒", "\x81\xE0"},  // the usual code of a character with two
        {u"纊", "\xFA\x5C"},
        {u"\0x"s, "\0x"s},
    };
    for (const auto& c : cases) {
        const AnsiEncoding encoded = locale.ToAnsi(c.text);
        EXPECT_EQ(encoded.bytes, c.bytes);
        EXPECT_EQ(encoded.firstUnrepresentable, NoPosition);
        EXPECT_EQ(locale.FromAnsi(c.bytes), c.text);
    }
}

TEST(FakeLocaleTest, NoBestFitSubstitutions) {
    FakeLocale locale;
    // The C library maps these one way onto other characters' codes.
    for (const std::u16string text : {u"\u301C", u"\u00A5", u"\u203E", u"\u2212", u"\u2016", u"\u00A2"}) {
        const AnsiEncoding encoded = locale.ToAnsi(u"ok" + text);
        EXPECT_EQ(encoded.bytes, "ok?");
        EXPECT_EQ(encoded.firstUnrepresentable, 2u);
    }
}

TEST(FakeLocaleTest, FirstUnrepresentableIsTheFirstOneAndAPairIsOneCharacter) {
    FakeLocale locale;
    const AnsiEncoding encoded = locale.ToAnsi(u"a\U0001F600b\u00A0\xD800");
    EXPECT_EQ(encoded.bytes, "a?b??");
    EXPECT_EQ(encoded.firstUnrepresentable, 1u);
}

TEST(FakeLocaleTest, InvalidBytesBecomeTheMiddleDot) {
    FakeLocale locale;
    const struct {
        std::string bytes;
        std::u16string text;
    } cases[] = {
        {"\x80", u"\u30FB"},           {"\xA0\xFD\xFE\xFF", u"\u30FB\u30FB\u30FB\u30FB"},
        {"\x85\x40", u"\u30FB"},        // unassigned pair: one character
        {"\x81\r\n", u"\u30FB\r\n"},    // lead byte before a line break
        {"\x82", u"\u30FB"},            // lead byte at the end
        {"\x82\x00z"s, u"\u30FB\0z"s},  // NUL survives a lead byte
    };
    for (const auto& c : cases) EXPECT_EQ(locale.FromAnsi(c.bytes), c.text);
}

TEST(FakeLocaleTest, MegabytesConvertQuickly) {
    FakeLocale locale;
    std::u16string text;
    for (int i = 0; i < 200000; ++i) text += u"日本語のテキスト abc\r\n";
    const auto start = std::chrono::steady_clock::now();
    const AnsiEncoding encoded = locale.ToAnsi(text);
    const std::u16string back = locale.FromAnsi(encoded.bytes);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(back, text);
    // Generous enough for a sanitizer build; a per-character converter call
    // would take many times longer.
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

}  // namespace
}  // namespace scribbit
