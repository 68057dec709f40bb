// The printer port on the spooler and GDI: the current printer is the
// default one until the print dialog chooses another; its settings live in
// the DEVMODE the program holds, from which each job's device context is
// made. Millimetres are mapped onto the device's own units.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/printer.h"
#include "win32/gdi_handles_win32.h"

namespace scribbit {

class PrinterWin32 final : public Printer {
public:
    PrinterWin32() = default;
    ~PrinterWin32() override { AbortJob(); }

    // The window the print dialog belongs to when no window of ours is
    // active.
    void SetOwner(HWND owner) { owner_ = owner; }

    PrinterCode Get(PaperSetting setting) override;
    SetResult Set(PaperSetting setting, std::int32_t code) override;
    void SaveSettings() override;
    void RestoreSettings() override;
    PrintDialogResult ShowPrintDialog(std::uint32_t flags) override;
    PrinterFailure StartJob(const std::u16string& documentName) override;
    PrinterFailure SetFont(const FontSpec& font, Color color) override;
    PageArea PrintableArea() const override;
    double TextWidth(std::u16string_view text) const override;
    double TextHeight(std::u16string_view text) const override;
    std::size_t FitCount(std::u16string_view text, double width) const override;
    PrinterFailure PrintText(double x, double y, std::u16string_view text) override;
    PrinterFailure DrawLine(double x1, double y1, double x2, double y2, int lineWidth) override;
    PrinterFailure NewPage() override;
    PrinterFailure EndJob() override;
    void AbortJob() override;

private:
    PrinterFailure EnsurePrinter();
    PrinterFailure Load(const std::wstring& device);
    DEVMODEW* DevMode() { return reinterpret_cast<DEVMODEW*>(devMode_.data()); }
    // The codes the driver offers for paper sizes or sources; nullopt when
    // it cannot say.
    std::optional<std::vector<WORD>> Offered(WORD capability);
    void PrepareDrawing();
    int DeviceX(double millimetres) const;
    int DeviceY(double millimetres) const;
    SIZE Extent(std::u16string_view text) const;

    // The current printer and its DEVMODE, as SaveSettings copies them.
    struct Settings {
        std::wstring device;
        std::wstring driver;
        std::wstring port;
        std::vector<BYTE> devMode;
    };

    HWND owner_ = nullptr;
    std::wstring device_;
    std::wstring driver_;
    std::wstring port_;
    std::vector<BYTE> devMode_;
    std::optional<Settings> saved_;
    HDC dc_ = nullptr;
    bool docStarted_ = false;
    FontHandle font_;
    COLORREF color_ = 0;
    int dpiX_ = 300;
    int dpiY_ = 300;
};

}  // namespace scribbit
