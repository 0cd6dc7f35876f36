// The floor for start-up: a bare Qt program showing one empty widget of the
// main window's size, timed the same way as startup_probe.

#include "startup_report.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    const auto spawnedAt = popolun::bench::spawnTimeFromArguments(argc, argv);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.resize(434, 323);
    popolun::bench::ExposeReporter reporter(window, spawnedAt);
    window.show();
    return app.exec();
}
