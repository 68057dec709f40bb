// The port contracts' rig under Wine: the Win32 adapters and the real system. The files live in a fresh
// folder under the system's temporary folder, removed afterwards.
#pragma once

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "win32/clipboard_win32.h"
#include "win32/edit_view_win32.h"
#include "win32/file_system_win32.h"
#include "win32/locale_services_win32.h"
#include "win32/text_services_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit::contract {

// Forwards the edit view's notifications as the main window does.
inline LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<EditViewWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message != WM_COMMAND || !view || view->Handle() != reinterpret_cast<HWND>(lParam))
        return DefWindowProcW(window, message, wParam, lParam);
    view->OnCommand(HIWORD(wParam));
    return 0;
}

// A hidden top-level window, destroyed with its owner.
struct HostWindow {
    HWND handle = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    ~HostWindow() { DestroyWindow(handle); }
};

struct Rig {
    Rig() {
        clipboard.SetOwner(host.handle);
        EditViewEvents events;
        events.changed = [this] { ++changes; };
        view.Create(host.handle, 11, false, events);
        SetWindowLongPtrW(host.handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view));
        SetWindowLongPtrW(host.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc));
        static unsigned long counter = 0;
        folder = std::filesystem::temp_directory_path() /
                 (L"scribbit-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++counter));
        std::filesystem::create_directory(folder);
    }
    ~Rig() {
        HoldClipboard(false);
        CloseHandle(lock);
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files too
        std::filesystem::remove_all(folder, ignored);
    }

    // Another window opens the clipboard: the system lets no other window
    // open it until that one closes it.
    void HoldClipboard(bool held) {
        if (held == holder.has_value()) return;
        if (held) {
            OpenClipboard(holder.emplace().handle);
        } else {
            CloseClipboard();
            holder.reset();
        }
    }
    int Changes() const { return changes; }
    void SetCapacity(std::size_t units) {
        SendMessageW(view.Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(units), 0);
    }
    void Type(char16_t c) { SendMessageW(view.Handle(), WM_CHAR, static_cast<WPARAM>(c), 1); }

    std::u16string Path(const std::u16string& name) const { return FromWide(folder.c_str()) + u"\\" + name; }
    void MakeFolder(const std::u16string& path) { CreateDirectoryW(Wide(path), nullptr); }
    void SetReadOnly(const std::u16string& path) { SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY); }
    void Lock(const std::u16string& path, bool locked) {
        CloseHandle(lock);
        lock =
            locked ? CreateFileW(Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    }
    // The files in the folder, in the order of their names.
    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (!entry.is_directory()) names.push_back(FromWide(entry.path().filename().c_str()));
        std::sort(names.begin(), names.end());
        return names;
    }

    HostWindow host;  // first, so destroyed last: the view and the clipboard's owner live in it
    ClipboardWin32 clipboard;
    EditViewWin32 view;
    FileSystemWin32 files;
    LocaleServicesWin32 locale;
    TextServicesWin32 text;
    std::optional<HostWindow> holder;  // the other program's window that holds the clipboard
    int changes = 0;
    std::filesystem::path folder;
    HANDLE lock = nullptr;  // on the file another program holds
};

}  // namespace scribbit::contract
