#include "win32/printing_windows_win32.h"

// <windows.h> must come before <commctrl.h>.
// clang-format off
#include <commctrl.h>
// clang-format on

#include <algorithm>

#include "printing/page_setup_dialog.h"
#include "printing/printing_texts.h"
#include "printing_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace text = printing_text;

constexpr int MarginBoxes[] = {IDC_PS_LEFT, IDC_PS_RIGHT, IDC_PS_TOP, IDC_PS_BOTTOM};

void FillList(HWND dialog, int id, const std::vector<PaperEntry>& entries,
              std::optional<std::size_t> selected) {
    for (const PaperEntry& entry : entries) {
        const std::u16string item(entry.text);
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
    }
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL,
                        selected ? static_cast<WPARAM>(*selected) : static_cast<WPARAM>(-1), 0);
}

std::optional<std::size_t> ListSelection(HWND dialog, int id) {
    const LRESULT index = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index));
}

void InitialisePageSetup(HWND dialog, const PageSetupDialogModel& model) {
    SetDialogTexts(dialog, text::PageSetupCaption,
                   {{IDC_PS_MARGIN_FRAME, text::MarginFrame},
                    {IDC_PS_LEFT_LABEL, text::LeftLabel},
                    {IDC_PS_RIGHT_LABEL, text::RightLabel},
                    {IDC_PS_TOP_LABEL, text::TopLabel},
                    {IDC_PS_BOTTOM_LABEL, text::BottomLabel},
                    {IDC_PS_DIRECTION_FRAME, text::DirectionFrame},
                    {IDC_PS_PORTRAIT, text::PortraitCaption},
                    {IDC_PS_LANDSCAPE, text::LandscapeCaption},
                    {IDC_PS_PAPER_FRAME, text::PaperFrame},
                    {IDC_PS_SIZE_LABEL, text::SizeLabel},
                    {IDC_PS_SOURCE_LABEL, text::SourceLabel},
                    {IDC_PS_HEADER_LABEL, text::HeaderLabel},
                    {IDC_PS_FOOTER_LABEL, text::FooterLabel},
                    {IDC_PS_PREVIEW_FRAME, text::PreviewFrame},
                    {IDC_PS_PRINTER, text::PrinterButton},
                    {IDOK, text::OkCaption},
                    {IDCANCEL, text::CancelCaption}});
    AddToolTips(dialog, {{IDC_PS_LEFT, text::LeftToolTip},
                         {IDC_PS_RIGHT, text::RightToolTip},
                         {IDC_PS_TOP, text::TopToolTip},
                         {IDC_PS_BOTTOM, text::BottomToolTip},
                         {IDC_PS_PORTRAIT, text::PortraitToolTip},
                         {IDC_PS_LANDSCAPE, text::LandscapeToolTip},
                         {IDC_PS_SIZE, text::SizeToolTip},
                         {IDC_PS_SOURCE, text::SourceToolTip},
                         {IDC_PS_HEADER, text::HeaderToolTip},
                         {IDC_PS_FOOTER, text::FooterToolTip},
                         {IDC_PS_PRINTER, text::PrinterButtonToolTip},
                         {IDOK, text::OkToolTip},
                         {IDCANCEL, text::CancelToolTip}});
    SetDialogIcon(dialog);
    const PageSetupFields& fields = model.Initial();
    for (std::size_t i = 0; i < fields.margins.size(); ++i)
        SetDlgItemTextW(dialog, MarginBoxes[i], Wide(fields.margins[i]));
    SetDlgItemTextW(dialog, IDC_PS_HEADER, Wide(fields.header));
    SetDlgItemTextW(dialog, IDC_PS_FOOTER, Wide(fields.footer));
    FillList(dialog, IDC_PS_SIZE, model.Sizes(), fields.size);
    FillList(dialog, IDC_PS_SOURCE, model.Sources(), fields.source);
    if (fields.orientation) {
        CheckRadioButton(dialog, IDC_PS_PORTRAIT, IDC_PS_LANDSCAPE,
                         *fields.orientation == Portrait ? IDC_PS_PORTRAIT : IDC_PS_LANDSCAPE);
    }
}

PageSetupFields ReadPageSetup(HWND dialog) {
    PageSetupFields fields;
    for (std::size_t i = 0; i < fields.margins.size(); ++i)
        fields.margins[i] = ItemText(dialog, MarginBoxes[i]);
    fields.header = ItemText(dialog, IDC_PS_HEADER);
    fields.footer = ItemText(dialog, IDC_PS_FOOTER);
    fields.size = ListSelection(dialog, IDC_PS_SIZE);
    fields.source = ListSelection(dialog, IDC_PS_SOURCE);
    if (IsItemChecked(dialog, IDC_PS_PORTRAIT)) fields.orientation = Portrait;
    if (IsItemChecked(dialog, IDC_PS_LANDSCAPE)) fields.orientation = Landscape;
    return fields;
}

bool IsMarginBox(int id) {
    return std::find(std::begin(MarginBoxes), std::end(MarginBoxes), id) != std::end(MarginBoxes);
}

INT_PTR CALLBACK PageSetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* model = reinterpret_cast<PageSetupDialogModel*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!model) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            InitialisePageSetup(dialog, *model);
            FocusAndSelectAll(dialog, IDC_PS_LEFT);
            return FALSE;  // the focus is set already
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (IsMarginBox(id) && HIWORD(wParam) == EN_SETFOCUS) {
                // Posted, so that a click which gave the focus has placed its
                // caret first and the whole text ends up selected anyway.
                PostMessageW(reinterpret_cast<HWND>(lParam), EM_SETSEL, 0, -1);
                return TRUE;
            }
            switch (id) {
                case IDC_PS_PRINTER:
                    if (HIWORD(wParam) == BN_CLICKED) model->OnPrinterSettings();
                    return TRUE;
                case IDOK:
                    model->OnOK(ReadPageSetup(dialog));
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, IDCANCEL);
                    return TRUE;
                default:
                    return FALSE;
            }
        }
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK NowPrintingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* model = reinterpret_cast<NowPrintingModel*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!model) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            SetDialogTexts(dialog, text::NowPrintingCaption,
                           {{IDC_NP_COMMENT, model->Comment()}, {IDCANCEL, text::CancelCaption}});
            AddToolTips(dialog, {{IDCANCEL, text::PrintCancelToolTip}});
            SetDialogIcon(dialog);
            SendDlgItemMessageW(dialog, IDC_NP_PROGRESS, PBM_SETRANGE32, 0, model->Maximum());
            return TRUE;
        case WM_COMMAND:  // cmdCancel, Esc
            if (LOWORD(wParam) != IDCANCEL) return FALSE;
            [[fallthrough]];
        case WM_CLOSE:
            // The job sees the request before its next line and closes the
            // dialog itself.
            model->OnCancel();
            return TRUE;
        case WM_DESTROY:
            model->OnCancel();
            RemoveModelessDialog(dialog);
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void PrintingWindowsWin32::RunPageSetupDialog(PageSetupDialogModel& model) {
    const ModalScope modal;
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PAGESETUP), owner_, PageSetupProc,
                    reinterpret_cast<LPARAM>(&model));
}

void PrintingWindowsWin32::ShowNowPrinting(NowPrintingModel& model) {
    CloseNowPrinting();
    model_ = &model;
    onTop_ = false;
    nowPrinting_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_NOWPRINTING), nullptr,
                                      NowPrintingProc, reinterpret_cast<LPARAM>(&model));
    // Without its window the job still runs; it only cannot be cancelled.
    if (!nowPrinting_) return;
    AddModelessDialog(nowPrinting_);
    ShowWindow(nowPrinting_, SW_SHOWNORMAL);
    UpdateWindow(nowPrinting_);
}

void PrintingWindowsWin32::UpdateNowPrinting(const NowPrintingModel& model) {
    if (nowPrinting_ && IsWindow(nowPrinting_))
        SendDlgItemMessageW(nowPrinting_, IDC_NP_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(model.Value()), 0);
}

void PrintingWindowsWin32::KeepNowPrintingOnTop(bool onTop) {
    if (onTop == onTop_) return;
    onTop_ = onTop;
    PlaceNowPrinting();
}

void PrintingWindowsWin32::OnMainWindowPosChanged(const WINDOWPOS& position) {
    if (onTop_ && !(position.flags & SWP_NOZORDER)) PlaceNowPrinting();
}

void PrintingWindowsWin32::PlaceNowPrinting() {
    if (!nowPrinting_ || !IsWindow(nowPrinting_)) return;
    // Without the activation: the user clicked into the editor to type
    // there. SWP_NOOWNERZORDER for the dialog's own topmost tooltip, as
    // with the main window.
    SetWindowPos(nowPrinting_, onTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void PrintingWindowsWin32::CloseNowPrinting() {
    if (nowPrinting_ && IsWindow(nowPrinting_)) DestroyWindow(nowPrinting_);
    nowPrinting_ = nullptr;
    model_ = nullptr;
}

void PrintingWindowsWin32::DoEvents() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The program is ending: the job stops, and the loop sees the
            // request again once the job has returned.
            if (model_) model_->OnCancel();
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsModelessDialogMessage(message)) continue;
        if (shortcuts_ && shortcuts_(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace scribbit
