// Speed of the text conversions, a text-mode search to the last occurrence
// and a ReplaceAll with a million replacements, on a 10 MB mixed Japanese
// text (and on a quarter of it, to show the cost grows linearly).
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "editing/conversions.h"
#include "editing/edit_commands.h"
#include "editing/find_replace.h"
#include "support/app_fixture.h"
#include "support/utf8.h"

namespace scribbit {
namespace {

constexpr std::u16string_view Marker = u"ＭＡＲＫＥＲ";

// About `units` UTF-16 units of lines mixing hiragana, katakana, kanji,
// ASCII, full-width forms, half-width kana with voiced marks, tabs and
// spaces, ended by CR LF. Every line holds exactly one form of "が"
// (が, ガ or ｶﾞ); the marker ends the text in full-width capitals.
std::u16string MakeText(std::size_t units, std::size_t& gaCount) {
    static const std::u16string_view pieces[] = {
        u"ひら", u"カナ", u"漢字", u"AB", u"ＦＷ", u"ﾊﾟﾝ", u"a\\b/", u"\"q\"", u"\t", u"  ", u"東京", u"Ｅｄ",
    };
    static const std::u16string_view gaForms[] = {u"が", u"ガ", u"ｶﾞ"};
    std::mt19937 random(20021225);
    std::u16string text;
    text.reserve(units + 64);
    gaCount = 0;
    for (int chunk = 1; text.size() < units; ++chunk) {
        text += pieces[random() % std::size(pieces)];
        text += gaForms[random() % std::size(gaForms)];
        ++gaCount;
        if (chunk % 8 == 0) text += u" \r\n";
    }
    text += Marker;
    return text;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

template <class Work>
double MegabytesPerSecond(std::size_t units, Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const double seconds = Seconds(std::chrono::steady_clock::now() - start);
    return (units * 2.0 / (1024.0 * 1024.0)) / (seconds > 0 ? seconds : 1e-9);
}

void Run(std::size_t units) {
    std::size_t gaCount = 0;
    const std::u16string text = MakeText(units, gaCount);
    std::printf("text: %zu UTF-16 units (%.1f MB), %zu forms of が\n", text.size(),
                text.size() * 2.0 / 1048576.0, gaCount);

    AppFixture fixture;
    const char* names[] = {"ひらがな→カタカナ",
                           "全角→半角",
                           "小文字→大文字",
                           "",
                           "カタカナ→ひらがな",
                           "半角→全角",
                           "大文字→小文字",
                           "",
                           "CR+LF→LF",
                           "LF→CR+LF",
                           "",
                           "タブ→スペース",
                           "スペース→タブ",
                           "",
                           "\\→/",
                           "/→\\",
                           "",
                           "行末のスペース削除",
                           "改行(CR+LF)の削除",
                           "",
                           "行末に<br>追加"};
    for (int index = 0; index <= 20; ++index) {
        const auto conversion = ConversionAt(index);
        if (!conversion) continue;
        std::size_t resultSize = 0;
        const double rate = MegabytesPerSecond(text.size(), [&] {
            resultSize = Convert(*conversion, text, 4, fixture.text, fixture.form.Editing().folder)->size();
        });
        std::printf("  %-28s %8.1f MB/s  (result %zu units)\n", names[index], rate, resultSize);
    }

    fixture.View().SetText(text);
    fixture.View().SetSel(0, 0);
    fixture.Context().search.SearchText = u"marker";
    bool found = false;
    const double findRate =
        MegabytesPerSecond(text.size(), [&] { found = FindNext(fixture.form.Editing()); });
    std::printf("  %-28s %8.1f MB/s  (found at %lld: %s)\n", "FindNext (text mode, last)", findRate,
                static_cast<long long>(fixture.Context().search.FoundPosition), found ? "yes" : "no");

    fixture.dialogs.Answer(MessageAnswer::Ok);
    bool replaced = false;
    const double replaceRate = MegabytesPerSecond(
        text.size(), [&] { replaced = ReplaceAll(fixture.form.Editing(), u"が", u"[GA]", true, false); });
    std::printf("  %-28s %8.1f MB/s  (%s)\n", "ReplaceAll (text mode)", replaceRate,
                replaced ? Utf8(fixture.dialogs.messages.back().text).c_str() : "nothing replaced");
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
