// The end-to-end driver: runs the real program under test and drives it
// through window messages. Usage:
//   scribbit_e2e --exe PATH\ScribbitⅡ.exe --out FOLDER [--filter TEXT] [--list]
#include <windows.h>

#include <cstdio>
#include <string>

#include "e2e/e2e_harness.h"

namespace {

int Usage() {
    std::printf(
        "usage: scribbit_e2e --exe PROGRAM --out FOLDER [--filter TEXT] [--list]\n");
    return 2;
}

std::wstring FullPath(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, buffer, nullptr);
    return length > 0 && length < MAX_PATH * 4 ? std::wstring(buffer, length) : path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // A crash of the program under test must not stop the run with a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);

    e2e::Options options;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto next = [&]() -> std::wstring { return i + 1 < argc ? argv[++i] : L""; };
        if (arg == L"--exe") {
            options.exePath = FullPath(next());
        } else if (arg == L"--out") {
            options.outDir = FullPath(next());
        } else if (arg == L"--filter") {
            options.filter = next();
        } else if (arg == L"--list") {
            options.list = true;
        } else {
            return Usage();
        }
    }
    if (!options.list && (options.exePath.empty() || options.outDir.empty())) return Usage();
    while (!options.outDir.empty() && (options.outDir.back() == L'\\' || options.outDir.back() == L'/')) {
        options.outDir.pop_back();
    }
    e2e::SetOptions(options);
    if (!options.list && GetACP() != 932) {
        std::printf("warning: the ANSI code page is %u, not 932; Japanese file contents will not match\n", GetACP());
    }
    return e2e::RunAll() == 0 ? 0 : 1;
}
