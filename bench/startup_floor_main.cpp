// The floor for start-up: a bare Qt program showing one empty widget of the
// main window's size, timed the same way as startup_probe.
//
// Built a second time as startup_text_floor (POPOLUN_FLOOR_WITH_TEXT), with
// one line of Japanese text in the default font: the difference to the floor
// is what showing any text at all costs (the font system's start-up), which
// no window with a label can avoid.

#include "startup_report.h"

#include <QApplication>
#include <QWidget>
#ifdef POPOLUN_FLOOR_WITH_TEXT
#include <QLabel>
#endif

int main(int argc, char* argv[])
{
    const auto spawnedAt = popolun::bench::spawnTimeFromArguments(argc, argv);
    // The programs are started without arguments; Qt sees the same here.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.resize(434, 323);
#ifdef POPOLUN_FLOOR_WITH_TEXT
    auto* label = new QLabel(QStringLiteral("ここをクリックしてください。"), &window);
    label->move(16, 16);
#endif
    popolun::bench::ExposeReporter reporter(window, spawnedAt);
    window.show();
    return app.exec();
}
