// Any bytes opened as a document, saved, typed into and saved again: what
// the code page gives back is written back byte for byte; anything else is
// told first, naming its line, and a save the user declines leaves the file
// alone and the document modified.
#include <fuzzer/FuzzedDataProvider.h>

#include "app/ansi_checks.h"
#include "app/document.h"
#include "core/utf16.h"
#include "fuzz/fuzz_input.h"
#include "support/app_fixture.h"

namespace scribbit {
namespace {

// The lines of bytes or text, each without its CR LF.
template <class C>
std::vector<std::basic_string_view<C>> Lines(std::basic_string_view<C> text) {
    const C crlf[] = {'\r', '\n'};
    std::vector<std::basic_string_view<C>> lines;
    for (std::size_t start = 0, end = 0; end != text.npos; start = end + 2) {
        end = text.find(std::basic_string_view<C>(crlf, 2), start);
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

}  // namespace
}  // namespace scribbit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    FuzzedDataProvider input(data, size);
    const std::u16string typed =
        TextOf(input.ConsumeRandomLengthString(16), u"aあ\r\n\u00E9\u4E02①\xD83D\xDE00\xDC00");
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::u16string path = u"C:\\docs\\memo.txt";
    AppFixture app;

    // Opened: the lines whose bytes would not come back, and NULs, are told.
    const auto original = Lines<char>(bytes);
    const std::string again = app.locale.ToAnsi(app.locale.FromAnsi(bytes)).bytes;
    const auto back = Lines<char>(again);
    DecodedDocument told;
    for (std::size_t i = 0; i < original.size(); ++i) {
        if (!told.firstChangedLine && (i >= back.size() || back[i] != original[i]))
            told.firstChangedLine = i + 1;
        if (!told.firstNulLine && original[i].find('\0') != original[i].npos) told.firstNulLine = i + 1;
    }
    if (told.firstChangedLine || told.firstNulLine) app.dialogs.Answer(MessageAnswer::Ok);
    app.Open(path, bytes);
    EXPECT_EQ(app.LastMessage(), LoadWarning(told));
    EXPECT_EQ(app.frame.caption, u"memo.txt");
    std::string nulsAsBlanks = bytes;
    std::ranges::replace(nulsAsBlanks, '\0', ' ');
    EXPECT_EQ(SaveDocument(app.Context()), SaveResult::Saved);
    if (!told.firstChangedLine) EXPECT_EQ(OnDisk(app.files, path), nulsAsBlanks);

    // Typed: the first character the code page lacks is named with its line.
    EXPECT_TRUE(app.Type(typed));
    const std::u16string text = app.View().Text();
    const std::optional<std::string> saved = OnDisk(app.files, path);
    std::optional<UnrepresentableCharacter> lacking;
    for (std::size_t i = 0, n = 1; i < text.size() && !lacking; i += n) {
        n = CharLength(text, i);
        const std::u16string character = text.substr(i, n);
        if (app.locale.ToAnsi(character).firstUnrepresentable == NoPosition) continue;
        const char32_t code =
            n == 2 ? 0x10000 + ((character[0] - 0xD800) << 10) + (character[1] - 0xDC00) : character[0];
        lacking = UnrepresentableCharacter{character, code, IsSurrogate(character[0]) && n == 1,
                                           Lines<char16_t>(std::u16string_view(text).substr(0, i)).size()};
    }
    if (lacking) {
        app.dialogs.Answer(MessageAnswer::No);
        EXPECT_EQ(SaveDocument(app.Context()), SaveResult::Cancelled);
        EXPECT_EQ(app.LastMessage(), UnrepresentableWarning(*lacking));
        EXPECT_EQ(OnDisk(app.files, path), saved);
        EXPECT_TRUE(app.Context().document.IsModified);
    } else {
        EXPECT_EQ(SaveDocument(app.Context()), SaveResult::Saved);
        EXPECT_EQ(app.locale.FromAnsi(OnDisk(app.files, path).value_or("")), text);
    }
    return 0;
}
