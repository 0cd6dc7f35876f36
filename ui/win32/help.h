#pragma once

#include "win32.h"

namespace popolun::win32 {

// The "?" buttons: help for the pressing window; returns at once.
void openHelp(HWND window);

} // namespace popolun::win32
