#pragma once

class QWidget;

namespace popolun::ui {

// The "?" buttons: opens the contents of WMV.hlp for the given window and
// returns at once; a missing file or viewer is not an error.
void openHelp(QWidget& window);

} // namespace popolun::ui
