// Printing to the PDF printer the test scripts set up: the pages are
// rendered to images (pdftoppm, a Linux program Wine starts) and read as
// ink, since the PDF's Japanese text cannot be extracted.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
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

std::string UnixPath(const std::string& windowsPath) {  // Z: is the Linux root
    std::string path = windowsPath.substr(2);
    for (char& c : path) c = c == '\\' ? '/' : c;
    return path;
}

// CUPS-PDF writes to ~/PDF; Wine gives the Linux home as \??\Z:\home\user.
std::string PdfFolder() {
    wchar_t home[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH);
    const std::string folder = Utf8(home);
    return (folder.starts_with("\\??\\") ? folder.substr(4) : folder) + "\\PDF";
}

std::set<std::string> PdfsNamed(const std::string& stem) {
    std::set<std::string> found;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(Wide(PdfFolder()), ignored)) {
        const std::string name = Utf8(entry.path().filename().wstring());
        const auto bytes = ReadFileBytes(PdfFolder() + "\\" + name);
        // Complete once it ends with its end-of-file marker.
        if (name.starts_with(stem) && bytes && bytes->find("%%EOF", bytes->size() - std::min<std::size_t>(bytes->size(), 64)) != std::string::npos)
            found.insert(name);
    }
    return found;
}

// A grey page: true where there is ink.
struct Page {
    int width = 0, height = 0;
    std::vector<unsigned char> grey;
    bool Ink(int x, int y) const { return grey[static_cast<std::size_t>(y) * width + x] < 128; }
    bool Rule(int y) const {  // an unbroken run of ink longer than any text: the header or footer rule
        for (int x = 0, run = 0; x < width; ++x)
            if ((run = Ink(x, y) ? run + 1 : 0) > Dpi * 2) return true;
        return false;
    }
};

// The pages the PDF itself declares.
std::size_t PageCount(const std::string& pdf) {
    const std::string bytes = ReadFileBytes(PdfFolder() + "\\" + pdf).value_or("");
    const std::regex page(R"(/Type\s*/Page[^s])");
    return static_cast<std::size_t>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

std::optional<Page> ReadPage(const std::wstring& file) {
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    std::string magic;
    Page page;
    int maximum = 0;
    in >> magic >> page.width >> page.height >> maximum;
    in.get();
    page.grey.assign(std::istreambuf_iterator<char>(in), {});
    if (magic != "P5" || page.width <= 0 || page.grey.size() != static_cast<std::size_t>(page.width) * page.height) return std::nullopt;
    return page;
}

// Wine starts a Linux program without a handle to wait on: the pages are
// there once as many complete images as the PDF has pages are.
std::vector<Page> Render(const std::string& pdf, const std::string& folder) {
    const std::size_t count = PageCount(pdf);
    std::wstring line = Wide("pdftoppm -gray -r " + std::to_string(Dpi) + " \"" + UnixPath(PdfFolder() + "\\" + pdf) + "\" \"" + UnixPath(folder + "\\page") + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessW(L"Z:\\usr\\bin\\pdftoppm", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    std::vector<Page> pages;
    PollUntil([&] {
        std::set<std::wstring> files;  // page-1.pgm, or page-01.pgm from ten pages on: in order either way
        for (const auto& entry : std::filesystem::directory_iterator(Wide(folder)))
            if (entry.path().extension() == L".pgm") files.insert(entry.path().wstring());
        pages.clear();
        for (const std::wstring& file : files)
            if (auto page = ReadPage(file)) pages.push_back(std::move(*page));
        return count > 0 && pages.size() == count;
    }, WaitMs, 200);
    EXPECT_EQ(pages.size(), count) << pdf;
    for (const auto& entry : std::filesystem::directory_iterator(Wide(folder)))
        if (entry.path().extension() == L".pgm") std::filesystem::remove(entry.path());
    return pages;
}

struct Ink {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
    int bodyLines = 0;  // bands of ink rows between the header rule and the footer rule
};

Ink InkOf(const Page& page) {
    Ink ink;
    std::vector<int> rules;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (!page.Ink(x, y)) continue;
            ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y), std::max(ink.bottom, y), 0};
        }
        if (page.Rule(y)) rules.push_back(y);
    }
    if (rules.size() < 2) return ink;
    bool inBand = false;
    for (int y = rules.front() + 1; y < rules.back(); ++y) {
        bool inked = false;
        for (int x = 0; x < page.width && !inked; ++x) inked = page.Ink(x, y);
        if (inked && !inBand && !page.Rule(y)) ++ink.bodyLines;
        inBand = inked;
    }
    return ink;
}

std::string Document(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i) text += std::to_string(1000 + i) + " 吾輩は猫である。名前はまだ無い。\r\n";
    return text;
}

// File > Print, OK in the print dialog; returns once the progress dialog
// has come and gone.
bool Print(const App& app) {
    const HWND dialog = app.Opens([&] { app.Key('P', Ctrl); }, [&] { return DialogTitled(app.Pid(), "印刷"); });
    if (!dialog || !Click(dialog, IDOK)) return false;
    PollUntil([&] { return DialogTitled(app.Pid(), "印刷中だよ") != nullptr; });
    return PollUntil([&] { return !DialogTitled(app.Pid(), "印刷中だよ"); }, PrintMs);
}

std::string AwaitPdf(const std::string& stem, const std::set<std::string>& before) {
    std::string pdf;
    PollUntil([&] {
        for (const std::string& name : PdfsNamed(stem))
            if (!before.contains(name)) pdf = name;
        return !pdf.empty();
    }, PrintMs, 200);
    return pdf;
}

TEST(Session, PrintPagesPageSetupAndCancel) {
    const std::string folder = FreshFolder();
    const std::string stem = "print-e2e-" + std::to_string(GetTickCount());
    const std::string path = folder + "\\" + stem + ".txt";
    const int lineCount = 150;
    ASSERT_TRUE(WriteFileBytes(path, AnsiBytes(Document(lineCount))));
    std::vector<Ink> first, second;
    {
        App app(folder);
        ASSERT_TRUE(app.Start(path));
        std::set<std::string> before = PdfsNamed(stem);
        ASSERT_TRUE(Print(app));
        const std::string pdf = AwaitPdf(stem, before);
        ASSERT_FALSE(pdf.empty()) << "no PDF in " << PdfFolder();
        for (const Page& page : Render(pdf, folder)) {
            first.push_back(InkOf(page));
            // Nothing outside the margins (15, 15, 20, 20 mm) of the sheet.
            EXPECT_GE(Millimetres(first.back().left), 15 - 0.5);
            EXPECT_GE(Millimetres(page.width - 1 - first.back().right), 15 - 0.5);
            EXPECT_GE(Millimetres(first.back().top), 20 - 0.5);
            EXPECT_GE(Millimetres(page.height - 1 - first.back().bottom), 20 - 0.5);
        }
        // Every line on a page of its own, each page full but the last.
        ASSERT_GE(first.size(), 2u);
        int printed = 0;
        for (const Ink& page : first) printed += page.bodyLines;
        EXPECT_EQ(printed, lineCount);
        const int perPage = first[0].bodyLines;
        EXPECT_EQ(first.size(), static_cast<std::size_t>((lineCount + perPage - 1) / perPage));

        // Page setup: the margins as the boxes show them; OK with new ones
        // moves the ink of the next printout by as much.
        const HWND setup = app.Opens([&] { app.Command(menu::FilePageSetup); }, [&] { return DialogTitled(app.Pid(), "ページ設定"); });
        ASSERT_TRUE(setup);
        EXPECT_EQ(TextOf(ItemOf(setup, IDC_PS_LEFT)), " 15");
        EXPECT_EQ(TextOf(ItemOf(setup, IDC_PS_TOP)), " 20");
        EXPECT_TRUE(SetText(ItemOf(setup, IDC_PS_LEFT), "40"));
        EXPECT_TRUE(SetText(ItemOf(setup, IDC_PS_TOP), "35.5"));
        Sleep(500);  // for the picture only: the dialog paints its controls once idle
        Screenshot("page-setup");
        ASSERT_TRUE(Click(setup, IDOK));
        ASSERT_TRUE(PollUntil([&] { return !IsWindow(setup); }));
        before = PdfsNamed(stem);
        ASSERT_TRUE(Print(app));
        const std::string next = AwaitPdf(stem, before);
        ASSERT_FALSE(next.empty());
        for (const Page& page : Render(next, folder)) second.push_back(InkOf(page));
        ASSERT_FALSE(second.empty());
        EXPECT_NEAR(Millimetres(second[0].left - first[0].left), 25, 1);
        EXPECT_NEAR(Millimetres(second[0].top - first[0].top), 16, 1);  // 35.5 is stored as 36
        EXPECT_LT(second[0].bodyLines, first[0].bodyLines);
        int reprinted = 0;
        for (const Ink& page : second) reprinted += page.bodyLines;
        EXPECT_EQ(reprinted, lineCount);
        EXPECT_TRUE(app.Exit());
    }
    {
        // A long job cancelled from the progress dialog: no PDF of it comes,
        // as a short job printed after it shows, and the document is as it was.
        const std::string longStem = stem + "-long";
        const std::string longPath = folder + "\\" + longStem + ".txt";
        ASSERT_TRUE(WriteFileBytes(longPath, AnsiBytes(Document(5000))));
        App app(folder);
        ASSERT_TRUE(app.Start(longPath));
        const HWND dialog = app.Opens([&] { app.Command(menu::FilePrint); }, [&] { return DialogTitled(app.Pid(), "印刷"); });
        ASSERT_TRUE(dialog && Click(dialog, IDOK));
        HWND progress = nullptr;
        ASSERT_TRUE(PollUntil([&] { return (progress = DialogTitled(app.Pid(), "印刷中だよ")) != nullptr; }));
        EXPECT_EQ(TextOf(ItemOf(progress, IDC_NP_COMMENT)), longStem + ".txt\r\nを印刷中です。");
        // The bar moves; cancelled, the job stops before its next line.
        EXPECT_TRUE(PollUntil([&] { return Send(ItemOf(progress, IDC_NP_PROGRESS), PBM_GETPOS) > 0; }));
        Sleep(500);  // for the picture only
        Screenshot("now-printing");
        ASSERT_TRUE(Click(progress, IDCANCEL));
        EXPECT_TRUE(PollUntil([&] { return !IsWindow(progress); }));
        EXPECT_EQ(app.Text(), Document(5000));
        EXPECT_EQ(app.Panel(1), longPath);
        EXPECT_TRUE(app.Exit());
        App shortJob(folder);
        ASSERT_TRUE(shortJob.Start(path));
        const std::set<std::string> before = PdfsNamed(stem);
        ASSERT_TRUE(Print(shortJob));
        EXPECT_FALSE(AwaitPdf(stem + ".txt", before).empty());
        EXPECT_TRUE(PdfsNamed(longStem).empty());
        EXPECT_TRUE(shortJob.Exit());
    }
}

}  // namespace
}  // namespace e2e
