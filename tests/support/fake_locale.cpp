#include "support/fake_locale.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "core/decimal.h"

namespace scribbit {
namespace {

constexpr std::u16string_view Characters =
    u"　、。，．・：；？！゛゜´｀¨＾￣＿ヽヾゝゞ〃仝々〆〇ー―‐／＼～∥｜…‥‘’“"
    u"”（）〔〕［］｛｝〈〉《》「」『』【】＋－±×÷＝≠＜＞≦≧∞∴♂♀°′″℃￥＄"
    u"￠￡％＃＆＊＠§☆★○●◎◇◆□■△▲▽▼※〒→←↑↓〓∪∩￢∠⊥≡≒√∵∫０１"
    u"２３４５６７８９ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆ"
    u"ｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚぁあぃいぅうぇえぉおかがきぎくぐけげこご"
    u"さざしじすずせぜそぞただちぢっつづてでとどなにぬねのはばぱひびぴふぶぷへべぺほぼ"
    u"ぽまみむめもゃやゅゆょよらりるれろゎわゐゑをんァアィイゥウェエォオカガキギクグケ"
    u"ゲコゴサザシジスズセゼソゾタダチヂッツヅテデトドナニヌネノハバパヒビピフブプヘベ"
    u"ペホボポマミムメモャヤュユョヨラリルレロヮワヰヱヲンヴヵヶΑΒΓΔΕΖΗΘΙΚΛ"
    u"ΜΝΞΟΠΡΣΤΥΦΧΨΩαβγδεζηθικλμνξοπρστυφχψω①②③"
    u"④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳ⅠⅡⅢⅣⅤⅥⅦⅧⅨⅩ№一改開角換漢規記京区元後"
    u"語行号最作削字示取手終除小章常情新成切前全存大朝通貼東二日半表付普文変保報本末名"
    u"明目戻了ⅰ纊髙∪∩￢￢∠⊥≡≒√∵∵∫ⅠⅡⅢⅣⅤⅥⅦⅧⅨⅩ№ⅰ纊髙";
constexpr std::string_view Codes =
    "\x81\x40\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x46\x81\x47\x81\x48\x81\x49\x81\x4A\x81\x4B"
    "\x81\x4C\x81\x4D\x81\x4E\x81\x4F\x81\x50\x81\x51\x81\x52\x81\x53\x81\x54\x81\x55\x81\x56\x81\x57"
    "\x81\x58\x81\x59\x81\x5A\x81\x5B\x81\x5C\x81\x5D\x81\x5E\x81\x5F\x81\x60\x81\x61\x81\x62\x81\x63"
    "\x81\x64\x81\x65\x81\x66\x81\x67\x81\x68\x81\x69\x81\x6A\x81\x6B\x81\x6C\x81\x6D\x81\x6E\x81\x6F"
    "\x81\x70\x81\x71\x81\x72\x81\x73\x81\x74\x81\x75\x81\x76\x81\x77\x81\x78\x81\x79\x81\x7A\x81\x7B"
    "\x81\x7C\x81\x7D\x81\x7E\x81\x80\x81\x81\x81\x82\x81\x83\x81\x84\x81\x85\x81\x86\x81\x87\x81\x88"
    "\x81\x89\x81\x8A\x81\x8B\x81\x8C\x81\x8D\x81\x8E\x81\x8F\x81\x90\x81\x91\x81\x92\x81\x93\x81\x94"
    "\x81\x95\x81\x96\x81\x97\x81\x98\x81\x99\x81\x9A\x81\x9B\x81\x9C\x81\x9D\x81\x9E\x81\x9F\x81\xA0"
    "\x81\xA1\x81\xA2\x81\xA3\x81\xA4\x81\xA5\x81\xA6\x81\xA7\x81\xA8\x81\xA9\x81\xAA\x81\xAB\x81\xAC"
    "\x81\xBE\x81\xBF\x81\xCA\x81\xDA\x81\xDB\x81\xDF\x81\xE0\x81\xE3\x81\xE6\x81\xE7\x82\x4F\x82\x50"
    "\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56\x82\x57\x82\x58\x82\x60\x82\x61\x82\x62\x82\x63"
    "\x82\x64\x82\x65\x82\x66\x82\x67\x82\x68\x82\x69\x82\x6A\x82\x6B\x82\x6C\x82\x6D\x82\x6E\x82\x6F"
    "\x82\x70\x82\x71\x82\x72\x82\x73\x82\x74\x82\x75\x82\x76\x82\x77\x82\x78\x82\x79\x82\x81\x82\x82"
    "\x82\x83\x82\x84\x82\x85\x82\x86\x82\x87\x82\x88\x82\x89\x82\x8A\x82\x8B\x82\x8C\x82\x8D\x82\x8E"
    "\x82\x8F\x82\x90\x82\x91\x82\x92\x82\x93\x82\x94\x82\x95\x82\x96\x82\x97\x82\x98\x82\x99\x82\x9A"
    "\x82\x9F\x82\xA0\x82\xA1\x82\xA2\x82\xA3\x82\xA4\x82\xA5\x82\xA6\x82\xA7\x82\xA8\x82\xA9\x82\xAA"
    "\x82\xAB\x82\xAC\x82\xAD\x82\xAE\x82\xAF\x82\xB0\x82\xB1\x82\xB2\x82\xB3\x82\xB4\x82\xB5\x82\xB6"
    "\x82\xB7\x82\xB8\x82\xB9\x82\xBA\x82\xBB\x82\xBC\x82\xBD\x82\xBE\x82\xBF\x82\xC0\x82\xC1\x82\xC2"
    "\x82\xC3\x82\xC4\x82\xC5\x82\xC6\x82\xC7\x82\xC8\x82\xC9\x82\xCA\x82\xCB\x82\xCC\x82\xCD\x82\xCE"
    "\x82\xCF\x82\xD0\x82\xD1\x82\xD2\x82\xD3\x82\xD4\x82\xD5\x82\xD6\x82\xD7\x82\xD8\x82\xD9\x82\xDA"
    "\x82\xDB\x82\xDC\x82\xDD\x82\xDE\x82\xDF\x82\xE0\x82\xE1\x82\xE2\x82\xE3\x82\xE4\x82\xE5\x82\xE6"
    "\x82\xE7\x82\xE8\x82\xE9\x82\xEA\x82\xEB\x82\xEC\x82\xED\x82\xEE\x82\xEF\x82\xF0\x82\xF1\x83\x40"
    "\x83\x41\x83\x42\x83\x43\x83\x44\x83\x45\x83\x46\x83\x47\x83\x48\x83\x49\x83\x4A\x83\x4B\x83\x4C"
    "\x83\x4D\x83\x4E\x83\x4F\x83\x50\x83\x51\x83\x52\x83\x53\x83\x54\x83\x55\x83\x56\x83\x57\x83\x58"
    "\x83\x59\x83\x5A\x83\x5B\x83\x5C\x83\x5D\x83\x5E\x83\x5F\x83\x60\x83\x61\x83\x62\x83\x63\x83\x64"
    "\x83\x65\x83\x66\x83\x67\x83\x68\x83\x69\x83\x6A\x83\x6B\x83\x6C\x83\x6D\x83\x6E\x83\x6F\x83\x70"
    "\x83\x71\x83\x72\x83\x73\x83\x74\x83\x75\x83\x76\x83\x77\x83\x78\x83\x79\x83\x7A\x83\x7B\x83\x7C"
    "\x83\x7D\x83\x7E\x83\x80\x83\x81\x83\x82\x83\x83\x83\x84\x83\x85\x83\x86\x83\x87\x83\x88\x83\x89"
    "\x83\x8A\x83\x8B\x83\x8C\x83\x8D\x83\x8E\x83\x8F\x83\x90\x83\x91\x83\x92\x83\x93\x83\x94\x83\x95"
    "\x83\x96\x83\x9F\x83\xA0\x83\xA1\x83\xA2\x83\xA3\x83\xA4\x83\xA5\x83\xA6\x83\xA7\x83\xA8\x83\xA9"
    "\x83\xAA\x83\xAB\x83\xAC\x83\xAD\x83\xAE\x83\xAF\x83\xB0\x83\xB1\x83\xB2\x83\xB3\x83\xB4\x83\xB5"
    "\x83\xB6\x83\xBF\x83\xC0\x83\xC1\x83\xC2\x83\xC3\x83\xC4\x83\xC5\x83\xC6\x83\xC7\x83\xC8\x83\xC9"
    "\x83\xCA\x83\xCB\x83\xCC\x83\xCD\x83\xCE\x83\xCF\x83\xD0\x83\xD1\x83\xD2\x83\xD3\x83\xD4\x83\xD5"
    "\x83\xD6\x87\x40\x87\x41\x87\x42\x87\x43\x87\x44\x87\x45\x87\x46\x87\x47\x87\x48\x87\x49\x87\x4A"
    "\x87\x4B\x87\x4C\x87\x4D\x87\x4E\x87\x4F\x87\x50\x87\x51\x87\x52\x87\x53\x87\x54\x87\x55\x87\x56"
    "\x87\x57\x87\x58\x87\x59\x87\x5A\x87\x5B\x87\x5C\x87\x5D\x87\x82\x88\xEA\x89\xFC\x8A\x4A\x8A\x70"
    "\x8A\xB7\x8A\xBF\x8B\x4B\x8B\x4C\x8B\x9E\x8B\xE6\x8C\xB3\x8C\xE3\x8C\xEA\x8D\x73\x8D\x86\x8D\xC5"
    "\x8D\xEC\x8D\xED\x8E\x9A\x8E\xA6\x8E\xE6\x8E\xE8\x8F\x49\x8F\x9C\x8F\xAC\x8F\xCD\x8F\xED\x8F\xEE"
    "\x90\x56\x90\xAC\x90\xD8\x91\x4F\x91\x53\x91\xB6\x91\xE5\x92\xA9\x92\xCA\x93\x5C\x93\x8C\x93\xF1"
    "\x93\xFA\x94\xBC\x95\x5C\x95\x74\x95\x81\x95\xB6\x95\xCF\x95\xDB\x95\xF1\x96\x7B\x96\x96\x96\xBC"
    "\x96\xBE\x96\xDA\x96\xDF\x97\xB9\xFA\x40\xFA\x5C\xFB\xFC\x87\x9C\x87\x9B\xEE\xF9\xFA\x54\x87\x97"
    "\x87\x96\x87\x91\x87\x90\x87\x95\x87\x9A\xFA\x5B\x87\x92\xFA\x4A\xFA\x4B\xFA\x4C\xFA\x4D\xFA\x4E"
    "\xFA\x4F\xFA\x50\xFA\x51\xFA\x52\xFA\x53\xFA\x59\xEE\xEF\xED\x40\xEE\xE0";

constexpr char16_t Replacement = u'\u30FB';
constexpr std::uint16_t NoCode = 0xFFFF;

// The code page both ways: each character's code (one or two bytes), and
// each code's character. A character with two codes is written with the first.
struct CodePage {
    std::vector<std::uint16_t> code = std::vector<std::uint16_t>(0x10000, NoCode);
    std::vector<char16_t> character = std::vector<char16_t>(0x10000, Replacement);
    void Add(char16_t c, int value) {
        if (code[c] == NoCode) code[c] = static_cast<std::uint16_t>(value);
        character[static_cast<std::size_t>(value)] = c;
    }
};

const CodePage& TheCodePage() {
    static const CodePage page = [] {
        CodePage p;
        for (char16_t c = 0; c < 0x80; ++c) p.Add(c, c);
        for (char16_t c = 0xFF61; c <= 0xFF9F; ++c) p.Add(c, c - 0xFF61 + 0xA1);  // half-width katakana
        for (std::size_t i = 0; i < Characters.size(); ++i)
            p.Add(Characters[i], std::uint8_t(Codes[2 * i]) << 8 | std::uint8_t(Codes[2 * i + 1]));
        return p;
    }();
    return page;
}

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

AnsiEncoding FakeLocale::ToAnsi(std::u16string_view text) const {
    AnsiEncoding result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint16_t code = TheCodePage().code[text[i]];
        if (code == NoCode && result.firstUnrepresentable == NoPosition) result.firstUnrepresentable = i;
        if (code > 0xFF && code != NoCode) result.bytes += static_cast<char>(code >> 8);
        result.bytes += code == NoCode ? '?' : static_cast<char>(code & 0xFF);
    }
    return result;
}

std::u16string FakeLocale::FromAnsi(std::string_view bytes) const {
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = std::uint8_t(bytes[i]),
                           next = i + 1 < bytes.size() ? std::uint8_t(bytes[i + 1]) : 0;
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        const bool pair = lead && next >= 0x40 && next <= 0xFC && next != 0x7F;
        text += TheCodePage().character[pair ? b << 8 | next : b];
        i += pair;
    }
    return text;
}

std::u16string_view FakeLocale::TableCharacters() {
    return Characters;
}

std::string_view FakeLocale::TableCodes() {
    return Codes;
}

std::optional<std::u16string> FakeTextServices::Map(std::u16string_view text, TextMapping mapping) const {
    ++mapCalls;
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
