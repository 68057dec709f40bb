// Whole-file reads and safe writes: the old file stays whole on every
// failure, and nothing is left beside it.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"

namespace scribbit::contract {
namespace {

constexpr std::uint32_t FileNotFound = 2, AccessDenied = 5, SharingViolation = 32;

class FileSystemContract : public ::testing::Test {
protected:
    std::unique_ptr<Rig> rig = MakeRig();
    FileSystem& files = rig->Files();

    std::string Contents(const std::u16string& path) {
        const ReadResult read = files.ReadAll(path, false);
        return read.ok ? read.bytes : "<error " + std::to_string(read.error.code) + ">";
    }
    std::uint32_t WriteError(const std::u16string& path) {
        return files.WriteAllSafely(path, "new").value_or(SystemError{}).code;
    }
};

TEST_F(FileSystemContract, AMissingFileIsReportedOrCreatedEmpty) {
    const std::u16string path = rig->Path(u"新規.txt");
    const ReadResult missing = files.ReadAll(path, false);
    EXPECT_EQ(std::tuple(missing.ok, missing.error.code, missing.error.source, files.FileExists(path)),
              std::tuple(false, FileNotFound, u"ScribbitⅡ", false));
    EXPECT_TRUE(!missing.error.description.empty() && !missing.error.description.ends_with(u'\n'));
    EXPECT_TRUE(files.ReadAll(path, true).ok);
    EXPECT_EQ(std::tuple(Contents(path), files.FileExists(path)), std::tuple("", true));
}

TEST_F(FileSystemContract, WritesReplaceByteForByteAndFailuresLeaveTheOldFileWhole) {
    const std::u16string path = rig->Path(u"メモ.txt"), readOnly = rig->Path(u"ro.txt"),
                         folder = rig->Path(u"sub");
    for (const std::string& bytes : {std::string("first\r\n\x82\xA0\0end", 12), std::string()}) {
        EXPECT_FALSE(files.WriteAllSafely(path, bytes).has_value());
        EXPECT_EQ(Contents(path), bytes);
    }
    files.WriteAllSafely(readOnly, "keep me");
    rig->SetReadOnly(readOnly);
    EXPECT_EQ(std::tuple(WriteError(readOnly), Contents(readOnly)), std::tuple(AccessDenied, "keep me"));
    rig->Lock(path, true);
    EXPECT_EQ(std::tuple(WriteError(path), Contents(path)), std::tuple(SharingViolation, "<error 32>"));
    rig->Lock(path, false);
    rig->MakeFolder(folder);
    EXPECT_EQ(
        std::tuple(files.FileExists(folder), files.ReadAll(folder, true).error.code, WriteError(folder)),
        std::tuple(false, AccessDenied, AccessDenied));
    EXPECT_EQ(std::tuple(Contents(path), rig->Names()),
              std::tuple("", std::vector<std::u16string>{u"ro.txt", u"メモ.txt"}));
}

}  // namespace
}  // namespace scribbit::contract
