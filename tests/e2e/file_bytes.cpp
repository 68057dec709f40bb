#include "e2e/file_bytes.h"

#include <windows.h>

#include <algorithm>

#include "e2e/e2e_harness.h"

namespace e2e {

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != FALSE;
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD chunk = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
            ok = ReadFile(file, bytes.data() + done, want, &chunk, nullptr) && chunk > 0;
            done += chunk;
        }
    }
    CloseHandle(file);
    if (!ok) return std::nullopt;
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = bytes.empty() ||
                    (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                     written == bytes.size());
    CloseHandle(file);
    return ok;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::string> EncodeAnsi(const std::wstring& text) {
    if (text.empty()) return std::string{};
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, &lossy);
    return bytes;
}

std::wstring DecodeAnsi(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

std::string DescribeDifference(const std::string& actual, const std::string& expected) {
    if (actual == expected) return {};
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    const std::size_t lineStart = at == 0 ? 0 : expected.rfind('\n', at - 1) + 1;  // npos + 1 == 0
    std::size_t line = 1;
    for (std::size_t i = 0; i < lineStart; ++i) line += expected[i] == '\n' ? 1 : 0;
    auto lineFrom = [&](const std::string& bytes) {
        if (lineStart >= bytes.size()) return std::string("<end of file>");
        const std::size_t end = bytes.find('\n', lineStart);
        std::string text = bytes.substr(lineStart, end == std::string::npos ? std::string::npos : end + 1 - lineStart);
        std::string shown;
        for (char c : Narrow(DecodeAnsi(text))) {
            if (c == '\r') {
                shown += "\\r";
            } else if (c == '\n') {
                shown += "\\n";
            } else {
                shown += c;
            }
        }
        return shown;
    };
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           " bytes; first difference at byte " + std::to_string(at) + ", line " + std::to_string(line) +
           "\n    actual:   " + lineFrom(actual) + "\n    expected: " + lineFrom(expected);
}

std::wstring JoinLines(std::initializer_list<std::wstring> lines) {
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    return text;
}

}  // namespace e2e
