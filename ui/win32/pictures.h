#pragma once

#include "win32.h"
#include "window_layout.h"

namespace popolun::win32 {

// A picture stored with the program (a PNG resource), decoded and scaled to
// exactly width x height; nullptr if it cannot be. The caller deletes it.
HBITMAP loadPicture(layout::Picture picture, int width, int height);

} // namespace popolun::win32
