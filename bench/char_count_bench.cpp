// Cost of the recount that runs on every key release, on a 10 MB mixed
// Japanese text, in both units: the whole UpdateCharCount, and apart from
// it the text read and the full ANSI conversion it avoids.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/app_fixture.h"
#include "view/char_count.h"

namespace scribbit {
namespace {

// Lines of hiragana, katakana, kanji, ASCII, full-width forms, half-width
// kana, a character outside the code page and CR LF breaks.
std::u16string MakeText(std::size_t units) {
    static const std::u16string_view pieces[] = {
        u"ひらがな", u"カタカナ", u"漢字", u"ASCII ", u"ＦＷ", u"ﾊﾟﾝ", u"𠀋", u"\t", u"①", u"東京",
    };
    std::mt19937 random(20021225);
    std::u16string text;
    text.reserve(units + 16);
    for (int chunk = 1; text.size() < units; ++chunk) {
        text += pieces[random() % std::size(pieces)];
        if (chunk % 10 == 0) text += u"\r\n";
    }
    return text;
}

// The fastest of a few runs, in milliseconds.
template <class Work>
double BestMilliseconds(Work&& work) {
    double best = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

std::string Narrow(const std::u16string& digits) {
    return std::string(digits.begin(), digits.end());
}

void Run(std::size_t units) {
    AppFixture app;
    app.form.Form_Load(u"");
    const std::u16string text = MakeText(units);
    app.View().SetText(text);
    std::printf("text: %zu UTF-16 units (%.1f MB)\n", text.size(), text.size() * 2.0 / 1048576.0);

    for (const int unit : {0, 1}) {
        mnuCOUNT_Click(app.Context(), unit);
        const double ms = BestMilliseconds([&] { UpdateCharCount(app.Context()); });
        std::printf("  UpdateCharCount (%s)%*s %8.2f ms  -> %s\n", unit == 0 ? "characters" : "bytes",
                    unit == 0 ? 0 : 5, "", ms, Narrow(app.status.PanelText(3)).c_str());
    }
    std::size_t sink = 0;
    std::printf("  %-29s %8.2f ms\n", "Text() copy",
                BestMilliseconds([&] { sink += app.View().Text().size(); }));
    std::printf("  %-29s %8.2f ms\n", "ToAnsi (whole text)",
                BestMilliseconds([&] { sink += app.locale.ToAnsi(text).bytes.size(); }));
    const std::string exact = std::to_string(app.locale.ToAnsi(text).bytes.size());
    std::printf("  bytes by full conversion: %s (%s)\n", exact.c_str(),
                Narrow(app.status.PanelText(3)) == exact ? "equal" : "DIFFERENT");
    if (sink == 0) std::printf("(nothing counted)\n");
}

}  // namespace
}  // namespace scribbit

int main() {
    constexpr std::size_t TenMegabytes = 10u * 1024u * 1024u / 2u;  // UTF-16 units
    std::printf("-- quarter size --\n");
    scribbit::Run(TenMegabytes / 4);
    std::printf("-- 10 MB --\n");
    scribbit::Run(TenMegabytes);
    return 0;
}
