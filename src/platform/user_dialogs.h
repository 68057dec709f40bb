// Message boxes and the common file dialogs.
#pragma once

#include <string>

#include "platform/types.h"

namespace scribbit {

enum class MessageIcon { None, Critical, Exclamation, Information };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// What the file dialogs are shown with. The logic keeps the dialog's
// remembered state (last file name, filter, read-only box) and hands it in.
struct FileDialogRequest {
    std::u16string initialDir;
    std::u16string fileName;  // the name last used in any file dialog
    int filterIndex = 1;      // 1-based entry of the fixed filter
    bool readOnlyChecked = false;
};

enum class DialogOutcome { Chosen, Cancelled, Failed };

struct FileDialogResult {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    std::u16string path;
    int filterIndex = 1;
    bool readOnlyChecked = false;
    SystemError error;  // when Failed
};

// What the font dialog gives back: the chosen font and colour, or why
// there is none (the user's cancel is told apart from every failure).
struct FontDialogResult {
    DialogOutcome outcome = DialogOutcome::Cancelled;
    FontSpec font;
    Color color = WindowTextColor;
    SystemError error;  // when Failed
};

class UserDialogs {
public:
    UserDialogs() = default;
    UserDialogs(const UserDialogs&) = delete;
    UserDialogs& operator=(const UserDialogs&) = delete;
    virtual ~UserDialogs() = default;

    // A modal message box captioned with the program's title. The first
    // button is the default one.
    virtual MessageAnswer ShowMessage(const std::u16string& text, MessageIcon icon,
                                      MessageButtons buttons) = 0;
    virtual FileDialogResult ShowOpenDialog(const FileDialogRequest& request) = 0;
    virtual FileDialogResult ShowSaveDialog(const FileDialogRequest& request) = 0;
    // The font dialog with its effects (strikethrough, underline, colour),
    // preset with font and color; only fonts that exist can be chosen.
    virtual FontDialogResult ShowFontDialog(const FontSpec& font, Color color) = 0;
};

}  // namespace scribbit
