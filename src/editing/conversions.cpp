#include "editing/conversions.h"

#include <algorithm>

namespace scribbit {
namespace {

std::u16string ReplaceText(std::u16string_view s, std::u16string_view from, std::u16string_view to,
                           TextFolder& folder) {
    return ReplaceEvery(s, 0, from, to, CompareMode::Text, folder).text;
}

std::u16string Spaces(std::int32_t count) {
    return std::u16string(static_cast<std::size_t>(count), u' ');
}

}  // namespace

std::optional<Conversion> ConversionAt(int index) {
    switch (index) {
        case 0:
        case 1:
        case 2:
        case 4:
        case 5:
        case 6:
        case 8:
        case 9:
        case 11:
        case 12:
        case 14:
        case 15:
        case 17:
        case 18:
        case 20:
            return static_cast<Conversion>(index);
        default:
            return std::nullopt;
    }
}

bool UsesTabSpace(Conversion conversion) {
    return conversion == Conversion::TabsToSpaces || conversion == Conversion::SpacesToTabs;
}

std::u16string CrLfToLf(std::u16string_view s, TextFolder& folder) {
    return ReplaceText(s, u"\r\n", u"\n", folder);
}

std::u16string LfToCrLf(std::u16string_view s, TextFolder&) {
    // A LF gets a CR before it, unless it ends a CR LF already.
    std::u16string result;
    result.reserve(s.size() + static_cast<std::size_t>(std::count(s.begin(), s.end(), u'\n')));
    std::size_t pos = 0;
    for (std::size_t lf = s.find(u'\n'); lf != std::u16string_view::npos; lf = s.find(u'\n', pos)) {
        result.append(s.substr(pos, lf - pos));
        result.append(lf > 0 && s[lf - 1] == u'\r' ? u"\n" : u"\r\n");
        pos = lf + 1;
    }
    result.append(s.substr(pos));
    return result;
}

std::u16string TabsToSpaces(std::u16string_view s, std::int32_t tabSpace, TextFolder& folder) {
    return ReplaceText(s, u"\t", Spaces(tabSpace), folder);
}

std::u16string SpacesToTabs(std::u16string_view s, std::int32_t tabSpace, TextFolder& folder) {
    return ReplaceText(s, Spaces(tabSpace), u"\t", folder);
}

std::u16string BackslashToSlash(std::u16string_view s, TextFolder& folder) {
    return ReplaceText(s, u"\\", u"/", folder);
}

std::u16string SlashToBackslash(std::u16string_view s, TextFolder& folder) {
    return ReplaceText(s, u"/", u"\\", folder);
}

std::u16string TrimLineEnds(std::u16string_view s) {
    std::u16string result;
    result.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        // Only CR LF ends a line; spaces before a lone CR or LF stay.
        const std::size_t lineBreak = s.find(u"\r\n", pos);
        const std::size_t lineEnd = lineBreak == std::u16string_view::npos ? s.size() : lineBreak;
        std::size_t kept = lineEnd;
        while (kept > pos && s[kept - 1] == u' ') --kept;
        result.append(s.substr(pos, kept - pos));
        if (lineBreak == std::u16string_view::npos) break;
        result.append(u"\r\n");
        pos = lineBreak + 2;
    }
    return result;
}

std::u16string RemoveLineBreaks(std::u16string_view s, TextFolder& folder) {
    return ReplaceText(s, u"\r\n", u"", folder);
}

std::u16string AppendBrTags(std::u16string_view s, TextFolder& folder) {
    return ReplaceText(s, u"\r\n", u"<br>\r\n", folder);
}

std::optional<std::u16string> HalfWidthToFullWidth(std::u16string_view s, const TextServices& services,
                                                   TextFolder& folder) {
    return services.Map(ReplaceText(s, u"\"", u"\u201D", folder), TextMapping::FullWidth);
}

std::optional<std::u16string> Convert(Conversion conversion, std::u16string_view s, std::int32_t tabSpace,
                                      const TextServices& services, TextFolder& folder) {
    // The system refuses to map an empty text; there is nothing to map.
    if (s.empty()) return std::u16string();
    switch (conversion) {
        case Conversion::HiraganaToKatakana:
            return services.Map(s, TextMapping::Katakana);
        case Conversion::FullWidthToHalfWidth:
            return services.Map(s, TextMapping::HalfWidth);
        case Conversion::ToUpperCase:
            return services.Map(s, TextMapping::UpperCase);
        case Conversion::KatakanaToHiragana:
            return services.Map(s, TextMapping::Hiragana);
        case Conversion::HalfWidthToFullWidth:
            return HalfWidthToFullWidth(s, services, folder);
        case Conversion::ToLowerCase:
            return services.Map(s, TextMapping::LowerCase);
        case Conversion::CrLfToLf:
            return CrLfToLf(s, folder);
        case Conversion::LfToCrLf:
            return LfToCrLf(s, folder);
        case Conversion::TabsToSpaces:
            return TabsToSpaces(s, tabSpace, folder);
        case Conversion::SpacesToTabs:
            return SpacesToTabs(s, tabSpace, folder);
        case Conversion::BackslashToSlash:
            return BackslashToSlash(s, folder);
        case Conversion::SlashToBackslash:
            return SlashToBackslash(s, folder);
        case Conversion::TrimLineEnds:
            return TrimLineEnds(s);
        case Conversion::RemoveLineBreaks:
            return RemoveLineBreaks(s, folder);
        case Conversion::AppendBrTags:
            return AppendBrTags(s, folder);
    }
    return std::nullopt;
}

}  // namespace scribbit
