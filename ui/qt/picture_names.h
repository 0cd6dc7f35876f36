#pragma once

#include "window_layout.h"

#include <QString>

namespace popolun::qt {

// The name of a picture's files: NAME.png drawn, NAME.pam and NAME@2x.pam as shown.
inline QString pictureName(layout::Picture picture)
{
    switch (picture) {
    case layout::Picture::banner:
        return QStringLiteral("banner");
    case layout::Picture::illustration:
        return QStringLiteral("illustration");
    case layout::Picture::none:
        break;
    }
    return {};
}

} // namespace popolun::qt
