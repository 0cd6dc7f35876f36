#pragma once

#include "window.h"
#include "win32.h"

namespace popolun::win32 {

// Keys for the program's windows, as in a dialog: Tab and Shift+Tab move the
// focus through every tab stop in the layout's order (both option buttons
// included) and Space presses the focused button. Enter and Escape press
// nothing anywhere: neither window has a default or cancel button. Applies
// to every window of the program; returns whether the message was used up.
bool routeKeys(const MSG& message);

// Runs until the program is ended; returns its exit code.
int runMessageLoop();

} // namespace popolun::win32
