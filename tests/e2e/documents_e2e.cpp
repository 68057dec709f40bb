// A user's documents: opened from the command line, a dialog or a drop,
// edited, saved, and every question the program asks on the way.
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <iterator>

#include "e2e/session.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;

// Mixed Japanese and ASCII with CR LF line ends, as users' files are.
const std::string Sample = "日本語のテキスト\r\nASCII line\r\n半角ｶﾀｶﾅ と 記号①\r\n";

bool ReadOnlyViews(const App& app) {
    const auto editors = Editors(app.Main());
    return std::all_of(editors.begin(), editors.end(), [](HWND editor) { return GetWindowLongPtrW(editor, GWL_STYLE) & ES_READONLY; });
}

// A file dropped on the edit view: the file list as the shell hands it
// over, built inside the program; sent, so it is read before it is freed.
bool Drop(const App& app, const std::string& path) {
    DROPFILES header{sizeof header, {}, FALSE, TRUE};
    const std::wstring names = Wide(path) + L'\0';
    RemoteBuffer drop(app.process.Handle(), sizeof header + (names.size() + 1) * sizeof(wchar_t));
    return drop.Write(&header, sizeof header) && drop.Write(names.c_str(), (names.size() + 1) * sizeof(wchar_t), sizeof header) &&
           Send(app.Editor(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop.At())) == 0;
}

TEST(Session, OpenEditSaveAndThePrompts) {
    const std::string folder = FreshFolder();
    std::filesystem::create_directory(std::filesystem::path(Wide(folder + "\\two words")));
    const std::string path = folder + "\\two words\\メモ 1.txt";
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(Sample)));
    {
        App app(folder);
        // Unquoted, the command line is one name all the same.
        ASSERT_TRUE(app.Start(path));
        EXPECT_EQ(WaitFor([&] { return app.Caption(); }, "メモ 1.txt"), "メモ 1.txt");
        EXPECT_EQ(app.Text(), Sample);
        EXPECT_EQ(app.Panel(1), path);
        // Saved unchanged, the file keeps its bytes: no line break grows.
        EXPECT_AFTER(app.Key('S', Ctrl), app.Caption(), "メモ 1.txt - ScribbitⅡ");
        EXPECT_EQ(ReadFileBytes(path), AnsiBytes(Sample));
        // Typed and saved, with no copy left beside the file.
        EXPECT_AFTER(app.Type("x"), app.Panel(1), path + "(変更)");
        EXPECT_AFTER(app.Command(menu::FileSave), app.Panel(1), path);
        EXPECT_EQ(ReadFileBytes(path), AnsiBytes("x" + Sample));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Wide(folder + "\\two words")), {}), 1);

        // Exit asks: Cancel keeps the program and the text.
        EXPECT_AFTER(app.Type("y"), app.Text(), "xy" + Sample);
        EXPECT_TRUE(app.Answer([&] { app.Command(menu::FileExit); }, IDCANCEL));
        EXPECT_TRUE(app.Run(menu::EditSelectAll));
        EXPECT_EQ(app.Text(), "xy" + Sample);
        // New asks too; No clears the document and leaves the file alone.
        EXPECT_AFTER(EXPECT_TRUE(app.Answer([&] { app.Key('N', Ctrl); }, IDNO)), app.Text(), "");
        EXPECT_EQ(ReadFileBytes(path), AnsiBytes("x" + Sample));
        EXPECT_TRUE(app.Exit());
    }
    {
        App app(folder);
        ASSERT_TRUE(app.Start());
        EXPECT_AFTER(app.Type("メモ"), app.Text(), "メモ");
        // An untitled document asks for a name (here cancelled); so does
        // Exit, Yes, and cancelled, the program stays.
        EXPECT_TRUE(app.ChooseFile([&] { app.Command(menu::FileSave); }, "", false, "save-dialog"));
        EXPECT_TRUE(app.ChooseFile([&] { app.Answer([&] { app.Command(menu::FileExit); }, IDYES); }, ""));
        EXPECT_TRUE(app.Run(menu::EditSelectAll));
        // Named, it is saved, and the program ends.
        const std::string named = folder + "\\メモ.txt";
        EXPECT_TRUE(app.ChooseFile([&] { app.Answer([&] { app.Command(menu::FileExit); }, IDYES); }, named));
        EXPECT_TRUE(app.process.WaitForExit(WaitMs));
        EXPECT_EQ(ReadFileBytes(named), AnsiBytes("メモ"));
    }
    {
        // A name that does not exist yet is created, empty.
        const std::string fresh = folder + "\\新しい.txt";
        App app(folder);
        ASSERT_TRUE(app.Start(fresh));
        EXPECT_EQ(ReadFileBytes(fresh), "");
        // Opened with the read-only box ticked: both views are locked.
        EXPECT_TRUE(app.ChooseFile([&] { app.Key('O', Ctrl); }, path, true, "open-dialog"));
        EXPECT_EQ(WaitFor([&] { return app.Panel(1); }, path + "(読込み専用)"), path + "(読込み専用)");
        EXPECT_TRUE(ReadOnlyViews(app));
        // Nothing the user does changes it: no "(変更)", the clipboard kept,
        // and no question when the next file opens. Select all and the caret
        // going home show the keys before them were taken.
        ASSERT_TRUE(SetClipboardText("クリップ"));
        for (const WORD key : {'V', 'Z'}) app.Key(key, Ctrl);
        app.Key(VK_DELETE), app.Key(VK_F5);
        EXPECT_AFTER(app.Key('A', Ctrl), SelectionOf(app.Editor()), Selection(0, Units("x" + Sample)));
        app.Key('X', Ctrl), app.Key(VK_DELETE);
        EXPECT_AFTER(app.Key(VK_HOME, Ctrl), SelectionOf(app.Editor()), Selection(0, 0));
        Screenshot("read-only-after-keys");
        EXPECT_EQ(std::tuple(app.Text(), app.Panel(1), ClipboardText()),
                  std::tuple("x" + Sample, path + "(読込み専用)", std::string("クリップ")));
        // After a cancelled dialog, a dropped file opens unlocked.
        EXPECT_TRUE(app.ChooseFile([&] { app.Command(menu::FileOpen); }, ""));
        EXPECT_AFTER(EXPECT_TRUE(Drop(app, fresh)), app.Panel(1), fresh);
        EXPECT_FALSE(ReadOnlyViews(app));
        EXPECT_TRUE(app.Exit());
    }
    {
        // A folder on the command line: reported over the shown window once
        // start-up is through, which ends with an untitled document.
        App app(folder);
        ASSERT_TRUE(app.StartOnly(folder + "\\two words"));
        ASSERT_TRUE(PollUntil([&] { return MessageBoxOf(app.Pid()) != nullptr; }));
        EXPECT_TRUE(app.process.WaitForMainWindow(0));
        EXPECT_TRUE(app.Answer(nullptr));
        EXPECT_EQ(app.Caption(), ProgramTitle);
        EXPECT_TRUE(app.Exit());
    }
    {
        // NUL bytes: the warning comes over the window, which holds the text.
        const std::string zeros = folder + "\\zeros.txt";
        ASSERT_TRUE(WriteFileBytes(zeros, std::string("a\0b", 3)));
        App app(folder);
        ASSERT_TRUE(app.StartOnly(zeros));
        ASSERT_TRUE(PollUntil([&] { return MessageBoxOf(app.Pid()) != nullptr; }));
        EXPECT_TRUE(app.process.WaitForMainWindow(0));
        EXPECT_EQ(app.Caption(), "zeros.txt");
        Screenshot("nul-warning");
        EXPECT_TRUE(app.Answer(nullptr));
        EXPECT_TRUE(app.Exit());
    }
}

}  // namespace
}  // namespace e2e
