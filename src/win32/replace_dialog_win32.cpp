#include "win32/replace_dialog_win32.h"

#include <memory>

#include "editing/editing_texts.h"
#include "editing_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace texts = editing_texts;

void EnableSearchButtons(HWND dialog, const ReplaceDialogModel& model) {
    for (int id : {IDOK, IDC_SUBST_NEXT, IDC_ALL_SUBST})
        EnableWindow(GetDlgItem(dialog, id), model.IsSearchEnabled());
}

void Initialise(HWND dialog, ReplaceDialogModel& model) {
    SetDialogTexts(dialog, texts::ReplaceCaption,
                   {{IDC_FIND_LABEL, texts::FindStringLabel},
                    {IDC_SUBST_LABEL, texts::SubstStringLabel},
                    {IDC_FIND_FROM_TOP, texts::FindFromTopCaption},
                    {IDC_MATCH_CASE, texts::MatchCaseCaption},
                    {IDOK, texts::FindNextCaption},
                    {IDC_SUBST_NEXT, texts::SubstNextCaption},
                    {IDC_ALL_SUBST, texts::AllSubstCaption},
                    {IDCANCEL, texts::CancelCaption}});
    AddToolTips(dialog, {{IDC_FIND_TEXT, texts::FindTextToolTip},
                         {IDC_SUBST_TEXT, texts::SubstTextToolTip},
                         {IDC_MATCH_CASE, texts::MatchCaseToolTip},
                         {IDOK, texts::NextFindToolTip},
                         {IDC_SUBST_NEXT, texts::SubstNextToolTip},
                         {IDC_ALL_SUBST, texts::AllSubstToolTip},
                         {IDCANCEL, texts::CancelToolTip}});
    SetDialogIcon(dialog);
    CheckDlgButton(dialog, IDC_FIND_FROM_TOP, model.FindFromTop() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_MATCH_CASE, model.MatchCase() ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextW(dialog, IDC_SUBST_TEXT, Wide(model.SubstText()));
    SetDlgItemTextW(dialog, IDC_FIND_TEXT, Wide(model.FindText()));
    EnableSearchButtons(dialog, model);
    FocusAndSelectAll(dialog, IDC_FIND_TEXT);
}

void OnCommand(HWND dialog, ReplaceDialogModel& model, int id, int code) {
    switch (id) {
        case IDC_FIND_TEXT:
            if (code == EN_CHANGE) {
                model.SetFindText(ItemText(dialog, IDC_FIND_TEXT));
                EnableSearchButtons(dialog, model);
            }
            break;
        case IDC_SUBST_TEXT:
            if (code == EN_CHANGE) model.SetSubstText(ItemText(dialog, IDC_SUBST_TEXT));
            break;
        case IDC_FIND_FROM_TOP:
            if (code == BN_CLICKED) model.SetFindFromTop(IsItemChecked(dialog, IDC_FIND_FROM_TOP));
            break;
        case IDC_MATCH_CASE:
            if (code == BN_CLICKED) model.SetMatchCase(IsItemChecked(dialog, IDC_MATCH_CASE));
            break;
        // Enter reaches IDOK even while the button is disabled.
        case IDOK:
            if (model.IsSearchEnabled()) model.OnNextFind();
            break;
        case IDC_SUBST_NEXT:
            if (model.IsSearchEnabled()) model.OnSubstNext();
            break;
        case IDC_ALL_SUBST:
            if (model.IsSearchEnabled() && model.OnAllSubst() == DialogAction::Close) DestroyWindow(dialog);
            break;
        default:
            break;
    }
}

}  // namespace

HWND CreateReplaceDialog(ReplaceDialogModel& model, std::function<void()> destroyed) {
    return CreateBoundModelessDialog<ReplaceDialogModel, Initialise, OnCommand>(IDD_REPLACE, model, std::move(destroyed));
}

}  // namespace scribbit
