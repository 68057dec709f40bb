// The toolbar's image list imlToolbarIcons, filled from the bitmap resource
// IDB_TOOLBAR_ICONS.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace scribbit {

// Creates the image list with the 42 toolbar images in ImageKeys() order,
// light grey (192,192,192) as the transparent colour, scaled for the given
// screen DPI (16 × 16 at 96 DPI). The caller owns the list.
HIMAGELIST CreateToolbarImageList(UINT dpi);

}  // namespace scribbit
