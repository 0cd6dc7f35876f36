#pragma once

#include "win32.h"
#include "window_layout.h"

namespace popolun::win32 {

// A picture stored with the program, exactly width x height for a window at
// dpi: the bitmap drawn for its box at 96 dpi, above that the one drawn at
// twice the size, scaled down with halftone where the size is between; nullptr
// if it cannot be. The caller deletes it.
HBITMAP loadPicture(layout::Picture picture, UINT dpi, int width, int height);

// An owner-drawn picture control's WM_DRAWITEM: the bitmap at its box's top left.
void drawPicture(const DRAWITEMSTRUCT& item, HBITMAP picture);

} // namespace popolun::win32
