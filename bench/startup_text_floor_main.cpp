// For reference beside the floor: the same bare widget with one line of
// Japanese text in the default font. The difference to the floor is what
// showing any text at all costs (the font system's start-up), which no
// window with a label can avoid.

#include "startup_report.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    const auto spawnedAt = popolun::bench::spawnTimeFromArguments(argc, argv);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QWidget window;
    window.resize(434, 323);
    auto* label = new QLabel(QStringLiteral("ここをクリックしてください。"), &window);
    label->move(16, 16);
    popolun::bench::ExposeReporter reporter(window, spawnedAt);
    window.show();
    return app.exec();
}
