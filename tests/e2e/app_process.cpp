#include "e2e/app_process.h"

#include "e2e/e2e_harness.h"
#include "e2e/window_probe.h"

namespace e2e {

AppProcess::~AppProcess() {
    if (stopWatchdog_) SetEvent(stopWatchdog_);
    if (watchdog_) {
        WaitForSingleObject(watchdog_, INFINITE);
        CloseHandle(watchdog_);
    }
    if (stopWatchdog_) CloseHandle(stopWatchdog_);
    if (info_.hProcess) {
        Kill();
        CloseHandle(info_.hProcess);
    }
    if (info_.hThread) CloseHandle(info_.hThread);
}

bool AppProcess::Start(const std::wstring& exePath, const std::wstring& arguments, const std::wstring& workingFolder,
                       DWORD lifetimeMs) {
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info_)) {
        lastError_ = GetLastError();
        info_ = {};
        return false;
    }
    lifetimeMs_ = lifetimeMs;
    stopWatchdog_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    watchdog_ = CreateThread(nullptr, 0, &AppProcess::Watchdog, this, 0, nullptr);
    return true;
}

DWORD WINAPI AppProcess::Watchdog(void* self) {
    auto* process = static_cast<AppProcess*>(self);
    HANDLE handles[] = {process->info_.hProcess, process->stopWatchdog_};
    if (WaitForMultipleObjects(2, handles, FALSE, process->lifetimeMs_) == WAIT_TIMEOUT) {
        InterlockedExchange(&process->killedByWatchdog_, 1);
        TerminateProcess(process->info_.hProcess, 0xDEAD);
    }
    return 0;
}

bool AppProcess::IsRunning() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool AppProcess::WaitForExit(DWORD timeoutMs) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD AppProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void AppProcess::Kill() {
    if (IsRunning()) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

HWND AppProcess::WaitForMainWindow(DWORD timeoutMs) {
    PollUntil(
        [&] {
            mainWindow_ = FindMainWindow(Id());
            return mainWindow_ != nullptr || !IsRunning();
        },
        timeoutMs);
    return mainWindow_;
}

bool AppProcess::WaitForIdle(DWORD timeoutMs) const {
    return info_.hProcess && WaitForInputIdle(info_.hProcess, timeoutMs) == 0;
}

}  // namespace e2e
