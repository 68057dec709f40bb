// Any bytes opened as a document, saved, typed into and saved again: the
// user is told when the bytes would not come back or hold NULs, what comes
// back is written back byte for byte, and a character the code page lacks
// is asked about first; a save the user declines leaves the file alone and
// the document modified.
#include <fuzzer/FuzzedDataProvider.h>

#include "app/document.h"
#include "fuzz/fuzz_input.h"
#include "support/app_fixture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace scribbit;
    FuzzedDataProvider input(data, size);
    const std::u16string typed =
        TextOf(input.ConsumeRandomLengthString(16), u"aあ\r\n\u00E9\u4E02①\xD83D\xDE00\xDC00");
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const std::u16string path = u"C:\\docs\\memo.txt";
    AppFixture app;

    // Opened: a warning exactly when something would change on saving.
    const bool changed = app.locale.ToAnsi(app.locale.FromAnsi(bytes)).bytes != bytes;
    if (changed || bytes.find('\0') != bytes.npos) app.dialogs.Answer(MessageAnswer::Ok);
    app.Open(path, bytes);
    std::string nulsAsBlanks = bytes;
    std::ranges::replace(nulsAsBlanks, '\0', ' ');
    EXPECT_EQ(SaveDocument(app.Context()), SaveResult::Saved);
    if (!changed) EXPECT_EQ(app.files.disk.at(path), nulsAsBlanks);

    // Typed: saved whole, or declined after the question with nothing written.
    EXPECT_TRUE(app.Type(typed));
    const std::u16string text = app.View().Text();
    const std::string saved = app.files.disk.at(path);
    if (app.locale.ToAnsi(text).firstUnrepresentable != NoPosition) {
        app.dialogs.Answer(MessageAnswer::No);
        EXPECT_EQ(SaveDocument(app.Context()), SaveResult::Cancelled);
        EXPECT_EQ(app.files.disk.at(path), saved);
        EXPECT_TRUE(app.Context().document.IsModified);
    } else {
        EXPECT_EQ(SaveDocument(app.Context()), SaveResult::Saved);
        EXPECT_EQ(app.locale.FromAnsi(app.files.disk.at(path)), text);
    }
    return 0;
}
