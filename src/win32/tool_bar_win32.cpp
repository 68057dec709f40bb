#include "win32/tool_bar_win32.h"

#include "toolbar/command_catalogue.h"
#include "win32/toolbar_images_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// A menu shows "&" as the access-key mark; "&&" is one "&".
std::u16string MenuCaption(const std::u16string& text) {
    std::u16string caption;
    for (char16_t c : text) {
        caption += c;
        if (c == u'&') caption += u'&';
    }
    return caption;
}

BYTE ButtonStyleOf(std::int16_t style) {
    switch (static_cast<ButtonStyle>(style)) {
        case ButtonStyle::Check:
            return BTNS_CHECK;
        case ButtonStyle::Separator:
            return BTNS_SEP;
        case ButtonStyle::DropDown:
            return BTNS_DROPDOWN;
        case ButtonStyle::Plain:
            break;
    }
    return BTNS_BUTTON;
}

}  // namespace

ToolBarWin32::~ToolBarWin32() {
    subclass_.Detach();
    if (window_ && IsWindow(window_)) {
        SendMessageW(window_, TB_SETIMAGELIST, 0, 0);
    }
    if (images_) ImageList_Destroy(images_);
}

bool ToolBarWin32::Create(HWND parent, int controlId, ToolBarEvents events) {
    events_ = std::move(events);
    dpi_ = CurrentScreenDpi();
    // Wrapable: a window narrower than the buttons gets further rows instead
    // of buttons past its right edge that no click can reach.
    window_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | CCS_TOP | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE, 0,
        0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!window_) return false;
    SendMessageW(window_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(window_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    images_ = CreateToolbarImageList(static_cast<UINT>(dpi_.y));
    SendMessageW(window_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
    subclass_.Attach(window_, SubclassProc, this);
    return true;
}

LRESULT CALLBACK ToolBarWin32::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* bar = WindowSubclass::OwnerOf<ToolBarWin32>(window);
    switch (message) {
        case WM_LBUTTONDBLCLK:
            // The first click of the pair has run its button already; the
            // second one opens the customisation dialog instead of
            // pressing the button again.
            if (bar->events_.doubleClicked) bar->events_.doubleClicked();
            return 0;
        case WM_NCDESTROY:
            return bar->subclass_.DetachAndCallOriginal(window, message, wParam, lParam);
        default:
            break;
    }
    return bar->subclass_.CallOriginal(window, message, wParam, lParam);
}

std::optional<std::size_t> ToolBarWin32::PositionOfCommand(int commandId) const {
    const int position = commandId - ToolBarButtonIdBase;
    if (position < 0 || static_cast<std::size_t>(position) >= entries_.size()) return std::nullopt;
    return static_cast<std::size_t>(position);
}

std::size_t ToolBarWin32::TrackButtonMenu(std::size_t position) const {
    const std::vector<std::u16string>& entries = entries_[position].menuEntries;
    if (entries.empty()) return 0;
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        AppendMenuW(menu, MF_STRING, i + 1, Wide(MenuCaption(entries[i])));
    }
    // The button's tooltip would stay over the list while it is open.
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(window_, TB_GETTOOLTIPS, 0, 0))) {
        SendMessageW(tips, TTM_POP, 0, 0);
    }
    RECT button{};
    SendMessageW(window_, TB_GETRECT, static_cast<WPARAM>(ToolBarButtonIdBase + static_cast<int>(position)),
                 reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    TPMPARAMS around{};
    around.cbSize = sizeof around;
    around.rcExclude = button;  // the list opens below the button, never over it
    const BOOL chosen = TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                         button.left, button.bottom, GetParent(window_), &around);
    DestroyMenu(menu);
    return chosen > 0 ? static_cast<std::size_t>(chosen) : 0;
}

void ToolBarWin32::OnParentSize() {
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

bool ToolBarWin32::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const auto index = static_cast<std::size_t>(static_cast<int>(header.idFrom) - ToolBarButtonIdBase);
        if (index < entries_.size()) {
            // The entry outlives the tooltip's use of the pointer.
            info.lpszText = const_cast<wchar_t*>(Wide(entries_[index].entry.toolTipText));
            info.hinst = nullptr;
        }
        result = 0;
        return true;
    }
    if (header.hwndFrom == window_ && header.code == TBN_DROPDOWN) {
        const auto& dropDown = reinterpret_cast<NMTOOLBARW&>(header);
        if (const std::optional<std::size_t> position = PositionOfCommand(dropDown.iItem)) {
            const std::size_t entry = TrackButtonMenu(*position);
            if (entry > 0 && events_.menuEntryChosen) events_.menuEntryChosen(*position, entry);
        }
        result = TBDDRET_DEFAULT;
        return true;
    }
    return false;
}

void ToolBarWin32::Clear() {
    for (LRESULT count = SendMessageW(window_, TB_BUTTONCOUNT, 0, 0); count > 0; --count) {
        SendMessageW(window_, TB_DELETEBUTTON, static_cast<WPARAM>(count - 1), 0);
    }
    entries_.clear();
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

void ToolBarWin32::Append(const ToolBarEntry& entry) {
    TBBUTTON button{};
    const int image = ImageIndex(entry.image);
    button.fsStyle = ButtonStyleOf(entry.style);
    button.iBitmap = button.fsStyle == BTNS_SEP ? 0 : (image < 0 ? I_IMAGENONE : image);
    button.idCommand = ToolBarButtonIdBase + static_cast<int>(entries_.size());
    button.fsState = TBSTATE_ENABLED;
    button.iString = -1;
    entries_.push_back(Position{entry, {}});
    SendMessageW(window_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

ToolBarEntry ToolBarWin32::Entry(std::size_t index) const {
    return index < entries_.size() ? entries_[index].entry : ToolBarEntry{};
}

void ToolBarWin32::SetPressed(std::size_t index, bool pressed) {
    if (index >= entries_.size()) return;
    const WPARAM id = static_cast<WPARAM>(ToolBarButtonIdBase + static_cast<int>(index));
    const bool check = static_cast<ButtonStyle>(entries_[index].entry.style) == ButtonStyle::Check;
    SendMessageW(window_, check ? TB_CHECKBUTTON : TB_PRESSBUTTON, id, MAKELPARAM(pressed ? TRUE : FALSE, 0));
}

bool ToolBarWin32::IsPressed(std::size_t index) const {
    if (index >= entries_.size()) return false;
    const WPARAM id = static_cast<WPARAM>(ToolBarButtonIdBase + static_cast<int>(index));
    return SendMessageW(window_, TB_ISBUTTONCHECKED, id, 0) != 0 ||
           SendMessageW(window_, TB_ISBUTTONPRESSED, id, 0) != 0;
}

void ToolBarWin32::SetMenuEntries(std::size_t index, const std::vector<std::u16string>& entries) {
    if (index < entries_.size()) entries_[index].menuEntries = entries;
}

void ToolBarWin32::SetVisible(bool visible) {
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
    // The window may have changed width while the bar was hidden.
    if (visible) SendMessageW(window_, TB_AUTOSIZE, 0, 0);
}

bool ToolBarWin32::IsVisible() const {
    return (GetWindowLongW(window_, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::int32_t ToolBarWin32::HeightTwips() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return PixelsToTwips(rect.bottom - rect.top, dpi_.y);
}

}  // namespace scribbit
