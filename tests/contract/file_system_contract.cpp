// Whole-file reads and safe writes: a missing file is reported or created
// empty, the old file stays whole on every failure, and nothing is left
// beside it.
#include <gtest/gtest.h>

#include "contract/port_rigs.h"

namespace scribbit::contract {
namespace {

constexpr std::uint32_t FileNotFound = 2, AccessDenied = 5, SharingViolation = 32;

TEST(FileSystemContract, ReadsAndWritesWholeFilesAndFailuresLeaveTheOldFileWhole) {
    Rig rig;
    FileSystem& files = rig.files;
    const auto contents = [&](const std::u16string& path) {
        const ReadResult read = files.ReadAll(path, false);
        return read.ok ? read.bytes : "<error " + std::to_string(read.error.code) + ">";
    };
    const auto writeError = [&](const std::u16string& path) {
        return files.WriteAllSafely(path, "new").value_or(SystemError{}).code;
    };
    const std::u16string path = rig.Path(u"メモ.txt"), readOnly = rig.Path(u"ro.txt"),
                         folder = rig.Path(u"sub");
    const ReadResult missing = files.ReadAll(path, false);
    EXPECT_EQ(std::tuple(missing.ok, missing.error.code, missing.error.source, files.FileExists(path)),
              std::tuple(false, FileNotFound, u"ScribbitⅡ", false));
    EXPECT_TRUE(!missing.error.description.empty() && !missing.error.description.ends_with(u'\n'));
    EXPECT_TRUE(files.ReadAll(path, true).ok);
    EXPECT_EQ(std::tuple(contents(path), files.FileExists(path)), std::tuple("", true));

    for (const std::string& bytes : {std::string("first\r\n\x82\xA0\0end", 12), std::string()}) {
        EXPECT_FALSE(files.WriteAllSafely(path, bytes).has_value());
        EXPECT_EQ(contents(path), bytes);
    }
    files.WriteAllSafely(readOnly, "keep me");
    rig.SetReadOnly(readOnly);
    EXPECT_EQ(std::tuple(writeError(readOnly), contents(readOnly)), std::tuple(AccessDenied, "keep me"));
    rig.Lock(path, true);
    EXPECT_EQ(std::tuple(writeError(path), contents(path)), std::tuple(SharingViolation, "<error 32>"));
    rig.Lock(path, false);
    rig.MakeFolder(folder);
    EXPECT_EQ(
        std::tuple(files.FileExists(folder), files.ReadAll(folder, true).error.code, writeError(folder)),
        std::tuple(false, AccessDenied, AccessDenied));
    EXPECT_EQ(std::tuple(contents(path), rig.Names()),
              std::tuple("", std::vector<std::u16string>{u"ro.txt", u"メモ.txt"}));
}

}  // namespace
}  // namespace scribbit::contract
