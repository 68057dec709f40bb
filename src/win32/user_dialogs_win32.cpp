#include "win32/user_dialogs_win32.h"

#include <commdlg.h>

#include <winspool.h>

#include <algorithm>

#include "core/app_context.h"
#include "win32/edit_view_win32.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/screen_units_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// The file dialogs' one filter, in the display|pattern form users know.
constexpr char16_t FileFilter[] =
    u"テキスト文章 (*.txt)|*.txt|HTMLファイル (*.htm *.html)|*.htm;*.html|すべてのファイル (*.*)|*.*";
constexpr char16_t FileDialogFailure[] = u"ファイルのダイアログを表示できませんでした。";
constexpr char16_t FileDialogSource[] = u"CommonDialog";
constexpr char16_t FontDialogFailure[] = u"フォントのダイアログを表示できませんでした。";

// Screen and printer fonts, the effects (strikethrough, underline, colour),
// the Apply button, and only fonts that exist.
constexpr DWORD FontDialogFlags = CF_SCREENFONTS | CF_PRINTERFONTS | CF_EFFECTS | CF_APPLY | CF_FORCEFONTEXIST;
static_assert(FontDialogFlags == 0x10303);

// The default printer's device context, for its fonts; null when there is
// no printer.
HDC DefaultPrinterDc() {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    if (length == 0) return nullptr;
    std::wstring name(length, L'\0');
    if (!GetDefaultPrinterW(name.data(), &length)) return nullptr;
    return CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
}

// Long file names, Explorer style, the current folder left alone and a
// confirmation before a file is overwritten.
constexpr DWORD FileDialogFlags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_LONGNAMES;
static_assert(FileDialogFlags == 0x28000A);

// Room for the longest path the system accepts with the \\?\ prefix.
constexpr std::size_t FileNameCapacity = 32768;

std::u16string FilterForDialog() {
    std::u16string filter = FileFilter;
    std::replace(filter.begin(), filter.end(), u'|', u'\0');
    filter.push_back(u'\0');  // the list ends with an empty entry
    return filter;
}

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return MB_ICONHAND;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Information:
            return MB_ICONASTERISK;
        case MessageIcon::None:
            break;
    }
    return 0;
}

UINT ButtonsStyle(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return MB_YESNO;
        case MessageButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case MessageButtons::Ok:
            break;
    }
    return MB_OK;
}

MessageAnswer AnswerOf(int id, MessageButtons buttons) {
    switch (id) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        case IDOK:
            return MessageAnswer::Ok;
        default:
            break;
    }
    // MessageBoxW failed (out of memory): take the answer that changes nothing.
    return buttons == MessageButtons::Ok      ? MessageAnswer::Ok
           : buttons == MessageButtons::YesNo ? MessageAnswer::No
                                              : MessageAnswer::Cancel;
}

LOGFONTW LogFontOf(const FontSpec& font, int dpi) {
    LOGFONTW logFont{};
    logFont.lfHeight = -PointsToPixels(font.size, dpi);
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikethrough;
    logFont.lfCharSet = DEFAULT_CHARSET;
    const std::size_t nameLength = std::min<std::size_t>(font.name.size(), LF_FACESIZE - 1);
    std::copy_n(WideData(font.name), nameLength, logFont.lfFaceName);
    return logFont;
}

}  // namespace

MessageAnswer UserDialogsWin32::ShowMessage(const std::u16string& text, MessageIcon icon,
                                            MessageButtons buttons) {
    const ModalScope modal;
    const int id = MessageBoxW(owner_, Wide(text), reinterpret_cast<const wchar_t*>(AppTitle),
                               IconStyle(icon) | ButtonsStyle(buttons) | MB_DEFBUTTON1);
    return AnswerOf(id, buttons);
}

FileDialogResult UserDialogsWin32::ShowOpenDialog(const FileDialogRequest& request) {
    return ShowFileDialog(request, false);
}

FileDialogResult UserDialogsWin32::ShowSaveDialog(const FileDialogRequest& request) {
    return ShowFileDialog(request, true);
}

FontDialogResult UserDialogsWin32::ShowFontDialog(const FontSpec& font, Color color) {
    LOGFONTW logFont = LogFontOf(font, CurrentScreenDpi().y);
    HDC printer = DefaultPrinterDc();

    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.hDC = printer;
    dialog.lpLogFont = &logFont;
    dialog.Flags = (FontDialogFlags & ~static_cast<DWORD>(printer ? 0 : CF_PRINTERFONTS)) | CF_INITTOLOGFONTSTRUCT;
    dialog.rgbColors = ResolveColor(color);

    BOOL chosen = FALSE;
    {
        const ModalScope modal;
        chosen = ChooseFontW(&dialog);
    }
    const DWORD error = chosen ? 0 : CommDlgExtendedError();
    if (printer) DeleteDC(printer);

    FontDialogResult result;
    if (chosen) {
        result.outcome = DialogOutcome::Chosen;
        result.font.name = FromWide(logFont.lfFaceName);
        result.font.size = dialog.iPointSize / 10.0;
        result.font.bold = logFont.lfWeight >= FW_BOLD;
        result.font.italic = logFont.lfItalic != 0;
        result.font.strikethrough = logFont.lfStrikeOut != 0;
        result.font.underline = logFont.lfUnderline != 0;
        result.color = static_cast<Color>(dialog.rgbColors & 0x00FFFFFFu);
        return result;
    }
    if (error == 0) return result;  // the user cancelled
    result.outcome = DialogOutcome::Failed;
    result.error.code = error;
    result.error.description = FontDialogFailure;
    result.error.source = FileDialogSource;
    return result;
}

FileDialogResult UserDialogsWin32::ShowFileDialog(const FileDialogRequest& request, bool save) {
    const std::u16string filter = FilterForDialog();
    std::u16string fileName(FileNameCapacity, u'\0');
    std::copy_n(request.fileName.begin(), std::min(request.fileName.size(), FileNameCapacity - 1),
                fileName.begin());

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = Wide(filter);
    dialog.nFilterIndex = static_cast<DWORD>(std::max(request.filterIndex, 0));
    dialog.lpstrFile = WideBuffer(fileName);
    dialog.nMaxFile = static_cast<DWORD>(fileName.size());
    dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : Wide(request.initialDir);
    dialog.Flags = FileDialogFlags | (request.readOnlyChecked ? OFN_READONLY : 0);

    BOOL chosen = FALSE;
    {
        const ModalScope modal;
        chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    }

    FileDialogResult result;
    result.filterIndex = static_cast<int>(dialog.nFilterIndex);
    result.readOnlyChecked = (dialog.Flags & OFN_READONLY) != 0;
    if (chosen) {
        result.outcome = DialogOutcome::Chosen;
        result.path = FromWide(dialog.lpstrFile);
        return result;
    }
    const DWORD error = CommDlgExtendedError();
    if (error == 0) {
        result.outcome = DialogOutcome::Cancelled;
        result.filterIndex = request.filterIndex;
        result.readOnlyChecked = request.readOnlyChecked;
        return result;
    }
    result.outcome = DialogOutcome::Failed;
    result.error.code = error;
    result.error.description = FileDialogFailure;
    result.error.source = FileDialogSource;
    return result;
}

}  // namespace scribbit
