// Whole numbers as the program shows them: plain decimal digits.
#pragma once

#include <cstdint>
#include <string>

namespace scribbit {

inline std::u16string Decimal(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

}  // namespace scribbit
