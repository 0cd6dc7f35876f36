#pragma once

#include <QObject>

#include <cstdint>

class QWidget;

namespace popolun::bench {

// The start-up probes are started by startup_bench with one argument: the
// CLOCK_MONOTONIC time in nanoseconds taken just before it spawned them.
// Returns it, or -1 when it is missing.
std::int64_t spawnTimeFromArguments(int argc, char** argv);

// Watches the application's events for the first expose of the window. The
// expose is handed to the window first, so the window's first paint is part
// of the figure; then it prints "<nanoseconds since spawn> <peak RSS KiB>"
// on stdout and ends the process at once (no event loop, no teardown).
class ExposeReporter final : public QObject {
public:
    ExposeReporter(const QWidget& window, std::int64_t spawnedAt);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QWidget& window_;
    std::int64_t spawnedAt_;
};

} // namespace popolun::bench
