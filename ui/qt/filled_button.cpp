#include "filled_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace popolun::qt {

void FilledButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const bool down = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const QMargins edge = down ? QMargins(2, 2, 1, 1) : QMargins(1, 1, 2, 2);
    const QRect face = rect();
    const QColor edgeColour = hasFocus() ? QColor(Qt::black) : fill_.darker(150);
    painter.fillRect(face, QBrush(down ? fill_.darker(115) : fill_));
    // Edges as a style sheet draws them: antialiased strips, bottom, right, left, top.
    painter.setPen(Qt::NoPen);
    painter.setBrush(edgeColour);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF f(face);
    painter.drawRect(QRectF(f.left(), f.bottom() - edge.bottom(), f.width(), edge.bottom()));
    painter.drawRect(QRectF(f.right() - edge.right(), f.top(), edge.right(), f.height()));
    painter.drawRect(QRectF(f.left(), f.top(), edge.left(), f.height()));
    painter.drawRect(QRectF(f.left(), f.top(), f.width(), edge.top()));
    painter.setRenderHint(QPainter::Antialiasing, false);

    option.rect = face.marginsRemoved(edge);
    option.palette.setColor(QPalette::ButtonText, Qt::black);
    painter.drawControl(QStyle::CE_PushButtonLabel, option);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace popolun::qt
