// The Wine benchmark driver (see bench/*-wine.sh):
//   scribbit_bench open-save ...   start-up, open and save (open_save_mode.cpp)
//   scribbit_bench editing ...     the editing commands on a large text (editing_mode.cpp)
//   scribbit_bench typing ...      key-release latency, word-wrap switching (typing_mode.cpp)
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench_support.h"

int wmain(int argc, wchar_t** argv) {
    // A crash of the program under test must not stop the run with a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    const std::wstring mode = argc >= 2 ? argv[1] : L"";
    if (mode == L"open-save") return bench::RunOpenSave(argc - 2, argv + 2);
    if (mode == L"editing") return bench::RunEditing(argc - 2, argv + 2);
    if (mode == L"typing") return bench::RunTyping(argc - 2, argv + 2);
    std::printf("usage: scribbit_bench open-save|editing|typing ARGUMENTS (see bench/*-wine.sh)\n");
    return 2;
}
