#pragma once

#include "window_layout.h"

#include <QWidget>

#include <vector>

namespace popolun::qt {

// Builds a window from its layout: its caption, size and background, then
// every control in the layout's order (later ones above), tab stops chained
// in the layout's order and what screen readers are told. Returns the
// controls by layout id.
std::vector<QWidget*> buildControls(QWidget& window, const layout::Window& layout);

} // namespace popolun::qt
