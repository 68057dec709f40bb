#include "win32/text_services_win32.h"

#include <windows.h>

#include <climits>
#include <new>

#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// Conversions and comparisons follow the system locale, as the text in
// the document is in the system's code page.
constexpr LCID TextLocale = LOCALE_SYSTEM_DEFAULT;

DWORD MapFlags(TextMapping mapping) {
    switch (mapping) {
        case TextMapping::Katakana:
            return LCMAP_KATAKANA;
        case TextMapping::Hiragana:
            return LCMAP_HIRAGANA;
        case TextMapping::HalfWidth:
            return LCMAP_HALFWIDTH;
        case TextMapping::FullWidth:
            return LCMAP_FULLWIDTH;
        case TextMapping::UpperCase:
            return LCMAP_UPPERCASE;
        case TextMapping::LowerCase:
            return LCMAP_LOWERCASE;
    }
    return 0;
}

SYSTEMTIME ToSystemTime(const LocalTime& time) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.year);
    st.wMonth = static_cast<WORD>(time.month);
    st.wDay = static_cast<WORD>(time.day);
    st.wHour = static_cast<WORD>(time.hour);
    st.wMinute = static_cast<WORD>(time.minute);
    st.wSecond = static_cast<WORD>(time.second);
    return st;
}

// Formats with a size query first; an empty text when the system refuses.
template <class Format>
std::u16string FormatWith(Format format) {
    const int needed = format(nullptr, 0);
    if (needed <= 0) return {};
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    const int written = format(WideBuffer(text), needed);
    if (written <= 0) return {};
    text.resize(static_cast<std::size_t>(written - 1));  // without the NUL
    return text;
}

}  // namespace

std::optional<std::u16string> TextServicesWin32::Map(std::u16string_view text, TextMapping mapping) const {
    // The system refuses an empty source.
    if (text.empty()) return std::u16string();
    if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const DWORD flags = MapFlags(mapping);
    const int sourceLength = static_cast<int>(text.size());
    // Composition and decomposition of voiced kana change the length: ask first.
    const int needed = LCMapStringW(TextLocale, flags, WideData(text), sourceLength, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    try {
        std::u16string mapped(static_cast<std::size_t>(needed), u'\0');
        const int written =
            LCMapStringW(TextLocale, flags, WideData(text), sourceLength, WideBuffer(mapped), needed);
        if (written <= 0) return std::nullopt;
        mapped.resize(static_cast<std::size_t>(written));
        return mapped;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool TextServicesWin32::EqualIgnoringCaseWidthKana(std::u16string_view a, std::u16string_view b) const {
    if (a.size() > static_cast<std::size_t>(INT_MAX) || b.size() > static_cast<std::size_t>(INT_MAX))
        return false;
    return CompareStringW(TextLocale, NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE, WideData(a),
                          static_cast<int>(a.size()), WideData(b), static_cast<int>(b.size())) == CSTR_EQUAL;
}

LocalTime TextServicesWin32::Now() const {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

std::u16string TextServicesWin32::FormatTime(const LocalTime& time) const {
    const SYSTEMTIME st = ToSystemTime(time);
    // The user's time format with hours, minutes and seconds.
    return FormatWith([&](wchar_t* buffer, int size) {
        return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buffer, size);
    });
}

std::u16string TextServicesWin32::FormatShortDate(const LocalTime& time) const {
    const SYSTEMTIME st = ToSystemTime(time);
    return FormatWith([&](wchar_t* buffer, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buffer, size);
    });
}

}  // namespace scribbit
