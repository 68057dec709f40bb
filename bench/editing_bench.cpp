// Speed of the text conversions, a text-mode search to the last occurrence
// and a ReplaceAll with a million replacements, on a 10 MB mixed Japanese
// text (and on a quarter of it, to show the cost grows linearly).
//
// The figures are the logic's own: MB/s of UTF-16 text per second of this
// thread's CPU time, so that other work on a busy machine does not count.
// The kana, width and case mappings are the locale's work (LCMapStringW in
// the program); here they come from a table built from the in-memory
// locale's mappings before anything is timed, so that the rows that map
// show what our code adds around the mapping, not the cost of the test
// double's lookups. The table is checked against the double on the text.
#include <time.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "editing/conversions.h"
#include "editing/find_replace.h"
#include "editing/text_compare.h"
#include "support/app_fixture.h"
#include "support/fake_locale.h"

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

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The best of three runs, each after an untimed `prepare`: the first run
// also pays for memory the process has not used before.
template <class Prepare, class Work>
double MegabytesPerSecond(std::size_t units, Prepare&& prepare, Work&& work) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        prepare();
        const double start = ThreadSeconds();
        work();
        best = std::min(best, ThreadSeconds() - start);
    }
    return (units * 2.0 / (1024.0 * 1024.0)) / (best > 0 ? best : 1e-9);
}

// The in-memory locale's mappings as flat tables: every code unit mapped
// alone, and the half-width kana with a voiced mark that map as one. A
// unit's mapping is one entry of at most two units, written whole, so that
// the rows show our code rather than the table's branches and the waits
// of its loads.
class TableTextServices final : public TextServices {
public:
    explicit TableTextServices(const FakeTextServices& source) : source_(source) {
        for (int m = 0; m < MappingCount; ++m) {
            const auto mapping = static_cast<TextMapping>(m);
            Table& table = tables_[static_cast<std::size_t>(m)];
            for (std::uint32_t u = 0; u < 0x10000; ++u) {
                const std::u16string unit(1, static_cast<char16_t>(u));
                table.units[u] = Pack(source.Map(unit, mapping).value_or(unit));
                table.anyTwoUnits = table.anyTwoUnits || table.units[u] >> 16 != 0;
            }
            for (char16_t kana = FirstKana; kana <= LastKana; ++kana) {
                for (const char16_t mark : {FirstMark, LastMark}) {
                    const std::u16string pair{kana, mark};
                    const std::u16string mapped = *source.Map(pair, mapping);
                    if (mapped !=
                        *source.Map(pair.substr(0, 1), mapping) + *source.Map(pair.substr(1), mapping)) {
                        table.pairs[PairSlot(kana, mark)] = Pack(mapped);
                        table.anyPair = true;
                        table.anyTwoUnits = table.anyTwoUnits || mapped.size() == 2;
                    }
                }
            }
        }
    }

    std::optional<std::u16string> Map(std::u16string_view text, TextMapping mapping) const override {
        const Table& table = tables_[static_cast<std::size_t>(mapping)];
        return table.anyTwoUnits ? MapWith<true>(table, text) : MapWith<false>(table, text);
    }
    bool EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const override {
        return source_.EqualIgnoringCaseWidthKana(a, b);
    }
    LocalTime Now() const override { return source_.Now(); }
    std::u16string FormatTime(const LocalTime& time) const override { return source_.FormatTime(time); }
    std::u16string FormatShortDate(const LocalTime& time) const override {
        return source_.FormatShortDate(time);
    }

private:
    static constexpr int MappingCount = 6;
    static constexpr char16_t FirstKana = 0xFF66, LastKana = 0xFF9D, FirstMark = 0xFF9E, LastMark = 0xFF9F;
    static std::size_t PairSlot(char16_t kana, char16_t mark) {
        return static_cast<std::size_t>(kana - FirstKana) * 2 + static_cast<std::size_t>(mark - FirstMark);
    }
    struct Table {
        std::vector<std::uint32_t> units = std::vector<std::uint32_t>(0x10000);
        std::array<std::uint32_t, 2 * (LastKana - FirstKana + 1)> pairs{};
        bool anyPair = false;
        bool anyTwoUnits = false;  // some entry, of a unit or of a pair, holds two units
    };
    // Where no entry holds two units, each one written moves the output on
    // by exactly one: the next write does not wait for the table's answer.
    template <bool TwoUnits>
    static std::u16string MapWith(const Table& table, std::u16string_view text) {
        std::u16string out(TwoUnits ? text.size() * 2 : text.size(), u'\0');
        char16_t* to = out.data();
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i];
            std::uint32_t entry = table.units[unit];
            if (table.anyPair && unit >= FirstKana && unit <= LastKana && i + 1 < text.size() &&
                text[i + 1] >= FirstMark && text[i + 1] <= LastMark) {
                if (const std::uint32_t pair = table.pairs[PairSlot(unit, text[i + 1])]; pair != 0) {
                    entry = pair;
                    ++i;
                }
            }
            *to++ = static_cast<char16_t>(entry);
            if constexpr (TwoUnits) {
                *to = static_cast<char16_t>(entry >> 16);
                to += entry >> 16 != 0;
            }
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
        return out;
    }
    // One or two units in a word, the first in its low half; a second unit
    // of 0 means there is none.
    static std::uint32_t Pack(std::u16string_view units) {
        if (units.empty() || units.size() > 2 || (units.size() == 2 && units[1] == 0)) {
            std::fprintf(stderr, "a mapping of %zu units does not fit the table\n", units.size());
            std::exit(1);
        }
        return units[0] | (units.size() == 2 ? static_cast<std::uint32_t>(units[1]) << 16 : 0);
    }
    const FakeTextServices& source_;
    std::array<Table, MappingCount> tables_;
};

void Run(std::size_t units) {
    std::size_t gaCount = 0;
    const std::u16string text = MakeText(units, gaCount);
    std::printf("text: %zu UTF-16 units (%.1f MB), %zu forms of が\n", text.size(),
                text.size() * 2.0 / 1048576.0, gaCount);

    AppFixture fixture;
    static const TableTextServices table(fixture.text);
    TextFolder folder(table);
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
        std::optional<std::u16string> result;
        const double rate = MegabytesPerSecond(
            text.size(), [&] { result.reset(); },
            [&] { result = Convert(*conversion, text, 4, table, folder); });
        // The table must map as the double does: the quarter text is checked.
        if (text.size() < 0x200000 &&
            result != Convert(*conversion, text, 4, fixture.text, fixture.form.Editing().folder))
            std::printf("  the table's result differs from the double's!\n");
        std::printf("  %-28s %8.1f MB/s  (result %zu units)\n", names[index], rate,
                    result ? result->size() : 0);
    }

    fixture.View().SetText(text);
    fixture.Context().search.SearchText = u"marker";
    bool found = false;
    const double findRate = MegabytesPerSecond(
        text.size(), [&] { fixture.View().SetSel(0, 0); },
        [&] { found = FindNext(fixture.form.Editing()); });
    std::printf("  %-28s %8.1f MB/s  (found at %lld: %s)\n", "FindNext (text mode, last)", findRate,
                static_cast<long long>(fixture.Context().search.FoundPosition), found ? "yes" : "no");

    // Replace all's own work: the search and the new text. What the view
    // then does with the changed stretch is the control's work in the
    // program (the double's copies here), left out as in the rows above.
    ReplaceResult replaced;
    const double replaceRate = MegabytesPerSecond(
        text.size(), [&] { replaced = ReplaceResult{}; },
        [&] {
            replaced = ReplaceEvery(text, 0, u"が", u"[GA]", CompareMode::Text, fixture.form.Editing().folder);
        });
    std::printf("  %-28s %8.1f MB/s  (%zu replaced)\n", "ReplaceAll (text mode)", replaceRate,
                replaced.count);
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
