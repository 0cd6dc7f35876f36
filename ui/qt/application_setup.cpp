#include "application_setup.h"

#include "looks.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

namespace popolun::ui {

void prepareApplication(QApplication& app)
{
    // Fusion draws the same everywhere and honours the button fills.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(looks::font(layout::kDefaultFont));
    QApplication::setWindowIcon(looks::icon());
}

void showCentred(QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(0, 0), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
    window.show();
}

void placeBeside(QWidget& window, const QWidget& anchor)
{
    const QScreen* screen = anchor.screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QRect taken = anchor.frameGeometry();
    // The new window's frame is taken to be as thick as the anchor's.
    const QSize size = window.size() + (taken.size() - anchor.size());
    const QPoint candidates[] = {
        {taken.left(), taken.bottom() + 1},
        {taken.right() + 1, taken.top()},
        {taken.left() - size.width(), taken.top()},
        {taken.left(), taken.top() - size.height()},
    };
    for (const QPoint& topLeft : candidates) {
        if (free.contains(QRect(topLeft, size))) {
            window.move(topLeft);
            return;
        }
    }
}

} // namespace popolun::ui
