#pragma once

#include "top_window.h"
#include "win32.h"

#include <initializer_list>

namespace popolun::win32 {

// Keys for the program's windows, as in a dialog: Tab and Shift+Tab move the
// focus through every tab stop in the layout's order (both option buttons
// included) and Space presses the focused button. Enter and Escape press
// nothing anywhere: neither window has a default or cancel button.
// Returns whether the message was used up.
bool routeKeys(const MSG& message, std::initializer_list<const TopWindow*> windows);

// Runs until the main window ends the program; returns its exit code.
int runMessageLoop(std::initializer_list<const TopWindow*> windows);

} // namespace popolun::win32
