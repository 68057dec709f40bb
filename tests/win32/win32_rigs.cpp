// The port contracts against the Win32 adapters and the real system.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "contract/port_rigs.h"
#include "win32/clipboard_win32.h"
#include "win32/edit_view_win32.h"
#include "win32/file_system_win32.h"
#include "win32/locale_services_win32.h"
#include "win32/text_services_win32.h"
#include "win32/wide_text_win32.h"

namespace scribbit::contract {
namespace {

// Forwards the edit view's notifications as the main window does.
LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

// The files live in a fresh folder under the system's temporary folder,
// removed afterwards.
class SystemRig : public Rig {
public:
    SystemRig() {
        clipboard_.SetOwner(window_.handle);
        EditViewEvents events;
        events.changed = [this] { ++changes_; };
        view_.Create(window_.handle, 11, false, events);
        SetWindowLongPtrW(window_.handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&view_));
        SetWindowLongPtrW(window_.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostProc));
        static unsigned long counter = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  (L"scribbit-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(++counter));
        std::filesystem::create_directory(folder_);
    }
    ~SystemRig() override {
        HoldClipboard(false);
        CloseHandle(lock_);
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);  // read-only files too
        std::filesystem::remove_all(folder_, ignored);
    }

    Clipboard& TheClipboard() override { return clipboard_; }
    // Another window opens the clipboard: the system lets no other window
    // open it until that one closes it.
    void HoldClipboard(bool held) override {
        if (held == holder_.has_value()) return;
        if (held) {
            OpenClipboard(holder_.emplace().handle);
        } else {
            CloseClipboard();
            holder_.reset();
        }
    }

    EditView& View() override { return view_; }
    int Changes() const override { return changes_; }
    void SetCapacity(std::size_t units) override {
        SendMessageW(view_.Handle(), EM_SETLIMITTEXT, static_cast<WPARAM>(units), 0);
    }
    void Type(char16_t c) override { SendMessageW(view_.Handle(), WM_CHAR, static_cast<WPARAM>(c), 1); }

    FileSystem& Files() override { return files_; }
    std::u16string Path(const std::u16string& name) const override {
        return FromWide(folder_.c_str()) + u"\\" + name;
    }
    void MakeFolder(const std::u16string& path) override { CreateDirectoryW(Wide(path), nullptr); }
    void SetReadOnly(const std::u16string& path) override {
        SetFileAttributesW(Wide(path), FILE_ATTRIBUTE_READONLY);
    }
    void Lock(const std::u16string& path, bool locked) override {
        CloseHandle(lock_);
        lock_ =
            locked ? CreateFileW(Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) : nullptr;
    }
    // The files in the folder, in the order of their names.
    std::vector<std::u16string> Names() const override {
        std::vector<std::u16string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            if (!entry.is_directory()) names.push_back(FromWide(entry.path().filename().c_str()));
        std::sort(names.begin(), names.end());
        return names;
    }

    LocaleServices& Locale() override { return locale_; }
    TextServices& Text() override { return text_; }

private:
    HostWindow window_;
    ClipboardWin32 clipboard_;
    std::optional<HostWindow> holder_;
    EditViewWin32 view_;
    int changes_ = 0;
    std::filesystem::path folder_;
    HANDLE lock_ = nullptr;  // on the file another program holds
    FileSystemWin32 files_;
    LocaleServicesWin32 locale_;
    TextServicesWin32 text_;
};

}  // namespace

std::unique_ptr<Rig> MakeRig() {
    return std::make_unique<SystemRig>();
}

}  // namespace scribbit::contract
