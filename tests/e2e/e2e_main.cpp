// The end-to-end driver: runs the real program under test and drives it as
// a user would. Usage:
//   scribbit_e2e --exe PATH\ScribbitⅡ.exe --out FOLDER [GoogleTest options]
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "e2e/session.h"

int wmain(int argc, wchar_t** argv) {
    // A crash of the program under test must not stop the run with a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    std::vector<wchar_t*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        if ((arg == L"--exe" || arg == L"--out") && i + 1 < argc) {
            (arg == L"--exe" ? e2e::Options().exe : e2e::Options().out) = e2e::Utf8(std::filesystem::absolute(argv[++i]).wstring());
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = static_cast<int>(rest.size());
    testing::InitGoogleTest(&restCount, rest.data());
    if (e2e::Options().exe.empty() || e2e::Options().out.empty()) {
        std::printf("usage: scribbit_e2e --exe PROGRAM --out FOLDER [GoogleTest options]\n");
        return 2;
    }
    // Every check compares Shift-JIS bytes: without the Japanese locale they
    // would all fail for the wrong reason.
    if (GetACP() != 932) {
        std::printf("the ANSI code page is %u, not 932: the Wine prefix lacks the Japanese locale\n", GetACP());
        return 1;
    }
    return RUN_ALL_TESTS();
}
