#include "support/fake_file_system.h"

#include <utility>

namespace scribbit {

SystemError MakeSystemError(std::uint32_t code) {
    SystemError error;
    error.code = code;
    // The file system's errors are raised by the program itself, as the
    // real adapter reports them.
    error.source = u"ScribbitⅡ";
    switch (code) {
        case win_error::FileNotFound:
            error.description = u"指定されたファイルが見つかりません。";
            break;
        case win_error::PathNotFound:
            error.description = u"指定されたパスが見つかりません。";
            break;
        case win_error::AccessDenied:
            error.description = u"アクセスが拒否されました。";
            break;
        case win_error::SharingViolation:
            error.description = u"プロセスはファイルにアクセスできません。別のプロセスが使用中です。";
            break;
        case win_error::DiskFull:
            error.description = u"ディスクに十分な空き領域がありません。";
            break;
        case win_error::InvalidName:
            error.description =
                u"ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。";
            break;
        default:
            error.description = u"エラーが発生しました。";
            break;
    }
    return error;
}

std::u16string FakeFileSystem::Key(const std::u16string& path) {
    std::u16string key = path;
    for (auto& c : key) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return key;
}

std::u16string FakeFileSystem::FolderOf(const std::u16string& path) {
    const auto slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

bool FakeFileSystem::IsValidName(const std::u16string& path) {
    if (path.empty() || path.back() == u'\\') return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char16_t c = path[i];
        if (c < 0x20 || c == u'<' || c == u'>' || c == u'"' || c == u'|' || c == u'?' || c == u'*')
            return false;
        if (c == u':' && i != 1) return false;
    }
    return true;
}

std::optional<SystemError> FakeFileSystem::CheckPath(const std::u16string& path) const {
    if (!IsValidName(path)) return MakeSystemError(win_error::InvalidName);
    // Opening a folder as a file is refused.
    if (folders_.count(Key(path))) return MakeSystemError(win_error::AccessDenied);
    const std::u16string folder = Key(FolderOf(path));
    const bool implicitFolder = folder.empty() || (folder.size() == 2 && folder[1] == u':');
    if (!implicitFolder && !folders_.count(folder)) return MakeSystemError(win_error::PathNotFound);
    return std::nullopt;
}

std::optional<SystemError> FakeFileSystem::Injected(const std::u16string& path, FileStep step) const {
    const auto it = failures_.find({Key(path), step});
    if (it == failures_.end()) return std::nullopt;
    return MakeSystemError(it->second);
}

bool FakeFileSystem::FileExists(const std::u16string& path) const {
    return files_.count(Key(path)) != 0;
}

ReadResult FakeFileSystem::ReadAll(const std::u16string& path, bool createIfMissing) {
    log.push_back(u"read " + path);
    ReadResult result;
    auto fail = [&result](SystemError error) {
        result.ok = false;
        result.error = std::move(error);
        return result;
    };
    if (auto error = CheckPath(path)) return fail(*error);
    if (auto error = Injected(path, FileStep::Read)) return fail(*error);
    auto it = files_.find(Key(path));
    if (it == files_.end()) {
        if (!createIfMissing) return fail(MakeSystemError(win_error::FileNotFound));
        const auto folder = folders_.find(Key(FolderOf(path)));
        if (folder != folders_.end() && folder->second.readOnly)
            return fail(MakeSystemError(win_error::AccessDenied));
        log.push_back(u"create " + path);
        it = files_.emplace(Key(path), File{path, {}, false, false}).first;
    }
    if (it->second.locked) return fail(MakeSystemError(win_error::SharingViolation));
    result.ok = true;
    result.bytes = it->second.bytes;
    return result;
}

std::optional<SystemError> FakeFileSystem::WriteAllSafely(const std::u16string& path,
                                                          const std::string& bytes) {
    if (auto error = CheckPath(path)) return error;
    const auto folder = folders_.find(Key(FolderOf(path)));
    if (folder != folders_.end() && folder->second.readOnly) {
        // The temporary file cannot even be created.
        return MakeSystemError(win_error::AccessDenied);
    }

    const std::u16string tempPath = path + u".~tmp";
    const std::u16string tempKey = Key(tempPath);
    auto dropTemp = [&] {
        log.push_back(u"delete-temp " + tempPath);
        files_.erase(tempKey);
    };

    log.push_back(u"write-temp " + tempPath);
    if (auto error = Injected(path, FileStep::WriteTemp)) return error;
    files_[tempKey] = File{tempPath, {}, false, false};
    if (UsedBytes() + bytes.size() > capacity_) {
        dropTemp();
        return MakeSystemError(win_error::DiskFull);
    }
    files_[tempKey].bytes = bytes;

    log.push_back(u"flush " + tempPath);
    if (auto error = Injected(path, FileStep::Flush)) {
        dropTemp();
        return error;
    }

    log.push_back(u"replace " + path);
    std::optional<SystemError> replaceError = Injected(path, FileStep::Replace);
    const auto target = files_.find(Key(path));
    if (!replaceError && target != files_.end()) {
        if (target->second.locked)
            replaceError = MakeSystemError(win_error::SharingViolation);
        else if (target->second.readOnly)
            replaceError = MakeSystemError(win_error::AccessDenied);
    }
    if (replaceError) {
        dropTemp();
        return replaceError;
    }
    if (target != files_.end()) {
        // The original's attributes stay; only its contents change.
        target->second.bytes = bytes;
    } else {
        files_.emplace(Key(path), File{path, bytes, false, false});
    }
    files_.erase(tempKey);
    return std::nullopt;
}

void FakeFileSystem::AddFile(const std::u16string& path, std::string bytes, bool readOnly) {
    const std::u16string folder = FolderOf(path);
    if (!folder.empty() && !folders_.count(Key(folder))) folders_[Key(folder)] = Folder{};
    files_[Key(path)] = File{path, std::move(bytes), readOnly, false};
}

void FakeFileSystem::AddFolder(const std::u16string& path, bool readOnly) {
    folders_[Key(path)] = Folder{readOnly};
}

void FakeFileSystem::SetReadOnly(const std::u16string& path, bool readOnly) {
    files_.at(Key(path)).readOnly = readOnly;
}

void FakeFileSystem::SetLocked(const std::u16string& path, bool locked) {
    files_.at(Key(path)).locked = locked;
}

void FakeFileSystem::SetFolderReadOnly(const std::u16string& folder, bool readOnly) {
    folders_[Key(folder)].readOnly = readOnly;
}

void FakeFileSystem::InjectFailure(const std::u16string& path, FileStep step, std::uint32_t code) {
    failures_[{Key(path), step}] = code;
}

std::optional<std::string> FakeFileSystem::Contents(const std::u16string& path) const {
    const auto it = files_.find(Key(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.bytes;
}

bool FakeFileSystem::IsReadOnly(const std::u16string& path) const {
    const auto it = files_.find(Key(path));
    return it != files_.end() && it->second.readOnly;
}

std::vector<std::u16string> FakeFileSystem::FilePaths() const {
    std::vector<std::u16string> paths;
    for (const auto& [key, file] : files_) paths.push_back(file.path);
    return paths;
}

std::size_t FakeFileSystem::UsedBytes() const {
    std::size_t used = 0;
    for (const auto& [key, file] : files_) used += file.bytes.size();
    return used;
}

}  // namespace scribbit
