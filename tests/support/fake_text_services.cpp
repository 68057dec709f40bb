#include "support/fake_text_services.h"

#include <array>
#include <cstdint>
#include <unordered_map>

namespace scribbit {
namespace {

constexpr char16_t VoicedMark = 0xFF9E;      // ﾞ
constexpr char16_t SemiVoicedMark = 0xFF9F;  // ﾟ

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
constexpr std::array<char16_t, 63> HalfToFullKana{
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

bool IsHalfWidthKana(char16_t c) {
    return c >= 0xFF61 && c <= 0xFF9F;
}

// The full-width form of a half-width kana followed by a (semi-)voiced
// mark, or 0 when the pair does not compose.
char16_t Compose(char16_t kana, char16_t mark) {
    if (mark == VoicedMark) {
        if ((kana >= 0xFF76 && kana <= 0xFF84) || (kana >= 0xFF8A && kana <= 0xFF8E))
            return static_cast<char16_t>(HalfToFullKana[kana - 0xFF61] + 1);
        if (kana == 0xFF73) return 0x30F4;  // ｳﾞ → ヴ
    } else if (mark == SemiVoicedMark && kana >= 0xFF8A && kana <= 0xFF8E) {
        return static_cast<char16_t>(HalfToFullKana[kana - 0xFF61] + 2);
    }
    return 0;
}

// Full-width katakana and punctuation to half-width: one or two units
// (empty when there is no half-width form), from a table built once.
const std::u16string& FullToHalfKana(char16_t c) {
    static const std::unordered_map<char16_t, std::u16string> table = [] {
        std::unordered_map<char16_t, std::u16string> t;
        for (char16_t h = 0xFF61; h <= 0xFF9F; ++h) {
            t.emplace(HalfToFullKana[h - 0xFF61], std::u16string(1, h));
            if (const char16_t v = Compose(h, VoicedMark)) t.emplace(v, std::u16string{h, VoicedMark});
            if (const char16_t p = Compose(h, SemiVoicedMark))
                t.emplace(p, std::u16string{h, SemiVoicedMark});
        }
        return t;
    }();
    static const std::u16string none;
    const auto it = table.find(c);
    return it == table.end() ? none : it->second;
}

bool IsUpper(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
           (c >= 0xFF21 && c <= 0xFF3A) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
           (c >= 0x410 && c <= 0x42F);
}
bool IsLower(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) ||
           (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) ||
           (c >= 0x430 && c <= 0x44F);
}

std::u16string MapUnitwise(std::u16string_view text, char16_t (*f)(char16_t)) {
    std::u16string out(text);
    for (auto& c : out) c = f(c);
    return out;
}

char16_t ToUpper(char16_t c) {
    if (!IsLower(c)) return c;
    return static_cast<char16_t>(c - 0x20);  // every cased block here pairs 0x20 apart
}
char16_t ToLower(char16_t c) {
    if (!IsUpper(c)) return c;
    return static_cast<char16_t>(c + 0x20);
}
char16_t ToKatakana(char16_t c) {
    if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) return static_cast<char16_t>(c + 0x60);
    return c;
}
char16_t ToHiragana(char16_t c) {
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE) return static_cast<char16_t>(c - 0x60);
    return c;
}

std::u16string ToFullWidth(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u' ') {
            out += char16_t{0x3000};
        } else if (c == u'\\') {
            out += c;  // the system leaves the backslash alone here
        } else if (c >= 0x21 && c <= 0x7E) {
            out += static_cast<char16_t>(c - 0x21 + 0xFF01);
        } else if (IsHalfWidthKana(c)) {
            const char16_t composed = i + 1 < text.size() ? Compose(c, text[i + 1]) : 0;
            if (composed) {
                out += composed;
                ++i;
            } else {
                out += HalfToFullKana[c - 0xFF61];
            }
        } else {
            out += c;
        }
    }
    return out;
}

std::u16string ToHalfWidth(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const char16_t c : text) {
        if (c == 0x3000) {
            out += u' ';
        } else if (c >= 0xFF01 && c <= 0xFF5E) {
            out += static_cast<char16_t>(c - 0xFF01 + 0x21);
        } else if (c == 0x201D) {
            out += u'"';
        } else if (const auto& half = FullToHalfKana(c); !half.empty()) {
            out += half;
        } else {
            out += c;
        }
    }
    return out;
}

// The comparison weighs every unit alone, as Wine's does: a half-width kana
// and its voiced mark do not compose here (ｶﾞ and ガ compare unequal).
std::u16string Fold(std::u16string_view text) {
    std::u16string folded;
    folded.reserve(text.size());
    for (const char16_t c : text) folded += ToFullWidth(std::u16string_view(&c, 1));
    return MapUnitwise(MapUnitwise(folded, ToHiragana), ToLower);
}

std::u16string Digits(int value, int width) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    while (static_cast<int>(digits.size()) < width) digits.insert(digits.begin(), u'0');
    return digits;
}

}  // namespace

std::optional<std::u16string> FakeTextServices::Map(std::u16string_view text, TextMapping mapping) const {
    ++mapCalls;
    if (failMapping) return std::nullopt;
    switch (mapping) {
        case TextMapping::Katakana:
            return MapUnitwise(text, ToKatakana);
        case TextMapping::Hiragana:
            return MapUnitwise(text, ToHiragana);
        case TextMapping::HalfWidth:
            return ToHalfWidth(text);
        case TextMapping::FullWidth:
            return ToFullWidth(text);
        case TextMapping::UpperCase:
            return MapUnitwise(text, ToUpper);
        case TextMapping::LowerCase:
            return MapUnitwise(text, ToLower);
    }
    return std::u16string(text);
}

bool FakeTextServices::EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const {
    ++compareCalls;
    return Fold(a) == Fold(b);
}

std::u16string FakeTextServices::FormatTime(const LocalTime& time) const {
    return Digits(time.hour, 1) + u":" + Digits(time.minute, 2) + u":" + Digits(time.second, 2);
}

std::u16string FakeTextServices::FormatShortDate(const LocalTime& time) const {
    return Digits(time.year, 4) + u"/" + Digits(time.month, 2) + u"/" + Digits(time.day, 2);
}

}  // namespace scribbit
