// The toolbar's image list imlToolbarIcons, drawn from the icon pixel art.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace scribbit {

// Creates the image list with the 42 toolbar images in ImageKeys() order,
// light grey (192,192,192) as the transparent colour, scaled for the given
// screen DPI (16 × 16 at 96 DPI). The caller owns the list.
HIMAGELIST CreateToolbarImageList(UINT dpi);

}  // namespace scribbit
