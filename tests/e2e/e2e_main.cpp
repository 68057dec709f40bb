// The end-to-end driver: runs the real program under test and drives it as a user would. Usage:
//   scribbit_e2e --exe PATH\ScribbitⅡ.exe --out FOLDER [GoogleTest options]
#include "e2e/session.h"

int wmain(int argc, wchar_t** argv) {
    // A crash of the program under test must not stop the run with a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (const std::wstring option = argv[i]; option == L"--exe" || option == L"--out")
            (option == L"--exe" ? e2e::exe : e2e::out) = e2e::Utf8(std::filesystem::absolute(argv[++i]));
    if (e2e::exe.empty() || e2e::out.empty()) {
        std::printf("usage: scribbit_e2e --exe PROGRAM --out FOLDER [GoogleTest options]\n");
        return 2;
    }
    // Every check compares Shift-JIS bytes: without the Japanese locale they would all fail for the wrong
    // reason.
    if (GetACP() != 932)
        std::printf("the ANSI code page is %u, not 932: the prefix lacks Japanese\n", GetACP());
    return GetACP() == 932 ? RUN_ALL_TESTS() : 1;
}
