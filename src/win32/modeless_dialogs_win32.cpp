#include "win32/modeless_dialogs_win32.h"

#include <algorithm>
#include <vector>

namespace scribbit {
namespace {

std::vector<HWND>& OpenDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

}  // namespace

void AddModelessDialog(HWND dialog) {
    auto& dialogs = OpenDialogs();
    if (std::find(dialogs.begin(), dialogs.end(), dialog) == dialogs.end()) dialogs.push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
    auto& dialogs = OpenDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

bool IsModelessDialogMessage(MSG& message) {
    for (HWND dialog : OpenDialogs()) {
        if (IsWindow(dialog) && (message.hwnd == dialog || IsChild(dialog, message.hwnd))) {
            return IsDialogMessageW(dialog, &message) != FALSE;
        }
    }
    return false;
}

ModalScope::ModalScope(HWND ownerless) {
    const auto disable = [this](HWND window) {
        if (count_ == MaxWindows || !window || !IsWindow(window) || !IsWindowEnabled(window)) return;
        EnableWindow(window, FALSE);
        disabled_[count_++] = window;
    };
    disable(ownerless);
    for (HWND dialog : OpenDialogs()) disable(dialog);
}

ModalScope::~ModalScope() {
    for (int i = count_; i-- > 0;) {
        if (IsWindow(disabled_[i])) EnableWindow(disabled_[i], TRUE);
    }
}

}  // namespace scribbit
