// Runs every adapter test and closes with the "N passed, N failed" line.
// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>

#include "win32/adapter_test.h"

namespace scribbit::adapter_test {
namespace {

int failuresInCurrentTest = 0;

}  // namespace

std::vector<TestCase>& Registry() {
    static std::vector<TestCase> tests;
    return tests;
}

void RecordFailure(const char* file, int line, const std::string& what) {
    ++failuresInCurrentTest;
    std::printf("  %s:%d: %s\n", file, line, what.c_str());
}

std::string Describe(const std::u16string& text) {
    std::string out = "u\"";
    for (char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
            out += escape;
        }
    }
    return out + "\"";
}

}  // namespace scribbit::adapter_test

int wmain() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    using namespace scribbit::adapter_test;
    int passed = 0;
    int failed = 0;
    for (const TestCase& test : Registry()) {
        failuresInCurrentTest = 0;
        test.body();
        std::printf("[%s] %s\n", failuresInCurrentTest == 0 ? "  OK  " : "FAILED", test.name);
        (failuresInCurrentTest == 0 ? passed : failed) += 1;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
