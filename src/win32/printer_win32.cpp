#include "win32/printer_win32.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "printing/printing_texts.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/system_error_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace text = printing_text;

constexpr double MillimetresPerInch = 25.4;

SystemError PrinterError(DWORD code) {
    // Many GDI calls fail without saying why; the report still needs a cause.
    SystemError error = MakeSystemError(code != 0 ? code : ERROR_GEN_FAILURE);
    error.source = text::PrinterSource;
    return error;
}

SystemError LastPrinterError() {
    return PrinterError(GetLastError());
}

SystemError NoPrinterError() {
    return SystemError{ERROR_INVALID_PRINTER_NAME, std::u16string(text::NoPrinterDescription),
                       std::u16string(text::PrinterSource)};
}

struct PrinterCloser {
    void operator()(HANDLE printer) const { ClosePrinter(printer); }
};
using PrinterHandle = std::unique_ptr<void, PrinterCloser>;

struct GlobalFreer {
    void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};

// A movable global block holding a copy of bytes, as the print dialog wants
// its DEVMODE and DEVNAMES.
HGLOBAL GlobalCopy(const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) return nullptr;
    if (void* target = GlobalLock(memory)) {
        std::memcpy(target, data, size);
        GlobalUnlock(memory);
        return memory;
    }
    GlobalFree(memory);
    return nullptr;
}

HGLOBAL MakeDevNames(const std::wstring& driver, const std::wstring& device, const std::wstring& port) {
    std::vector<wchar_t> block(sizeof(DEVNAMES) / sizeof(wchar_t));
    DEVNAMES names{};
    const auto append = [&block](const std::wstring& s) {
        const auto offset = static_cast<WORD>(block.size());
        block.insert(block.end(), s.begin(), s.end());
        block.push_back(L'\0');
        return offset;
    };
    names.wDriverOffset = append(driver);
    names.wDeviceOffset = append(device);
    names.wOutputOffset = append(port);
    std::memcpy(block.data(), &names, sizeof names);
    return GlobalCopy(block.data(), block.size() * sizeof(wchar_t));
}

SystemError PrintDialogError(DWORD code) {
    const std::u16string_view description = code == PDERR_NODEFAULTPRN || code == PDERR_NODEVICES
                                                ? text::NoPrinterDescription
                                                : text::PrintDialogFailedDescription;
    return SystemError{code, std::u16string(description), std::u16string(text::PrintDialogSource)};
}

}  // namespace

PrinterFailure PrinterWin32::EnsurePrinter() {
    if (!device_.empty() && !devMode_.empty()) return std::nullopt;
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    if (length == 0) return NoPrinterError();
    std::wstring name(length, L'\0');
    if (!GetDefaultPrinterW(name.data(), &length)) return NoPrinterError();
    name.resize(wcslen(name.c_str()));
    return Load(name);
}

PrinterFailure PrinterWin32::Load(const std::wstring& device) {
    HANDLE raw = nullptr;
    if (!OpenPrinterW(const_cast<wchar_t*>(device.c_str()), &raw, nullptr)) return LastPrinterError();
    PrinterHandle printer(raw);
    DWORD needed = 0;
    GetPrinterW(raw, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(std::max<DWORD>(needed, sizeof(PRINTER_INFO_2W)));
    if (!GetPrinterW(raw, 2, info.data(), static_cast<DWORD>(info.size()), &needed))
        return LastPrinterError();
    const auto* details = reinterpret_cast<const PRINTER_INFO_2W*>(info.data());
    wchar_t* name = const_cast<wchar_t*>(device.c_str());
    const LONG size = DocumentPropertiesW(nullptr, raw, name, nullptr, nullptr, 0);
    if (size <= 0) return LastPrinterError();
    std::vector<BYTE> devMode(static_cast<std::size_t>(size));
    if (DocumentPropertiesW(nullptr, raw, name, reinterpret_cast<DEVMODEW*>(devMode.data()), nullptr,
                            DM_OUT_BUFFER) != IDOK) {
        return LastPrinterError();
    }
    device_ = device;
    driver_ = details->pDriverName ? details->pDriverName : L"";
    port_ = details->pPortName ? details->pPortName : L"";
    devMode_ = std::move(devMode);
    return std::nullopt;
}

PrinterCode PrinterWin32::Get(PaperSetting setting) {
    if (auto failed = EnsurePrinter()) return PrinterCode{std::nullopt, *failed};
    const DEVMODEW* mode = DevMode();
    switch (setting) {
        case PaperSetting::Size:
            return PrinterCode{mode->dmPaperSize, {}};
        case PaperSetting::Source:
            return PrinterCode{mode->dmDefaultSource, {}};
        case PaperSetting::Orientation:
            break;
    }
    return PrinterCode{mode->dmOrientation, {}};
}

std::optional<std::vector<WORD>> PrinterWin32::Offered(WORD capability) {
    const int count = DeviceCapabilitiesW(device_.c_str(), port_.c_str(), capability, nullptr, DevMode());
    if (count < 0) return std::nullopt;
    std::vector<WORD> codes(static_cast<std::size_t>(count) + 1);
    const int filled = DeviceCapabilitiesW(device_.c_str(), port_.c_str(), capability,
                                           reinterpret_cast<wchar_t*>(codes.data()), DevMode());
    if (filled < 0) return std::nullopt;
    codes.resize(static_cast<std::size_t>(std::min(filled, count)));
    return codes;
}

SetResult PrinterWin32::Set(PaperSetting setting, std::int32_t code) {
    if (auto failed = EnsurePrinter()) return SetResult{SetOutcome::Failed, *failed};
    // What the driver does not offer is refused as an invalid value, like a
    // printer property set to a paper the printer has no tray for.
    bool offered = false;
    if (setting == PaperSetting::Orientation) {
        offered = code == Portrait ||
                  (code == Landscape && DeviceCapabilitiesW(device_.c_str(), port_.c_str(), DC_ORIENTATION,
                                                            nullptr, DevMode()) != 0);
    } else {
        const auto codes = Offered(setting == PaperSetting::Size ? DC_PAPERS : DC_BINS);
        if (!codes) return SetResult{SetOutcome::Failed, LastPrinterError()};
        offered = std::find(codes->begin(), codes->end(), code) != codes->end();
    }
    if (!offered) return SetResult{SetOutcome::Rejected, {}};
    DEVMODEW* mode = DevMode();
    const auto value = static_cast<short>(code);
    switch (setting) {
        case PaperSetting::Size:
            mode->dmPaperSize = value;
            mode->dmFields = (mode->dmFields | DM_PAPERSIZE) & ~(DM_PAPERLENGTH | DM_PAPERWIDTH);
            break;
        case PaperSetting::Source:
            mode->dmDefaultSource = value;
            mode->dmFields |= DM_DEFAULTSOURCE;
            break;
        case PaperSetting::Orientation:
            mode->dmOrientation = value;
            mode->dmFields |= DM_ORIENTATION;
            break;
    }
    return {};
}

void PrinterWin32::SaveSettings() {
    saved_ = Settings{device_, driver_, port_, devMode_};
}

void PrinterWin32::RestoreSettings() {
    // The DEVMODE whole, the driver's private part included. A copy made
    // before any printer was loaded leaves none loaded: the next question
    // loads the default printer afresh.
    if (!saved_) return;
    device_ = saved_->device;
    driver_ = saved_->driver;
    port_ = saved_->port;
    devMode_ = saved_->devMode;
}

PrintDialogResult PrinterWin32::ShowPrintDialog(std::uint32_t flags) {
    // No printer yet is the dialog's own failure to report.
    (void)EnsurePrinter();
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    // Page setup's button opens it over page setup, which must stay disabled
    // under it; otherwise it belongs to the main window.
    HWND active = GetActiveWindow();
    dialog.hwndOwner = active ? active : owner_;
    dialog.Flags = flags;
    dialog.nCopies = 1;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 0xFFFF;
    if (!devMode_.empty()) {
        dialog.hDevMode = GlobalCopy(devMode_.data(), devMode_.size());
        dialog.hDevNames = MakeDevNames(driver_, device_, port_);
    }
    BOOL chosen = FALSE;
    {
        const ModalScope modal;
        chosen = PrintDlgW(&dialog);
    }
    std::unique_ptr<void, GlobalFreer> devMode(dialog.hDevMode);
    std::unique_ptr<void, GlobalFreer> devNames(dialog.hDevNames);
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error == 0) return PrintDialogResult{DialogOutcome::Cancelled, {}};
        return PrintDialogResult{DialogOutcome::Failed, PrintDialogError(error)};
    }
    // The dialog's choice becomes the current printer, copies and collation
    // included.
    const auto* names = static_cast<const DEVNAMES*>(devNames ? GlobalLock(devNames.get()) : nullptr);
    const auto* mode = static_cast<const BYTE*>(devMode ? GlobalLock(devMode.get()) : nullptr);
    if (names && mode) {
        const auto* chars = reinterpret_cast<const wchar_t*>(names);
        device_ = chars + names->wDeviceOffset;
        driver_ = chars + names->wDriverOffset;
        port_ = chars + names->wOutputOffset;
        const auto* header = reinterpret_cast<const DEVMODEW*>(mode);
        devMode_.assign(mode, mode + header->dmSize + header->dmDriverExtra);
    }
    if (names) GlobalUnlock(devNames.get());
    if (mode) GlobalUnlock(devMode.get());
    return PrintDialogResult{DialogOutcome::Chosen, {}};
}

PrinterFailure PrinterWin32::StartJob(const std::u16string& documentName) {
    AbortJob();
    if (auto failed = EnsurePrinter()) return failed;
    dc_ = CreateDCW(L"WINSPOOL", device_.c_str(), nullptr, DevMode());
    if (!dc_) return LastPrinterError();
    dpiX_ = std::max(1, GetDeviceCaps(dc_, LOGPIXELSX));
    dpiY_ = std::max(1, GetDeviceCaps(dc_, LOGPIXELSY));
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = Wide(documentName);
    if (StartDocW(dc_, &document) <= 0) return LastPrinterError();
    docStarted_ = true;
    if (StartPage(dc_) <= 0) return LastPrinterError();
    PrepareDrawing();
    return std::nullopt;
}

PrinterFailure PrinterWin32::SetFont(const FontSpec& font, Color color) {
    if (!dc_) return NoPrinterError();
    color_ = (color & SystemColorFlag) ? GetSysColor(static_cast<int>(color & 0xFFu)) : color;
    // Japanese text is the common case: the Shift-JIS character set first,
    // then the face as it is when it has none.
    const auto create = [&font, this](BYTE charSet) {
        LOGFONTW logFont{};
        logFont.lfHeight = -static_cast<LONG>(std::lround(font.size * dpiY_ / 72.0));
        logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = font.italic;
        logFont.lfUnderline = font.underline;
        logFont.lfStrikeOut = font.strikethrough;
        logFont.lfCharSet = charSet;
        logFont.lfOutPrecision = OUT_TT_PRECIS;
        const std::size_t length = std::min<std::size_t>(font.name.size(), LF_FACESIZE - 1);
        std::copy_n(WideData(font.name), length, logFont.lfFaceName);
        return FontHandle(CreateFontIndirectW(&logFont));
    };
    FontHandle handle = create(SHIFTJIS_CHARSET);
    if (!handle) return LastPrinterError();
    SelectObject(dc_, handle.get());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc_, LF_FACESIZE, face);
    if (!font.name.empty() && lstrcmpiW(face, Wide(font.name)) != 0) {
        if (FontHandle own = create(DEFAULT_CHARSET)) {
            SelectObject(dc_, own.get());
            GetTextFaceW(dc_, LF_FACESIZE, face);
            if (lstrcmpiW(face, Wide(font.name)) == 0) {
                handle = std::move(own);
            } else {
                SelectObject(dc_, handle.get());
            }
        }
    }
    font_ = std::move(handle);
    PrepareDrawing();
    return std::nullopt;
}

void PrinterWin32::PrepareDrawing() {
    // A new page may start with the device's defaults again.
    if (font_) SelectObject(dc_, font_.get());
    ::SetTextColor(dc_, color_);
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

int PrinterWin32::DeviceX(double millimetres) const {
    return static_cast<int>(std::lround(millimetres * dpiX_ / MillimetresPerInch));
}

int PrinterWin32::DeviceY(double millimetres) const {
    return static_cast<int>(std::lround(millimetres * dpiY_ / MillimetresPerInch));
}

PageArea PrinterWin32::PrintableArea() const {
    if (!dc_) return {};
    return PageArea{GetDeviceCaps(dc_, HORZRES) * MillimetresPerInch / dpiX_,
                    GetDeviceCaps(dc_, VERTRES) * MillimetresPerInch / dpiY_};
}

SIZE PrinterWin32::Extent(std::u16string_view text) const {
    SIZE size{};
    if (dc_) GetTextExtentPoint32W(dc_, WideData(text), static_cast<int>(text.size()), &size);
    return size;
}

double PrinterWin32::TextWidth(std::u16string_view text) const {
    return Extent(text).cx * MillimetresPerInch / dpiX_;
}

double PrinterWin32::TextHeight(std::u16string_view text) const {
    return Extent(text).cy * MillimetresPerInch / dpiY_;
}

std::size_t PrinterWin32::FitCount(std::u16string_view text, double width) const {
    if (!dc_ || text.empty()) return 0;
    // A text fits when its device width is at most the room in whole units.
    const double room = std::floor(width * dpiX_ / MillimetresPerInch + 1e-9);
    if (room < 0) return 0;
    INT fit = 0;
    SIZE size{};
    const int extent = room > INT_MAX ? INT_MAX : static_cast<int>(room);
    if (!GetTextExtentExPointW(dc_, WideData(text), static_cast<int>(text.size()), extent, &fit, nullptr,
                               &size))
        return 0;
    return static_cast<std::size_t>(std::clamp<INT>(fit, 0, static_cast<INT>(text.size())));
}

PrinterFailure PrinterWin32::PrintText(double x, double y, std::u16string_view text) {
    if (!dc_) return NoPrinterError();
    if (!TextOutW(dc_, DeviceX(x), DeviceY(y), WideData(text), static_cast<int>(text.size())))
        return LastPrinterError();
    return std::nullopt;
}

PrinterFailure PrinterWin32::DrawLine(double x1, double y1, double x2, double y2, int lineWidth) {
    if (!dc_) return NoPrinterError();
    HPEN pen = CreatePen(PS_SOLID, lineWidth, color_);
    if (!pen) return LastPrinterError();
    HGDIOBJ previous = SelectObject(dc_, pen);
    const bool drawn =
        MoveToEx(dc_, DeviceX(x1), DeviceY(y1), nullptr) && LineTo(dc_, DeviceX(x2), DeviceY(y2));
    const DWORD error = GetLastError();
    SelectObject(dc_, previous);
    DeleteObject(pen);
    if (!drawn) return PrinterError(error);
    return std::nullopt;
}

PrinterFailure PrinterWin32::NewPage() {
    if (!dc_) return NoPrinterError();
    if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) return LastPrinterError();
    PrepareDrawing();
    return std::nullopt;
}

PrinterFailure PrinterWin32::EndJob() {
    if (!dc_) return NoPrinterError();
    if (EndPage(dc_) <= 0 || EndDoc(dc_) <= 0) return LastPrinterError();
    docStarted_ = false;
    DeleteDC(dc_);
    dc_ = nullptr;
    font_.reset();
    return std::nullopt;
}

void PrinterWin32::AbortJob() {
    if (!dc_) return;
    if (docStarted_) AbortDoc(dc_);
    docStarted_ = false;
    DeleteDC(dc_);
    dc_ = nullptr;
    font_.reset();
}

}  // namespace scribbit
