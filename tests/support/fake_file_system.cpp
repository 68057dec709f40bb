#include "support/fake_file_system.h"

#include <utility>

namespace scribbit {
namespace {

std::u16string FolderOf(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool IsValidName(const std::u16string& path) {
    if (path.empty() || path.back() == u'\\') return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] < 0x20 || std::u16string_view(u"<>\"|?*").find(path[i]) != std::u16string_view::npos ||
            (path[i] == u':' && i != 1))
            return false;
    }
    return true;
}

}  // namespace

SystemError MakeSystemError(std::uint32_t code) {
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

std::u16string FakeFileSystem::Key(std::u16string path) {
    for (char16_t& c : path)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return path;
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::u16string& path) const {
    const auto it = entries_.find(Key(path));
    return it == entries_.end() ? nullptr : &it->second;
}

std::optional<SystemError> FakeFileSystem::CheckPath(const std::u16string& path) const {
    if (!IsValidName(path)) return MakeSystemError(win_error::InvalidName);
    const Entry* entry = Find(path);
    if (entry && entry->folder) return MakeSystemError(win_error::AccessDenied);
    if (entry && entry->locked) return MakeSystemError(win_error::SharingViolation);
    const std::u16string folder = FolderOf(path);
    const bool implicitFolder = folder.empty() || (folder.size() == 2 && folder[1] == u':');
    if (!implicitFolder && !Find(folder)) return MakeSystemError(win_error::PathNotFound);
    return std::nullopt;
}

bool FakeFileSystem::FileExists(const std::u16string& path) const {
    const Entry* entry = Find(path);
    return entry && !entry->folder;
}

ReadResult FakeFileSystem::ReadAll(const std::u16string& path, bool createIfMissing) {
    log.push_back(u"read " + path);
    std::optional<SystemError> error = CheckPath(path);
    const Entry* folder = Find(FolderOf(path));
    if (!error && !FileExists(path)) {
        if (!createIfMissing)
            error = MakeSystemError(win_error::FileNotFound);
        else if (folder && folder->readOnly)
            error = MakeSystemError(win_error::AccessDenied);
        else
            AddFile(path, {});
    }
    if (error) return ReadResult{false, {}, *error};
    return ReadResult{true, Find(path)->bytes, {}};
}

std::optional<SystemError> FakeFileSystem::WriteAllSafely(const std::u16string& path,
                                                          const std::string& bytes) {
    log.push_back(u"write " + path);
    if (auto error = CheckPath(path)) return error;
    const Entry* folder = Find(FolderOf(path));
    // The temporary file cannot even be created in a read-only folder.
    if (folder && folder->readOnly) return MakeSystemError(win_error::AccessDenied);
    if (const auto failure = failures_.find(Key(path)); failure != failures_.end()) {
        return MakeSystemError(failure->second);
    }
    const Entry* target = Find(path);
    if (target && target->readOnly) return MakeSystemError(win_error::AccessDenied);
    // The original's attributes stay; only its contents change.
    if (target)
        At(path).bytes = bytes;
    else
        AddFile(path, bytes);
    return std::nullopt;
}

void FakeFileSystem::AddFile(const std::u16string& path, std::string bytes, bool readOnly) {
    const std::u16string folder = FolderOf(path);
    if (!folder.empty() && !Find(folder)) AddFolder(folder);
    entries_[Key(path)] = Entry{path, std::move(bytes), false, readOnly, false};
}

std::optional<std::string> FakeFileSystem::Contents(const std::u16string& path) const {
    if (!FileExists(path)) return std::nullopt;
    return Find(path)->bytes;
}

std::vector<std::u16string> FakeFileSystem::FilePaths() const {
    std::vector<std::u16string> paths;
    for (const auto& [key, entry] : entries_)
        if (!entry.folder) paths.push_back(entry.path);
    return paths;
}

}  // namespace scribbit
