#include "e2e/keyboard_input.h"

#include <iterator>
#include <vector>

#include "e2e/e2e_harness.h"

namespace e2e {

namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    // The navigation block and Delete are extended keys: without the flag
    // they arrive as the keypad's keys.
    switch (virtualKey) {
        case VK_DELETE:
        case VK_INSERT:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
            break;
        default:
            break;
    }
    return input;
}

INPUT UnicodeInput(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

bool Send(std::vector<INPUT>& inputs) {
    if (inputs.empty()) return true;
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
}

const WORD ModifierKeys[] = {VK_CONTROL, VK_SHIFT, VK_MENU};

bool Holds(Modifiers modifiers, WORD key) {
    switch (key) {
        case VK_CONTROL:
            return (modifiers & Ctrl) != 0;
        case VK_SHIFT:
            return (modifiers & Shift) != 0;
        default:
            return (modifiers & Alt) != 0;
    }
}

}  // namespace

bool BringToForeground(HWND window, DWORD timeoutMs) {
    HWND root = GetAncestor(window, GA_ROOT);
    if (!root) return false;
    return PollUntil(
        [&] {
            if (GetForegroundWindow() == root) return true;
            SetForegroundWindow(root);
            return GetForegroundWindow() == root;
        },
        timeoutMs, 30);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

bool WaitForFocus(HWND control, DWORD timeoutMs) {
    return PollUntil([&] { return FocusOf(control) == control; }, timeoutMs);
}

bool PressKey(WORD virtualKey, Modifiers modifiers) {
    std::vector<INPUT> inputs;
    for (WORD key : ModifierKeys) {
        if (Holds(modifiers, key)) inputs.push_back(KeyInput(key, false));
    }
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto it = std::rbegin(ModifierKeys); it != std::rend(ModifierKeys); ++it) {
        if (Holds(modifiers, *it)) inputs.push_back(KeyInput(*it, true));
    }
    return Send(inputs);
}

bool TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            inputs.push_back(KeyInput(VK_RETURN, false));
            inputs.push_back(KeyInput(VK_RETURN, true));
        } else {
            inputs.push_back(UnicodeInput(c, false));
            inputs.push_back(UnicodeInput(c, true));
        }
    }
    return Send(inputs);
}

}  // namespace e2e
