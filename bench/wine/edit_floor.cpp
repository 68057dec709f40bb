// The edit control's own cost, the floor under every figure of the program:
// a bare EDIT in the benchmark's own process, made the way the program makes
// its views (the same styles, text limit, font and size), fed the same text
// in the same run. Whatever the program takes beyond it is ours.
#include <windows.h>
// commctrl.h needs the types windows.h declares.
#include <commctrl.h>

#include <array>
#include <cmath>
#include <string>

#include "bench_support.h"
#include "e2e/probe.h"

namespace bench {

namespace {

constexpr wchar_t FloorFrameClass[] = L"ScribbitBenchFloor";

std::wstring ProfileString(const std::string& path, const wchar_t* key, const wchar_t* fallback) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(L"Font", key, fallback, value, 256, e2e::Wide(path).c_str());
    return value;
}

// The face the system really chose for a font.
std::wstring RealizedFace(HWND window, HFONT font) {
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, name);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return name;
}

HFONT CreateViewFont(const ViewFont& font, BYTE charSet) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    LOGFONTW logFont{};
    logFont.lfHeight = -static_cast<LONG>(std::lround(font.size * dpi / 72.0));
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikethrough;
    logFont.lfCharSet = charSet;
    lstrcpynW(logFont.lfFaceName, font.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&logFont);
}

// The pointer back as the window under the mouse asks for it, as when the
// mouse moves there: over a text view that is the I-beam, so a command that
// showed the busy pointer must ask, not set the arrow.
void RestorePointer() {
    const DWORD position = GetMessagePos();
    const POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    const HWND under = WindowFromPoint(point);
    if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
        const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
        if (SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE)))
            return;
    }
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace

bool UseControlsOf(const std::string& program) {
    // The program's manifest asks for the common controls version 6, whose
    // EDIT is another implementation than the system's own: the floor must
    // be made of the same one. The manifest is the program's resource 1.
    const std::wstring path = e2e::Wide(program);
    ACTCTXW context{};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path.c_str();
    context.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE handle = CreateActCtxW(&context);
    ULONG_PTR cookie = 0;
    // Kept active for the rest of the run.
    if (handle == INVALID_HANDLE_VALUE || !ActivateActCtx(handle, &cookie)) return false;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}

ViewFont ReadViewFont(const std::string& settingsPath) {
    ViewFont font;
    font.name = ProfileString(settingsPath, L"Name", L"FixedSys");
    font.size = std::wcstod(ProfileString(settingsPath, L"Size", L"13.5").c_str(), nullptr);
    font.bold = ProfileString(settingsPath, L"Bold", L"False") == L"True";
    font.italic = ProfileString(settingsPath, L"Italic", L"False") == L"True";
    font.underline = ProfileString(settingsPath, L"Underline", L"False") == L"True";
    font.strikethrough = ProfileString(settingsPath, L"Strikethrough", L"False") == L"True";
    return font;
}

FloorView::FloorView(bool wordWrap, const ViewFont& font, SIZE size, POINT at) {
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = FloorFrameClass;
    RegisterClassW(&frameClass);  // the second view finds it registered
    frame_ = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, FloorFrameClass, L"floor",
                             WS_POPUP | WS_CLIPCHILDREN, at.x, at.y, size.cx, size.cy, nullptr, nullptr,
                             frameClass.hInstance, nullptr);
    // As the program creates its views (src/win32/edit_view_win32.cpp).
    DWORD style =
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_TABSTOP;
    if (!wordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, size.cx, size.cy, frame_, nullptr,
                            frameClass.hInstance, nullptr);
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
    font_ = CreateViewFont(font, SHIFTJIS_CHARSET);
    if (lstrcmpiW(RealizedFace(edit_, font_).c_str(), font.name.c_str()) != 0) {
        // The program takes a face without a Japanese character set as it is.
        HFONT own = CreateViewFont(font, DEFAULT_CHARSET);
        if (lstrcmpiW(RealizedFace(edit_, own).c_str(), font.name.c_str()) == 0) {
            DeleteObject(font_);
            font_ = own;
        } else {
            DeleteObject(own);
        }
    }
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    // A status bar of eight panels, for the count (CopyStatusBar makes it
    // the program's).
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                              frame_, nullptr, frameClass.hInstance, nullptr);
    int edges[8];
    for (int i = 0; i < 8; ++i) edges[i] = size.cx * (i + 1) / 8;
    SendMessageW(status_, SB_SETPARTS, 8, reinterpret_cast<LPARAM>(edges));
    ShowWindow(frame_, SW_SHOWNOACTIVATE);
    UpdateWindow(frame_);
}

FloorView::~FloorView() {
    if (frame_) DestroyWindow(frame_);
    if (font_) DeleteObject(font_);
}

template <class Work>
double FloorView::Timed(Work&& work) {
    const double start = NowMs();
    work();
    // The new text on the screen: the paint is part of the work.
    UpdateWindow(edit_);
    return NowMs() - start;
}

void FloorView::ActAsFocused() {
    SendMessageW(edit_, WM_SETFOCUS, 0, 0);
}

double FloorView::SetText(const std::wstring& text) {
    return Timed([&] { SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); });
}

double FloorView::ReplaceAll(const std::wstring& text) {
    return Timed([&] {
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        // The caret back at the start, where the program's runs have it
        // and where a conversion or Replace all leaves it again.
        SendMessageW(edit_, EM_SETSEL, 0, 0);
        SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    });
}

double FloorView::Undo() {
    return Timed([&] { SendMessageW(edit_, EM_UNDO, 0, 0); });
}

double FloorView::ReadText() {
    const long long length = Length();
    buffer_.resize(static_cast<std::size_t>(length) + 1);
    const double start = NowMs();
    SendMessageW(edit_, WM_GETTEXT, buffer_.size(), reinterpret_cast<LPARAM>(buffer_.data()));
    return NowMs() - start;
}

void FloorView::CopyStatusBar(HANDLE process, HWND programBar) {
    using Edges = std::array<int, 8>;
    const Edges edges = e2e::SendRemote(process, programBar, SB_GETPARTS, 8, Edges{});
    SendMessageW(status_, SB_SETPARTS, 8, reinterpret_cast<LPARAM>(edges.data()));
    for (int part = 0; part < 8; ++part) {
        const std::wstring text = e2e::Wide(e2e::StatusText(process, programBar, part));
        SendMessageW(status_, SB_SETTEXTW, part, reinterpret_cast<LPARAM>(text.c_str()));
    }
    UpdateWindow(status_);
}

double FloorView::SwitchCount(bool bytes, const std::wstring& unit) {
    const double start = NowMs();
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    long long count = SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0);
    if (bytes) {
        buffer_.resize(static_cast<std::size_t>(count) + 1);
        SendMessageW(edit_, WM_GETTEXT, buffer_.size(), reinterpret_cast<LPARAM>(buffer_.data()));
        count = WideCharToMultiByte(CP_ACP, 0, buffer_.data(), static_cast<int>(count), nullptr, 0, nullptr,
                                    nullptr);
    }
    SendMessageW(status_, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(unit.c_str()));
    SendMessageW(status_, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(std::to_wstring(count).c_str()));
    UpdateWindow(status_);
    RestorePointer();
    return NowMs() - start;
}

long long FloorView::Length() const {
    return static_cast<long long>(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0));
}

}  // namespace bench
