#include "e2e/e2e_harness.h"

#include <cstdio>
#include <utility>

#include "e2e/screenshot.h"

namespace e2e {

namespace {
Options& MutableOptions() {
    static Options options;
    return options;
}

// Removes a folder tree left by an earlier run of the same test.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

void CreateFolders(const std::wstring& path) {
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') CreateDirectoryW(path.substr(0, i).c_str(), nullptr);
    }
}
}  // namespace

const Options& GetOptions() { return MutableOptions(); }
void SetOptions(const Options& options) { MutableOptions() = options; }

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

std::vector<TestInfo>& Registry() {
    static std::vector<TestInfo> tests;
    return tests;
}

TestContext::TestContext(std::string name, std::wstring folder) : name_(std::move(name)), folder_(std::move(folder)) {
    RemoveTree(folder_);
    CreateFolders(folder_);
}

std::wstring TestContext::InstallProgram() {
    const std::wstring& source = GetOptions().exePath;
    const std::size_t slash = source.find_last_of(L"\\/");
    const std::wstring target = PathInFolder(slash == std::wstring::npos ? source : source.substr(slash + 1));
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) {
        Check(false, "CopyFileW(program)", __FILE__, __LINE__, "error " + Show(static_cast<long long>(GetLastError())));
    }
    return target;
}

bool TestContext::Check(bool ok, const char* expression, const char* file, int line, const std::string& detail) {
    if (ok) {
        ++passed_;
        return true;
    }
    ++failed_;
    std::printf("%s:%d: FAILED in %s: %s%s%s\n", file, line, name_.c_str(), expression, detail.empty() ? "" : "\n    ",
                detail.c_str());
    std::fflush(stdout);
    return false;
}

void TestContext::Screenshot(const std::string& label) {
    const std::wstring folder = GetOptions().outDir + L"\\screenshots";
    CreateFolders(folder);
    const std::wstring path = folder + L"\\" + Widen(name_ + "-" + label) + L".bmp";
    if (!SaveScreenBitmap(path)) {
        std::printf("note: screenshot %s could not be saved\n", Narrow(path).c_str());
    }
}

std::string Show(const std::wstring& text) {
    std::string result(1, '"');
    result.append(Narrow(text));
    result.push_back('"');
    return result;
}

std::string Show(const std::string& bytes) {
    std::string result(1, '"');
    for (unsigned char c : bytes) {
        if (c == '\r') {
            result += "\\r";
        } else if (c == '\n') {
            result += "\\n";
        } else if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            result += hex;
        } else {
            result += static_cast<char>(c);
        }
    }
    result.push_back('"');
    return result;
}

std::string Show(long long value) { return std::to_string(value); }

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return condition();
        Sleep(intervalMs);
    }
}

int RunAll() {
    const Options& options = GetOptions();
    int passed = 0;
    int failed = 0;
    for (const TestInfo& test : Registry()) {
        const std::string name = test.name;
        if (!options.filter.empty() && name.find(Narrow(options.filter)) == std::string::npos) continue;
        if (options.list) {
            std::printf("%s\n", name.c_str());
            continue;
        }
        std::printf("[ RUN      ] %s\n", name.c_str());
        std::fflush(stdout);
        const ULONGLONG start = GetTickCount64();
        TestContext context(name, options.outDir + L"\\work\\" + Widen(name));
        test.function(context);
        if (context.Passed() + context.Failed() == 0) {
            context.Check(false, "the test made at least one check", __FILE__, __LINE__);
        }
        passed += context.Passed();
        failed += context.Failed();
        std::printf("[ %s ] %s (%d checks, %llu ms)\n", context.Failed() ? "  FAILED" : "      OK", name.c_str(),
                    context.Passed() + context.Failed(), static_cast<unsigned long long>(GetTickCount64() - start));
        std::fflush(stdout);
    }
    if (!options.list) std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed;
}

}  // namespace e2e
