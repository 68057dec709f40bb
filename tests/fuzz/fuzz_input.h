// What the fuzz targets share: checks written as in the native suites, whose
// first failure ends the run so that libFuzzer keeps the input, and texts
// made of the characters a target is about, one input byte each.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/utf16.h"

// A failed check throws; the logic catches nothing of the kind, so the run
// ends with the check's message (told once, by the exception).
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    GTEST_FLAG_SET(throw_on_failure, true);
    auto& listeners = testing::UnitTest::GetInstance()->listeners();
    delete listeners.Release(listeners.default_result_printer());
    return 0;
}

namespace scribbit {

inline std::u16string TextOf(std::string_view bytes, std::u16string_view alphabet) {
    std::u16string text;
    for (const unsigned char b : bytes) text += alphabet[b % alphabet.size()];
    return text;
}

// A character is one unit or a surrogate pair.
inline std::size_t CharLength(std::u16string_view text, std::size_t at) {
    return at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]) ? 2 : 1;
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace scribbit
