// A session against failing disks, another program in the way and hostile
// files: each case ends with a message (or, where that is the rule, quietly),
// the program still running, and no byte of the user's files lost.
#include <filesystem>

#include "e2e/session.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
constexpr scribbit::MenuItem ToUpperCase{scribbit::Menu::Change, 2};
constexpr int PasteButton = 8;  // the default toolbar's, 0-based
const std::string Sample = "日本語のテキスト\r\nASCII line\r\n";

// Acts, then reads the message box that comes up and closes it.
std::string Told(const App& app, const std::function<void()>& action) {
    HWND box = nullptr;
    action();
    if (!PollUntil([&] { return (box = MessageBoxOf(app.Pid())) != nullptr; })) return "<no message>";
    std::string text;
    PollUntil([&] { return !(text = TextOf(GetDlgItem(box, MessageBoxText))).empty(); });
    EXPECT_TRUE(Click(box, IDOK) && PollUntil([&] { return !IsWindow(box); }));
    return text;
}

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
bool ChooseToOpen(const App& app, const std::string& path, const std::function<void()>& whileUp = {}) {
    const bool asks = app.Panel(1).ends_with("(変更)");
    return app.ChooseFile(
        [&] {
            asks ? (void)app.Answer([&] { app.Key('O', Ctrl); }, IDNO) : (void)app.Key('O', Ctrl);
            if (whileUp && PollUntil([&] { return !ShownDialogs(app.Pid()).empty(); })) whileUp();
        },
        path);
}

// Opened, typed into, then saved after `fault`: told, the document still
// shown and modified, nothing left beside the file, and after `mend` the
// file holds `left`.
void SaveFails(const App& app, const std::string& path, const std::string& bytes,
               const std::function<void()>& fault, const std::function<void()>& mend,
               const std::optional<std::string>& left) {
    SCOPED_TRACE(path);
    ASSERT_TRUE(WriteFileBytes(path, bytes) && ChooseToOpen(app, path));
    EXPECT_AFTER(app.Type("x"), app.Panel(1), path + "(変更)");
    fault();
    const auto names = NamesBeside(path);
    EXPECT_EQ(Told(app, [&] { app.Key('S', Ctrl); }), "その他のエラー");
    EXPECT_FALSE(app.process.WaitForExit(0));
    EXPECT_EQ(app.Panel(1) + "|" + app.Text().substr(0, 1), path + "(変更)|x");
    EXPECT_EQ(NamesBeside(path), names);
    mend();
    EXPECT_EQ(ReadFileBytes(path), left);
}

TEST(Session, FailingDisksOtherProgramsAndHostileFiles) {
    const std::string folder = FreshFolder();
    ASSERT_TRUE(SetClipboardText("履歴"));  // the history's first entry
    App app(folder);
    ASSERT_TRUE(app.Start());
    const std::string sample = AnsiBytes(Sample);

    // Saves onto a read-only file, into a folder deleted after the open, onto
    // a file another program holds open without sharing.
    const std::string readOnly = folder + "\\読み取り専用.txt", gone = folder + "\\消える",
                      held = folder + "\\held.txt";
    const auto attributes = [&](DWORD value) {
        return [&, value] { SetFileAttributesW(Wide(readOnly).c_str(), value); };
    };
    SaveFails(app, readOnly, sample, attributes(FILE_ATTRIBUTE_READONLY), attributes(FILE_ATTRIBUTE_NORMAL),
              sample);
    fs::create_directory(fs::path(Wide(gone)));
    SaveFails(
        app, gone + "\\memo.txt", sample, [&] { fs::remove_all(fs::path(Wide(gone))); }, [] {}, std::nullopt);
    std::optional<HeldFile> holder;
    SaveFails(
        app, held, sample, [&] { holder.emplace(held); }, [&] { holder.reset(); }, sample);
    // Opening a held file: the report, and the modified document as it was.
    const std::string text = app.Text();
    holder.emplace(held);
    const std::string report = Told(app, [&] { ChooseToOpen(app, held); });
    holder.reset();
    EXPECT_TRUE(report.starts_with("エラーです。\r\nOpenFileName: " + held + "\r\n")) << report;
    EXPECT_EQ(app.Text() + "|" + app.Panel(1), text + "|" + held + "(変更)");

    // A file deleted while the open dialog is up opens as a new, empty one.
    const std::string deleted = folder + "\\deleted.txt";
    ASSERT_TRUE(WriteFileBytes(deleted, "abc"));
    EXPECT_TRUE(ChooseToOpen(app, deleted, [&] { fs::remove(fs::path(Wide(deleted))); }));
    EXPECT_EQ(WaitFor([&] { return app.Panel(1); }, deleted), deleted);
    EXPECT_EQ(app.Text() + "|" + ReadFileBytes(deleted).value_or("<none>"), "|");

    // Hostile files: NULs are shown as blanks and told, random bytes told;
    // none is written to.
    std::string random(4096, '\0');
    for (std::size_t i = 0, x = 12345; i < random.size(); ++i)
        random[i] = static_cast<char>((x = x * 1103515245 + 12345) >> 16);
    const struct {
        std::string name, bytes, told;
    } hostile[] = {{"zeros.txt", std::string(300, '\0'), "このファイルには NUL"},
                   {"random.bin", random, "このファイルには"}};
    for (const auto& file : hostile) {
        const std::string path = folder + "\\" + file.name;
        ASSERT_TRUE(WriteFileBytes(path, file.bytes));
        EXPECT_TRUE(Told(app, [&] { ChooseToOpen(app, path); }).starts_with(file.told)) << file.name;
        EXPECT_EQ(WaitFor([&] { return app.Panel(1); }, path), path);
        EXPECT_EQ(ReadFileBytes(path), file.bytes);
        EXPECT_TRUE(file.name != "zeros.txt" || app.Text() == std::string(300, ' '));
    }
    // An empty file, quietly; then the clipboard held by another program:
    // Copy, Paste and the history's paste are refused with a message, and a
    // conversion, which does not need it, goes ahead.
    const std::string empty = folder + "\\empty.txt";
    ASSERT_TRUE(WriteFileBytes(empty, "") && ChooseToOpen(app, empty));
    EXPECT_AFTER(app.Type("abc"), app.Text(), "abc");
    EXPECT_EQ(MessageBoxOf(app.Pid()), nullptr);
    // Selected with the keys, as a user does: Copy is enabled by them.
    EXPECT_AFTER(app.Key(VK_HOME, Shift), SelectionOf(app.Editor()), Selection(0, 3));
    ASSERT_TRUE(SetClipboardText("前から") && OpenClipboard(nullptr));
    {
        const struct Release {
            ~Release() { CloseClipboard(); }
        } release;
        const std::string busy = "クリップボードが";
        EXPECT_TRUE(Told(app, [&] { app.Key('C', Ctrl); }).starts_with(busy));
        EXPECT_TRUE(Told(app, [&] { app.Key('V', Ctrl); }).starts_with(busy));
        // The paste button's arrow, as the toolbar reports it to the window.
        const HWND tools = ToolBarOf(app.Main());
        NMTOOLBARW arrow{};
        arrow.hdr = {tools, static_cast<UINT_PTR>(GetDlgCtrlID(tools)), static_cast<UINT>(TBN_DROPDOWN)};
        arrow.iItem = ToolbarButton(app.process.Handle(), tools, PasteButton).value_or(TBBUTTON{}).idCommand;
        RemoteBuffer note(app.process.Handle(), sizeof arrow);
        const auto list = [] {
            const HWND popup = FindWindowW(L"#32768", nullptr);
            return popup && IsWindowVisible(popup);
        };
        ASSERT_TRUE(
            note.Write(&arrow, sizeof arrow) && BringToForeground(app.Main()) &&
            PostMessageW(app.Main(), WM_NOTIFY, arrow.hdr.idFrom, reinterpret_cast<LPARAM>(note.At())) &&
            PollUntil(list));
        EXPECT_TRUE(Told(app, [&] { PressKey(VK_DOWN), PressKey(VK_RETURN); }).starts_with(busy));
        EXPECT_EQ(app.Text(), "abc");
        EXPECT_AFTER(app.Command(ToUpperCase), app.Text(), "ABC");
        EXPECT_EQ(MessageBoxOf(app.Pid()), nullptr);
    }
    EXPECT_EQ(ClipboardText(), "前から");

    // The settings file held by another program at the end: the program ends
    // all the same, and leaves the file as it was.
    const auto settings = app.Settings();
    const auto names = NamesBeside(app.SettingsPath());
    {
        HeldFile settingsHeld(app.SettingsPath());
        EXPECT_TRUE(app.Exit(IDNO));
    }
    EXPECT_EQ(app.Settings(), settings);
    EXPECT_EQ(NamesBeside(app.SettingsPath()), names);

    // A full disk: a Wine drive on a small filesystem that run-tests.sh mounts.
    wchar_t drive[8] = {};
    if (!GetEnvironmentVariableW(L"SCRIBBIT_E2E_SMALL_DISK", drive, 8))
        GTEST_SKIP() << "no small filesystem to fill";
    ULARGE_INTEGER free{};
    ASSERT_TRUE(GetDiskFreeSpaceExW((std::wstring(drive) + L"\\").c_str(), &free, nullptr, nullptr));
    ASSERT_LT(free.QuadPart, 1u << 20) << "not a small filesystem";
    std::string large;  // more than half the room: its copy does not fit beside it
    while (large.size() < free.QuadPart * 6 / 10) large += "0123456789 full disk\r\n";
    App again(folder);
    ASSERT_TRUE(again.Start());
    SaveFails(
        again, Utf8(drive) + "\\memo.txt", large, [] {}, [] {}, large);
    EXPECT_TRUE(again.Exit(IDNO));
}

}  // namespace
}  // namespace e2e
