#include "win32/tab_space_dialog_win32.h"

#include "editing/editing_texts.h"
#include "editing_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace texts = editing_texts;

INT_PTR CALLBACK TabSpaceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* model = reinterpret_cast<TabSpaceDialogModel*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!model) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetDialogTexts(dialog, texts::TabSpaceCaption,
                           {{IDC_TAB_FRAME, texts::TabSpaceFrame},
                            {IDC_TAB_LABEL, texts::TabSpaceLabel},
                            {IDOK, texts::OkCaption},
                            {IDCANCEL, texts::CancelCaption}});
            SetDialogIcon(dialog);
            SetDlgItemTextW(dialog, IDC_TAB_SPACE, Wide(model->InitialEntry()));
            FocusAndSelectAll(dialog, IDC_TAB_SPACE);
            return FALSE;  // the focus is set already
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    // A refused entry stays as typed, without a word.
                    if (model->OnOK(ItemText(dialog, IDC_TAB_SPACE))) EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

void RunTabSpaceDialog(HWND owner, TabSpaceDialogModel& model) {
    const ModalScope modal;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TABSPACE), owner, TabSpaceDialogProc,
                    reinterpret_cast<LPARAM>(&model));
}

}  // namespace scribbit
