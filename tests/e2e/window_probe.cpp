#include "e2e/window_probe.h"

#include <algorithm>
#include <cwchar>
#include <functional>

#include "e2e/e2e_harness.h"

namespace e2e {

namespace {

// File dialog control identifiers (dlgs.h): the file-name combo box of the
// Explorer-style dialog, the older file-name edit, the read-only check box.
constexpr int FileNameCombo = 0x47C;
constexpr int FileNameEdit = 0x480;
constexpr int ReadOnlyCheck = 0x410;
constexpr int MessageBoxText = 0xFFFF;

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                               result ? result : &ignored) != 0;
}

bool SameClass(HWND window, const wchar_t* className) {
    return lstrcmpiW(ClassOf(window).c_str(), className) == 0;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

// Enumeration callbacks are named functions: a lambda has the wrong calling
// convention on i686.
BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<ProcessWindows*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->processId) s->found.push_back(window);
    return TRUE;
}

struct ClassWindows {
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectClassWindow(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<ClassWindows*>(data);
    if (!s->className || SameClass(window, s->className)) s->found.push_back(window);
    return TRUE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

long long TextLengthOf(HWND window) {
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, &length)) return -1;
    return static_cast<long long>(length);
}

std::wstring TextOf(HWND window) {
    long long length = TextLengthOf(window);
    if (length <= 0) return {};
    // The text may grow between the two questions; a buffer it filled to
    // the brim may have cut it, so ask again with more room.
    for (;;) {
        std::wstring text(static_cast<std::size_t>(length) + 64, L'\0');
        DWORD_PTR copied = 0;
        if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return {};
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return text;
        }
        length = static_cast<long long>(text.size()) * 2;
    }
}

bool SetTextOf(HWND window, const std::wstring& text) {
    DWORD_PTR result = 0;
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) && result;
}

bool IsShown(HWND window) { return window && IsWindowVisible(window); }

std::vector<HWND> TopLevelWindows(DWORD processId) {
    ProcessWindows search{processId, {}};
    EnumWindows(&CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindMainWindow(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && (style & WS_CAPTION) == WS_CAPTION &&
            !SameClass(window, L"#32770")) {
            return window;
        }
    }
    return nullptr;
}

std::vector<HWND> Descendants(HWND parent, const wchar_t* className) {
    ClassWindows search{className, {}};
    EnumChildWindows(parent, &CollectClassWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND DescendantById(HWND parent, int id) {
    for (HWND window : Descendants(parent)) {
        if (GetDlgCtrlID(window) == id) return window;
    }
    return nullptr;
}

std::vector<HWND> Editors(HWND mainWindow) {
    std::vector<HWND> editors;
    // Only the edit views that belong to the main window itself, not the
    // edit boxes inside a toolbar combo or a status bar.
    for (HWND window : Descendants(mainWindow, L"Edit")) {
        if (GetParent(window) == mainWindow) editors.push_back(window);
    }
    return editors;
}

HWND ActiveEditor(HWND mainWindow) {
    for (HWND editor : Editors(mainWindow)) {
        if (IsWindowVisible(editor)) return editor;
    }
    return nullptr;
}

HWND StatusBarOf(HWND mainWindow) {
    const auto bars = Descendants(mainWindow, STATUSCLASSNAMEW);
    return bars.empty() ? nullptr : bars.front();
}

HWND ToolBarOf(HWND mainWindow) {
    const auto bars = Descendants(mainWindow, TOOLBARCLASSNAMEW);
    return bars.empty() ? nullptr : bars.front();
}

RemoteBuffer::RemoteBuffer(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Read(void* target, std::size_t size) const {
    SIZE_T done = 0;
    return address_ && ReadProcessMemory(process_, address_, target, size, &done) && done == size;
}

bool RemoteBuffer::Write(const void* source, std::size_t size) const {
    SIZE_T done = 0;
    return address_ && WriteProcessMemory(process_, address_, source, size, &done) && done == size;
}

int StatusPartCount(HWND statusBar) {
    DWORD_PTR count = 0;
    if (!statusBar || !Send(statusBar, SB_GETPARTS, 0, 0, &count)) return -1;
    return static_cast<int>(count);
}

std::optional<std::wstring> StatusText(HANDLE process, HWND statusBar, int part) {
    DWORD_PTR lengthAndType = 0;
    if (!statusBar || !Send(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0, &lengthAndType)) {
        return std::nullopt;
    }
    const std::size_t length = LOWORD(lengthAndType);
    RemoteBuffer buffer(process, (length + 1) * sizeof(wchar_t));
    if (!buffer.Address()) return std::nullopt;
    if (!Send(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer.Address()), nullptr)) {
        return std::nullopt;
    }
    std::wstring text(length + 1, L'\0');
    if (!buffer.Read(text.data(), text.size() * sizeof(wchar_t))) return std::nullopt;
    text.resize(length);
    return text;
}

int ToolbarButtonCount(HWND toolBar) {
    DWORD_PTR count = 0;
    if (!toolBar || !Send(toolBar, TB_BUTTONCOUNT, 0, 0, &count)) return -1;
    return static_cast<int>(count);
}

std::optional<ToolbarButton> ToolbarButtonAt(HANDLE process, HWND toolBar, int index) {
    RemoteBuffer buffer(process, sizeof(TBBUTTON));
    DWORD_PTR ok = 0;
    if (!buffer.Address() ||
        !Send(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.Address()), &ok) ||
        !ok) {
        return std::nullopt;
    }
    TBBUTTON button{};
    if (!buffer.Read(&button, sizeof button)) return std::nullopt;
    return ToolbarButton{button.idCommand, button.fsState, button.fsStyle};
}

bool PostCommand(HWND mainWindow, int commandId) {
    return PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(commandId, 0), 0) != FALSE;
}

bool PostClose(HWND mainWindow) { return PostMessageW(mainWindow, WM_CLOSE, 0, 0) != FALSE; }

std::vector<HWND> OwnedDialogs(HWND owner) {
    DWORD processId = 0;
    GetWindowThreadProcessId(owner, &processId);
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner && SameClass(window, L"#32770")) {
            dialogs.push_back(window);
        }
    }
    return dialogs;
}

namespace {
std::optional<MessageBoxInfo> WaitForBoxAmong(const std::function<std::vector<HWND>()>& candidates,
                                              DWORD timeoutMs) {
    MessageBoxInfo info;
    PollUntil(
        [&] {
            for (HWND dialog : candidates()) {
                if (HWND text = GetDlgItem(dialog, MessageBoxText)) {
                    info = {dialog, TextOf(dialog), TextOf(text)};
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (!info.window) return std::nullopt;
    return info;
}
}  // namespace

std::optional<MessageBoxInfo> WaitForMessageBox(HWND owner, DWORD timeoutMs) {
    return WaitForBoxAmong([&] { return OwnedDialogs(owner); }, timeoutMs);
}

std::optional<MessageBoxInfo> WaitForProcessMessageBox(DWORD processId, DWORD timeoutMs) {
    return WaitForBoxAmong(
        [&] {
            std::vector<HWND> dialogs;
            for (HWND window : TopLevelWindows(processId)) {
                if (IsWindowVisible(window) && SameClass(window, L"#32770")) dialogs.push_back(window);
            }
            return dialogs;
        },
        timeoutMs);
}

bool ClickButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    if (!button) button = DescendantById(dialog, buttonId);
    if (!button) return false;
    return PostMessageW(button, BM_CLICK, 0, 0) != FALSE;
}

HWND FileNameBox(HWND fileDialog) {
    if (HWND combo = DescendantById(fileDialog, FileNameCombo)) {
        const auto edits = Descendants(combo, L"Edit");
        if (!edits.empty()) return edits.front();
        if (SameClass(combo, L"Edit")) return combo;
    }
    return DescendantById(fileDialog, FileNameEdit);
}

HWND WaitForFileDialog(HWND owner, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil(
        [&] {
            for (HWND dialog : OwnedDialogs(owner)) {
                if (FileNameBox(dialog)) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool SetFileDialogName(HWND fileDialog, const std::wstring& name) {
    HWND box = FileNameBox(fileDialog);
    return box && SetTextOf(box, name);
}

std::optional<bool> FileDialogReadOnlyChecked(HWND fileDialog) {
    HWND box = DescendantById(fileDialog, ReadOnlyCheck);
    DWORD_PTR state = 0;
    if (!box || !Send(box, BM_GETCHECK, 0, 0, &state)) return std::nullopt;
    return state == BST_CHECKED;
}

bool SetFileDialogReadOnly(HWND fileDialog, bool checked) {
    HWND box = DescendantById(fileDialog, ReadOnlyCheck);
    return box && Send(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0, nullptr);
}

bool WaitForNoDialog(HWND owner, DWORD timeoutMs) {
    return PollUntil([&] { return OwnedDialogs(owner).empty(); }, timeoutMs);
}

std::optional<int> ToolbarButtonImage(HANDLE process, HWND toolBar, int index) {
    RemoteBuffer buffer(process, sizeof(TBBUTTON));
    DWORD_PTR ok = 0;
    if (!buffer.Address() ||
        !SendMessageTimeoutW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(buffer.Address()), SMTO_ABORTIFHUNG, MessageTimeoutMs, &ok) ||
        !ok) {
        return std::nullopt;
    }
    TBBUTTON button{};
    if (!buffer.Read(&button, sizeof button)) return std::nullopt;
    return button.iBitmap;
}

std::optional<std::wstring> ToolbarToolTipText(HANDLE process, HWND toolBar, int command) {
    DWORD_PTR tips = 0;
    if (!SendMessageTimeoutW(toolBar, TB_GETTOOLTIPS, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs, &tips) || !tips) {
        return std::nullopt;
    }
    // The tool description and the text buffer it points to, side by side
    // in the other process; the tooltip asks the toolbar's owner for the
    // text and copies it there.
    constexpr std::size_t TextCapacity = 1024;
    RemoteBuffer buffer(process, sizeof(TTTOOLINFOW) + TextCapacity * sizeof(wchar_t));
    if (!buffer.Address()) return std::nullopt;
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(buffer.Address()) + sizeof(TTTOOLINFOW));
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = toolBar;
    info.uId = static_cast<UINT_PTR>(command);
    info.lpszText = remoteText;
    std::vector<wchar_t> text(TextCapacity, L'\0');
    if (!buffer.Write(&info, sizeof info) ||
        !WriteProcessMemory(process, remoteText, text.data(), text.size() * sizeof(wchar_t), nullptr)) {
        return std::nullopt;
    }
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(reinterpret_cast<HWND>(tips), TTM_GETTEXTW, TextCapacity,
                             reinterpret_cast<LPARAM>(buffer.Address()), SMTO_ABORTIFHUNG, MessageTimeoutMs, &ignored)) {
        return std::nullopt;
    }
    if (!ReadProcessMemory(process, remoteText, text.data(), text.size() * sizeof(wchar_t), nullptr)) {
        return std::nullopt;
    }
    text.back() = L'\0';
    return std::wstring(text.data());
}

std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    DWORD_PTR count = 0;
    if (!combo || !SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs, &count)) {
        return items;
    }
    for (int i = 0; i < static_cast<int>(count); ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                            &length);
        std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()),
                            SMTO_ABORTIFHUNG, MessageTimeoutMs, &copied);
        item.resize(copied == static_cast<DWORD_PTR>(CB_ERR) || copied > length ? 0 : static_cast<std::size_t>(copied));
        items.push_back(item);
    }
    return items;
}

bool ChooseComboItem(HWND dialog, int comboId, int item) {
    HWND combo = GetDlgItem(dialog, comboId);
    DWORD_PTR result = 0;
    if (!combo || !SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0, SMTO_ABORTIFHUNG,
                                       MessageTimeoutMs, &result) ||
        static_cast<int>(result) != item) {
        return false;
    }
    return SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(combo), SMTO_ABORTIFHUNG, MessageTimeoutMs, &result) != 0;
}

std::optional<POINT> EditCharPosition(HWND edit, int index) {
    DWORD_PTR packed = 0;
    if (!SendMessageTimeoutW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, MessageTimeoutMs,
                             &packed) ||
        static_cast<LRESULT>(packed) == -1) {
        return std::nullopt;
    }
    return POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
}

Selection SelectionOf(HWND edit) {
    // The system carries this message's two pointers across processes; the
    // packed return value would hold only 16 bits of each position.
    DWORD start = 0;
    DWORD end = 0;
    DWORD_PTR ignored = 0;
    if (!edit || !SendMessageTimeoutW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                      reinterpret_cast<LPARAM>(&end), SMTO_ABORTIFHUNG, MessageTimeoutMs, &ignored)) {
        return {};
    }
    return Selection{static_cast<long long>(start), static_cast<long long>(end)};
}

bool SetSelection(HWND edit, long long start, long long end) {
    DWORD_PTR ignored = 0;
    return edit && SendMessageTimeoutW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end),
                                       SMTO_ABORTIFHUNG, MessageTimeoutMs, &ignored) != 0;
}

Selection WaitForSelection(HWND edit, Selection expected, DWORD timeoutMs) {
    Selection seen;
    PollUntil([&] { return (seen = SelectionOf(edit)) == expected; }, timeoutMs);
    return seen;
}

namespace {
HWND ShownDialogTitled(DWORD processId, const std::wstring& caption) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsWindowVisible(window) && SameClass(window, L"#32770") && TextOf(window) == caption) return window;
    }
    return nullptr;
}
}  // namespace

HWND WaitForDialogTitled(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil([&] { return (found = ShownDialogTitled(processId, caption)) != nullptr; }, timeoutMs);
    return found;
}

bool WaitForNoDialogTitled(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
    return PollUntil([&] { return ShownDialogTitled(processId, caption) == nullptr; }, timeoutMs);
}

bool IsItemEnabled(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    return item && IsWindowEnabled(item);
}

bool IsItemChecked(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    DWORD_PTR state = 0;
    return item && Send(item, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

namespace {
// Another process (the program, or Wine's clipboard manager) may hold the
// clipboard for a moment.
bool OpenClipboardPatiently() {
    return PollUntil([] { return OpenClipboard(nullptr) != FALSE; }, MessageTimeoutMs, 10);
}
}  // namespace

std::optional<std::wstring> ClipboardText() {
    if (!OpenClipboardPatiently()) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = std::wstring(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(const std::wstring& text) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory) return false;
    if (auto* chars = static_cast<wchar_t*>(GlobalLock(memory))) {
        std::copy(text.c_str(), text.c_str() + text.size() + 1, chars);
        GlobalUnlock(memory);
    }
    if (!OpenClipboardPatiently()) {
        GlobalFree(memory);
        return false;
    }
    const bool ok = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    if (!ok) GlobalFree(memory);
    CloseClipboard();
    return ok;
}

std::optional<std::wstring> WaitForClipboardText(const std::wstring& expected, DWORD timeoutMs) {
    std::optional<std::wstring> seen;
    PollUntil([&] { return (seen = ClipboardText()) == expected; }, timeoutMs, 30);
    return seen;
}

}  // namespace e2e
