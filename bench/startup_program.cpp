// The programs startup_bench.cpp times, from one source: startup_probe runs the
// program's own start-up (app/qt/main.cpp's sequence: keep the two the
// same), startup_floor (POPOLUN_FLOOR) shows a window of the main window's
// size with one line of Japanese text in Qt's default font, and
// startup_empty (POPOLUN_FLOOR, POPOLUN_EMPTY) the same window without it.
//
// Each is started with one argument, the CLOCK_MONOTONIC time in
// nanoseconds taken just before its spawn. At the window's first expose it
// lets the window paint, prints "<nanoseconds since spawn> <peak RSS KiB>"
// and ends at once (no event loop, no teardown).

#include "window_layout.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#ifdef POPOLUN_FLOOR
#include <QLabel>
#else
#include "application.h"
#include "form13.h"
#endif

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class ExposeReporter final : public QObject {
public:
    ExposeReporter(const QWidget& window, long long spawnedAt) : window_(window), spawnedAt_(spawnedAt)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QWindow* shown = window_.windowHandle();
        if (event->type() != QEvent::Expose || watched != shown || !shown->isExposed())
            return false;
        // Let the window paint itself, as it would without us.
        static_cast<QObject*>(watched)->event(event);
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("%lld %ld\n", now.tv_sec * 1'000'000'000LL + now.tv_nsec - spawnedAt_, usage.ru_maxrss);
        std::fflush(stdout);
        ::_exit(0);
    }

private:
    const QWidget& window_;
    long long spawnedAt_;
};

} // namespace

int main(int argc, char* argv[])
{
    const long long spawnedAt = argc > 1 ? std::atoll(argv[1]) : 0;
    // The program is started without arguments; Qt sees the same here.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
#ifdef POPOLUN_FLOOR
    QWidget window;
    window.resize(popolun::layout::form13().clientWidth, popolun::layout::form13().clientHeight);
#ifndef POPOLUN_EMPTY
    auto* label = new QLabel(QStringLiteral("ここをクリックしてください。"), &window);
    label->move(16, 16);
#endif
    ExposeReporter reporter(window, spawnedAt);
    window.show();
#else
    popolun::qt::Application toolkit(app);
    popolun::ui::Form13 window(toolkit, popolun::executableDirectory());
    ExposeReporter reporter(dynamic_cast<QWidget&>(window.view()), spawnedAt);
    window.start();
#endif
    return app.exec();
}
