#include "support/fake_locale.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

namespace scribbit {
namespace {

constexpr char16_t ReplacementChar = u'\u30FB';
constexpr char16_t NoChar = 0xFFFF;           // not a character: "no mapping"
constexpr std::uint16_t NoCode = 0xFFFF;      // 0xFFFF is not a CP932 code
constexpr std::uint16_t LeadMarker = 0xFFFE;  // in the single-byte table

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

struct Cp932Tables {
    // Byte -> character for single bytes; LeadMarker for lead bytes.
    std::array<std::uint16_t, 256> single{};
    // (lead << 8 | trail) -> character, NoChar where unassigned.
    std::vector<char16_t> dbcs = std::vector<char16_t>(0x10000, NoChar);
    // Character -> code (one byte below 0x100, else lead << 8 | trail).
    std::vector<std::uint16_t> encode = std::vector<std::uint16_t>(0x10000, NoCode);
};

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv CP932 is missing");
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Converts one whole unit; false when the converter rejects it.
    bool Convert(const void* in, std::size_t inSize, void* out, std::size_t outCapacity,
                 std::size_t& outSize) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(static_cast<const char*>(in));
        char* outPtr = static_cast<char*>(out);
        std::size_t inLeft = inSize;
        std::size_t outLeft = outCapacity;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return false;
        if (inLeft != 0) return false;
        outSize = outCapacity - outLeft;
        return true;
    }

private:
    iconv_t cd_;
};

// One character (UTF-16LE) from bytes, or NoChar.
char16_t DecodeUnit(Iconv& decoder, const unsigned char* bytes, std::size_t size) {
    unsigned char out[8];
    std::size_t outSize = 0;
    if (!decoder.Convert(bytes, size, out, sizeof out, outSize) || outSize != 2) return NoChar;
    return static_cast<char16_t>(out[0] | (out[1] << 8));
}

Cp932Tables BuildTables() {
    Cp932Tables t;
    Iconv decoder("UTF-16LE", "CP932");
    for (unsigned b = 0; b < 0x100; ++b) {
        if (IsLeadByte(static_cast<unsigned char>(b))) {
            t.single[b] = LeadMarker;
            continue;
        }
        const unsigned char byte = static_cast<unsigned char>(b);
        const char16_t c = b == 0 ? char16_t{0} : DecodeUnit(decoder, &byte, 1);
        t.single[b] = c;
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
            const unsigned char pair[2] = {static_cast<unsigned char>(lead),
                                           static_cast<unsigned char>(trail)};
            t.dbcs[lead << 8 | trail] = DecodeUnit(decoder, pair, 2);
        }
    }

    // A character is representable when its code decodes back to it.
    Iconv encoder("CP932", "UTF-16LE");
    for (unsigned c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const unsigned char in[2] = {static_cast<unsigned char>(c & 0xFF),
                                     static_cast<unsigned char>(c >> 8)};
        unsigned char out[8];
        std::size_t outSize = 0;
        if (!encoder.Convert(in, 2, out, sizeof out, outSize)) continue;
        std::uint16_t code = NoCode;
        char16_t back = NoChar;
        if (outSize == 1 && t.single[out[0]] != LeadMarker) {
            code = out[0];
            back = static_cast<char16_t>(t.single[out[0]]);
        } else if (outSize == 2 && IsLeadByte(out[0])) {
            code = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
            back = t.dbcs[code];
        }
        if (back == c) t.encode[c] = code;
    }
    t.encode[0] = 0;
    return t;
}

const Cp932Tables& Tables() {
    static const Cp932Tables tables = BuildTables();
    return tables;
}

}  // namespace

AnsiEncoding FakeLocale::ToAnsi(std::u16string_view text) const {
    ++toAnsiCalls;
    const Cp932Tables& t = Tables();
    AnsiEncoding result;
    result.bytes.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        std::uint16_t code = NoCode;
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            // Nothing beyond the BMP has a code; the pair is one character.
            if (result.firstUnrepresentable == NoPosition) result.firstUnrepresentable = i;
            result.bytes += '?';
            ++i;
            continue;
        }
        code = t.encode[c];
        if (code == NoCode) {
            if (result.firstUnrepresentable == NoPosition) result.firstUnrepresentable = i;
            result.bytes += '?';
        } else if (code < 0x100) {
            result.bytes += static_cast<char>(code);
        } else {
            result.bytes += static_cast<char>(code >> 8);
            result.bytes += static_cast<char>(code & 0xFF);
        }
    }
    return result;
}

std::u16string FakeLocale::FromAnsi(std::string_view bytes) const {
    ++fromAnsiCalls;
    const Cp932Tables& t = Tables();
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const std::uint16_t single = t.single[b];
        if (single != LeadMarker) {
            text += single == NoChar ? ReplacementChar : static_cast<char16_t>(single);
            continue;
        }
        if (i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]))) {
            const char16_t c = t.dbcs[b << 8 | static_cast<unsigned char>(bytes[i + 1])];
            text += c == NoChar ? ReplacementChar : c;
            ++i;
        } else {
            text += ReplacementChar;
        }
    }
    return text;
}

}  // namespace scribbit
