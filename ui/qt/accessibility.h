#pragma once

#include "window_layout.h"

#include <QWidget>

#include <vector>

namespace popolun::qt {

// What screen readers are told beyond captions and tooltips: the names the
// captions do not say, the labels that name fields, the hints that explain
// them, the group of the option buttons; decorative parts are left out, and
// a top-level window is read as a window named by its title.
// controls are the window's, by layout id.
void describeForScreenReaders(const std::vector<QWidget*>& controls, const layout::Window& layout);

} // namespace popolun::qt
