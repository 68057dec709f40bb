// Files as bytes: what the program wrote is compared byte for byte.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>

namespace e2e {

std::optional<std::string> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);
long long FileSize(const std::wstring& path);  // -1 when missing

// Text in the system's ANSI code page, as the program stores it. Fails
// (nullopt) when a character has no code there, so that an expectation can
// never be built from a lossy conversion.
std::optional<std::string> EncodeAnsi(const std::wstring& text);
std::wstring DecodeAnsi(const std::string& bytes);

// Empty when the two are equal; otherwise the sizes and the first line that
// differs (decoded from the ANSI code page, so a person can read it).
std::string DescribeDifference(const std::string& actual, const std::string& expected);

// Joins lines, each followed by CR LF.
std::wstring JoinLines(std::initializer_list<std::wstring> lines);

}  // namespace e2e
