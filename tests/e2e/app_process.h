// The program under test as a child process: started with a lifetime after
// which a watchdog kills it, so a hung program never hangs the run.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class AppProcess {
public:
    AppProcess() = default;
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;
    ~AppProcess();  // kills the process when it is still running

    // Starts exePath with the given command-line text after the program name
    // (empty: no arguments) in workingFolder. Returns false with the system's
    // error in LastError() when the process could not be created.
    bool Start(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& workingFolder,
               DWORD lifetimeMs = 90000);

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    DWORD LastError() const { return lastError_; }
    bool IsRunning() const;
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;
    bool KilledByWatchdog() const { return killedByWatchdog_ != 0; }
    void Kill();

    // The process's main window: visible, top-level, unowned, with a caption.
    HWND WaitForMainWindow(DWORD timeoutMs);
    HWND MainWindow() const { return mainWindow_; }
    // Waits until the process has finished its start-up and is reading input.
    bool WaitForIdle(DWORD timeoutMs) const;

private:
    static DWORD WINAPI Watchdog(void* self);

    PROCESS_INFORMATION info_{};
    HANDLE stopWatchdog_ = nullptr;
    HANDLE watchdog_ = nullptr;
    DWORD lifetimeMs_ = 0;
    volatile LONG killedByWatchdog_ = 0;
    DWORD lastError_ = 0;
    HWND mainWindow_ = nullptr;
};

}  // namespace e2e
