#include "win32/status_bar_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// Design widths of panels 2 to 8 in millimetres; panel 1 takes the rest of
// the bar but never less than its own minimum.
constexpr double FirstPanelMinimumMm = 17.64;
constexpr std::array<double, StatusBarWin32::PanelCount - 1> FixedPanelWidthsMm{10.58, 10.94, 24.69, 17.64,
                                                                                10.94, 10.94, 10.94};

constexpr std::array<const char16_t*, StatusBarWin32::PanelCount> PanelTips{
    u"ファイル名だよ",           u"文字数のカウント方式を示しています",
    u"文字数をカウントしてます", u"日付です",
    u"現在の時間です",           u"INSキーの状態です",
    u"NUMキーの状態です",        u"CAPSキーの状態です",
};

constexpr int DatePanel = 4;
constexpr int TimePanel = 5;
constexpr int FirstKeyPanel = 6;
constexpr std::array<int, 3> KeyPanelKeys{VK_INSERT, VK_NUMLOCK, VK_CAPITAL};
constexpr UINT ClockIntervalMs = 250;

std::u16string FormattedNow(bool date) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t buffer[128] = {};
    const int length = date ? GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, buffer, 128)
                            : GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, buffer, 128);
    return length > 0 ? FromWide(buffer) : std::u16string();
}

bool KeyToggled(int key) {
    return (GetKeyState(key) & 1) != 0;
}

}  // namespace

StatusBarWin32::~StatusBarWin32() {
    subclass_.Detach();
    if (heldPaint_) DeleteObject(heldPaint_);
}

bool StatusBarWin32::Create(HWND parent, int controlId) {
    dpi_ = CurrentScreenDpi();
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    window_ =
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
    if (!window_) return false;
    subclass_.Attach(window_, SubclassProc, this);
    heldPaint_ = CreateRectRgn(0, 0, 0, 0);
    texts_[2] = u"0";
    texts_[5] = u"INS";
    texts_[6] = u"NUM";
    texts_[7] = u"CAPS";

    // The bar's own SB_SETTIPTEXT shows a tip only for cut-off text; a
    // tooltip control with one tool per panel shows them all the time.
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                            instance, nullptr);
    if (tips_) {
        for (int panel = 0; panel < PanelCount; ++panel) {
            TOOLINFOW tool{};
            tool.cbSize = sizeof tool;
            // The bar's procedure relays the mouse itself (see SubclassProc).
            tool.hwnd = window_;
            tool.uId = static_cast<UINT_PTR>(panel + 1);
            tool.lpszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(PanelTips[panel]));
            SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    LayoutPanels();
    UpdateClock();
    UpdateKeyStates();
    SetTimer(parent, TimerId, ClockIntervalMs, nullptr);
    return true;
}

void StatusBarWin32::LayoutPanels() {
    RECT client{};
    GetClientRect(window_, &client);
    std::array<int, PanelCount> widths{};
    int fixed = 0;
    for (std::size_t i = 0; i < FixedPanelWidthsMm.size(); ++i) {
        widths[i + 1] = MillimetresToPixels(FixedPanelWidthsMm[i], dpi_.x);
        fixed += widths[i + 1];
    }
    widths[0] = std::max<int>(client.right - fixed, MillimetresToPixels(FirstPanelMinimumMm, dpi_.x));
    std::array<int, PanelCount> rightEdges{};
    int edge = 0;
    for (int i = 0; i < PanelCount; ++i) {
        edge += widths[static_cast<std::size_t>(i)];
        rightEdges[static_cast<std::size_t>(i)] = edge;
    }
    SendMessageW(window_, SB_SETPARTS, PanelCount, reinterpret_cast<LPARAM>(rightEdges.data()));
    for (int panel = 1; panel <= PanelCount; ++panel) {
        const bool ownerDrawn = panel >= FirstKeyPanel;
        if (ownerDrawn) {
            SendMessageW(window_, SB_SETTEXTW, static_cast<WPARAM>((panel - 1) | SBT_OWNERDRAW), 0);
        } else {
            SendMessageW(window_, SB_SETTEXTW, static_cast<WPARAM>(panel - 1),
                         reinterpret_cast<LPARAM>(Wide(texts_[static_cast<std::size_t>(panel - 1)])));
        }
        if (!tips_) continue;
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window_;
        tool.uId = static_cast<UINT_PTR>(panel);
        SendMessageW(window_, SB_GETRECT, static_cast<WPARAM>(panel - 1),
                     reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void StatusBarWin32::OnParentSize() {
    // The bar sizes and places itself at the bottom from this message.
    SendMessageW(window_, WM_SIZE, 0, 0);
    LayoutPanels();
}

void StatusBarWin32::OnTimer() {
    UpdateClock();
    UpdateKeyStates();
}

void StatusBarWin32::UpdateClock() {
    for (int panel : {DatePanel, TimePanel}) {
        const std::u16string now = FormattedNow(panel == DatePanel);
        std::u16string& shown = texts_[static_cast<std::size_t>(panel - 1)];
        if (now == shown) continue;
        shown = now;
        SendMessageW(window_, SB_SETTEXTW, static_cast<WPARAM>(panel - 1),
                     reinterpret_cast<LPARAM>(Wide(shown)));
    }
}

void StatusBarWin32::UpdateKeyStates() {
    for (std::size_t i = 0; i < KeyPanelKeys.size(); ++i) {
        const bool on = KeyToggled(KeyPanelKeys[i]);
        if (keyStatesKnown_ && on == keyStates_[i]) continue;
        keyStates_[i] = on;
        RECT rect{};
        SendMessageW(window_, SB_GETRECT, static_cast<WPARAM>(FirstKeyPanel - 1 + static_cast<int>(i)),
                     reinterpret_cast<LPARAM>(&rect));
        InvalidateRect(window_, &rect, TRUE);
    }
    keyStatesKnown_ = true;
}

std::u16string StatusBarWin32::ReadableText(int part) const {
    if (part < 0 || part >= PanelCount) return {};
    const std::size_t index = static_cast<std::size_t>(part);
    if (part < FirstKeyPanel - 1) return texts_[index];
    return keyStates_[index - (FirstKeyPanel - 1)] ? texts_[index] : std::u16string();
}

// The key panels are owner-drawn so that a key that is off shows its name
// greyed; the bar itself would then answer SB_GETTEXTW with the drawing
// data. Answering with the text here lets other programs (the end-to-end
// driver, screen readers) read the key states: the key's name while it is
// on, nothing while it is off.
LRESULT CALLBACK StatusBarWin32::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* bar = WindowSubclass::OwnerOf<StatusBarWin32>(window);
    const int part = static_cast<int>(LOWORD(wParam));
    if (bar->tips_ && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        // What TTF_SUBCLASS would do, without a second subclass.
        MSG relayed{window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        const DWORD position = GetMessagePos();
        relayed.pt = {GET_X_LPARAM(position), GET_Y_LPARAM(position)};
        SendMessageW(bar->tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    switch (message) {
        case WM_PAINT:
            if (bar->holdingPaint_) {
                // What is invalid now, the new text's part and whatever was
                // waiting before it, is made valid here and invalid again
                // once SB_SETTEXTW has returned.
                GetUpdateRgn(window, bar->heldPaint_, FALSE);
                ValidateRgn(window, nullptr);
                bar->holdingPaint_ = false;
                return 0;
            }
            break;
        case SB_GETTEXTW:
        case SB_GETTEXTLENGTHW:
            if (part >= FirstKeyPanel - 1 && part < PanelCount) {
                const std::u16string text = bar->ReadableText(part);
                if (message == SB_GETTEXTW && lParam) {
                    std::copy(text.begin(), text.end(), reinterpret_cast<char16_t*>(lParam));
                    reinterpret_cast<char16_t*>(lParam)[text.size()] = u'\0';
                }
                return MAKELRESULT(static_cast<WORD>(text.size()), 0);
            }
            break;
        case WM_NCDESTROY:
            return bar->subclass_.DetachAndCallOriginal(window, message, wParam, lParam);
        default:
            break;
    }
    return bar->subclass_.CallOriginal(window, message, wParam, lParam);
}

bool StatusBarWin32::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != window_) return false;
    const int panel = static_cast<int>(item.itemID) + 1;
    if (panel < FirstKeyPanel || panel > PanelCount) return false;
    const std::size_t key = static_cast<std::size_t>(panel - FirstKeyPanel);
    const std::u16string& text = texts_[static_cast<std::size_t>(panel - 1)];
    RECT rect = item.rcItem;
    const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
    const COLORREF oldColor =
        ::SetTextColor(item.hDC, GetSysColor(keyStates_[key] ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(item.hDC, Wide(text), static_cast<int>(text.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(item.hDC, oldColor);
    SetBkMode(item.hDC, oldMode);
    return true;
}

void StatusBarWin32::SetPanelText(int panel, const std::u16string& text) {
    if (panel < 1 || panel > PanelCount) return;
    texts_[static_cast<std::size_t>(panel - 1)] = text;
    if (panel >= FirstKeyPanel) {
        InvalidateRect(window_, nullptr, TRUE);
        return;
    }
    // Some implementations of the bar paint the part at once, from inside
    // SB_SETTEXTW (Wine's, about a millisecond each); a command that sets
    // the count and its unit would paint the bar twice. The paint is held
    // and left to the bar's next one: the message loop's, or the end of a
    // long command, which paints the window before the pointer goes back.
    holdingPaint_ = heldPaint_ != nullptr;
    SendMessageW(window_, SB_SETTEXTW, static_cast<WPARAM>(panel - 1), reinterpret_cast<LPARAM>(Wide(text)));
    if (holdingPaint_) {  // no paint came (the same text, or a bar that only invalidates)
        holdingPaint_ = false;
        return;
    }
    // The paint taken above, given back as the bar asked for it: without an
    // erase, since the bar fills each part's background as it paints it.
    InvalidateRgn(window_, heldPaint_, FALSE);
}

std::u16string StatusBarWin32::PanelText(int panel) const {
    if (panel < 1 || panel > PanelCount) return {};
    return texts_[static_cast<std::size_t>(panel - 1)];
}

void StatusBarWin32::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
}

bool StatusBarWin32::IsVisible() const {
    return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::int32_t StatusBarWin32::HeightTwips() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return PixelsToTwips(rect.bottom - rect.top, dpi_.y);
}

}  // namespace scribbit
