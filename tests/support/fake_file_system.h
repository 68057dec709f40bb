// In-memory disk: files as byte strings with read-only and locked flags,
// folders that can be read-only, and writes that a test makes fail per path.
// Errors carry the system's numbers and descriptions.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scribbit {

// The system's error numbers the fake reports.
namespace win_error {
inline constexpr std::uint32_t FileNotFound = 2;
inline constexpr std::uint32_t PathNotFound = 3;
inline constexpr std::uint32_t AccessDenied = 5;
inline constexpr std::uint32_t SharingViolation = 32;
inline constexpr std::uint32_t DiskFull = 112;
inline constexpr std::uint32_t InvalidName = 123;
}  // namespace win_error

// A SystemError with the system's own description of the number.
SystemError MakeSystemError(std::uint32_t code);

class FakeFileSystem : public FileSystem {
public:
    bool FileExists(const std::u16string& path) const override;
    ReadResult ReadAll(const std::u16string& path, bool createIfMissing) override;
    std::optional<SystemError> WriteAllSafely(const std::u16string& path, const std::string& bytes) override;

    // Adds or replaces a file (its folder comes into being with it).
    void AddFile(const std::u16string& path, std::string bytes, bool readOnly = false);
    void AddFolder(const std::u16string& path, bool readOnly = false) {
        entries_[Key(path)] = Entry{path, {}, true, readOnly, false};
    }
    void SetReadOnly(const std::u16string& path, bool readOnly) { At(path).readOnly = readOnly; }
    // Another program holds the file open without sharing.
    void SetLocked(const std::u16string& path, bool locked) { At(path).locked = locked; }
    // Every later write of path fails with code (a full disk, say).
    void FailWrites(const std::u16string& path, std::uint32_t code) { failures_[Key(path)] = code; }

    std::optional<std::string> Contents(const std::u16string& path) const;
    std::vector<std::u16string> FilePaths() const;
    // Every call, e.g. "read C:\a.txt", "write C:\a.txt".
    std::vector<std::u16string> log;

private:
    struct Entry {
        std::u16string path;  // as first given, for listing
        std::string bytes;
        bool folder = false;
        bool readOnly = false;
        bool locked = false;
    };

    // Windows paths ignore letter case.
    static std::u16string Key(std::u16string path);
    Entry& At(const std::u16string& path) { return entries_.at(Key(path)); }
    const Entry* Find(const std::u16string& path) const;
    // Why path cannot be opened as a file at all, if it cannot.
    std::optional<SystemError> CheckPath(const std::u16string& path) const;

    std::map<std::u16string, Entry> entries_;
    std::map<std::u16string, std::uint32_t> failures_;
};

}  // namespace scribbit
