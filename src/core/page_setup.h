// The page-setup values the print job uses. They are not stored in the
// settings file: every run starts from these defaults.
#pragma once

#include <cstdint>
#include <string>

namespace scribbit {

struct PageSetup {
    std::int32_t MarginLeft = 15;  // millimetres
    std::int32_t MarginRight = 15;
    std::int32_t MarginTop = 20;
    std::int32_t MarginBottom = 20;
    std::u16string HeaderText;  // printed right after each page number
    std::u16string FooterText = u"ページ";
    friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

}  // namespace scribbit
