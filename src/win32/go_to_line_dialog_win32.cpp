#include "win32/go_to_line_dialog_win32.h"

#include <memory>

#include "editing/editing_texts.h"
#include "editing_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace texts = editing_texts;

void Initialise(HWND dialog, GoToLineModel& model) {
    SetDialogTexts(dialog, texts::GoToLineCaption,
                   {{IDOK, texts::OkCaption}, {IDCANCEL, texts::CancelCaption}});
    AddToolTips(dialog, {{IDC_LINE, texts::GoToLineToolTip}});
    SetDialogIcon(dialog);
    SetDlgItemTextW(dialog, IDC_LINE, Wide(model.Entry()));
    FocusAndSelectAll(dialog, IDC_LINE);
}

void OnCommand(HWND dialog, GoToLineModel& model, int id, int code) {
    switch (id) {
        case IDC_LINE:
            if (code == EN_CHANGE) model.SetEntry(ItemText(dialog, IDC_LINE));
            break;
        case IDOK:
            if (model.OnOK() == GoToLineOutcome::Moved) {
                DestroyWindow(dialog);
            } else {
                FocusAndSelectAll(dialog, IDC_LINE);
            }
            break;
        default:
            break;
    }
}

}  // namespace

HWND CreateGoToLineDialog(GoToLineModel& model, std::function<void()> destroyed) {
    return CreateBoundModelessDialog<GoToLineModel, Initialise, OnCommand>(IDD_GOTOLINE, model, std::move(destroyed));
}

}  // namespace scribbit
