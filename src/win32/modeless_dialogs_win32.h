// The modeless dialogs that are open (Find, Replace, Go to line): the message
// loop gives each its keyboard navigation.
#pragma once

#include <windows.h>

namespace scribbit {

void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// IsDialogMessageW for the open modeless dialog the message belongs to.
bool IsModelessDialogMessage(MSG& message);

}  // namespace scribbit
