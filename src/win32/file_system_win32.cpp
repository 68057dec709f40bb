#include "win32/file_system_win32.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "core/decimal.h"
#include "win32/system_error_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// Documents live in memory whole, and the edit control counts in 32-bit
// positions: anything past 2 GB could not be shown anyway.
constexpr LONGLONG LargestReadableFile = 0x7FFFFFFF;
// WriteFile and ReadFile take 32-bit counts; large files go in pieces.
constexpr DWORD IoChunk = 1u << 24;
// The attributes a saved file keeps from the one it replaces.
constexpr DWORD KeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close() {
        if (handle_ == INVALID_HANDLE_VALUE) return true;
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

private:
    HANDLE handle_;
};

DWORD Attributes(const std::u16string& path) {
    return GetFileAttributesW(Wide(path));
}

bool PathIsFree(const std::u16string& path) {
    return Attributes(path) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND;
}

// A sibling name that nothing uses yet: base + suffix, then base + suffix + n.
std::u16string FreeSiblingName(const std::u16string& path, const std::u16string& suffix) {
    std::u16string candidate = path + suffix;
    for (int n = 1; n < 1000 && !PathIsFree(candidate); ++n) {
        candidate = path + suffix + Decimal(static_cast<std::uint64_t>(n));
    }
    return candidate;
}

// Creates a fresh temporary file beside the target; CREATE_NEW guarantees that
// nothing else's file is ever overwritten by it.
HANDLE CreateTemporarySibling(const std::u16string& path, std::u16string& tempPath) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        tempPath = FreeSiblingName(path, u".~tmp");
        HANDLE handle = CreateFileW(Wide(tempPath), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return handle;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, IoChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

// Puts the finished temporary file in the target's place. ReplaceFileW keeps
// the target's attributes, security and streams; a backup name is given so
// that the target is never left missing when the final rename fails.
std::optional<SystemError> ReplaceTarget(const std::u16string& path, const std::u16string& tempPath,
                                         DWORD targetAttributes) {
    const std::u16string backupPath = FreeSiblingName(path, u".~bak");
    if (ReplaceFileW(Wide(path), Wide(tempPath), Wide(backupPath), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        DeleteFileW(Wide(backupPath));
        // Not every implementation carries the attributes over (Wine's does
        // not): put the original's back where they differ.
        const DWORD kept = targetAttributes & KeptAttributes;
        if ((Attributes(path) & KeptAttributes) != kept)
            SetFileAttributesW(Wide(path), kept ? kept : FILE_ATTRIBUTE_NORMAL);
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        // The original already went to the backup name: bring it back.
        MoveFileExW(Wide(backupPath), Wide(path), MOVEFILE_WRITE_THROUGH);
    }
    DeleteFileW(Wide(tempPath));
    return MakeSystemError(error);
}

}  // namespace

bool FileSystemWin32::FileExists(const std::u16string& path) const {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ReadResult FileSystemWin32::ReadAll(const std::u16string& path, bool createIfMissing) {
    ReadResult result;
    FileHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                createIfMissing ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file.IsValid()) {
        result.error = MakeSystemError(GetLastError());
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        result.error = MakeSystemError(GetLastError());
        return result;
    }
    if (size.QuadPart > LargestReadableFile) {
        result.error = MakeSystemError(ERROR_FILE_TOO_LARGE);
        return result;
    }
    try {
        result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        result.bytes.clear();
        result.error = MakeSystemError(ERROR_NOT_ENOUGH_MEMORY);
        return result;
    }
    std::size_t done = 0;
    while (done < result.bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - done, IoChunk));
        DWORD read = 0;
        if (!ReadFile(file.Get(), result.bytes.data() + done, chunk, &read, nullptr)) {
            result.bytes.clear();
            result.error = MakeSystemError(GetLastError());
            return result;
        }
        if (read == 0) break;  // the file shrank while we read it
        done += read;
    }
    result.bytes.resize(done);
    result.ok = true;
    return result;
}

std::optional<SystemError> FileSystemWin32::WriteAllSafely(const std::u16string& path,
                                                           const std::string& bytes) {
    const DWORD targetAttributes = Attributes(path);
    const bool targetExists = targetAttributes != INVALID_FILE_ATTRIBUTES;
    if (targetExists && (targetAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        // A read-only file is the user's explicit protection: never clear it.
        return MakeSystemError(ERROR_ACCESS_DENIED);
    }

    std::u16string tempPath;
    FileHandle temp(CreateTemporarySibling(path, tempPath));
    if (!temp.IsValid()) return MakeSystemError(GetLastError());

    if (!WriteWhole(temp.Get(), bytes) || !FlushFileBuffers(temp.Get())) {
        const DWORD error = GetLastError();
        temp.Close();
        DeleteFileW(Wide(tempPath));
        return MakeSystemError(error);
    }
    if (!temp.Close()) {
        const DWORD error = GetLastError();
        DeleteFileW(Wide(tempPath));
        return MakeSystemError(error);
    }

    if (targetExists) return ReplaceTarget(path, tempPath, targetAttributes);
    if (!MoveFileExW(Wide(tempPath), Wide(path), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(Wide(tempPath));
        return MakeSystemError(error);
    }
    return std::nullopt;
}

}  // namespace scribbit
