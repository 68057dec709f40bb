// The in-memory disk: system error numbers, and a safe write whose every
// failing step leaves the previous file as it was.
#include "support/fake_file_system.h"

#include <gtest/gtest.h>

#include <functional>

namespace scribbit {
namespace {

const std::u16string Path = u"C:\\docs\\a.txt";

class FakeFileSystemTest : public ::testing::Test {
protected:
    FakeFileSystemTest() { fs.AddFile(Path, "old"); }
    FakeFileSystem fs;
};

TEST_F(FakeFileSystemTest, SafeWriteGoesThroughATemporaryFile) {
    EXPECT_EQ(fs.WriteAllSafely(Path, "new"), std::nullopt);
    EXPECT_EQ(fs.Contents(Path), "new");
    EXPECT_EQ(fs.log,
              (std::vector<std::u16string>{u"write-temp C:\\docs\\a.txt.~tmp", u"flush C:\\docs\\a.txt.~tmp",
                                           u"replace C:\\docs\\a.txt"}));
    EXPECT_EQ(fs.FilePaths(), std::vector<std::u16string>{Path});
}

TEST_F(FakeFileSystemTest, EveryFailureLeavesTheOriginalAndNoTemporaryFile) {
    const struct {
        const char* name;
        std::function<void(FakeFileSystem&)> setUp;
        std::uint32_t code;
    } cases[] = {
        {"write", [](FakeFileSystem& f) { f.InjectFailure(Path, FileStep::WriteTemp, 5); }, 5},
        {"flush", [](FakeFileSystem& f) { f.InjectFailure(Path, FileStep::Flush, 112); }, 112},
        {"replace", [](FakeFileSystem& f) { f.InjectFailure(Path, FileStep::Replace, 32); }, 32},
        {"disk full", [](FakeFileSystem& f) { f.SetCapacity(f.UsedBytes() + 5); }, 112},
        {"read-only", [](FakeFileSystem& f) { f.SetReadOnly(Path, true); }, 5},
        {"locked", [](FakeFileSystem& f) { f.SetLocked(Path, true); }, 32},
        {"read-only folder", [](FakeFileSystem& f) { f.SetFolderReadOnly(u"C:\\docs", true); }, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem disk;
        disk.AddFile(Path, "old");
        c.setUp(disk);
        const auto error = disk.WriteAllSafely(Path, "longer new contents");
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->code, c.code);
        EXPECT_EQ(error->description, MakeSystemError(c.code).description);
        EXPECT_EQ(disk.Contents(Path), "old");
        EXPECT_EQ(disk.FilePaths(), std::vector<std::u16string>{Path});
    }
}

TEST_F(FakeFileSystemTest, DiskFullCountsTheOriginalUntilItIsReplaced) {
    fs.SetCapacity(8);  // "old" (3) + "12345" (5) fit side by side
    EXPECT_EQ(fs.WriteAllSafely(Path, "12345"), std::nullopt);
    EXPECT_EQ(fs.WriteAllSafely(Path, "123"), std::nullopt);
    EXPECT_EQ(fs.WriteAllSafely(Path, "123456")->code, win_error::DiskFull);
    EXPECT_EQ(fs.Contents(Path), "123");
}

TEST_F(FakeFileSystemTest, ReadingErrorsAreTheSystemsOnes) {
    fs.AddFolder(u"C:\\ro", true);
    fs.AddFile(u"C:\\docs\\locked.txt", "x");
    fs.SetLocked(u"C:\\docs\\locked.txt", true);
    const struct {
        std::u16string path;
        bool create;
        std::uint32_t code;
    } cases[] = {
        {u"C:\\docs\\missing.txt", false, 2},
        {u"C:\\nowhere\\a.txt", true, 3},
        {u"C:\\docs", true, 5},
        {u"C:\\ro\\new.txt", true, 5},
        {u"C:\\docs\\locked.txt", true, 32},
        {u"C:\\docs\\a<b.txt", true, 123},
        {u"C:\\docs\\", true, 123},
        {u"C:\\a:b", true, 123},
    };
    for (const auto& c : cases) {
        const ReadResult read = fs.ReadAll(c.path, c.create);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error.code, c.code);
        EXPECT_FALSE(read.error.description.empty());
    }
}

TEST_F(FakeFileSystemTest, CreatesMissingFilesAndIgnoresLetterCase) {
    const ReadResult created = fs.ReadAll(u"C:\\docs\\new.txt", true);
    EXPECT_TRUE(created.ok);
    EXPECT_EQ(fs.Contents(u"C:\\DOCS\\NEW.TXT"), "");
    EXPECT_EQ(fs.ReadAll(u"c:\\Docs\\A.TXT", false).bytes, "old");
    EXPECT_EQ(fs.ReadAll(u"relative.txt", true).ok, true);
}

}  // namespace
}  // namespace scribbit
