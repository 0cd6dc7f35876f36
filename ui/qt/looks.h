#pragma once

#include "window_layout.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

// Builds a window's controls from its layout, the Qt way.
namespace popolun::ui::looks {

QString text(std::string_view utf8);
// The family a layout face is drawn in: its own where it is installed, else
// an installed IPA face of the same metrics (else its own, for Qt to match).
QString face(layout::Face face);
QFont font(const layout::Font& font);
// A picture at its box's size, or at twice that for a device pixel ratio of
// 2; for other ratios the picture as drawn, for QLabel to scale. Null if missing.
QPixmap picture(layout::Picture picture, qreal devicePixelRatio);
// The windows' icon.
QIcon icon();

// A window's controls by name.
class Controls {
public:
    template <typename T = QWidget>
    T* get(std::string_view name) const
    {
        return qobject_cast<T*>(byName.value(text(name)));
    }

    QHash<QString, QWidget*> byName;
};

// The window's own caption, size and background, then every control in the
// layout's order (later ones above), tab stops chained in the layout's order,
// and what screen readers are told: names, labels, hints and groups, the
// window read as a window and its decorative parts left out.
// Returns the controls by name.
Controls build(QWidget& window, const layout::Window& layout);

} // namespace popolun::ui::looks
