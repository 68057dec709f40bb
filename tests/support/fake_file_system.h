// In-memory disk: files as byte strings with read-only and locked flags,
// folders that can be read-only, a capacity (disk full) and failures that a
// test injects per path and per step. Errors carry the system's numbers and
// descriptions. WriteAllSafely goes through a temporary file in the same
// folder, a flush and a replace, so a failure at any step leaves the
// previous file byte for byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <set>
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

enum class FileStep { Read, WriteTemp, Flush, Replace };

class FakeFileSystem : public FileSystem {
public:
    bool FileExists(const std::u16string& path) const override;
    ReadResult ReadAll(const std::u16string& path, bool createIfMissing) override;
    std::optional<SystemError> WriteAllSafely(const std::u16string& path, const std::string& bytes) override;

    // --- Set-up -----------------------------------------------------------
    // Adds or replaces a file (its folder comes into being with it).
    void AddFile(const std::u16string& path, std::string bytes, bool readOnly = false);
    void AddFolder(const std::u16string& path, bool readOnly = false);
    void SetReadOnly(const std::u16string& path, bool readOnly);
    // Another program holds the file open without sharing.
    void SetLocked(const std::u16string& path, bool locked);
    void SetFolderReadOnly(const std::u16string& folder, bool readOnly);
    // Total bytes the disk holds, all files together.
    void SetCapacity(std::size_t bytes) { capacity_ = bytes; }
    // Every later attempt of step on path fails with code until cleared.
    void InjectFailure(const std::u16string& path, FileStep step, std::uint32_t code);
    void ClearFailures() { failures_.clear(); }

    // --- Inspection -------------------------------------------------------
    std::optional<std::string> Contents(const std::u16string& path) const;
    bool IsReadOnly(const std::u16string& path) const;
    std::vector<std::u16string> FilePaths() const;
    std::size_t UsedBytes() const;
    // Every operation, e.g. "read C:\a.txt", "write-temp C:\a.txt.~tmp",
    // "flush C:\a.txt.~tmp", "replace C:\a.txt", "delete-temp C:\a.txt.~tmp".
    std::vector<std::u16string> log;

private:
    struct File {
        std::u16string path;  // as first given, for listing
        std::string bytes;
        bool readOnly = false;
        bool locked = false;
    };
    struct Folder {
        bool readOnly = false;
    };

    // Windows paths ignore letter case.
    static std::u16string Key(const std::u16string& path);
    static std::u16string FolderOf(const std::u16string& path);
    static bool IsValidName(const std::u16string& path);
    // Checks shared by reading and writing: the name, the folder, a folder
    // given as a file.
    std::optional<SystemError> CheckPath(const std::u16string& path) const;
    std::optional<SystemError> Injected(const std::u16string& path, FileStep step) const;

    std::map<std::u16string, File> files_;
    std::map<std::u16string, Folder> folders_;
    std::map<std::pair<std::u16string, FileStep>, std::uint32_t> failures_;
    std::size_t capacity_ = std::numeric_limits<std::size_t>::max();
};

}  // namespace scribbit
