// Text the ANSI code page cannot hold, and bytes it does not give back
// unchanged: the user hears of both before anything changes on disk.
#include <gtest/gtest.h>

#include "app/ansi_checks.h"
#include "app/document.h"
#include "app/document_fixture.h"

using namespace std::string_literals;

namespace scribbit {
namespace {

const std::u16string Memo = u"C:\\docs\\memo.txt";

TEST(LineNumberAtTest, CountsCrLfBreaksBeforeTheOffset) {
    const std::u16string text = u"ab\r\ncd\r\n\r\nef\nx\ry";
    const struct {
        std::size_t offset, line;
    } cases[] = {
        {0, 1},   {2, 1}, {3, 1},                     // the break itself still belongs to its line
        {4, 2},   {8, 3}, {10, 4}, {12, 4}, {14, 4},  // lone LF and CR break nothing
        {100, 4},                                     // past the end: the last line
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LineNumberAt(text, c.offset), c.line) << "offset " << c.offset;
        std::string bytes(text.begin(), text.end());
        EXPECT_EQ(LineNumberAt(bytes, c.offset), c.line) << "byte offset " << c.offset;
    }
}

TEST(EncodeForSaveTest, NamesTheFirstUnrepresentableCharacterAndItsLine) {
    FakeLocale locale;
    const struct {
        const char* name;
        std::u16string text;
        std::u16string character;
        char32_t codePoint;
        std::size_t line;
        bool lone;
        std::string bytes;
    } cases[] = {
        {"nbsp on line 2", u"a\r\nb\u00A0c\u00A0", u"\u00A0", 0xA0, 2, false, "a\r\nb?c?"},
        {"pair is one character", u"x\r\n\r\n\U0001F600y", u"\U0001F600", 0x1F600, 3, false, "x\r\n\r\n??y"},
        {"lone high surrogate",
         u"a\xD83D"
         u"b",
         u"\xD83D", 0xD83D, 1, true, "a?b"},
        {"lone low surrogate", u"\xDE00", u"\xDE00", 0xDE00, 1, true, "?"},
        {"wave dash has no code of its own", u"\u301C", u"\u301C", 0x301C, 1, false, "?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SaveEncoding encoded = EncodeForSave(locale, c.text);
        ASSERT_TRUE(encoded.firstUnrepresentable.has_value());
        EXPECT_EQ(encoded.firstUnrepresentable->character, c.character);
        EXPECT_EQ(encoded.firstUnrepresentable->codePoint, c.codePoint);
        EXPECT_EQ(encoded.firstUnrepresentable->line, c.line);
        EXPECT_EQ(encoded.firstUnrepresentable->loneSurrogate, c.lone);
        EXPECT_EQ(encoded.bytes, c.bytes);
    }
    EXPECT_FALSE(EncodeForSave(locale, u"普通の文章\r\n～①").firstUnrepresentable.has_value());
}

TEST(EncodeForSaveTest, WarningTextNamesCharacterCodeAndLine) {
    UnrepresentableCharacter first{u"\U0001F600", 0x1F600, false, 12};
    EXPECT_EQ(UnrepresentableWarning(first),
              u"この文書には、文字コード(ANSI コードページ)で表せない文字が含まれています。\r\n"
              u"最初の文字: 「\U0001F600」(U+1F600、12 行目)\r\n"
              u"これらの文字は「?」に置き換えて保存されます。保存しますか？");
    // Half a pair cannot be shown, only named.
    UnrepresentableCharacter lone{u"\xD800", 0xD800, true, 1};
    EXPECT_EQ(UnrepresentableWarning(lone).find(u"「\xD800」"), std::u16string::npos);
    EXPECT_NE(UnrepresentableWarning(lone).find(u"最初の文字: (U+D800、1 行目)"), std::u16string::npos);
    UnrepresentableCharacter small{u"\u00A0", 0xA0, false, 3};
    EXPECT_NE(UnrepresentableWarning(small).find(u"(U+00A0、3 行目)"), std::u16string::npos);
}

TEST(DecodeDocumentTest, FindsBytesThatWouldChangeAndNulBytes) {
    FakeLocale locale;
    const struct {
        const char* name;
        std::string bytes;
        std::u16string text;
        std::optional<std::size_t> changedLine;
        std::optional<std::size_t> nulLine;
    } cases[] = {
        {"clean", "a\x82\xA0\r\nb", u"aあ\r\nb", std::nullopt, std::nullopt},
        {"NEC code of a character with two codes", "ok\r\n\x87\x90", u"ok\r\n\u2252", 2, std::nullopt},
        {"its other code round-trips", "\x81\xE0", u"\u2252", std::nullopt, std::nullopt},
        {"IBM code of a NEC character", "\r\n\r\n\xFA\x4A", u"\r\n\r\n\u2160", 3, std::nullopt},
        {"IBM extension without a twin", "\xFA\x40", u"\u2170", std::nullopt, std::nullopt},
        {"full-width not sign, IBM code", "\xEE\xF9", u"\uFFE2", 1, std::nullopt},
        {"NEC-selected IBM code", "\xED\x40", u"\u7E8A", 1, std::nullopt},
        {"invalid trail byte keeps the line break", "a\r\n\x81\r\nb", u"a\r\n\u30FB\r\nb", 2, std::nullopt},
        {"lead byte at the end", "abc\x81", u"abc\u30FB", 1, std::nullopt},
        {"unassigned pair", "\x85\x40z", u"\u30FBz", 1, std::nullopt},
        {"NUL becomes a space", "a\r\nb\0c\0"s, u"a\r\nb c ", std::nullopt, 2},
        {"both", "\0\r\n\x87\x90"s, u" \r\n\u2252", 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedDocument decoded = DecodeDocument(locale, c.bytes);
        EXPECT_EQ(decoded.text, c.text);
        EXPECT_EQ(decoded.firstChangedLine, c.changedLine);
        EXPECT_EQ(decoded.firstNulLine, c.nulLine);
        EXPECT_EQ(LoadWarning(decoded).empty(), !c.changedLine && !c.nulLine);
    }
}

using CodePageSaveTest = DocumentTest;

TEST_F(CodePageSaveTest, NoKeepsTheFileAndTheModifiedDocument) {
    OpenFile(Memo, "before");
    Editor().SetSel(0, 6);
    ASSERT_TRUE(Editor().Type(u"line 1\r\nsmile \U0001F600 and \u00A0"));
    dialogs.AnswerMessage(MessageAnswer::No);

    EXPECT_EQ(SaveDocument(context), SaveResult::Cancelled);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_NE(dialogs.messages[0].text.find(u"「\U0001F600」(U+1F600、2 行目)"), std::u16string::npos);
    EXPECT_EQ(files.Contents(Memo), "before");
    EXPECT_TRUE(context.document.IsModified);
    EXPECT_EQ(Panel1(), Memo + u"(変更)");
}

TEST_F(CodePageSaveTest, YesWritesQuestionMarks) {
    OpenFile(Memo, "");
    TypeAtEnd(u"a\U0001F600b\u00A0");
    dialogs.AnswerMessage(MessageAnswer::Yes);
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "a??b?");
    EXPECT_FALSE(context.document.IsModified);
}

TEST_F(CodePageSaveTest, SaveAsAnsweredNoKeepsThePreviousPath) {
    OpenFile(Memo, "x");
    TypeAtEnd(u"\u00A0");
    dialogs.ChooseSave(u"C:\\docs\\new.txt");
    dialogs.AnswerMessage(MessageAnswer::No);
    EXPECT_EQ(SaveDocumentAs(context), SaveResult::Cancelled);
    EXPECT_FALSE(files.FileExists(u"C:\\docs\\new.txt"));
    EXPECT_EQ(context.document.CurrentFilePath, Memo);
}

using CodePageOpenTest = DocumentTest;

TEST_F(CodePageOpenTest, WarnsOnceAfterTheTextIsShown) {
    files.AddFile(Memo, "first\r\nsecond \x87\x90 \x81\r\nthird\0fourth"s);
    struct Probe : FakeUserDialogs {
        explicit Probe(FakeEditView& v, FakeMainFrame& f) : view(v), frame(f) {}
        MessageAnswer ShowMessage(const std::u16string& text, MessageIcon icon,
                                  MessageButtons buttons) override {
            textWhenShown = view.Text();
            captionWhenShown = frame.Caption();
            return FakeUserDialogs::ShowMessage(text, icon, buttons);
        }
        FakeEditView& view;
        FakeMainFrame& frame;
        std::u16string textWhenShown, captionWhenShown;
    } probe(txtNoReturn, frame);
    AppContext local{
        Ports{frame, txtReturn, txtNoReturn, status, menus, toolbar, probe, clipboard, files, locale},
        u"C:\\Program\\"};
    probe.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(local, false, Memo);

    ASSERT_EQ(probe.messages.size(), 1u);
    EXPECT_EQ(probe.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(probe.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(probe.messages[0].text,
              u"このファイルには、文字コード(ANSI コードページ)として正しくないバイト、"
              u"または同じ文字を別の符号で表したバイトが含まれています(最初の箇所: 2 行目)。\r\n"
              u"保存すると、これらのバイトは書き換えられます。\r\n"
              u"このファイルには NUL 文字(0x00)が含まれています(最初の箇所: 3 行目)。\r\n"
              u"その後ろの文章が失われないよう空白に置き換えて表示しています。保存すると空白として書き込まれ"
              u"ます。");
    EXPECT_EQ(probe.textWhenShown, u"first\r\nsecond \u2252 \u30FB\r\nthird fourth");
    EXPECT_EQ(probe.captionWhenShown, u"memo.txt");
    EXPECT_FALSE(local.document.IsModified);
}

TEST_F(CodePageOpenTest, CleanFileOpensSilentlyAndSavesUnchanged) {
    // Every kind of character the code page has once: ASCII, half-width
    // katakana, kanji, symbols, the NEC row 13 characters that exist only
    // there, IBM extensions that exist only there.
    std::string bytes =
        "ASCII ~\\ \xB1\xB2\xB3 \x8A\xBF\x8E\x9A \x81\x60\x81\x5C \x87\x40\x87\x82 \xFA\x40\xFB\xFC\r\n";
    for (int i = 0; i < 1000; ++i) bytes += "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\r\n";
    OpenFile(Memo, bytes);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), bytes);
}

TEST_F(CodePageOpenTest, DoubleCodedCharacterIsWrittenWithItsUsualCodeAfterTheWarning) {
    files.AddFile(Memo, "\x87\x90");
    dialogs.AnswerMessage(MessageAnswer::Ok);
    OpenDocument(context, false, Memo);
    EXPECT_EQ(SaveDocument(context), SaveResult::Saved);
    EXPECT_EQ(files.Contents(Memo), "\x81\xE0");
}

}  // namespace
}  // namespace scribbit
