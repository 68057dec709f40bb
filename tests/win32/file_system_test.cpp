#include <windows.h>

#include "win32/adapter_test.h"
#include "win32/file_system_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = FromWide(temp) + u"scribbit-fs-" + ToText(GetCurrentProcessId()) + u"-" + ToText(counter_++);
        CreateDirectoryW(Wide(path_), nullptr);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(Wide(path_ + u"\\*"), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::u16string name = FromWide(found.cFileName);
                if (name == u"." || name == u"..") continue;
                const std::u16string full = path_ + u"\\" + name;
                SetFileAttributesW(Wide(full), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryW(Wide(full));
                } else {
                    DeleteFileW(Wide(full));
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(Wide(path_));
    }
    std::u16string File(const std::u16string& name) const { return path_ + u"\\" + name; }
    // Names of everything in the folder, to catch leftover temporary files.
    int EntryCount() const {
        int count = 0;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(Wide(path_ + u"\\*"), &found);
        if (search == INVALID_HANDLE_VALUE) return 0;
        do {
            const std::u16string name = FromWide(found.cFileName);
            if (name != u"." && name != u"..") ++count;
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return count;
    }

private:
    static std::u16string ToText(unsigned long value) {
        std::u16string text;
        do {
            text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
            value /= 10;
        } while (value);
        return text;
    }
    static inline unsigned long counter_ = 0;
    std::u16string path_;
};

std::string Contents(FileSystemWin32& files, const std::u16string& path) {
    const ReadResult read = files.ReadAll(path, false);
    return read.ok ? read.bytes : std::string("<unreadable>");
}

ADAPTER_TEST(ReadAllReportsAMissingFileOrCreatesItOnRequest) {
    ScratchFolder folder;
    FileSystemWin32 files;
    const std::u16string path = folder.File(u"新規.txt");

    const ReadResult missing = files.ReadAll(path, false);
    EXPECT_TRUE(!missing.ok);
    EXPECT_EQ(missing.error.code, std::uint32_t{ERROR_FILE_NOT_FOUND});
    EXPECT_TRUE(!missing.error.description.empty());
    EXPECT_TRUE(missing.error.description.back() != u'\n' && missing.error.description.back() != u'\r');
    EXPECT_EQ(missing.error.source, std::u16string(u"ScribbitⅡ"));
    EXPECT_TRUE(!files.FileExists(path));

    const ReadResult created = files.ReadAll(path, true);
    EXPECT_TRUE(created.ok);
    EXPECT_EQ(created.bytes, std::string());
    EXPECT_TRUE(files.FileExists(path));
}

ADAPTER_TEST(ReadAllFailsOnAFolderAndFileExistsIgnoresFolders) {
    ScratchFolder folder;
    FileSystemWin32 files;
    const std::u16string sub = folder.File(u"sub");
    CreateDirectoryW(Wide(sub), nullptr);
    EXPECT_TRUE(!files.FileExists(sub));
    EXPECT_TRUE(!files.ReadAll(sub, true).ok);
}

ADAPTER_TEST(WriteAllSafelyCreatesAndReplacesWithoutLeftovers) {
    ScratchFolder folder;
    FileSystemWin32 files;
    const std::u16string path = folder.File(u"メモ.txt");
    const std::string first("first\r\n\x82\xA0\0end", 12);

    EXPECT_TRUE(!files.WriteAllSafely(path, first).has_value());
    EXPECT_EQ(Contents(files, path), first);
    EXPECT_TRUE(!files.WriteAllSafely(path, "second").has_value());
    EXPECT_EQ(Contents(files, path), std::string("second"));
    EXPECT_TRUE(!files.WriteAllSafely(path, "").has_value());
    EXPECT_EQ(Contents(files, path), std::string());
    EXPECT_EQ(folder.EntryCount(), 1);
}

ADAPTER_TEST(WriteAllSafelyKeepsTheOriginalsAttributes) {
    ScratchFolder folder;
    FileSystemWin32 files;
    const std::u16string path = folder.File(u"hidden.txt");
    EXPECT_TRUE(!files.WriteAllSafely(path, "old").has_value());
    SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(!files.WriteAllSafely(path, "new").has_value());
    EXPECT_EQ(Contents(files, path), std::string("new"));
    EXPECT_TRUE((GetFileAttributesW(Wide(path)) & FILE_ATTRIBUTE_HIDDEN) != 0);
    EXPECT_EQ(folder.EntryCount(), 1);
}

ADAPTER_TEST(WriteAllSafelyRefusesAReadOnlyTargetAndLeavesItWhole) {
    ScratchFolder folder;
    FileSystemWin32 files;
    const std::u16string path = folder.File(u"locked.txt");
    EXPECT_TRUE(!files.WriteAllSafely(path, "keep me").has_value());
    SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY);

    const std::optional<SystemError> error = files.WriteAllSafely(path, "overwritten");
    EXPECT_TRUE(error.has_value());
    if (error) EXPECT_EQ(error->code, std::uint32_t{ERROR_ACCESS_DENIED});
    EXPECT_EQ(Contents(files, path), std::string("keep me"));
    EXPECT_TRUE((GetFileAttributesW(Wide(path)) & FILE_ATTRIBUTE_READONLY) != 0);
    EXPECT_EQ(folder.EntryCount(), 1);
}

ADAPTER_TEST(WriteAllSafelyFailsCleanlyInAMissingFolderOrOnAFolder) {
    ScratchFolder folder;
    FileSystemWin32 files;
    EXPECT_TRUE(files.WriteAllSafely(folder.File(u"no such folder\\a.txt"), "x").has_value());
    const std::u16string sub = folder.File(u"sub");
    CreateDirectoryW(Wide(sub), nullptr);
    EXPECT_TRUE(files.WriteAllSafely(sub, "x").has_value());
    EXPECT_EQ(folder.EntryCount(), 1);
}

ADAPTER_TEST(WriteAllSafelyLeavesTheOriginalWhenItIsHeldOpen) {
    ScratchFolder folder;
    FileSystemWin32 files;
    const std::u16string path = folder.File(u"busy.txt");
    EXPECT_TRUE(!files.WriteAllSafely(path, "original").has_value());
    // Another program holds the file open without letting it be replaced.
    HANDLE holder =
        CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_TRUE(holder != INVALID_HANDLE_VALUE);
    const bool failed = files.WriteAllSafely(path, "replacement").has_value();
    CloseHandle(holder);
    EXPECT_TRUE(failed);
    EXPECT_EQ(Contents(files, path), std::string("original"));
    EXPECT_EQ(folder.EntryCount(), 1);
}

}  // namespace
}  // namespace scribbit
