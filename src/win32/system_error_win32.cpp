#include "win32/system_error_win32.h"

#include <memory>

#include "core/app_context.h"
#include "win32/wide_text_win32.h"

namespace scribbit {
namespace {

struct LocalFreeDeleter {
    void operator()(wchar_t* buffer) const { LocalFree(buffer); }
};

}  // namespace

SystemError MakeSystemError(DWORD code) {
    SystemError error;
    error.code = code;
    error.source = AppTitle;
    wchar_t* raw = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, 0, reinterpret_cast<wchar_t*>(&raw), 0, nullptr);
    std::unique_ptr<wchar_t, LocalFreeDeleter> buffer(raw);
    if (length > 0 && buffer) {
        error.description = FromWide(buffer.get(), length);
        while (!error.description.empty() &&
               (error.description.back() == u'\r' || error.description.back() == u'\n' ||
                error.description.back() == u' ')) {
            error.description.pop_back();
        }
    }
    return error;
}

}  // namespace scribbit
