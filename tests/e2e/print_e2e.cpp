// Printing to the PDF printer the test scripts set up: the pages are rendered to images (pdftoppm, a Linux
// program Wine starts) and read as ink, since the PDF's Japanese text cannot be extracted.
#include <process.h>

#include <algorithm>
#include <regex>

#include "e2e/session.h"
#include "printing_dialog_ids.h"

namespace e2e {
namespace {

namespace menu = scribbit::menu;
constexpr int Dpi = 100;
constexpr DWORD PrintMs = 90000;  // pages come slowly out of Wine's PostScript driver

// A path on Z: (the Linux root) as a Linux program takes it, quoted.
std::string UnixPath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return "\"" + path.substr(2) + "\"";
}

// The whole PDF (ending with its end-of-file marker) that CUPS-PDF wrote to ~/PDF for a document (its name
// starts with the document's); Wine gives the Linux home as \??\Z:\home\user.
std::string PdfOf(const std::string& document) {
    wchar_t home[MAX_PATH] = {};
    GetEnvironmentVariableW(L"WINEHOMEDIR", home, MAX_PATH);
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::wstring(home).substr(4) + L"\\PDF", ignored)) {
        const std::string pdf = Utf8(entry.path().wstring()), bytes = ReadFileBytes(pdf).value_or("");
        if (Utf8(entry.path().filename().wstring()).starts_with(document) &&
            bytes.find("%%EOF", bytes.size() - std::min<std::size_t>(bytes.size(), 64)) != std::string::npos)
            return pdf;
    }
    return "";
}

// Ctrl+P, then OK in the print dialog; returns the progress dialog.
HWND StartPrinting(const App& app) {
    const HWND dialog = app.Opens([&] { app.Key('P', Ctrl); }, [&] { return app.Dialog("印刷"); });
    return app.Opens([&] { Click(dialog, IDOK); }, [&] { return app.Dialog("印刷中だよ"); });
}

// Prints: the PDF's page count, then the ink's left, top, right and bottom margins on page 1 in mm.
std::vector<double> Print(const App& app, const std::string& folder, const std::string& document) {
    const HWND progress = StartPrinting(app);
    EXPECT_TRUE(progress && PollUntil([&] { return !IsWindow(progress); }, PrintMs));
    std::string pdf;
    if (!PollUntil([&] { return !(pdf = PdfOf(document)).empty(); }, PrintMs, 200)) return {};
    const std::string bytes = ReadFileBytes(pdf).value_or(""), page = folder + "\\page.pgm";
    const std::regex pageObject(R"(/Type\s*/Page[^s])");
    std::vector<double> found{static_cast<double>(
        std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), pageObject), std::sregex_iterator()))};
    std::filesystem::remove(Wide(page));
    // Wine starts a Linux program without a handle to wait on: the page is there once the image is whole.
    EXPECT_NE(_wspawnl(_P_NOWAIT, L"Z:/usr/bin/pdftoppm", L"pdftoppm",
                       (L"-gray -singlefile -r " + std::to_wstring(Dpi)).c_str(), Wide(UnixPath(pdf)).c_str(),
                       Wide(UnixPath(folder + "\\page")).c_str(), nullptr),
              -1);
    EXPECT_TRUE(PollUntil(
        [&] {
            const std::string image = ReadFileBytes(page).value_or("");
            int width = 0, height = 0, header = 0;
            std::sscanf(image.c_str(), "P5 %d %d 255%n", &width, &height, &header);
            const char* grey = image.data() + header + 1;
            if (!header || width <= 0 ||
                image.size() != static_cast<std::size_t>(header + 1 + width * height))
                return false;
            int left = width, top = height, right = width, bottom = height;
            for (int i = 0; i < width * height; ++i) {
                if (static_cast<unsigned char>(grey[i]) >= 128) continue;
                left = std::min(left, i % width), right = std::min(right, width - 1 - i % width);
                top = std::min(top, i / width), bottom = height - 1 - i / width;
            }
            for (const int pixels : {left, top, right, bottom}) found.push_back(pixels * 25.4 / Dpi);
            return true;
        },
        WaitMs, 200));
    DeleteFileW(Wide(pdf).c_str());
    return found;
}

std::string Document(int lines) {
    std::string text;
    for (int i = 1; i <= lines; ++i) text += std::to_string(1000 + i) + " 吾輩は猫である。\r\n";
    return text;
}

TEST(Session, PrintPagesPageSetupAndCancel) {
    const std::string folder = FreshFolder(), stem = "print-e2e-" + std::to_string(GetTickCount());
    const std::string shortDocument = stem + "-short", longDocument = stem + "-long";
    ASSERT_TRUE(WriteFileBytes(folder + "\\" + shortDocument + ".txt", AnsiBytes(Document(150))) &&
                WriteFileBytes(folder + "\\" + longDocument + ".txt", AnsiBytes(Document(5000))));
    App app(folder);
    ASSERT_TRUE(app.Start(folder + "\\" + longDocument + ".txt"));
    // A long job cancelled once the progress bar moves: no PDF of it comes, as the short job after it shows.
    // Over a main window kept on top the progress is on top as well, or the main window would bury it.
    ASSERT_TRUE(app.Command(menu::FormAlwaysOnTop));
    const HWND progress = StartPrinting(app);
    ASSERT_TRUE(progress);
    EXPECT_TRUE(PollUntil([&] { return (GetWindowLongPtrW(progress, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(PollUntil([&] { return Send(GetDlgItem(progress, IDC_NP_PROGRESS), PBM_GETPOS) > 0; }));
    ASSERT_TRUE(Click(progress, IDCANCEL));
    EXPECT_TRUE(PollUntil([&] { return !IsWindow(progress); }));
    ASSERT_TRUE(app.ChooseFile([&] { app.Key('O', Ctrl); }, folder + "\\" + shortDocument + ".txt"));

    // New margins in page setup, modal over the main window: the ink starts at them, pages break, and nothing
    // is outside the right and bottom margins (15 and 20 mm).
    const HWND setup =
        app.Opens([&] { app.Command(menu::FilePageSetup); }, [&] { return app.Dialog("ページ設定"); });
    EXPECT_TRUE(GetWindow(setup, GW_OWNER) == app.Main() && !IsWindowEnabled(app.Main()));
    ASSERT_TRUE(setup && SetText(GetDlgItem(setup, IDC_PS_LEFT), "40") &&
                SetText(GetDlgItem(setup, IDC_PS_TOP), "35.5") && Click(setup, IDOK));
    ASSERT_TRUE(PollUntil([&] { return !IsWindow(setup); }));
    const std::vector<double> printed = Print(app, folder, shortDocument);
    EXPECT_EQ(PdfOf(longDocument), "");
    ASSERT_EQ(printed.size(), 5u);
    EXPECT_GE(printed[0], 2);
    EXPECT_NEAR(printed[1], 40, 1);
    EXPECT_NEAR(printed[2], 36, 1);
    EXPECT_TRUE(printed[3] >= 14.5 && printed[4] >= 19.5) << printed[3] << " " << printed[4];
    EXPECT_TRUE(app.Exit());
}

}  // namespace
}  // namespace e2e
