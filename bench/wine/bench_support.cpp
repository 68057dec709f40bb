// The helpers bench_support.h declares, shared by the modes of the Wine
// benchmark driver.
#include "bench_support.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "e2e/probe.h"

namespace bench {

double NowMs() {
    static const LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool PollGently(const std::function<bool()>& condition, DWORD timeoutMs) {
    const double start = NowMs();
    while (!condition()) {
        const double waited = NowMs() - start;
        if (waited >= timeoutMs) return condition();
        Sleep(static_cast<DWORD>(std::clamp(waited / 200, 1.0, 50.0)));
    }
    return true;
}

double Median(std::vector<double> values) {
    std::erase_if(values, [](double v) { return v < 0; });
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

HWND DocumentView(HWND mainWindow) {
    HWND best = nullptr;
    long long bestArea = -1;
    for (HWND edit : e2e::Descendants(mainWindow, L"Edit")) {
        if (!IsWindowVisible(edit)) continue;
        RECT r{};
        GetWindowRect(edit, &r);
        const long long area = static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
        if (area > bestArea) {
            best = edit;
            bestArea = area;
        }
    }
    return best;
}

long long TextLengthOf(HWND window) {
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return -1;
    return static_cast<long long>(length);
}

std::string Quote(const std::string& path) {
    return "\"" + path + "\"";
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CopyInto(const std::string& source, const std::string& folder) {
    const std::string target = folder + "\\" + NameOf(source);
    CopyFileW(e2e::Wide(source).c_str(), e2e::Wide(target).c_str(), FALSE);
    return target;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(e2e::Wide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring FromAnsi(const std::string& bytes) {
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

long long CharacterCount(const std::string& path) {
    const auto bytes = e2e::ReadFileBytes(path);
    return bytes ? static_cast<long long>(FromAnsi(*bytes).size()) : -1;
}

std::wstring TextOfView(HWND view) {
    const long long length = TextLengthOf(view);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(view, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        600000, &copied);
    text.resize(std::min<std::size_t>(copied, static_cast<std::size_t>(length)));
    return text;
}

double TimeStart(const std::string& exe, const std::string& folder) {
    e2e::Process process;
    const double start = NowMs();
    if (!process.Start(exe, "", folder, 180000)) return -1;
    const HWND window = process.WaitForMainWindow(180000);
    const double elapsed = NowMs() - start;
    process.Kill();
    return window ? elapsed : -1;
}

std::string FloorCells(double ours, double floor) {
    char text[64];
    const auto seconds = [](double ms, char* cell) {
        if (ms < 0)
            std::snprintf(cell, 16, "%9s", "-");
        else
            std::snprintf(cell, 16, "%9.3f", ms / 1000);
    };
    char a[16], b[16];
    seconds(ours, a);
    seconds(floor, b);
    if (ours >= 0 && floor > 0)
        std::snprintf(text, sizeof text, "%s %s %6.2f", a, b, ours / floor);
    else
        std::snprintf(text, sizeof text, "%s %s %6s", a, b, "-");
    return text;
}

}  // namespace bench
