#include "e2e/probe.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>

namespace e2e {

namespace {

constexpr DWORD MessageTimeoutMs = 5000;

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lstrcmpiW(name, className) == 0;
}

struct Search {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

// Enumeration callbacks are named functions: a lambda has the wrong calling
// convention on i686.
BOOL CALLBACK CollectOfProcess(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == s->processId) s->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectOfClass(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    if (!s->className || IsClass(window, s->className)) s->found.push_back(window);
    return TRUE;
}

INPUT Key(WORD virtualKey, WORD unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = virtualKey ? static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) : unit;
    input.ki.dwFlags = (virtualKey ? 0 : KEYEVENTF_UNICODE) | (up ? KEYEVENTF_KEYUP : 0);
    // The navigation block and Delete are extended keys: without the flag
    // they arrive as the keypad's.
    if ((virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_DELETE) {
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    }
    return input;
}

bool SendInputs(std::vector<INPUT>& inputs) {
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

// Another process (the program, or Wine's clipboard manager) may hold the
// clipboard for a moment.
bool OpenClipboardPatiently() {
    return PollUntil([] { return OpenClipboard(nullptr) != FALSE; }, MessageTimeoutMs, 10);
}

void CALLBACK Expire(void* process, BOOLEAN) { TerminateProcess(process, 0xDEAD); }

}  // namespace

std::string Utf8(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

std::wstring Wide(const std::string& text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

bool PollUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= deadline) return condition();
        Sleep(intervalMs);
    }
    return true;
}

Process::~Process() {
    if (watchdog_) DeleteTimerQueueTimer(nullptr, watchdog_, INVALID_HANDLE_VALUE);
    Kill();
    if (info_.hProcess) CloseHandle(info_.hProcess);
    if (info_.hThread) CloseHandle(info_.hThread);
}

bool Process::Start(const std::string& exe, const std::string& arguments, const std::string& folder,
                    DWORD lifetimeMs) {
    std::wstring commandLine = L"\"" + Wide(exe) + L"\"" + (arguments.empty() ? L"" : L" " + Wide(arguments));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : Wide(folder).c_str(), &startup, &info_)) {
        info_ = {};
        return false;
    }
    return CreateTimerQueueTimer(&watchdog_, nullptr, &Expire, info_.hProcess, lifetimeMs, 0, WT_EXECUTEONLYONCE);
}

bool Process::IsRunning() const { return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(DWORD timeoutMs) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (info_.hProcess) GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::Kill() {
    if (IsRunning()) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

HWND Process::WaitForMainWindow(DWORD timeoutMs) {
    PollUntil(
        [&] {
            for (HWND window : TopLevelWindows(Id())) {
                if (IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && !IsClass(window, L"#32770") &&
                    (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
                    main_ = window;
                }
            }
            return main_ || !IsRunning();
        },
        timeoutMs);
    return main_;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result)) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

long long TextLengthOf(HWND window) {
    DWORD_PTR length = 0;
    if (!window || !SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, MessageTimeoutMs, &length)) {
        return -1;
    }
    return static_cast<long long>(length);
}

std::string TextOf(HWND window) {
    // The text may grow between the two questions: a buffer filled to the
    // brim may have cut it, so ask again with more room.
    for (long long room = TextLengthOf(window) + 64; room > 64; room *= 2) {
        std::wstring text(static_cast<std::size_t>(room), L'\0');
        const auto copied = static_cast<std::size_t>(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
        if (copied + 1 < text.size()) return Utf8(text.substr(0, copied));
    }
    return {};
}

bool SetText(HWND window, const std::string& text) {
    const std::wstring wide = Wide(text);
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) != 0;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    Search search{processId, nullptr, {}};
    EnumWindows(&CollectOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Descendants(HWND parent, const wchar_t* className) {
    Search search{0, className, {}};
    EnumChildWindows(parent, &CollectOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Editors(HWND mainWindow) {
    // Only the main window's own views, not the edit boxes of its bars.
    std::vector<HWND> editors = Descendants(mainWindow, L"Edit");
    std::erase_if(editors, [&](HWND editor) { return GetParent(editor) != mainWindow; });
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
    : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* source, std::size_t size, std::size_t offset) const {
    SIZE_T done = 0;
    return address_ && WriteProcessMemory(process_, At(offset), source, size, &done) && done == size;
}

bool RemoteBuffer::Read(void* target, std::size_t size, std::size_t offset) const {
    SIZE_T done = 0;
    return address_ && ReadProcessMemory(process_, At(offset), target, size, &done) && done == size;
}

std::string StatusText(HANDLE process, HWND statusBar, int part) {
    const std::size_t length = LOWORD(Send(statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part)));
    std::wstring text(length + 1, L'\0');
    RemoteBuffer buffer(process, text.size() * sizeof(wchar_t));
    if (!statusBar || !buffer.Write(text.data(), text.size() * sizeof(wchar_t))) return "<unreadable>";
    Send(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer.At()));
    if (!buffer.Read(text.data(), text.size() * sizeof(wchar_t))) return "<unreadable>";
    return Utf8(text.c_str());
}

std::optional<TBBUTTON> ToolbarButton(HANDLE process, HWND toolBar, int index) {
    RemoteBuffer buffer(process, sizeof(TBBUTTON));
    TBBUTTON button{};
    if (!Send(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At())) ||
        !buffer.Read(&button, sizeof button)) {
        return std::nullopt;
    }
    return button;
}

bool PostCommand(HWND mainWindow, scribbit::MenuItem item) {
    return PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(scribbit::CommandId(item), 0), 0) != FALSE;
}

std::vector<HWND> ShownDialogs(DWORD processId) {
    std::vector<HWND> dialogs = TopLevelWindows(processId);
    std::erase_if(dialogs, [](HWND window) { return !IsWindowVisible(window) || !IsClass(window, L"#32770"); });
    return dialogs;
}

HWND MessageBoxOf(DWORD processId) {
    for (HWND dialog : ShownDialogs(processId)) {
        if (GetDlgItem(dialog, MessageBoxText)) return dialog;
    }
    return nullptr;
}

HWND DialogTitled(DWORD processId, const std::string& caption) {
    for (HWND dialog : ShownDialogs(processId)) {
        if (TextOf(dialog) == caption) return dialog;
    }
    return nullptr;
}

HWND FileDialogOf(DWORD processId) {
    for (HWND dialog : ShownDialogs(processId)) {
        if (FileNameBox(dialog)) return dialog;
    }
    return nullptr;
}

HWND FileNameBox(HWND fileDialog) {
    // The Explorer-style dialog's file-name combo box holds an edit; the
    // older dialog has the edit alone (dlgs.h: cmb13, edt1).
    if (HWND combo = ItemOf(fileDialog, 0x47C)) {
        const auto edits = Descendants(combo, L"Edit");
        return edits.empty() ? combo : edits.front();
    }
    return ItemOf(fileDialog, 0x480);
}

HWND ItemOf(HWND dialog, int id) {
    if (HWND item = GetDlgItem(dialog, id)) return item;
    for (HWND window : Descendants(dialog)) {
        if (GetDlgCtrlID(window) == id) return window;
    }
    return nullptr;
}

bool Click(HWND dialog, int id) {
    HWND button = ItemOf(dialog, id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

bool IsChecked(HWND dialog, int id) { return Send(ItemOf(dialog, id), BM_GETCHECK) == BST_CHECKED; }

Selection SelectionOf(HWND edit) {
    // The system carries this message's two pointers across processes; the
    // packed return value would hold only 16 bits of each position.
    DWORD start = 0;
    DWORD end = 0;
    if (!edit) return {-1, -1};
    Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

bool SetSelection(HWND edit, long long start, long long end) {
    DWORD_PTR ignored = 0;
    return edit && SendMessageTimeoutW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end),
                                       SMTO_ABORTIFHUNG, MessageTimeoutMs, &ignored);
}

std::optional<std::string> ClipboardText() {
    if (!OpenClipboardPatiently()) return "<clipboard held>";
    std::optional<std::string> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Utf8(std::wstring(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t))));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(const std::optional<std::string>& text) {
    const std::wstring wide = Wide(text.value_or(""));
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (!memory) return false;
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    if (!OpenClipboardPatiently()) {
        GlobalFree(memory);
        return false;
    }
    bool ok = EmptyClipboard();
    if (ok && text) ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!ok || !text) GlobalFree(memory);
    CloseClipboard();
    return ok;
}

bool BringToForeground(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    return root && PollUntil(
                       [&] {
                           if (GetForegroundWindow() != root) SetForegroundWindow(root);
                           return GetForegroundWindow() == root;
                       },
                       MessageTimeoutMs, 30);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return thread && GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool PressKey(WORD virtualKey, Modifiers modifiers) {
    std::vector<INPUT> inputs;
    if (modifiers & Ctrl) inputs.push_back(Key(VK_CONTROL, 0, false));
    if (modifiers & Shift) inputs.push_back(Key(VK_SHIFT, 0, false));
    inputs.push_back(Key(virtualKey, 0, false));
    inputs.push_back(Key(virtualKey, 0, true));
    if (modifiers & Shift) inputs.push_back(Key(VK_SHIFT, 0, true));
    if (modifiers & Ctrl) inputs.push_back(Key(VK_CONTROL, 0, true));
    return SendInputs(inputs);
}

bool ClickAt(HWND window) {
    RECT rect{};
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return GetWindowRect(window, &rect) && SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) &&
           SendInput(2, clicks, sizeof(INPUT)) == 2;
}

bool TypeText(const std::string& text) {
    std::vector<INPUT> inputs;
    const std::wstring wide = Wide(text);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') continue;
        const bool enter = wide[i] == L'\r' || wide[i] == L'\n';
        inputs.push_back(Key(enter ? VK_RETURN : 0, wide[i], false));
        inputs.push_back(Key(enter ? VK_RETURN : 0, wide[i], true));
    }
    return SendInputs(inputs);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const std::filesystem::path name(Wide(path));
    std::ifstream file(name, std::ios::binary);
    std::error_code error;
    const auto size = std::filesystem::file_size(name, error);
    if (!file || error) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    if (!file.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(Wide(path)), std::ios::binary | std::ios::trunc);
    return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && file.flush();
}

std::optional<std::string> Ansi(const std::string& text) {
    const std::wstring wide = Wide(text);
    BOOL lossy = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, &lossy);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, &lossy);
    if (lossy) return std::nullopt;
    return bytes;
}

bool SaveScreenBitmap(const std::string& path) {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    header.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);  // rows padded to 4 bytes
    std::string pixels(header.biSizeImage, '\0');
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool ok = BitBlt(memory, 0, 0, width, height, screen, x, y, SRCCOPY) != FALSE;
    SelectObject(memory, old);
    ok = ok && GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                         reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof header};  // "BM"
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    return ok && WriteFileBytes(path, bytes + pixels);
}

}  // namespace e2e
