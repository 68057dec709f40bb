#include "win32/edit_view_win32.h"

#include <shellapi.h>

#include <algorithm>

#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// Japanese text is the common case: ask for the Shift-JIS character set and
// fall back to whatever the face offers when it has none.
FontHandle CreateEditorFont(const FontSpec& font, int dpi, BYTE charSet) {
    LOGFONTW logFont{};
    logFont.lfHeight = -PointsToPixels(font.size, dpi);
    logFont.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = font.italic;
    logFont.lfUnderline = font.underline;
    logFont.lfStrikeOut = font.strikethrough;
    logFont.lfCharSet = charSet;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t nameLength = std::min<std::size_t>(font.name.size(), LF_FACESIZE - 1);
    std::copy_n(WideData(font.name), nameLength, logFont.lfFaceName);
    return FontHandle(CreateFontIndirectW(&logFont));
}

// The face the system really chose for a font.
std::u16string RealizedFace(HWND window, HFONT font) {
    std::u16string face;
    HDC dc = GetDC(window);
    if (!dc) return face;
    HGDIOBJ previous = SelectObject(dc, font);
    wchar_t name[LF_FACESIZE] = {};
    const int length = GetTextFaceW(dc, LF_FACESIZE, name);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    if (length > 0) face = FromWide(name);
    return face;
}

bool SameFaceName(const std::u16string& a, const std::u16string& b) {
    return CompareStringOrdinal(Wide(a), -1, Wide(b), -1, TRUE) == CSTR_EQUAL;
}

// Lines outnumber the characters of an average line: the gain of laying
// out from the view (a little on every line) outweighs measuring the lines
// in view once more (their length).
bool ManyLinesForTheirLength(const std::u16string& text) {
    const auto lines = static_cast<unsigned long long>(std::count(text.begin(), text.end(), u'\n')) + 1;
    return lines * lines > text.size();
}

}  // namespace

COLORREF ResolveColor(Color color) {
    if (color & SystemColorFlag) return GetSysColor(static_cast<int>(color & 0xFFu));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

EditViewWin32::~EditViewWin32() {
    subclass_.Detach();
    if (window_ && IsWindow(window_)) {
        // The control must not keep using our font after it is deleted.
        SendMessageW(window_, WM_SETFONT, 0, FALSE);
    }
}

bool EditViewWin32::Create(HWND parent, int controlId, bool wordWrap, EditViewEvents events) {
    events_ = std::move(events);
    dpi_ = CurrentScreenDpi();
    DWORD style = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_TABSTOP;
    if (!wordWrap) style |= WS_HSCROLL | ES_AUTOHSCROLL;
    window_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!window_) return false;
    // Documents of many megabytes must fit: lift the control's default limit.
    SendMessageW(window_, EM_SETLIMITTEXT, 0, 0);
    DragAcceptFiles(window_, TRUE);
    subclass_.Attach(window_, SubclassProc, this);
    return true;
}

LRESULT CALLBACK EditViewWin32::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowSubclass::OwnerOf<EditViewWin32>(window)->OnSubclassMessage(message, wParam, lParam);
}

LRESULT EditViewWin32::OnSubclassMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_KEYUP: {
            const LRESULT result = subclass_.CallOriginal(window_, message, wParam, lParam);
            if (events_.keyUp) events_.keyUp();
            return result;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            const LRESULT result = subclass_.CallOriginal(window_, message, wParam, lParam);
            if (events_.click) events_.click();
            return result;
        }
        case WM_NCDESTROY:
            return subclass_.DetachAndCallOriginal(window_, message, wParam, lParam);
        default:
            break;
    }
    return subclass_.CallOriginal(window_, message, wParam, lParam);
}

void EditViewWin32::OnDropFiles(HDROP drop) {
    std::vector<std::u16string> files;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::u16string name(length + 1, u'\0');
        const UINT copied = DragQueryFileW(drop, i, WideBuffer(name), length + 1);
        name.resize(copied);
        if (!name.empty()) files.push_back(std::move(name));
    }
    DragFinish(drop);
    if (events_.filesDropped) events_.filesDropped(files);
}

void EditViewWin32::OnCommand(WORD code) {
    switch (code) {
        case EN_CHANGE:
            if (!quiet_) RaiseChanged();
            break;
        case EN_ERRSPACE:
        case EN_MAXTEXT:
            outOfSpace_ = true;
            break;
        default:
            break;
    }
}

void EditViewWin32::RaiseChanged() const {
    if (events_.changed) events_.changed();
}

HBRUSH EditViewWin32::OnControlColor(HDC dc) const {
    // A locked view keeps the look of an editable one; only typing is refused.
    ::SetTextColor(dc, ResolveColor(color_));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

std::u16string EditViewWin32::Text() const {
    return WindowText(window_);
}

void EditViewWin32::ReadText(std::u16string& text) const {
    const LRESULT length = SendMessageW(window_, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) {
        text.clear();
        return;
    }
    // Within the buffer's capacity no memory is allocated: under Wine the
    // pages of a fresh block of many megabytes cost more than the copy.
    text.resize(static_cast<std::size_t>(length) + 1);
    const LRESULT copied =
        SendMessageW(window_, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? std::min(static_cast<std::size_t>(copied), static_cast<std::size_t>(length)) : 0);
}

std::size_t EditViewWin32::TextLength() const {
    const LRESULT length = SendMessageW(window_, WM_GETTEXTLENGTH, 0, 0);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

SetTextResult EditViewWin32::SetText(const std::u16string& text) {
    // WM_SETTEXT would keep only the part before a NUL: the control cannot
    // hold such a text whole.
    if (text.find(u'\0') != std::u16string::npos) return SetTextResult::TooLarge;
    // A text the control cannot hold whole must not half-replace the
    // document: keep the old one to put back.
    const std::u16string previous = Text();
    quiet_ = true;
    outOfSpace_ = false;
    const LRESULT accepted = SendMessageW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text)));
    const bool whole = accepted && !outOfSpace_ && TextLength() == text.size();
    if (!whole) SendMessageW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(previous)));
    quiet_ = false;
    outOfSpace_ = false;
    if (!whole) return SetTextResult::TooLarge;
    SendMessageW(window_, EM_EMPTYUNDOBUFFER, 0, 0);
    // A multi-line control does not report WM_SETTEXT as a change itself.
    RaiseChanged();
    return SetTextResult::Ok;
}

std::size_t EditViewWin32::SelStart() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
}

std::size_t EditViewWin32::SelLength() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start ? end - start : 0;
}

void EditViewWin32::SetSel(std::size_t start, std::size_t length) {
    const std::size_t size = TextLength();
    const std::size_t first = std::min(start, size);
    const std::size_t last = first + std::min(length, size - first);
    SendMessageW(window_, EM_SETSEL, static_cast<WPARAM>(first), static_cast<LPARAM>(last));
    SendMessageW(window_, EM_SCROLLCARET, 0, 0);
}

std::u16string EditViewWin32::SelText() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (end <= start) return {};
    const std::u16string text = Text();
    if (start >= text.size()) return {};
    return text.substr(start, std::min<std::size_t>(end - start, text.size() - start));
}

bool EditViewWin32::ReplaceSel(const std::u16string& text) {
    // The control takes NUL-terminated text: it would insert only the part
    // before a NUL, so such a text is refused whole.
    if (text.find(u'\0') != std::u16string::npos) return false;
    const std::size_t before = TextLength();
    const std::size_t selected = SelLength();
    outOfSpace_ = false;
    // The control joins an edit to the one before it when the two touch
    // (typing, then a change at the caret): Undo would take back both.
    SendMessageW(window_, EM_EMPTYUNDOBUFFER, 0, 0);
    // The control lays out again every line from the start of the selection
    // on, and under Wine it throws away the font measurements of each line
    // above its view as soon as it has laid it out, so that the next line
    // measures the font afresh: a change of the whole text with the view at
    // its end took a third longer. With the caret at the selection's start,
    // the view begins at the first line laid out. That costs one more
    // measurement of the lines then in view, which is nothing for lines of
    // ordinary length but a whole pass over a text of a few very long lines
    // (all line ends taken out: a sixth longer), so without word wrap the
    // view moves only for a text of many lines for their length.
    const bool wrapped = (GetWindowLongW(window_, GWL_STYLE) & ES_AUTOHSCROLL) == 0;
    if (wrapped || ManyLinesForTheirLength(text)) {
        DWORD first = 0;
        DWORD last = 0;
        SendMessageW(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        SendMessageW(window_, EM_SETSEL, last, first);
        SendMessageW(window_, EM_SCROLLCARET, 0, 0);
    }
    SendMessageW(window_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text)));
    if (!outOfSpace_ && TextLength() == before - selected + text.size()) return true;
    // Partly inserted for want of memory: take it back.
    if (TextLength() != before) SendMessageW(window_, EM_UNDO, 0, 0);
    outOfSpace_ = false;
    return false;
}

bool EditViewWin32::CanUndo() const {
    return SendMessageW(window_, EM_CANUNDO, 0, 0) != 0;
}
void EditViewWin32::Undo() {
    SendMessageW(window_, EM_UNDO, 0, 0);
}
void EditViewWin32::Cut() {
    SendMessageW(window_, WM_CUT, 0, 0);
}
void EditViewWin32::Copy() {
    SendMessageW(window_, WM_COPY, 0, 0);
}
void EditViewWin32::Paste() {
    SendMessageW(window_, WM_PASTE, 0, 0);
}
void EditViewWin32::Clear() {
    SendMessageW(window_, WM_CLEAR, 0, 0);
}

void EditViewWin32::SetLocked(bool locked) {
    SendMessageW(window_, EM_SETREADONLY, locked ? TRUE : FALSE, 0);
}

bool EditViewWin32::IsLocked() const {
    return (GetWindowLongW(window_, GWL_STYLE) & ES_READONLY) != 0;
}

void EditViewWin32::SetFont(const FontSpec& font) {
    FontHandle handle = CreateEditorFont(font, dpi_.y, SHIFTJIS_CHARSET);
    if (handle && !font.name.empty() && !SameFaceName(RealizedFace(window_, handle.get()), font.name)) {
        // The face has no Japanese character set; take it as it is rather
        // than let the mapper swap in another face.
        if (FontHandle own = CreateEditorFont(font, dpi_.y, DEFAULT_CHARSET)) {
            if (SameFaceName(RealizedFace(window_, own.get()), font.name)) handle = std::move(own);
        }
    }
    if (!handle) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(handle.get()), TRUE);
    fontHandle_ = std::move(handle);
    // Keep the values the logic set: "13.5" must read back as 13.5, not as
    // the nearest size the screen can draw.
    font_ = font;
}

void EditViewWin32::SetTextColor(Color color) {
    color_ = color;
    InvalidateRect(window_, nullptr, TRUE);
}

bool EditViewWin32::IsVisible() const {
    return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void EditViewWin32::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

RECT EditViewWin32::PixelRect() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void EditViewWin32::Move(const Bounds& bounds) {
    const int left = TwipsToPixels(bounds.left, dpi_.x);
    const int top = TwipsToPixels(bounds.top, dpi_.y);
    const int width = std::max(0, TwipsToPixels(bounds.width, dpi_.x));
    const int height = std::max(0, TwipsToPixels(bounds.height, dpi_.y));
    lastBounds_ = bounds;
    lastPixels_ = RECT{left, top, left + width, top + height};
    MoveWindow(window_, left, top, width, height, TRUE);
}

Bounds EditViewWin32::Placement() const {
    const RECT rect = PixelRect();
    if (EqualRect(&rect, &lastPixels_)) return lastBounds_;
    return Bounds{PixelsToTwips(rect.left, dpi_.x), PixelsToTwips(rect.top, dpi_.y),
                  PixelsToTwips(rect.right - rect.left, dpi_.x),
                  PixelsToTwips(rect.bottom - rect.top, dpi_.y)};
}

}  // namespace scribbit
