#pragma once

#include "win32.h"
#include "window_layout.h"

namespace popolun::win32 {

// Gives a control the name a screen reader should announce where its own
// text does not say it (a field's name, "ヘルプ" for "?"), and hides purely
// decorative parts. Where the system offers no annotation service, the
// controls keep what the system says of them.
void describeForScreenReaders(HWND control, const layout::Window& window, const layout::Control& spec);

} // namespace popolun::win32
