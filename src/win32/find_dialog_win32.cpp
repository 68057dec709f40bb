#include "win32/find_dialog_win32.h"

#include <memory>

#include "editing/editing_texts.h"
#include "editing_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace texts = editing_texts;

void Initialise(HWND dialog, FindDialogModel& model) {
    SetDialogTexts(dialog, texts::FindCaption,
                   {{IDC_FIND_LABEL, texts::FindStringLabel},
                    {IDC_DIRECTION, texts::DirectionFrame},
                    {IDC_UP, texts::UpCaption},
                    {IDC_DOWN, texts::DownCaption},
                    {IDC_MATCH_CASE, texts::MatchCaseCaption},
                    {IDOK, texts::FindNextCaption},
                    {IDCANCEL, texts::CancelCaption}});
    AddToolTips(dialog, {{IDC_FIND_TEXT, texts::FindTextToolTip},
                         {IDC_UP, texts::UpToolTip},
                         {IDC_DOWN, texts::DownToolTip},
                         {IDC_MATCH_CASE, texts::MatchCaseToolTip},
                         {IDOK, texts::FindButtonToolTip},
                         {IDCANCEL, texts::CancelToolTip}});
    SetDialogIcon(dialog);
    CheckDlgButton(dialog, IDC_MATCH_CASE, model.MatchCase() ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(dialog, IDC_UP, IDC_DOWN, model.SearchUpward() ? IDC_UP : IDC_DOWN);
    SetDlgItemTextW(dialog, IDC_FIND_TEXT, Wide(model.FindText()));
    EnableWindow(GetDlgItem(dialog, IDOK), model.IsFindEnabled());
    FocusAndSelectAll(dialog, IDC_FIND_TEXT);
}

void OnCommand(HWND dialog, FindDialogModel& model, int id, int code) {
    switch (id) {
        case IDC_FIND_TEXT:
            if (code == EN_CHANGE) {
                model.SetFindText(ItemText(dialog, IDC_FIND_TEXT));
                EnableWindow(GetDlgItem(dialog, IDOK), model.IsFindEnabled());
            }
            break;
        case IDC_MATCH_CASE:
            if (code == BN_CLICKED) model.SetMatchCase(IsItemChecked(dialog, IDC_MATCH_CASE));
            break;
        case IDC_UP:
        case IDC_DOWN:
            if (code == BN_CLICKED) model.SetSearchUpward(id == IDC_UP);
            break;
        case IDOK:  // Enter reaches here even while the button is disabled
            if (model.IsFindEnabled()) model.OnFind();
            break;
        default:
            break;
    }
}

}  // namespace

HWND CreateFindDialog(FindDialogModel& model, std::function<void()> destroyed) {
    return CreateBoundModelessDialog<FindDialogModel, Initialise, OnCommand>(IDD_FIND, model, std::move(destroyed));
}

}  // namespace scribbit
