#include "e2e/probe.h"

#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace e2e {

namespace {

constexpr DWORD MessageTimeoutMs = 5000;

bool IsClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lstrcmpiW(name, className) == 0;
}

// Enumeration callbacks are named functions: a lambda has the wrong calling
// convention on i686.
BOOL CALLBACK Collect(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
    std::vector<HWND> windows;
    EnumWindows(&Collect, reinterpret_cast<LPARAM>(&windows));
    std::erase_if(windows, [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner != processId;
    });
    return windows;
}

INPUT Key(WORD virtualKey, WORD unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = virtualKey ? static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) : unit;
    // The navigation block, Insert and Delete are extended keys: without the flag
    // they arrive as the keypad's.
    const bool extended = (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) || virtualKey == VK_INSERT || virtualKey == VK_DELETE;
    input.ki.dwFlags = (virtualKey ? 0 : KEYEVENTF_UNICODE) | (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0);
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

// Each UTF-16 unit takes at most three bytes of UTF-8, each byte at most one unit.
std::string Utf8(const std::wstring& text) {
    std::string result(text.size() * 3, '\0');
    result.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                               result.data(), static_cast<int>(result.size()), nullptr, nullptr)));
    return result;
}

std::wstring Wide(const std::string& text) {
    std::wstring result(text.size(), L'\0');
    result.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                               result.data(), static_cast<int>(result.size()))));
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
    const bool started = CreateProcessW(Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        folder.empty() ? nullptr : Wide(folder).c_str(), &startup, &info_);
    if (!started) info_ = {};
    return started && CreateTimerQueueTimer(&watchdog_, nullptr, &Expire, info_.hProcess, lifetimeMs, 0, WT_EXECUTEONLYONCE);
}

bool Process::WaitForExit(DWORD timeoutMs) const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void Process::Kill() {
    if (info_.hProcess && !WaitForExit(0) && TerminateProcess(info_.hProcess, 0xDEAD)) WaitForExit(5000);
}

HWND Process::WaitForMainWindow(DWORD timeoutMs) {
    const auto isMain = [](HWND window) {
        return IsWindowVisible(window) && !GetWindow(window, GW_OWNER) && !IsClass(window, L"#32770") &&
               (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
    };
    PollUntil([&] {
        for (HWND window : TopLevelWindows(Id())) main_ = isMain(window) ? window : main_;
        return main_ || WaitForExit(0);
    }, timeoutMs);
    return main_;
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    const bool answered = window && SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, MessageTimeoutMs, &result);
    return answered ? static_cast<LRESULT>(result) : 0;
}

std::string TextOf(HWND window) {
    // The text may grow between the two questions: a buffer filled to the
    // brim may have cut it, so ask again with more room.
    for (auto room = static_cast<std::size_t>(Send(window, WM_GETTEXTLENGTH)) + 64;; room *= 2) {
        std::wstring text(room, L'\0');
        const auto copied = static_cast<std::size_t>(Send(window, WM_GETTEXT, room, reinterpret_cast<LPARAM>(text.data())));
        if (copied + 1 < room) return Utf8(text.substr(0, copied));
    }
}

bool SetText(HWND window, const std::string& text) {
    const std::wstring wide = Wide(text);
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str())) != 0;
}

std::vector<HWND> Descendants(HWND parent, const wchar_t* className) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, &Collect, reinterpret_cast<LPARAM>(&windows));
    if (className) std::erase_if(windows, [&](HWND window) { return !IsClass(window, className); });
    return windows;
}

std::vector<HWND> Editors(HWND mainWindow) {
    // Only the main window's own views, not the edit boxes of its bars.
    std::vector<HWND> editors = Descendants(mainWindow, L"Edit");
    std::erase_if(editors, [&](HWND editor) { return GetParent(editor) != mainWindow; });
    return editors;
}

HWND ActiveEditor(HWND mainWindow) {
    for (HWND editor : Editors(mainWindow))
        if (IsWindowVisible(editor)) return editor;
    return nullptr;
}

HWND OtherEditor(HWND mainWindow) {
    const auto editors = Editors(mainWindow);
    return editors.size() == 2 ? editors[editors[0] == ActiveEditor(mainWindow) ? 1 : 0] : nullptr;
}

HWND FirstOf(HWND parent, const wchar_t* className) {
    const auto found = Descendants(parent, className);
    return found.empty() ? nullptr : found.front();
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
    const bool read = Send(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.At())) &&
                      buffer.Read(&button, sizeof button);
    return read ? std::optional(button) : std::nullopt;
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
    for (HWND dialog : ShownDialogs(processId))
        if (GetDlgItem(dialog, MessageBoxText)) return dialog;
    return nullptr;
}

HWND DialogTitled(DWORD processId, const std::string& caption) {
    for (HWND dialog : ShownDialogs(processId))
        if (TextOf(dialog) == caption) return dialog;
    return nullptr;
}

HWND ItemOf(HWND dialog, int id) {
    if (HWND item = GetDlgItem(dialog, id)) return item;
    for (HWND window : Descendants(dialog))
        if (GetDlgCtrlID(window) == id) return window;
    return nullptr;
}

bool Click(HWND dialog, int id) {
    HWND button = ItemOf(dialog, id);
    return button && PostMessageW(button, BM_CLICK, 0, 0);
}

Selection SelectionOf(HWND edit) {
    // The system carries this message's two pointers across processes; the
    // packed return value would hold only 16 bits of each position.
    DWORD start = 0, end = 0;
    if (!edit) return {-1, -1};
    Send(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

bool SetSelection(HWND edit, long long start, long long end) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end), SMTO_ABORTIFHUNG,
                               MessageTimeoutMs, &ignored) != 0;
}

std::string ClipboardText() {
    if (!OpenClipboardPatiently()) return "<clipboard held>";
    std::string text = "<none>";
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) {
        text = Utf8(std::wstring(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t))));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool SetClipboardText(const std::string& text) {
    const std::wstring wide = Wide(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (!memory) return false;
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    const bool ok = OpenClipboardPatiently() && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    if (!ok) GlobalFree(memory);
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

bool ClickAt(POINT point, bool right, int times) {
    std::vector<INPUT> inputs(static_cast<std::size_t>(2 * times));
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 ? (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)
                                     : (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    }
    return SetCursorPos(point.x, point.y) && SendInputs(inputs);
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
    std::ifstream file(std::filesystem::path(Wide(path)), std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(std::filesystem::path(Wide(path)), std::ios::binary | std::ios::trunc);
    return file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) && file.flush();
}

std::optional<std::string> Ansi(const std::string& text) {
    const std::wstring wide = Wide(text);
    BOOL lossy = FALSE;
    std::string bytes(wide.size() * 2, '\0');  // at most two bytes a character
    bytes.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                                              static_cast<int>(wide.size()), bytes.data(),
                                                              static_cast<int>(bytes.size()), nullptr, &lossy)));
    if (lossy) return std::nullopt;
    return bytes;
}

bool SaveScreenBitmap(const std::string& path) {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
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
