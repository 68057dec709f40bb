// The port contracts against the Win32 adapters and the real system.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>

#include "contract/port_rigs.h"
#include "win32/clipboard_win32.h"
#include "win32/edit_view_win32.h"
#include "win32/file_system_win32.h"
#include "win32/locale_services_win32.h"
#include "win32/text_services_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit::contract {
namespace {

// A hidden top-level window that forwards an edit control's notifications
// as the main window does.
class HostWindow {
public:
    HostWindow() {
        static const ATOM registered = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = Proc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"ScribbitContractHost";
            return RegisterClassExW(&windowClass);
        }();
        window_ = CreateWindowExW(0, MAKEINTATOM(registered), L"host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }
    void Forward(EditViewWin32* view) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* view = reinterpret_cast<EditViewWin32*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COMMAND && view && view->Handle() == reinterpret_cast<HWND>(lParam)) {
            view->OnCommand(HIWORD(wParam));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    HWND window_ = nullptr;
};

class SystemClipboardRig : public ClipboardRig {
public:
    SystemClipboardRig() { clipboard_.SetOwner(window_.Handle()); }
    ~SystemClipboardRig() override {
        Hold(false);
        CloseHandle(opened_);
        CloseHandle(release_);
    }
    Clipboard& Port() override { return clipboard_; }
    // Another thread with a window of its own opens the clipboard.
    void Hold(bool held) override {
        if (held == holder_.joinable()) return;
        if (!held) {
            SetEvent(release_);
            holder_.join();
            return;
        }
        ResetEvent(opened_);
        ResetEvent(release_);
        holder_ = std::thread([this] {
            HostWindow other;
            OpenClipboard(other.Handle());
            SetEvent(opened_);
            WaitForSingleObject(release_, 10000);
            CloseClipboard();
        });
        WaitForSingleObject(opened_, 5000);
    }
    void Empty() override {
        if (OpenClipboard(window_.Handle())) {
            EmptyClipboard();
            CloseClipboard();
        }
    }

private:
    HostWindow window_;
    ClipboardWin32 clipboard_;
    HANDLE opened_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder_;
};

class SystemEditViewRig : public EditViewRig {
public:
    SystemEditViewRig() {
        EditViewEvents events;
        events.changed = [this] { ++changes_; };
        view_.Create(window_.Handle(), 11, false, events);
        window_.Forward(&view_);
    }
    EditView& Port() override { return view_; }
    ClipboardRig& Clipboard() override { return clipboard_; }
    int Changes() const override { return changes_; }
    void SetCapacity(std::size_t units) override {
        SendMessageW(view_.Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(units), 0);
    }
    void Type(char16_t c) override { SendMessageW(view_.Handle(), WM_CHAR, static_cast<WPARAM>(c), 1); }

private:
    SystemClipboardRig clipboard_;
    HostWindow window_;
    EditViewWin32 view_;
    int changes_ = 0;
};

// A fresh folder under the system's temporary folder, removed afterwards.
class SystemFileSystemRig : public FileSystemRig {
public:
    SystemFileSystemRig() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static unsigned long counter = 0;
        folder_ =
            std::filesystem::path(temp) / (L"scribbit-contract-" + std::to_wstring(GetCurrentProcessId()) +
                                           L"-" + std::to_wstring(++counter));
        std::filesystem::create_directory(folder_);
    }
    ~SystemFileSystemRig() override {
        for (HANDLE holder : holders_) CloseHandle(holder);
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files too
        std::filesystem::remove_all(folder_, ignored);
    }
    FileSystem& Port() override { return files_; }
    std::u16string Path(const std::u16string& name) const override {
        return FromWide(folder_.c_str()) + u"\\" + name;
    }
    void MakeFolder(const std::u16string& path) override { CreateDirectoryW(Wide(path), nullptr); }
    void SetReadOnly(const std::u16string& path) override {
        SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY);
    }
    void Lock(const std::u16string& path, bool locked) override {
        if (locked) {
            holders_.push_back(CreateFileW(Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        } else if (!holders_.empty()) {
            CloseHandle(holders_.back());
            holders_.pop_back();
        }
    }
    // The files in the folder, in the order of their names.
    std::vector<std::u16string> Names() const override {
        std::vector<std::u16string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            if (!entry.is_directory()) names.push_back(FromWide(entry.path().filename().c_str()));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path folder_;
    std::vector<HANDLE> holders_;
    FileSystemWin32 files_;
};

}  // namespace

std::unique_ptr<ClipboardRig> MakeClipboardRig() {
    return std::make_unique<SystemClipboardRig>();
}
std::unique_ptr<EditViewRig> MakeEditViewRig() {
    return std::make_unique<SystemEditViewRig>();
}
std::unique_ptr<FileSystemRig> MakeFileSystemRig() {
    return std::make_unique<SystemFileSystemRig>();
}
std::unique_ptr<LocaleServices> MakeLocale() {
    return std::make_unique<LocaleServicesWin32>();
}
std::unique_ptr<TextServices> MakeTextServices() {
    return std::make_unique<TextServicesWin32>();
}
bool RunsOnTheSystem() {
    return true;
}

}  // namespace scribbit::contract
