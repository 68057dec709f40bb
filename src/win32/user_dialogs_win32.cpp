#include "win32/user_dialogs_win32.h"

#include <commdlg.h>

#include <algorithm>

#include "app/app_context.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// The file dialogs' one filter, in the display|pattern form users know.
constexpr char16_t FileFilter[] =
    u"テキスト文章 (*.txt)|*.txt|HTMLファイル (*.htm *.html)|*.htm;*.html|すべてのファイル (*.*)|*.*";
constexpr char16_t FileDialogFailure[] = u"ファイルのダイアログを表示できませんでした。";
constexpr char16_t FileDialogSource[] = u"CommonDialog";

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

}  // namespace

MessageAnswer UserDialogsWin32::ShowMessage(const std::u16string& text, MessageIcon icon,
                                            MessageButtons buttons) {
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

    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);

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
