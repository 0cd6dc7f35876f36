#include "startup_report.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/resource.h>
#include <unistd.h>

namespace popolun::bench {

std::int64_t spawnTimeFromArguments(int argc, char** argv)
{
    if (argc < 2)
        return -1;
    char* end = nullptr;
    const long long value = std::strtoll(argv[1], &end, 10);
    return end != argv[1] && *end == '\0' ? value : -1;
}

ExposeReporter::ExposeReporter(const QWidget& window, std::int64_t spawnedAt)
    : window_(window)
    , spawnedAt_(spawnedAt)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool ExposeReporter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Expose || watched != window_.windowHandle() || !window_.windowHandle()->isExposed())
        return false;

    // Let the window paint itself, as it would without us.
    static_cast<QObject*>(watched)->event(event);

    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::int64_t elapsed = std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec - spawnedAt_;
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);

    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lld %ld\n", static_cast<long long>(elapsed), usage.ru_maxrss);
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, line, static_cast<std::size_t>(length));
    ::_exit(0);
}

} // namespace popolun::bench
