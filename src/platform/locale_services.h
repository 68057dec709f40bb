// The system locale: the ANSI code page and the locale's text services.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scribbit {

inline constexpr std::size_t NoPosition = static_cast<std::size_t>(-1);

struct AnsiEncoding {
    std::string bytes;
    // UTF-16 offset of the first character the code page cannot represent
    // (its bytes hold the system's default character); NoPosition when
    // every character was represented exactly.
    std::size_t firstUnrepresentable = NoPosition;
};

class LocaleServices {
public:
    LocaleServices() = default;
    LocaleServices(const LocaleServices&) = delete;
    LocaleServices& operator=(const LocaleServices&) = delete;
    virtual ~LocaleServices() = default;

    // Text to the ANSI code page, without best-fit substitutions.
    virtual AnsiEncoding ToAnsi(std::u16string_view text) const = 0;
    // Bytes in the ANSI code page to text; invalid sequences become the
    // system's replacement character, NUL bytes stay U+0000.
    virtual std::u16string FromAnsi(std::string_view bytes) const = 0;
};

}  // namespace scribbit
