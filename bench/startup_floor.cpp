// The floor of the Linux start-up (startup_bench.cpp): a window of the main window's caption and
// size with one line of Japanese text in Qt's default font; with POPOLUN_EMPTY, without it.
#include "window_layout.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const popolun::layout::Window& main = popolun::layout::form13();
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(main.caption.data(), qsizetype(main.caption.size())));
    window.resize(main.clientWidth, main.clientHeight);
#ifndef POPOLUN_EMPTY
    (new QLabel(QStringLiteral("ここをクリックしてください。"), &window))->move(16, 16);
#endif
    window.show();
    return app.exec();
}
