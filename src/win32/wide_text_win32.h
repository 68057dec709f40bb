// The logic's UTF-16 text and the system's wide strings are the same code
// units on Windows; these helpers only change the pointer type.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace scribbit {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions take UTF-16 code units");

inline const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline const wchar_t* WideData(std::u16string_view text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}
inline wchar_t* WideBuffer(std::u16string& text) {
    return reinterpret_cast<wchar_t*>(text.data());
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
inline std::u16string FromWide(const wchar_t* text) {
    return text ? FromWide(text, wcslen(text)) : std::u16string();
}

// A window's text through WM_GETTEXT, which also works across processes.
std::u16string WindowText(HWND window);

}  // namespace scribbit
