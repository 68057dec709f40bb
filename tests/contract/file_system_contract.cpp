// Whole-file reads and safe writes: the old file stays whole on every
// failure, and nothing is left beside it.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"

namespace scribbit::contract {
namespace {

constexpr std::uint32_t FileNotFound = 2, PathNotFound = 3, AccessDenied = 5, SharingViolation = 32,
                        InvalidName = 123;

class FileSystemContract : public ::testing::Test {
protected:
    std::unique_ptr<FileSystemRig> rig = MakeFileSystemRig();
    FileSystem& files = rig->Port();

    std::string Contents(const std::u16string& path) {
        const ReadResult read = files.ReadAll(path, false);
        return read.ok ? read.bytes : "<unreadable>";
    }
    void ExpectWriteFails(const std::u16string& path, std::uint32_t code) {
        const auto error = files.WriteAllSafely(path, "new");
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->code, code);
    }
    void ExpectOnly(std::vector<std::u16string> names) { EXPECT_EQ(rig->Names(), names); }
};

TEST_F(FileSystemContract, AMissingFileIsReportedOrCreatedEmpty) {
    const std::u16string path = rig->Path(u"新規.txt");
    const ReadResult missing = files.ReadAll(path, false);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error.code, FileNotFound);
    ASSERT_FALSE(missing.error.description.empty());
    EXPECT_NE(missing.error.description.back(), u'\n');
    EXPECT_EQ(missing.error.source, u"ScribbitⅡ");
    EXPECT_FALSE(files.FileExists(path));

    const ReadResult created = files.ReadAll(path, true);
    EXPECT_TRUE(created.ok);
    EXPECT_EQ(created.bytes, "");
    EXPECT_TRUE(files.FileExists(path));
}

TEST_F(FileSystemContract, WritesCreateAndReplaceByteForByte) {
    const std::u16string path = rig->Path(u"メモ.txt");
    for (const std::string& bytes : {std::string("first\r\n\x82\xA0\0end", 12), std::string("second"), std::string()}) {
        EXPECT_FALSE(files.WriteAllSafely(path, bytes).has_value());
        EXPECT_EQ(Contents(path), bytes);
    }
    // Letter case does not make another file.
    EXPECT_TRUE(files.FileExists(rig->Path(u"メモ.TXT")));
    ExpectOnly({u"メモ.txt"});
}

TEST_F(FileSystemContract, FailedWritesLeaveTheOldFileWholeAndNothingBeside) {
    const std::u16string readOnly = rig->Path(u"ro.txt"), busy = rig->Path(u"busy.txt");
    files.WriteAllSafely(readOnly, "keep me");
    files.WriteAllSafely(busy, "original");
    rig->SetReadOnly(readOnly);
    ExpectWriteFails(readOnly, AccessDenied);
    EXPECT_EQ(Contents(readOnly), "keep me");

    rig->Lock(busy, true);
    ExpectWriteFails(busy, SharingViolation);
    const ReadResult read = files.ReadAll(busy, false);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error.code, SharingViolation);
    rig->Lock(busy, false);
    EXPECT_EQ(Contents(busy), "original");

    ExpectWriteFails(rig->Path(u"no such folder\\a.txt"), PathNotFound);
    ExpectWriteFails(rig->Path(u"what?.txt"), InvalidName);
    ExpectOnly({u"busy.txt", u"ro.txt"});
}

TEST_F(FileSystemContract, AFolderIsNoFile) {
    const std::u16string folder = rig->Path(u"sub");
    rig->MakeFolder(folder);
    EXPECT_FALSE(files.FileExists(folder));
    const ReadResult read = files.ReadAll(folder, true);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.error.code, AccessDenied);
    ExpectWriteFails(folder, AccessDenied);
    ExpectOnly({});
}

}  // namespace
}  // namespace scribbit::contract
