// Printing to the PDF printer the test scripts set up: the pages are
// rendered to images (pdftoppm, a Linux program Wine starts) and read as
// ink, since the PDF's Japanese text cannot be extracted.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <regex>
#include <set>
#include <vector>

#include "e2e/session.h"
#include "printing_dialog_ids.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;
constexpr int Dpi = 100;
constexpr DWORD PrintMs = 90000;  // pages come slowly out of Wine's PostScript driver

double Millimetres(int pixels) { return pixels * 25.4 / Dpi; }

// CUPS-PDF writes to ~/PDF; Wine gives the Linux home as \??\Z:\home\user.
std::string PdfFolder() {
    wchar_t home[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH);
    const std::string folder = Utf8(home);
    return (folder.starts_with("\\??\\") ? folder.substr(4) : folder) + "\\PDF";
}

// The complete PDFs (ending with their end-of-file marker) whose names start with stem.
std::set<std::string> PdfsNamed(const std::string& stem) {
    std::set<std::string> found;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(Wide(PdfFolder()), ignored)) {
        const std::string name = Utf8(entry.path().filename().wstring());
        const std::string bytes = ReadFileBytes(PdfFolder() + "\\" + name).value_or("");
        if (name.starts_with(stem) && bytes.find("%%EOF", bytes.size() - std::min<std::size_t>(bytes.size(), 64)) != std::string::npos) found.insert(name);
    }
    return found;
}

// Where a page has ink, and its lines: the bands of ink rows between the
// header rule and the footer rule (unbroken runs of ink longer than any text).
struct Ink {
    int left, right, top, bottom, width, height, bodyLines;
};

Ink InkOf(const std::vector<unsigned char>& grey, int width, int height) {
    Ink ink{INT_MAX, -1, INT_MAX, -1, width, height, 0};
    std::vector<int> longest(static_cast<std::size_t>(height)), rules;  // the longest run of ink in each row
    for (int y = 0; y < height; ++y) {
        for (int x = 0, run = 0; x < width; ++x) {
            run = grey[static_cast<std::size_t>(y) * width + x] < 128 ? run + 1 : 0;
            longest[y] = std::max(longest[y], run);
            if (run) ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y), std::max(ink.bottom, y), width, height, 0};
        }
        if (longest[y] > Dpi * 2) rules.push_back(y);
    }
    for (int y = rules.empty() ? 0 : rules.front() + 1; rules.size() >= 2 && y < rules.back(); ++y) {
        if (longest[y] && longest[y] <= Dpi * 2 && !longest[y - 1]) ++ink.bodyLines;
    }
    return ink;
}

// Wine starts a Linux program without a handle to wait on: the pages are
// there once as many complete images as the PDF declares pages are.
std::vector<Ink> Render(const std::string& pdf, const std::string& folder) {
    const std::string bytes = ReadFileBytes(PdfFolder() + "\\" + pdf).value_or("");
    const std::regex pageObject(R"(/Type\s*/Page[^s])");
    const auto count = static_cast<std::size_t>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), pageObject), std::sregex_iterator()));
    const auto unix = [](std::string path) {  // Z: is the Linux root
        std::replace(path.begin(), path.end(), '\\', '/');
        return "\"" + path.substr(2) + "\"";
    };
    std::wstring line = Wide("pdftoppm -gray -r " + std::to_string(Dpi) + " " + unix(PdfFolder() + "\\" + pdf) + " " + unix(folder + "\\" + pdf));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessW(L"Z:\\usr\\bin\\pdftoppm", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::vector<Ink> pages;
    PollUntil([&] {
        pages.clear();
        std::set<std::filesystem::path> files;  // pdf-1.pgm, or pdf-01.pgm from ten pages on: in order either way
        for (const auto& entry : std::filesystem::directory_iterator(Wide(folder)))
            if (entry.path().extension() == L".pgm" && entry.path().filename().wstring().starts_with(Wide(pdf))) files.insert(entry.path());
        for (const auto& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::string magic;
            int width = 0, height = 0, maximum = 0;
            in >> magic >> width >> height >> maximum;
            in.get();
            const std::vector<unsigned char> grey{std::istreambuf_iterator<char>(in), {}};
            if (magic == "P5" && width > 0 && grey.size() == static_cast<std::size_t>(width) * height) pages.push_back(InkOf(grey, width, height));
        }
        return count > 0 && pages.size() == count;
    }, WaitMs, 200);
    EXPECT_EQ(pages.size(), count) << pdf;
    return pages;
}

int BodyLines(const std::vector<Ink>& pages) {
    return std::accumulate(pages.begin(), pages.end(), 0, [](int lines, const Ink& page) { return lines + page.bodyLines; });
}

std::string Document(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i) text += std::to_string(1000 + i) + " 吾輩は猫である。名前はまだ無い。\r\n";
    return text;
}

// Ctrl+P, then OK in the print dialog; returns the progress dialog.
HWND StartPrinting(const App& app) {
    const HWND dialog = app.Opens([&] { app.Key('P', Ctrl); }, [&] { return DialogTitled(app.Pid(), "印刷"); });
    HWND progress = nullptr;
    if (dialog && Click(dialog, IDOK)) PollUntil([&] { return (progress = DialogTitled(app.Pid(), "印刷中だよ")) != nullptr; });
    return progress;
}

// Prints and returns the pages of the PDF that comes of it.
std::vector<Ink> PrintedPages(const App& app, const std::string& stem, const std::string& folder) {
    const std::set<std::string> before = PdfsNamed(stem);
    const HWND progress = StartPrinting(app);
    EXPECT_TRUE(progress && PollUntil([&] { return !IsWindow(progress); }, PrintMs));
    std::string pdf;
    PollUntil([&] {
        for (const std::string& name : PdfsNamed(stem))
            if (!before.contains(name)) pdf = name;
        return !pdf.empty();
    }, PrintMs, 200);
    EXPECT_FALSE(pdf.empty()) << "no PDF in " << PdfFolder();
    return pdf.empty() ? std::vector<Ink>{} : Render(pdf, folder);
}

TEST(Session, PrintPagesPageSetupAndCancel) {
    const std::string folder = FreshFolder();
    const std::string stem = "print-e2e-" + std::to_string(GetTickCount());
    // CUPS-PDF names a PDF after the document, without its extension.
    const std::string shortStem = stem + "-short", longStem = stem + "-long", path = folder + "\\" + shortStem + ".txt";
    const int lineCount = 150;
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(Document(lineCount))));
    ASSERT_TRUE(WriteFileBytes(folder + "\\" + longStem + ".txt", AnsiBytes(Document(5000))));
    App app(folder);
    ASSERT_TRUE(app.Start(folder + "\\" + longStem + ".txt"));
    // A long job cancelled from the progress dialog once its bar moves: no
    // PDF of it comes, as the short job printed after it shows.
    // Over a main window kept on top it is kept on top as well, or going
    // back to the main window would bury it.
    ASSERT_TRUE(app.Run(menu::FormAlwaysOnTop));
    const HWND progress = StartPrinting(app);
    ASSERT_TRUE(progress);
    EXPECT_TRUE(PollUntil([&] { return (GetWindowLongPtrW(progress, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(PollUntil([&] { return Send(ItemOf(progress, IDC_NP_PROGRESS), PBM_GETPOS) > 0; }));
    Sleep(500);  // for the picture only
    Screenshot("now-printing");
    ASSERT_TRUE(Click(progress, IDCANCEL));
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(progress); }));
    ASSERT_TRUE(app.ChooseFile([&] { app.Key('O', Ctrl); }, path));
    const std::vector<Ink> first = PrintedPages(app, shortStem, folder);
    EXPECT_TRUE(PdfsNamed(longStem).empty());
    for (const Ink& page : first) {
        // Nothing outside the margins (15, 15, 20, 20 mm) of the sheet.
        EXPECT_GE(Millimetres(std::min(page.left, page.width - 1 - page.right)), 15 - 0.5);
        EXPECT_GE(Millimetres(std::min(page.top, page.height - 1 - page.bottom)), 20 - 0.5);
    }
    // Every line printed, each page full but the last.
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(BodyLines(first), lineCount);
    EXPECT_EQ(first.size(), static_cast<std::size_t>((lineCount + first[0].bodyLines - 1) / first[0].bodyLines));

    // Page setup: OK with new margins moves the ink of the next printout by
    // as much.
    const HWND setup = app.Opens([&] { app.Command(menu::FilePageSetup); }, [&] { return DialogTitled(app.Pid(), "ページ設定"); });
    ASSERT_TRUE(setup);
    EXPECT_TRUE(SetText(ItemOf(setup, IDC_PS_LEFT), "40"));
    EXPECT_TRUE(SetText(ItemOf(setup, IDC_PS_TOP), "35.5"));
    Sleep(500);  // for the picture only: the dialog paints its controls once idle
    Screenshot("page-setup");
    ASSERT_TRUE(Click(setup, IDOK));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(setup); }));
    const std::vector<Ink> second = PrintedPages(app, shortStem, folder);
    ASSERT_FALSE(second.empty());
    EXPECT_NEAR(Millimetres(second[0].left - first[0].left), 25, 1);
    EXPECT_NEAR(Millimetres(second[0].top - first[0].top), 16, 1);  // 35.5 is stored as 36
    EXPECT_LT(second[0].bodyLines, first[0].bodyLines);
    EXPECT_EQ(BodyLines(second), lineCount);
    EXPECT_TRUE(app.Exit());
    // The user's PDF folder keeps none of the test's printouts.
    for (const std::string& name : PdfsNamed(stem)) DeleteFileW(Wide(PdfFolder() + "\\" + name).c_str());
}

}  // namespace
}  // namespace e2e
