#include "win32/edit_toolbar_dialog_win32.h"

#include <optional>

#include "toolbar/command_catalogue.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar_help_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/gdi_handles_win32.h"
#include "win32/main_frame_win32.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/screen_units_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace texts = toolbar_texts;

struct DialogState {
    EditToolBarModel& model;
    HIMAGELIST images;
    FontHandle buttonFont;
    bool filling = false;  // the lists' own notifications while they are refilled
};

FontHandle BottomButtonFont() {
    LOGFONTW logFont{};
    logFont.lfHeight = -PointsToPixels(texts::BottomButtonFontSize, CurrentScreenDpi().y);
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = SHIFTJIS_CHARSET;
    const std::u16string face(texts::BottomButtonFont);
    wcsncpy(logFont.lfFaceName, Wide(face), LF_FACESIZE - 1);
    return FontHandle(CreateFontIndirectW(&logFont));
}

void PrepareList(HWND list, HIMAGELIST images) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNW column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

void FillList(HWND list, const ToolBarListBox& box) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < box.entries.size(); ++i) {
        const ToolBarListEntry& entry = box.entries[i];
        const int image = ImageIndex(entry.image);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(Wide(entry.text));
        item.iImage = image < 0 ? I_IMAGENONE : image;
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (box.selected) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, *box.selected, reinterpret_cast<LPARAM>(&state));
        SendMessageW(list, LVM_ENSUREVISIBLE, *box.selected, FALSE);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Refill(HWND dialog, DialogState& state) {
    state.filling = true;
    FillList(GetDlgItem(dialog, IDC_TB_AVAILABLE), state.model.Available());
    FillList(GetDlgItem(dialog, IDC_TB_CHOSEN), state.model.Chosen());
    state.filling = false;
}

std::optional<std::size_t> SelectedItem(HWND list) {
    const LRESULT item = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (item < 0) return std::nullopt;
    return static_cast<std::size_t>(item);
}

void Initialise(HWND dialog, DialogState& state) {
    SetDialogTexts(dialog, texts::EditToolBarCaption,
                   {{IDC_TB_ADD, texts::AddCaption},
                    {IDC_TB_DEL, texts::DelCaption},
                    {IDC_TB_SEPARATOR, texts::AddSeparatorCaption},
                    {IDC_TB_UP, texts::UpCaption},
                    {IDC_TB_DOWN, texts::DownCaption},
                    {IDOK, texts::OkCaption},
                    {IDCANCEL, texts::CancelCaption},
                    {IDC_TB_APPLY, texts::ApplyCaption}});
    SetDialogIcon(dialog);
    state.buttonFont = BottomButtonFont();
    if (state.buttonFont) {
        for (int id : {IDOK, IDCANCEL, IDC_TB_APPLY}) {
            SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(state.buttonFont.get()),
                                FALSE);
        }
    }
    PrepareList(GetDlgItem(dialog, IDC_TB_AVAILABLE), state.images);
    PrepareList(GetDlgItem(dialog, IDC_TB_CHOSEN), state.images);
    Refill(dialog, state);
}

void OnCommand(HWND dialog, DialogState& state, int id) {
    EditToolBarModel& model = state.model;
    switch (id) {
        case IDC_TB_ADD:
            model.OnAdd();
            break;
        case IDC_TB_DEL:
            model.OnDel();
            break;
        case IDC_TB_SEPARATOR:
            model.OnAddSeparator();
            break;
        case IDC_TB_UP:
            model.OnUp();
            break;
        case IDC_TB_DOWN:
            model.OnDown();
            break;
        case IDC_TB_APPLY:
            model.OnApply();
            return;
        case IDOK:
            model.OnOK();
            EndDialog(dialog, IDOK);
            return;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return;
        default:
            return;
    }
    Refill(dialog, state);
}

void OnListChanged(DialogState& state, const NMLISTVIEW& change) {
    if (state.filling || !(change.uChanged & LVIF_STATE)) return;
    if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) return;
    const std::optional<std::size_t> selected = SelectedItem(change.hdr.hwndFrom);
    if (change.hdr.idFrom == IDC_TB_AVAILABLE) state.model.SelectAvailable(selected);
    if (change.hdr.idFrom == IDC_TB_CHOSEN) state.model.SelectChosen(selected);
}

INT_PTR CALLBACK EditToolBarDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!state) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            Initialise(dialog, *state);
            return TRUE;  // the focus goes to the first list
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                TopLevelWindowWin32 window(dialog);
                state->model.OnActivate(window);
            }
            return FALSE;
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) OnCommand(dialog, *state, LOWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.code == LVN_ITEMCHANGED)
                OnListChanged(*state, reinterpret_cast<const NMLISTVIEW&>(header));
            return FALSE;
        }
        case WM_DESTROY:
            // The buttons must not keep drawing with the font once it is gone.
            for (int id : {IDOK, IDCANCEL, IDC_TB_APPLY})
                SendDlgItemMessageW(dialog, id, WM_SETFONT, 0, FALSE);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunEditToolBarDialog(HWND owner, HIMAGELIST images, EditToolBarModel& model) {
    DialogState state{model, images, nullptr};
    const ModalScope modal;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_EDITTOOLBAR), owner,
                    EditToolBarDialogProc, reinterpret_cast<LPARAM>(&state));
}

}  // namespace scribbit
