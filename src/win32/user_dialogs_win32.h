// Message boxes and the open, save and font dialogs of the common dialog
// library.
#pragma once

#include <windows.h>

#include "platform/user_dialogs.h"

namespace scribbit {

class UserDialogsWin32 final : public UserDialogs {
public:
    void SetOwner(HWND owner) { owner_ = owner; }

    MessageAnswer ShowMessage(const std::u16string& text, MessageIcon icon, MessageButtons buttons) override;
    FileDialogResult ShowOpenDialog(const FileDialogRequest& request) override;
    FileDialogResult ShowSaveDialog(const FileDialogRequest& request) override;
    FontDialogResult ShowFontDialog(const FontSpec& font, Color color) override;

private:
    FileDialogResult ShowFileDialog(const FileDialogRequest& request, bool save);

    HWND owner_ = nullptr;
};

}  // namespace scribbit
