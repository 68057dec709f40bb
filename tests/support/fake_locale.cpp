#include "support/fake_locale.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "core/decimal.h"

namespace scribbit {
namespace {

// Two columns of a table pair their characters in order; a half-width kana
// with its voiced mark counts as one character. Where a character appears
// twice in the "from" column, its first row wins: that is how a mapping
// that goes one way only is written (the voiced marks become the combining
// ones in full width, but both kinds become "ﾞ" and "ﾟ" in half width).
struct Table {
    std::u16string_view a, b;
    TextMapping toA, toB;
};
constexpr TextMapping Half = TextMapping::HalfWidth, Full = TextMapping::FullWidth;
constexpr Table Tables[] = {
    {u"abcdefghijklmnopqrstuvwxyzａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚàáâãäåæçèéêëìíîïðñòóôõöø"
     u"ùúûüýþ",
     u"ABCDEFGHIJKLMNOPQRSTUVWXYZＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØ"
     u"ÙÚÛÜÝÞ",
     TextMapping::LowerCase, TextMapping::UpperCase},
    {u"ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてでとどなにぬねのはばぱひび"
     u"ぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎわゐゑをんゔゕゖ",
     u"ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネノハバパヒビ"
     u"ピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヴヵヶ",
     TextMapping::Hiragana, TextMapping::Katakana},
    {u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~",
     u"　！＂＃＄％＆＇（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲ"
     u"ＳＴＵＶＷＸＹＺ［\\］＾＿｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～",
     Half, Full},
    {u"ﾞﾟ", u"\u3099\u309A", Half, Full},
    {u"゛゜", u"\u3099\u309A", Half, Full},
    {u"ﾞﾟ\"", u"゛゜”", Half, Full},
    {u"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ",
     u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモ"
     u"ヤユヨラリルレロワン",
     Half, Full},
    {u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ",
     u"ガギグゲゴザジズゼゾダヂヅデドバビブベボヴパピプペポ", Half, Full},
};

std::size_t CharLength(std::u16string_view s, std::size_t i) {
    const auto mark = [s](std::size_t at) { return s[at] == u'ﾞ' || s[at] == u'ﾟ'; };
    return i + 1 < s.size() && !mark(i) && mark(i + 1) ? 2 : 1;
}

using Mapping = std::map<std::u16string, std::u16string, std::less<>>;

const Mapping& MappingFor(TextMapping mapping) {
    static const std::array<Mapping, 6> mappings = [] {
        std::array<Mapping, 6> all;
        for (const Table& t : Tables) {
            for (std::size_t i = 0, j = 0; i < t.a.size(); i += CharLength(t.a, i), j += CharLength(t.b, j)) {
                const std::u16string a(t.a.substr(i, CharLength(t.a, i))),
                    b(t.b.substr(j, CharLength(t.b, j)));
                all[static_cast<int>(t.toA)].emplace(b, a);
                all[static_cast<int>(t.toB)].emplace(a, b);
            }
        }
        return all;
    }();
    return mappings[static_cast<int>(mapping)];
}

// Longest match first, so that a half-width kana and its mark compose.
std::u16string MapWith(TextMapping mapping, std::u16string_view text, std::size_t longest) {
    const Mapping& table = MappingFor(mapping);
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = std::min(longest, text.size() - i);
        auto it = table.find(text.substr(i, length));
        while (it == table.end() && --length > 0) it = table.find(text.substr(i, length));
        out += it == table.end() ? text.substr(i, 1) : std::u16string_view(it->second);
        i += std::max<std::size_t>(length, 1);
    }
    return out;
}

std::u16string Digits(int value, std::size_t width) {
    std::u16string digits = Decimal(static_cast<std::uint64_t>(value));
    return digits.insert(0, width - std::min(width, digits.size()), u'0');
}

}  // namespace

std::optional<std::u16string> FakeTextServices::Map(std::u16string_view text, TextMapping mapping) const {
    if (failMapping) return std::nullopt;
    return MapWith(mapping, text, 2);
}

// The system weighs every unit alone: a half-width kana and its voiced mark
// do not compose here (ｶﾞ and ガ compare unequal).
bool FakeTextServices::EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const {
    const auto fold = [](std::u16string_view text) {
        return MapWith(TextMapping::LowerCase,
                       MapWith(TextMapping::Hiragana, MapWith(TextMapping::FullWidth, text, 1), 1), 1);
    };
    return fold(a) == fold(b);
}

std::u16string FakeTextServices::FormatTime(const LocalTime& time) const {
    return Digits(time.hour, 1) + u":" + Digits(time.minute, 2) + u":" + Digits(time.second, 2);
}

std::u16string FakeTextServices::FormatShortDate(const LocalTime& time) const {
    return Digits(time.year, 4) + u"/" + Digits(time.month, 2) + u"/" + Digits(time.day, 2);
}

std::vector<std::u16string_view> FakeTextServices::Columns() {
    std::vector<std::u16string_view> columns;
    for (const Table& t : Tables) columns.insert(columns.end(), {t.a, t.b});
    return columns;
}

}  // namespace scribbit
