// The end-to-end driver: runs the real program under test and drives it as a user would.
#include "e2e/session.h"

int wmain(int argc, wchar_t** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);  // a crash of the program shows no dialog
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (const std::wstring option = argv[i]; option == L"--exe" || option == L"--out")
            (option == L"--exe" ? e2e::exe : e2e::out) = e2e::Utf8(std::filesystem::absolute(argv[++i]));
    // Every check compares Shift-JIS bytes: in another code page they would all fail for the wrong reason.
    if (!e2e::exe.empty() && !e2e::out.empty() && GetACP() == 932) return RUN_ALL_TESTS();
    std::printf("usage, in code page 932: scribbit_e2e --exe PROGRAM --out FOLDER [GoogleTest options]\n");
    return 2;
}
