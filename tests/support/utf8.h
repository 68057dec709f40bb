// UTF-16 texts as UTF-8, for what tests and benchmarks print (GoogleTest
// and the console show std::string).
#pragma once

#include <string>
#include <string_view>

#include "core/utf16.h"

namespace scribbit {

inline std::string Utf8(std::u16string_view text) {
    static constexpr unsigned char Lead[] = {0x00, 0xC0, 0xE0, 0xF0};  // by the count of bytes that follow
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        const int following = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        out += static_cast<char>(Lead[following] | (c >> (6 * following)));
        for (int k = following - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return out;
}

}  // namespace scribbit
