#include "win32/about_dialog_win32.h"

#include "help/help_texts.h"
#include "toolbar_help_dialog_ids.h"
#include "win32/dialog_support_win32.h"
#include "win32/main_frame_win32.h"
#include "win32/modeless_dialogs_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

namespace texts = help_texts;

void Initialise(HWND dialog, AboutModel& model) {
    SetDialogTexts(dialog, texts::AboutCaption,
                   {{IDC_ABOUT_TITLE, texts::ProgramLabel},
                    {IDC_ABOUT_SUPPORT, texts::SupportLabel},
                    {IDOK, texts::OkCaption}});
    SetDlgItemTextW(dialog, IDC_ABOUT_VERSION, Wide(model.VersionText()));
    SetDlgItemTextW(dialog, IDC_ABOUT_NOTICE, Wide(model.NoticeText()));
    SetDlgItemTextW(dialog, IDC_ABOUT_HOMEPAGE, Wide(model.HomePageText()));
    SetDlgItemTextW(dialog, IDC_ABOUT_MAIL, Wide(model.MailText()));
    AddToolTips(dialog, {{IDC_ABOUT_HOMEPAGE, texts::HomePageToolTip},
                         {IDC_ABOUT_MAIL, texts::MailToolTip},
                         {IDC_ABOUT_ICON, texts::IconToolTip},
                         {IDOK, texts::OkToolTip}});
    SetDialogIcon(dialog);
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(AppIconResource), IMAGE_ICON,
                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED);
    SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

// The mouse moved over `under`: a link, the background, or something else.
void OnMouseMove(HWND dialog, AboutModel& model, HWND under) {
    if (under == dialog) {
        // A plain label lets the mouse through to the dialog, which then
        // names itself; the label is still no background.
        POINT point{};
        GetCursorPos(&point);
        ScreenToClient(dialog, &point);
        if (HWND child = ChildWindowFromPointEx(dialog, point, CWP_SKIPINVISIBLE)) under = child;
    }
    const Color homePage = model.HomePageColor();
    const Color mail = model.MailColor();
    if (under == dialog) model.OnBackgroundMouseMove();
    if (under == GetDlgItem(dialog, IDC_ABOUT_HOMEPAGE)) model.OnHomePageMouseMove();
    if (under == GetDlgItem(dialog, IDC_ABOUT_MAIL)) model.OnMailMouseMove();
    if (model.HomePageColor() != homePage)
        InvalidateRect(GetDlgItem(dialog, IDC_ABOUT_HOMEPAGE), nullptr, TRUE);
    if (model.MailColor() != mail) InvalidateRect(GetDlgItem(dialog, IDC_ABOUT_MAIL), nullptr, TRUE);
}

bool IsLink(HWND dialog, HWND control) {
    return control == GetDlgItem(dialog, IDC_ABOUT_HOMEPAGE) || control == GetDlgItem(dialog, IDC_ABOUT_MAIL);
}

void OnCommand(HWND dialog, AboutModel& model, int id) {
    switch (id) {
        case IDC_ABOUT_HOMEPAGE:
            model.OnHomePageClick();
            EndDialog(dialog, IDOK);
            break;
        case IDC_ABOUT_MAIL:
            model.OnMailClick();
            EndDialog(dialog, IDOK);
            break;
        case IDC_ABOUT_ICON:
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)), TRUE);
            break;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, id);
            break;
        default:
            break;
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* model = reinterpret_cast<AboutModel*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!model) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            Initialise(dialog, *model);
            return TRUE;  // the focus goes to the first button
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) {
                TopLevelWindowWin32 window(dialog);
                model->OnActivate(window);
            }
            return FALSE;
        case WM_SETCURSOR: {
            // Every child passes this on to the dialog first: it says what
            // the mouse is over, without timers or mouse capture.
            HWND under = reinterpret_cast<HWND>(wParam);
            if (HIWORD(lParam) == WM_MOUSEMOVE) OnMouseMove(dialog, *model, under);
            if (!IsLink(dialog, under)) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            HWND control = reinterpret_cast<HWND>(lParam);
            if (!IsLink(dialog, control)) return FALSE;
            HDC dc = reinterpret_cast<HDC>(wParam);
            const bool homePage = control == GetDlgItem(dialog, IDC_ABOUT_HOMEPAGE);
            SetTextColor(dc, static_cast<COLORREF>(homePage ? model->HomePageColor() : model->MailColor()));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_COMMAND:
            OnCommand(dialog, *model, LOWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunAboutDialog(HWND mainWindow, AboutModel& model) {
    {
        const ModalScope modal(mainWindow);
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUT), nullptr, AboutDialogProc,
                        reinterpret_cast<LPARAM>(&model));
    }
    // Without an owner the system hands the activation elsewhere when the
    // dialog goes; the main window, enabled again, takes it back.
    if (IsWindow(mainWindow)) SetForegroundWindow(mainWindow);
}

}  // namespace scribbit
