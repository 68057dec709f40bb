#include "win32/dialog_support_win32.h"

// <windows.h> must come before <commctrl.h>.
// clang-format off
#include <commctrl.h>
// clang-format on

#include "core/app_context.h"
#include "win32/wide_text_win32.h"

namespace scribbit {

void SetDialogTexts(HWND dialog, std::u16string_view caption, std::initializer_list<ControlText> texts) {
    SetWindowTextW(dialog, Wide(std::u16string(caption)));
    for (const ControlText& text : texts)
        SetDlgItemTextW(dialog, text.first, Wide(std::u16string(text.second)));
}

void AddToolTips(HWND dialog, std::initializer_list<ControlText> tips) {
    HWND toolTip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
    if (!toolTip) return;  // the dialog works without its hints
    for (const ControlText& tip : tips) {
        std::u16string text(tip.second);
        TOOLINFOW info{};
        info.cbSize = sizeof info;
        info.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
        info.hwnd = dialog;
        info.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, tip.first));
        info.lpszText = const_cast<wchar_t*>(Wide(text));  // the control keeps its own copy
        SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void SetDialogIcon(HWND dialog) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto load = [instance](int xMetric, int yMetric) {
        return LoadImageW(instance, MAKEINTRESOURCEW(AppIconResource), IMAGE_ICON, GetSystemMetrics(xMetric),
                          GetSystemMetrics(yMetric), LR_SHARED);
    };
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(load(SM_CXICON, SM_CYICON)));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(load(SM_CXSMICON, SM_CYSMICON)));
}

std::u16string ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

bool IsItemChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void FocusAndSelectAll(HWND dialog, int id) {
    HWND field = GetDlgItem(dialog, id);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    SendMessageW(field, EM_SETSEL, 0, -1);
}

}  // namespace scribbit

#include "win32/modeless_dialogs_win32.h"

namespace scribbit {

HWND CreateModelessDialog(int templateId, DLGPROC procedure, void* binding) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr,
                                     procedure, reinterpret_cast<LPARAM>(binding));
    if (dialog) AddModelessDialog(dialog);
    return dialog;
}

void ForgetModelessDialog(HWND dialog) {
    RemoveModelessDialog(dialog);
}

}  // namespace scribbit
