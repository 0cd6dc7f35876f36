#pragma once

#include "window_layout.h"

#include <QIcon>
#include <QPixmap>

namespace popolun::qt {

// A picture at its box's size, or at twice that for a device pixel ratio of
// 2; for other ratios the picture as drawn, for QLabel to scale. Null if missing.
QPixmap picture(layout::Picture picture, qreal devicePixelRatio);
// The windows' icon.
QIcon icon();

} // namespace popolun::qt
