#pragma once

#include "controls.h"

namespace popolun::win32 {

// Gives a window's controls the names a screen reader should announce where
// their own text does not say it (a field's name, "ヘルプ" for "?"), and hides
// purely decorative parts. Called the first time a screen reader asks the
// window or a control about itself (WM_GETOBJECT), so that the accessibility
// services load only for those who use them. Where the system offers no
// annotation service, the controls keep what the system says of them.
void describeForScreenReaders(const Controls& controls);

} // namespace popolun::win32
