// The Help menu (mnuHELP): the read-me in a new window of the program, the
// help file's keyword search, and the About dialog.
#pragma once

#include <string>
#include <string_view>

#include "core/app_context.h"
#include "platform/form_dialogs.h"
#include "platform/shell.h"

namespace scribbit {

// "Ver 2.5", with ".3" added only for a revision above 0.
std::u16string VersionLabel(int major, int minor, int revision);

// The command line that opens the read-me in a new instance: the
// executable's name with ".exe", in quotes so that a name with blanks stays
// one word, then the program's folder (ending in a backslash) and
// "Readme.txt" without quotes: the new instance takes all of the rest,
// blanks included, as one path.
std::u16string ReadmeCommandLine(std::u16string_view executablePath, std::u16string_view programFolder);

// The Help menu's click handler with the item's index; separators and
// other indexes do nothing. The keyword search runs only while its item is
// enabled.
void mnuHELP_Click(AppContext& context, Shell& shell, FormDialogs& dialogs, int index);

}  // namespace scribbit
