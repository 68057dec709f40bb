// Opening and saving a large document through the doubles: decoding, the
// round-trip check, the unrepresentable-character check and encoding must
// all stay linear in the text. Prints MB/s for each.
#include <chrono>
#include <cstdio>
#include <string>

#include "app/ansi_checks.h"
#include "app/document.h"
#include "support/app_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

double MegabytesPerSecond(std::size_t bytes, Clock::duration elapsed) {
    const double seconds = std::chrono::duration<double>(elapsed).count();
    return seconds > 0 ? static_cast<double>(bytes) / (1024.0 * 1024.0) / seconds : 0.0;
}

}  // namespace

int main() {
    using namespace scribbit;
    AppFixture app;

    std::u16string line = u"日本語の文章とｶﾀｶﾅ、ASCII text 123、全角ＡＢＣ、記号①≒～\r\n";
    std::u16string text;
    while (text.size() < 10u * 1024 * 1024 / 2) text += line;
    const std::string bytes = app.locale.ToAnsi(text).bytes;
    const std::u16string path = u"C:\\bench\\large.txt";
    app.files.disk[path] = bytes;

    (void)app.locale.FromAnsi("warm up the code page tables");

    auto start = Clock::now();
    const DecodedDocument decoded = DecodeDocument(app.locale, bytes);
    const auto decodeTime = Clock::now() - start;

    start = Clock::now();
    const SaveEncoding encoded = EncodeForSave(app.locale, decoded.text);
    const auto encodeTime = Clock::now() - start;

    start = Clock::now();
    OpenDocument(app.Context(), false, path);
    const auto openTime = Clock::now() - start;

    start = Clock::now();
    const SaveResult saved = SaveDocument(app.Context());
    const auto saveTime = Clock::now() - start;

    const bool identical = app.files.disk[path] == bytes && encoded.bytes == bytes;
    std::printf("document of %.1f MB (%zu UTF-16 units)\n", bytes.size() / (1024.0 * 1024.0), text.size());
    std::printf("decode + round-trip check: %8.1f MB/s\n", MegabytesPerSecond(bytes.size(), decodeTime));
    std::printf("encode + character check:  %8.1f MB/s\n", MegabytesPerSecond(bytes.size(), encodeTime));
    std::printf("OpenDocument:              %8.1f MB/s\n", MegabytesPerSecond(bytes.size(), openTime));
    std::printf("SaveDocument:              %8.1f MB/s\n", MegabytesPerSecond(bytes.size(), saveTime));
    std::printf("saved byte for byte: %s\n", saved == SaveResult::Saved && identical ? "yes" : "NO");
    return saved == SaveResult::Saved && identical ? 0 : 1;
}
