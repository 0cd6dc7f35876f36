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
    // The windows were laid out for these two faces; where they are missing,
    // the IPA faces have the same metrics.
    QFont::insertSubstitutions(looks::kPGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    QFont::insertSubstitutions(looks::kGothic, {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    QApplication::setFont(looks::pGothic(9));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
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

} // namespace popolun::ui
