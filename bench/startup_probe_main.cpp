// The program's own start-up sequence (app/main.cpp), timed by startup_bench.
// The program itself reads neither arguments nor environment, so the timing
// lives in this separate executable; keep the sequence the same as main's.

#include "startup_report.h"

#include "application_setup.h"
#include "form13.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const auto spawnedAt = popolun::bench::spawnTimeFromArguments(argc, argv);
    // The program is started without arguments; Qt sees the same here.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    popolun::ui::prepareApplication(app);
    Form13 window;
    popolun::bench::ExposeReporter reporter(window, spawnedAt);
    popolun::ui::showCentred(window);
    return app.exec();
}
