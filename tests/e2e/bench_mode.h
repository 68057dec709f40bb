// Timing the program under Wine against the system's own notepad.
#pragma once

namespace e2e {

// Arguments after --bench; returns the process exit code.
int RunBench(int argc, wchar_t** argv);

}  // namespace e2e
