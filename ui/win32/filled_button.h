#pragma once

#include "win32.h"

#include <string_view>

namespace popolun::win32 {

// A push button's face filled with one colour (NM_CUSTOMDRAW): the fill
// covers the whole face, the edge shows the press, a black frame and a
// dotted rectangle the focus, the caption centred in black. Returns what the
// notification answers.
LRESULT drawFilledButton(const NMCUSTOMDRAW& draw, HBRUSH fill, std::string_view caption);

} // namespace popolun::win32
