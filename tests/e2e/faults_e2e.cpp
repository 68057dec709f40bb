// A session against failing disks, another program in the way and hostile
// files: each case ends with a message (or, where that is the rule, quietly),
// the program still running, and no byte of the user's files lost.
#include <filesystem>

#include "e2e/session.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
constexpr scribbit::MenuItem ToUpperCase{scribbit::Menu::Change, 2};

// Another program's handle on a file, opened without sharing.
struct HeldFile {
    explicit HeldFile(const std::string& path)
        : handle(CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~HeldFile() { CloseHandle(handle); }
    HANDLE handle;
};

std::vector<std::string> NamesBeside(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(fs::path(Wide(path)).parent_path(), ignored))
        names.push_back(Utf8(entry.path().filename().wstring()));
    return names;
}

// File > Open with the dialog, past the save prompt of a modified document.
bool ChooseToOpen(const App& app, const std::string& path) {
    const bool asks = app.Panel(1).ends_with("(変更)");
    return app.ChooseFile(
        [&] { asks ? (void)app.Answer([&] { app.Key('O', Ctrl); }, IDNO) : (void)app.Key('O', Ctrl); }, path);
}

TEST(Session, FailingDisksOtherProgramsAndHostileFiles) {
    const std::string folder = FreshFolder(), sample = AnsiBytes("日本語のテキスト\r\nASCII line\r\n");
    App app(folder);
    ASSERT_TRUE(app.Start());

    // Saves onto a read-only file, into a folder deleted after the open, onto a file another program holds
    // open without sharing, and onto a full disk (a Wine drive on a small filesystem that run-tests.sh
    // mounts, the file more than half its room: the copy does not fit beside it). Each is told, the document
    // stays shown and modified, nothing is left beside the file, and once mended the file is as it was.
    const std::string readOnly = folder + "\\読み取り専用.txt", gone = folder + "\\消える",
                      held = folder + "\\held.txt";
    const auto attributes = [&](DWORD value) {
        return [&, value] { SetFileAttributesW(Wide(readOnly).c_str(), value); };
    };
    std::optional<HeldFile> holder;
    struct Case {
        std::string path, bytes;
        std::function<void()> fault, mend;
        bool kept;
    };
    std::vector<Case> cases = {
        {readOnly, sample, attributes(FILE_ATTRIBUTE_READONLY), attributes(FILE_ATTRIBUTE_NORMAL), true},
        {gone + "\\memo.txt", sample, [&] { fs::remove_all(fs::path(Wide(gone))); }, [] {}, false},
        {held, sample, [&] { holder.emplace(held); }, [&] { holder.reset(); }, true},
    };
    wchar_t drive[8] = {};
    ULARGE_INTEGER free{};
    if (GetEnvironmentVariableW(L"SCRIBBIT_E2E_SMALL_DISK", drive, 8)) {
        ASSERT_TRUE(GetDiskFreeSpaceExW((std::wstring(drive) + L"\\").c_str(), &free, nullptr, nullptr));
        ASSERT_LT(free.QuadPart, 1u << 20) << "not a small filesystem";
        std::string large;
        while (large.size() < free.QuadPart * 6 / 10) large += "0123456789 full disk\r\n";
        cases.push_back({Utf8(drive) + "\\memo.txt", large, [] {}, [] {}, true});
    } else {
        std::printf("no small filesystem to fill: the full-disk case is left out\n");
    }
    fs::create_directory(fs::path(Wide(gone)));
    for (const Case& row : cases) {
        SCOPED_TRACE(row.path);
        ASSERT_TRUE(WriteFileBytes(row.path, row.bytes) && ChooseToOpen(app, row.path));
        EXPECT_AFTER(app.Type("x"), app.Panel(1), row.path + "(変更)");
        row.fault();
        const auto names = NamesBeside(row.path);
        EXPECT_EQ(app.Answer([&] { app.Key('S', Ctrl); }), "その他のエラー");
        EXPECT_EQ(app.Panel(1) + "|" + app.Text().substr(0, 1), row.path + "(変更)|x");
        EXPECT_EQ(NamesBeside(row.path), names);
        row.mend();
        EXPECT_EQ(ReadFileBytes(row.path), row.kept ? std::optional(row.bytes) : std::nullopt);
    }

    // An empty file, quietly; then the clipboard held by another program: Copy and Paste are refused with a
    // message, and a conversion, which does not need it, goes ahead.
    const std::string empty = folder + "\\empty.txt";
    ASSERT_TRUE(WriteFileBytes(empty, "") && ChooseToOpen(app, empty));
    EXPECT_AFTER(app.Type("abc"), app.Text(), "abc");
    EXPECT_EQ(MessageBoxOf(app.Pid()), nullptr);
    // Selected with the keys, as a user does: Copy is enabled by them.
    EXPECT_AFTER(app.Key(VK_HOME, Shift), SelectionOf(app.Editor()), Selection(0, 3));
    ASSERT_TRUE(SetClipboardText("前から") && OpenClipboard(nullptr));
    for (const WORD key : {'C', 'V'})
        EXPECT_TRUE(app.Answer([&] { app.Key(key, Ctrl); }).starts_with("クリップボードが")) << key;
    EXPECT_AFTER(app.Command(ToUpperCase), app.Text(), "ABC");
    EXPECT_EQ(MessageBoxOf(app.Pid()), nullptr);
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), "前から");

    // The settings file held by another program at the end: the program ends
    // all the same, and leaves the file as it was.
    const auto settings = ReadFileBytes(app.SettingsPath());
    const auto names = NamesBeside(app.SettingsPath());
    {
        HeldFile settingsHeld(app.SettingsPath());
        EXPECT_NE(app.Answer([&] { app.Command(scribbit::menu::FileExit); }, IDNO), "");
        EXPECT_TRUE(app.process.WaitForExit(WaitMs));
    }
    EXPECT_EQ(ReadFileBytes(app.SettingsPath()), settings);
    EXPECT_EQ(NamesBeside(app.SettingsPath()), names);
}

}  // namespace
}  // namespace e2e
