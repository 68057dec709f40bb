#include "win32/main_window_win32.h"

#include <shellapi.h>
#include <windowsx.h>

#include <optional>

#include "core/app_context.h"
#include "resource_ids.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// The editor's font until the settings say otherwise.
const FontSpec DefaultEditorFont{u"FixedSys", 13.5, false, false, false, false};

}  // namespace

MainWindow::~MainWindow() {
    // The modeless dialogs' models belong to the form, which goes first.
    editingWindows_.CloseAll();
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
}

bool MainWindow::RegisterClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = MainWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::Create(const std::u16string& programFolder) {
    if (!menus_.Build()) return false;
    window_ = CreateWindowExW(0, MainWindowClass, Wide(std::u16string(AppTitle)),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    if (!window_) return false;
    menus_.AttachTo(window_);
    frame_.Attach(window_);
    dialogs_.SetOwner(window_);
    clipboard_.SetOwner(window_);
    editingWindows_.SetOwner(window_);
    shell_.SetOwner(window_);
    if (!CreateControls()) return false;
    formDialogs_.SetOwner(window_, toolBar_.Images());

    const Ports ports{frame_,   txtReturn_, txtNoReturn_, status_, menus_,
                      toolBar_, dialogs_,   clipboard_,   files_,  locale_};
    form_ = std::make_unique<MainForm>(ports, programFolder, textServices_, editingWindows_, shell_,
                                       formDialogs_);
    editingWindows_.Bind(form_->Editing());
    printer_.SetOwner(window_);
    printingWindows_.SetOwner(window_);
    printingWindows_.SetShortcutHandler([this](MSG& message) { return TranslateShortcut(message); });
    form_->AttachPrinting(printer_, printingWindows_);
    return true;
}

bool MainWindow::CreateControls() {
    ToolBarEvents toolBarEvents;
    toolBarEvents.menuEntryChosen = [this](std::size_t position, std::size_t entry) {
        if (Running()) form_->OnToolBarButtonMenuClick(position, entry);
    };
    toolBarEvents.doubleClicked = [this] {
        if (Running()) form_->OnToolBarDoubleClick();
    };
    if (!toolBar_.Create(window_, ToolBarControlId, std::move(toolBarEvents)) ||
        !status_.Create(window_, StatusBarControlId)) {
        return false;
    }
    const auto events = [this] {
        EditViewEvents e;
        e.changed = [this] {
            if (Running()) form_->OnEditorChanged();
        };
        e.keyUp = [this] {
            if (Running()) form_->OnEditorKeyUp();
        };
        e.click = [this] {
            if (Running()) form_->OnEditorClick();
        };
        e.filesDropped = [this](const std::vector<std::u16string>& files) {
            if (Running()) form_->OnFilesDropped(files);
        };
        return e;
    };
    if (!txtReturn_.Create(window_, TxtReturnControlId, true, events()) ||
        !txtNoReturn_.Create(window_, TxtNoReturnControlId, false, events())) {
        return false;
    }
    txtReturn_.SetFont(DefaultEditorFont);
    txtNoReturn_.SetFont(DefaultEditorFont);
    txtNoReturn_.SetVisible(true);
    return true;
}

void MainWindow::Load(const std::u16string& commandLine, int showCommand) {
    form_->Form_Load(commandLine);
    if (Running() && IsWindow(window_) && !IsWindowVisible(window_)) {
        ShowWindow(window_, showCommand);
        UpdateWindow(window_);
    }
}

bool MainWindow::TranslateShortcut(MSG& message) const {
    if (!window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) return false;
    return menus_.TranslateShortcut(window_, message);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

HWND MainWindow::ActiveEditorHandle() {
    return &form_->Context().ActiveEditor() == &txtReturn_ ? txtReturn_.Handle() : txtNoReturn_.Handle();
}

EditViewWin32* MainWindow::EditViewOf(HWND control) {
    if (control && control == txtReturn_.Handle()) return &txtReturn_;
    if (control && control == txtNoReturn_.Handle()) return &txtNoReturn_;
    return nullptr;
}

void MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control) {
        if (EditViewWin32* view = EditViewOf(control)) view->OnCommand(HIWORD(wParam));
        if (control == toolBar_.Handle() && Running()) {
            if (const std::optional<std::size_t> position = toolBar_.PositionOfCommand(id))
                form_->OnToolBarButtonClick(*position);
        }
        return;
    }
    // A menu item or its shortcut.
    if (Running() && IsMenuCommandId(id)) form_->MenuClick(MenuItemFromCommandId(id));
}

void MainWindow::OnSize() {
    toolBar_.OnParentSize();
    status_.OnParentSize();
    if (Running()) form_->Form_Resize();
}

bool MainWindow::ShowToolBarContextMenu(HWND source, LPARAM position) {
    if (source != toolBar_.Handle()) return false;
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    if (point.x == -1 && point.y == -1) {  // from the keyboard: under the bar's corner
        point = POINT{0, 0};
        ClientToScreen(source, &point);
    }
    TrackPopupMenu(menus_.ToolBarContextMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, point.x,
                   point.y, 0, window_, nullptr);
    return true;
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
        case WM_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (toolBar_.OnNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
            break;
        }
        case WM_CONTEXTMENU:
            if (ShowToolBarContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
            break;
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_ACTIVATE:
            // Minimised activations would capture the off-screen placement.
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam) && Running()) form_->Form_Activate();
            break;
        case WM_WINDOWPOSCHANGED:
            printingWindows_.OnMainWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
            break;  // the default handling sends WM_SIZE
        case WM_SETFOCUS:
            // Keyboard input belongs in the ActiveEditor, which the word-wrap
            // state names; a conversion hides it for a moment, and asking
            // which view is visible then would send the typing to the other,
            // hidden one.
            if (Running()) SetFocus(ActiveEditorHandle());
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (EditViewWin32* view = EditViewOf(reinterpret_cast<HWND>(lParam))) {
                return reinterpret_cast<LRESULT>(view->OnControlColor(reinterpret_cast<HDC>(wParam)));
            }
            break;
        case WM_DRAWITEM:
            if (status_.OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_TIMER:
            if (wParam == StatusBarWin32::TimerId) {
                status_.OnTimer();
                return 0;
            }
            break;
        case WM_SETCURSOR:
            // While a dialog has the main window disabled, it keeps the
            // normal pointer.
            if (frame_.IsWorking() && IsWindowEnabled(window)) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            if (frame_.IsBusy()) {
                SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
                return TRUE;
            }
            break;
        case WM_ENABLE:
            // A dialog or message box shown in the middle of a long command
            // disables the main window: the normal pointer until it is gone.
            frame_.OnEnabled(wParam != FALSE);
            break;
        case WM_CLOSE:
            // Form_Unload returns true when the user keeps the window open;
            // otherwise the logic has ended the program already.
            if (Running() && form_->Form_Unload()) return 0;
            if (IsWindow(window)) DestroyWindow(window);
            return 0;
        case WM_QUERYENDSESSION:
            if (Running() && form_->Form_Unload()) return FALSE;
            return TRUE;
        case WM_DESTROY:
            editingWindows_.CloseAll();
            KillTimer(window, StatusBarWin32::TimerId);
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace scribbit
