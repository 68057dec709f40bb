// In-memory disk: files as byte strings with read-only and locked flags,
// folders, and writes that a test makes fail per path.
// Errors carry the system's numbers and descriptions.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
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
inline SystemError MakeSystemError(std::uint32_t code) {
    static const std::map<std::uint32_t, std::u16string> descriptions{
        {win_error::FileNotFound, u"指定されたファイルが見つかりません。"},
        {win_error::PathNotFound, u"指定されたパスが見つかりません。"},
        {win_error::AccessDenied, u"アクセスが拒否されました。"},
        {win_error::SharingViolation, u"プロセスはファイルにアクセスできません。別のプロセスが使用中です。"},
        {win_error::DiskFull, u"ディスクに十分な空き領域がありません。"},
        {win_error::InvalidName,
         u"ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。"},
    };
    const auto it = descriptions.find(code);
    // The file system's errors are raised by the program itself, as the
    // real adapter reports them.
    return SystemError{code, it == descriptions.end() ? u"エラーが発生しました。" : it->second, u"ScribbitⅡ"};
}

class FakeFileSystem : public FileSystem {
public:
    bool FileExists(const std::u16string& path) const override {
        const Entry* entry = Find(path);
        return entry && !entry->folder;
    }
    ReadResult ReadAll(const std::u16string& path, bool createIfMissing) override {
        std::optional<SystemError> error = CheckPath(path);
        if (!error && !FileExists(path)) {
            if (!createIfMissing)
                error = MakeSystemError(win_error::FileNotFound);
            else
                AddFile(path, {});
        }
        if (error) return ReadResult{false, {}, *error};
        return ReadResult{true, Find(path)->bytes, {}};
    }
    std::optional<SystemError> WriteAllSafely(const std::u16string& path, const std::string& bytes) override {
        if (auto error = CheckPath(path)) return error;
        if (const auto failure = failures_.find(Key(path)); failure != failures_.end())
            return MakeSystemError(failure->second);
        const Entry* target = Find(path);
        if (target && target->readOnly) return MakeSystemError(win_error::AccessDenied);
        // The original's attributes stay; only its contents change.
        if (target)
            At(path).bytes = bytes;
        else
            AddFile(path, bytes);
        return std::nullopt;
    }

    // Adds or replaces a file (its folder comes into being with it).
    void AddFile(const std::u16string& path, std::string bytes, bool readOnly = false) {
        const std::u16string folder = FolderOf(path);
        if (!folder.empty() && !Find(folder)) AddFolder(folder);
        entries_[Key(path)] = Entry{path, std::move(bytes), false, readOnly, false};
    }
    void AddFolder(const std::u16string& path) { entries_[Key(path)] = Entry{path, {}, true, false, false}; }
    void SetReadOnly(const std::u16string& path, bool readOnly) { At(path).readOnly = readOnly; }
    // Another program holds the file open without sharing.
    void SetLocked(const std::u16string& path, bool locked) { At(path).locked = locked; }
    // Every later write of path fails with code (a full disk, say).
    void FailWrites(const std::u16string& path, std::uint32_t code) { failures_[Key(path)] = code; }

    std::optional<std::string> Contents(const std::u16string& path) const {
        if (!FileExists(path)) return std::nullopt;
        return Find(path)->bytes;
    }
    std::vector<std::u16string> FilePaths() const {
        std::vector<std::u16string> paths;
        for (const auto& [key, entry] : entries_)
            if (!entry.folder) paths.push_back(entry.path);
        return paths;
    }

private:
    struct Entry {
        std::u16string path;  // as first given, for listing
        std::string bytes;
        bool folder = false;
        bool readOnly = false;
        bool locked = false;
    };

    static std::u16string FolderOf(const std::u16string& path) {
        const auto slash = path.rfind(u'\\');
        return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
    }
    static bool IsValidName(const std::u16string& path) {
        if (path.empty() || path.back() == u'\\' || path.find_first_of(u"<>\"|?*") != path.npos) return false;
        for (std::size_t i = 0; i < path.size(); ++i)
            if (path[i] < 0x20 || (path[i] == u':' && i != 1)) return false;
        return true;
    }
    // Windows paths ignore letter case.
    static std::u16string Key(std::u16string path) {
        for (char16_t& c : path)
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        return path;
    }
    Entry& At(const std::u16string& path) { return entries_.at(Key(path)); }
    const Entry* Find(const std::u16string& path) const {
        const auto it = entries_.find(Key(path));
        return it == entries_.end() ? nullptr : &it->second;
    }
    // Why path cannot be opened as a file at all, if it cannot.
    std::optional<SystemError> CheckPath(const std::u16string& path) const {
        if (!IsValidName(path)) return MakeSystemError(win_error::InvalidName);
        const Entry* entry = Find(path);
        if (entry && entry->folder) return MakeSystemError(win_error::AccessDenied);
        if (entry && entry->locked) return MakeSystemError(win_error::SharingViolation);
        const std::u16string folder = FolderOf(path);
        const bool implicitFolder = folder.empty() || (folder.size() == 2 && folder[1] == u':');
        if (!implicitFolder && !Find(folder)) return MakeSystemError(win_error::PathNotFound);
        return std::nullopt;
    }

    std::map<std::u16string, Entry> entries_;
    std::map<std::u16string, std::uint32_t> failures_;
};

}  // namespace scribbit
