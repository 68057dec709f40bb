// Small value types shared by the ports and the logic.
#pragma once

#include <cstdint>
#include <string>

namespace scribbit {

// Window geometry is kept in twips (1/1440 inch) so that stored placements
// do not depend on the screen's resolution.
struct Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A colour in the system's 0x00BBGGRR order; a value with the high bit set
// names a system colour by its index (0x80000008 is the window text colour).
using Color = std::uint32_t;
inline constexpr Color SystemColorFlag = 0x80000000u;
inline constexpr Color WindowTextColor = 0x80000008u;

struct FontSpec {
    std::u16string name;
    double size = 0;  // points
    bool bold = false;
    bool italic = false;
    bool strikethrough = false;
    bool underline = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// A failure reported by the system: its number and its own description.
struct SystemError {
    std::uint32_t code = 0;
    std::u16string description;
    std::u16string source;  // the component that raised it
};

}  // namespace scribbit
