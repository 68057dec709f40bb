// Resource identifiers shared by the .rc files and the code.
#pragma once

#define IDI_APP 101
#define IDB_TOOLBAR_ICONS 102
#define IDR_MANIFEST 1
