// Start-up on Windows, under Wine: popolun.exe against its floor
// windows_floor.exe (a bare Win32 window with one line of Japanese text,
// built the same way), both cross-built into build-bench/windows/ by
// scripts/bench, which also gives them an X server of their own (Xvfb) and a
// Wine prefix with its server running (DISPLAY, WINEPREFIX). One repetition
// is one start of each, the order alternating. Each start is timed from just
// before its spawn to the X server mapping a window with the main window's
// caption; at that moment its peak resident memory (VmHWM) is read from
// /proc, and the process is killed.

#include "figures.h"
#include "start_rounds.h"
#include "window_layout.h"

#include <benchmark/benchmark.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <set>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace popolun::bench {

namespace {

const std::array<std::string, 2> kPrograms{POPOLUN_WINDOWS_STARTUP_DIR "/popolun.exe",
                                           POPOLUN_WINDOWS_STARTUP_DIR "/windows_floor.exe"};
constexpr int kRounds = 21;
constexpr int kWarmUpRounds = 2; // Wine's own start-up, the page cache, the font cache

// The X server, told of every window mapped on the screen.
class Screen {
public:
    bool open()
    {
        display_ = ::XOpenDisplay(nullptr);
        if (!display_)
            return false;
        // A window may go between its event and our look at it; that is no error here.
        ::XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        name_ = ::XInternAtom(display_, "_NET_WM_NAME", False);
        utf8_ = ::XInternAtom(display_, "UTF8_STRING", False);
        ::XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        return true;
    }

    // Forgets what happened before; the next wait starts afresh.
    void forget()
    {
        ::XSync(display_, True);
        mapped_.clear();
    }

    // Waits until a window titled `title` is mapped; false at the deadline.
    bool waitForMapped(const std::string& title, std::int64_t deadline)
    {
        for (;;) {
            while (::XPending(display_)) {
                XEvent event;
                ::XNextEvent(display_, &event);
                ::Window window = 0;
                if (event.type == MapNotify) {
                    window = event.xmap.window;
                    mapped_.insert(window);
                    // Its title may come later.
                    ::XSelectInput(display_, window, PropertyChangeMask);
                } else if (event.type == PropertyNotify && event.xproperty.atom == name_) {
                    window = event.xproperty.window;
                } else if (event.type == UnmapNotify) {
                    mapped_.erase(event.xunmap.window);
                }
                if (window && mapped_.count(window) && titleOf(window) == title)
                    return true;
            }
            const std::int64_t left = deadline - monotonicNow();
            if (left <= 0)
                return false;
            pollfd readable{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&readable, 1, int(left / 1'000'000) + 1);
        }
    }

private:
    std::string titleOf(::Window window)
    {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string title;
        if (::XGetWindowProperty(display_, window, name_, 0, 1024, False, utf8_, &type, &format, &count, &after,
                                 &data) == Success && data) {
            title.assign(reinterpret_cast<const char*>(data), count);
            ::XFree(data);
        }
        return title;
    }

    Display* display_ = nullptr;
    Atom name_ = 0;
    Atom utf8_ = 0;
    std::set<::Window> mapped_;
};

Screen& screen()
{
    static Screen opened;
    return opened;
}

long peakResidentKibibytes(pid_t process)
{
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmHWM:"))
            return std::atol(line.c_str() + 6);
    }
    return 0;
}

// One start of a program under Wine, up to its window being mapped; nothing,
// and why, if it ended first or took longer than a start-up ever should.
std::optional<StartSample> runOnce(const std::string& program, std::string& problem)
{
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    char wine[] = "wine";
    char* arguments[] = {wine, const_cast<char*>(program.c_str()), nullptr};
    screen().forget();
    const std::int64_t spawnedAt = monotonicNow();
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, wine, &actions, nullptr, arguments, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        problem = std::string("wine: ") + std::strerror(spawned);
        return std::nullopt;
    }
    const bool mapped = screen().waitForMapped(std::string(layout::form13().caption), spawnedAt + 30'000'000'000LL);
    const std::int64_t mappedAt = monotonicNow();
    const long kibibytes = mapped ? peakResidentKibibytes(child) : 0;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (!mapped || kibibytes <= 0) {
        problem = program + (mapped ? ": no VmHWM in /proc" : ": no window mapped within 30 s");
        return std::nullopt;
    }
    return StartSample{double(mappedAt - spawnedAt), double(kibibytes)};
}

void measure(benchmark::State& state)
{
    static int round = -kWarmUpRounds;
    std::array<StartSample, 2> samples;
    if (!startInRotation(state, kPrograms, round, runOnce, samples))
        return;
    state.counters["median"] = samples[0].nanoseconds;
    state.counters["floor"] = samples[1].nanoseconds;
    state.counters["memory"] = samples[0].kibibytes;
    state.counters["floor_memory"] = samples[1].kibibytes;
    state.counters["size"] = double(std::filesystem::file_size(kPrograms[0])) / 1024;
    state.counters["floor_size"] = double(std::filesystem::file_size(kPrograms[1])) / 1024;
}

} // namespace

void registerWindowsStartupBenchmarks()
{
    using Goal = Figure::Goal;
    const Figure::Unit memory = Figure::Unit::kibibytes;
    const char* const label = "Start-up on Windows (Wine)";
    for (const std::string& program : kPrograms) {
        if (::access(program.c_str(), R_OK) != 0) {
            addFigure({.label = label, .goal = Goal::unavailable,
                       .note = "not measured: " + program + " is not built (see build-bench/windows-build.log)"});
            return;
        }
    }
    if (!std::getenv("WINEPREFIX") || !screen().open()) {
        addFigure({.label = label, .goal = Goal::unavailable,
                   .note = "not measured: needs Wine and an X server, as scripts/bench sets them up"});
        return;
    }
    benchmark::RegisterBenchmark("windows_startup", measure)
        ->Repetitions(kRounds)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    const std::string rounds = " (" + std::to_string(kRounds) + " starts each, alternating)";
    addFigure({std::string(label) + ": spawn to main window mapped, against a bare Win32 window with one line of text"
                   + rounds,
               "windows_startup", "windows_startup#floor", Goal::ratioAtMost, 1.25});
    addFigure({std::string(label) + ": peak resident memory, against a bare Win32 window with one line of text" + rounds,
               "windows_startup#memory", "windows_startup#floor_memory", Goal::ratioAtMost, 1.10, memory});
    addFigure({"Start-up on Windows, for reference: the size of popolun.exe against the bare window's",
               "windows_startup#size", "windows_startup#floor_size", Goal::reference, 0, memory});
}

} // namespace popolun::bench
