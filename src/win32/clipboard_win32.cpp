#include "win32/clipboard_win32.h"

#include <cstring>

#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

// Another program (a clipboard viewer, a remote desktop client) may hold the
// clipboard for a moment; a few short waits ride that out.
constexpr int OpenAttempts = 5;
constexpr DWORD OpenRetryMilliseconds = 20;

class OpenClipboardSession {
public:
    explicit OpenClipboardSession(HWND owner) {
        for (int attempt = 0; attempt < OpenAttempts && !open_; ++attempt) {
            if (attempt > 0) Sleep(OpenRetryMilliseconds);
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    OpenClipboardSession(const OpenClipboardSession&) = delete;
    OpenClipboardSession& operator=(const OpenClipboardSession&) = delete;
    ~OpenClipboardSession() {
        if (open_) CloseClipboard();
    }
    bool IsOpen() const { return open_; }

private:
    bool open_ = false;
};

class GlobalMemory {
public:
    explicit GlobalMemory(std::size_t bytes) : handle_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() {
        if (handle_) GlobalFree(handle_);
    }
    HGLOBAL Get() const { return handle_; }
    // The clipboard owns the memory once SetClipboardData accepted it.
    void Release() { handle_ = nullptr; }

private:
    HGLOBAL handle_;
};

class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL handle)
        : handle_(handle), data_(handle ? GlobalLock(handle) : nullptr) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_) GlobalUnlock(handle_);
    }
    void* Data() const { return data_; }

private:
    HGLOBAL handle_;
    void* data_;
};

}  // namespace

bool ClipboardWin32::IsAvailable() {
    OpenClipboardSession session(owner_);
    return session.IsOpen();
}

std::optional<std::u16string> ClipboardWin32::GetText() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
    OpenClipboardSession session(owner_);
    if (!session.IsOpen()) return std::nullopt;
    HGLOBAL handle = GetClipboardData(CF_UNICODETEXT);
    if (!handle) return std::nullopt;
    GlobalLockGuard lock(handle);
    if (!lock.Data()) return std::nullopt;
    // Never read past the block, even when another program forgot the NUL.
    const std::size_t capacity = GlobalSize(handle) / sizeof(wchar_t);
    const wchar_t* text = static_cast<const wchar_t*>(lock.Data());
    return FromWide(text, wcsnlen(text, capacity));
}

bool ClipboardWin32::SetText(const std::u16string& text) {
    GlobalMemory memory((text.size() + 1) * sizeof(wchar_t));
    if (!memory.Get()) return false;
    {
        GlobalLockGuard lock(memory.Get());
        if (!lock.Data()) return false;
        std::memcpy(lock.Data(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    OpenClipboardSession session(owner_);
    if (!session.IsOpen() || !EmptyClipboard()) return false;
    if (!SetClipboardData(CF_UNICODETEXT, memory.Get())) return false;
    memory.Release();
    return true;
}

}  // namespace scribbit
