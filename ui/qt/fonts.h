#pragma once

#include "window_layout.h"

#include <QFont>
#include <QString>

namespace popolun::qt {

// The family a layout face is drawn in: its own where it is installed, else
// an installed IPA face of the same metrics (else its own, for Qt to match).
QString face(layout::Face face);
QFont font(const layout::Font& font);

} // namespace popolun::qt
