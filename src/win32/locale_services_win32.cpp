#include "win32/locale_services_win32.h"

#include <windows.h>

#include <algorithm>

#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// The conversion functions take int counts; texts are converted in pieces
// that never split a surrogate pair or a double-byte character.
constexpr std::size_t ChunkUnits = 1u << 26;

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

std::size_t WideChunkEnd(std::u16string_view text, std::size_t start) {
    std::size_t end = std::min(text.size(), start + ChunkUnits);
    if (end < text.size() && end > start + 1 && IsHighSurrogate(text[end - 1])) --end;
    return end;
}

std::size_t AnsiChunkEnd(std::string_view bytes, std::size_t start) {
    const std::size_t limit = std::min(bytes.size(), start + ChunkUnits);
    if (limit == bytes.size()) return limit;
    // Walk character by character so a lead byte is never cut from its trail.
    std::size_t at = start;
    while (at < limit) {
        const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(bytes[at])) ? 2 : 1;
        if (at + step > limit) break;
        at += step;
    }
    return at > start ? at : limit;
}

std::string EncodePiece(std::u16string_view piece, BOOL* usedDefault) {
    std::string out;
    if (piece.empty()) return out;
    const int units = static_cast<int>(piece.size());
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, WideData(piece), units, nullptr, 0,
                                           nullptr, nullptr);
    if (needed <= 0) return out;
    out.resize(static_cast<std::size_t>(needed));
    const int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, WideData(piece), units, out.data(),
                                            needed, nullptr, usedDefault);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::u16string DecodePiece(std::string_view piece) {
    std::u16string out;
    if (piece.empty()) return out;
    const int count = static_cast<int>(piece.size());
    const int needed = MultiByteToWideChar(CP_ACP, 0, piece.data(), count, nullptr, 0);
    if (needed <= 0) return out;
    out.resize(static_cast<std::size_t>(needed));
    const int written = MultiByteToWideChar(CP_ACP, 0, piece.data(), count, WideBuffer(out), needed);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

// Only reached when the system reported a substitution. Every character that
// the code page holds comes back unchanged from a round trip (best-fit
// mappings are off), so the first difference is the first lost character.
std::size_t FirstUnrepresentable(std::u16string_view piece, const std::string& encoded) {
    const std::u16string back = DecodePiece(encoded);
    const auto mismatch = std::mismatch(piece.begin(), piece.end(), back.begin(), back.end());
    if (mismatch.first != piece.end()) return static_cast<std::size_t>(mismatch.first - piece.begin());
    // Should never happen; fall back to testing each character alone.
    for (std::size_t at = 0; at < piece.size();) {
        const std::size_t width = (IsHighSurrogate(piece[at]) && at + 1 < piece.size()) ? 2 : 1;
        BOOL lost = FALSE;
        EncodePiece(piece.substr(at, width), &lost);
        if (lost) return at;
        at += width;
    }
    return 0;
}

}  // namespace

AnsiEncoding LocaleServicesWin32::ToAnsi(std::u16string_view text) const {
    AnsiEncoding result;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = WideChunkEnd(text, start);
        const std::u16string_view piece = text.substr(start, end - start);
        BOOL usedDefault = FALSE;
        const std::string encoded = EncodePiece(piece, &usedDefault);
        if (usedDefault && result.firstUnrepresentable == NoPosition) {
            result.firstUnrepresentable = start + FirstUnrepresentable(piece, encoded);
        }
        result.bytes += encoded;
        start = end;
    }
    return result;
}

std::u16string LocaleServicesWin32::FromAnsi(std::string_view bytes) const {
    if (bytes.size() <= ChunkUnits) return DecodePiece(bytes);
    std::u16string text;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = AnsiChunkEnd(bytes, start);
        text += DecodePiece(bytes.substr(start, end - start));
        start = end;
    }
    return text;
}

}  // namespace scribbit
