// The printing windows as real windows: page setup modal over the main
// window, the progress dialog modeless without an owner, and the message
// pump the job runs before each line.
#pragma once

#include <windows.h>

#include <functional>

#include "printing/printing_context.h"

namespace scribbit {

class PrintingWindowsWin32 final : public PrintingWindows {
public:
    PrintingWindowsWin32() = default;
    ~PrintingWindowsWin32() override { CloseNowPrinting(); }

    void SetOwner(HWND owner) { owner_ = owner; }
    // What the message loop does with a message before dispatching it (the
    // main window's shortcuts), so that the program answers the keyboard
    // alike while a job runs.
    void SetShortcutHandler(std::function<bool(MSG&)> handler) { shortcuts_ = std::move(handler); }

    void RunPageSetupDialog(PageSetupDialogModel& model) override;
    void ShowNowPrinting(NowPrintingModel& model) override;
    void UpdateNowPrinting(const NowPrintingModel& model) override;
    void KeepNowPrintingOnTop(bool onTop) override;
    void CloseNowPrinting() override;
    void DoEvents() override;

    // The main window's WM_WINDOWPOSCHANGED: activating it lifts it over
    // every window of its band, the progress dialog kept on top included,
    // which then goes back above it.
    void OnMainWindowPosChanged(const WINDOWPOS& position);

private:
    void PlaceNowPrinting();

    HWND owner_ = nullptr;
    HWND nowPrinting_ = nullptr;
    NowPrintingModel* model_ = nullptr;
    bool onTop_ = false;
    std::function<bool(MSG&)> shortcuts_;
};

}  // namespace scribbit
