// Start-up on Linux and on Windows (Wine): each program started in the X
// server scripts/bench gives us (and its Wine prefix), timed from just before
// its spawn to the X server mapping a window of the main window's caption,
// when its peak resident memory (VmHWM) is read and it is killed; a
// repetition starts each program of a benchmark once, in rotating order.
// popolun against startup_floor (a window of that caption and size with one
// line of Japanese text: what any such window pays) and startup_empty (the
// window alone); popolun.exe against windows_floor.exe (the same in Win32).

#include "figures.h"
#include "window_layout.h"

#include <benchmark/benchmark.h>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstring>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace popolun::bench {

namespace {

constexpr int kRounds = 41;
constexpr int kWarmUpRounds = 3; // the page cache, fontconfig's and Wine's own start

std::int64_t monotonicNow() { return std::chrono::steady_clock::now().time_since_epoch() / std::chrono::nanoseconds(1); }

// The X server, which tells of every window mapped on the screen.
class Screen {
public:
    bool open()
    {
        if (!display_ && (display_ = ::XOpenDisplay(nullptr))) {
            ::XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // a window may go before our look
            name_ = ::XInternAtom(display_, "_NET_WM_NAME", False);
            utf8_ = ::XInternAtom(display_, "UTF8_STRING", False);
            ::XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
        }
        return display_ != nullptr;
    }
    void forget() { ::XSync(display_, True); } // what happened before
    // Waits until a window titled `title` (titles are set before the map) is mapped; false at the deadline.
    bool waitForMapped(const std::string& title, std::int64_t deadline)
    {
        for (std::int64_t left; (left = deadline - monotonicNow()) > 0;) {
            while (::XPending(display_)) {
                XEvent event;
                ::XNextEvent(display_, &event);
                if (event.type == MapNotify && titleOf(event.xmap.window) == title)
                    return true;
            }
            pollfd readable{ConnectionNumber(display_), POLLIN, 0};
            ::poll(&readable, 1, int(left / 1'000'000) + 1);
        }
        return false;
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
    Atom name_ = 0, utf8_ = 0;
};

Screen screen;

long peakResidentKibibytes(pid_t process)
{
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    std::string line;
    while (std::getline(status, line) && !line.starts_with("VmHWM:")) {
    }
    return line.starts_with("VmHWM:") ? std::atol(line.c_str() + 6) : 0;
}

// One start of a command, up to its window being mapped: nanoseconds and
// KiB, or nothing and why if it ended first or took longer than a start ever should.
std::optional<std::pair<double, double>> startOnce(const std::vector<std::string>& command, std::string& problem)
{
    posix_spawn_file_actions_t quiet; // Qt's and Wine's own remarks would drown the table
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> arguments;
    for (const std::string& argument : command)
        arguments.push_back(const_cast<char*>(argument.c_str()));
    arguments.push_back(nullptr);
    screen.forget();
    const std::int64_t spawnedAt = monotonicNow();
    pid_t child = 0;
    if (const int error = ::posix_spawnp(&child, arguments[0], &quiet, nullptr, arguments.data(), environ)) {
        problem = command.front() + ": " + std::strerror(error);
        return std::nullopt;
    }
    const bool mapped = screen.waitForMapped(std::string(layout::form13().caption), spawnedAt + 30'000'000'000LL);
    const std::int64_t mappedAt = monotonicNow();
    const long kibibytes = mapped ? peakResidentKibibytes(child) : 0;
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    if (!mapped || kibibytes <= 0)
        problem = command.back() + (mapped ? ": no VmHWM in /proc" : ": no window mapped within 30 s");
    return problem.empty() ? std::optional(std::pair{double(mappedAt - spawnedAt), double(kibibytes)}) : std::nullopt;
}

// The counters of a benchmark's programs, the first measured against the others.
const std::string kCounters[] = {"", "floor_", "empty_"};

// First, once a process, the warm-up rounds; then a repetition starts every
// program once, the order rotating so that none always follows the same one.
// Counters for each: its time ("median" for the first), memory and file size.
void measure(benchmark::State& state, const std::vector<std::vector<std::string>>& programs)
{
    static int round = -kWarmUpRounds;
    std::vector<std::pair<double, double>> samples(programs.size());
    std::string problem;
    for (; round < 0 && problem.empty(); ++round)
        std::ranges::for_each(programs, [&](const auto& program) { startOnce(program, problem); });
    for (auto _ : state) {
        for (std::size_t turn = 0; turn < programs.size() && problem.empty(); ++turn) {
            const std::size_t which = (std::size_t(round) + turn) % programs.size();
            samples[which] = startOnce(programs[which], problem).value_or(samples[which]);
        }
        ++round;
        if (!problem.empty())
            return state.SkipWithError(problem.c_str());
        state.SetIterationTime(samples[0].first / 1e9);
    }
    for (std::size_t which = 0; which < programs.size(); ++which) {
        const std::string& name = kCounters[which];
        state.counters[name.empty() ? "median" : name] = samples[which].first;
        state.counters[name + "memory"] = samples[which].second;
        state.counters[name + "size"] = double(std::filesystem::file_size(programs[which].back())) / 1024;
    }
}

// Registers one benchmark, or a row that says why it cannot be measured.
bool registerPrograms(const char* name, const std::vector<std::vector<std::string>>& programs,
                      const std::string& label, const std::string& buildLog)
{
    std::string missing;
    for (const auto& program : programs)
        missing = ::access(program.back().c_str(), R_OK) == 0 ? missing : program.back() + " is not built (see " + buildLog + ")";
    if (missing.empty() && (!screen.open() || (programs[0][0] == "wine" && !std::getenv("WINEPREFIX"))))
        missing = "needs an X server (and Wine), as scripts/bench sets them up";
    if (!missing.empty()) {
        addFigure({.label = label, .goal = Figure::Goal::unavailable, .note = "not measured: " + missing});
        return false;
    }
    benchmark::RegisterBenchmark(name, measure, programs)->Repetitions(kRounds)->Iterations(1)->UseManualTime();
    return true;
}

} // namespace

void registerStartupBenchmarks()
{
    using Goal = Figure::Goal;
    const auto memory = Figure::Unit::kibibytes;
    const std::string rounds = " (" + std::to_string(kRounds) + " starts each, rotating)";
    const std::string linux = POPOLUN_STARTUP_DIR, windows = POPOLUN_WINDOWS_STARTUP_DIR, label = "Start-up on Windows (Wine)";
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    if (registerPrograms("startup", {{linux + "/popolun"}, {linux + "/bench/startup_floor"}, {linux + "/bench/startup_empty"}},
                         "Start-up", "build-bench/startup-build.log")) {
        addFigure({"Start-up: spawn to main window mapped, against a window with one line of text" + rounds, "startup",
                   "startup#floor_", Goal::ratioAtMost, 1.10});
        addFigure({"Start-up: peak resident memory, against a window with one line of text" + rounds, "startup#memory",
                   "startup#floor_memory", Goal::ratioAtMost, 1.05, memory});
        addFigure({"Start-up, for reference: the window with one line of text against the same window empty",
                   "startup#floor_", "startup#empty_"});
        addFigure({"Start-up, for reference: peak resident memory of the window with text against the same window empty",
                   "startup#floor_memory", "startup#empty_memory", Goal::reference, 0, memory});
    }
    if (registerPrograms("windows_startup", {{"wine", windows + "/popolun.exe"}, {"wine", windows + "/windows_floor.exe"}},
                         label, "build-bench/windows-build.log")) {
        addFigure({label + ": spawn to main window mapped, against a bare Win32 window with one line of text" + rounds,
                   "windows_startup", "windows_startup#floor_", Goal::ratioAtMost, 1.25});
        addFigure({label + ": peak resident memory, against a bare Win32 window with one line of text" + rounds,
                   "windows_startup#memory", "windows_startup#floor_memory", Goal::ratioAtMost, 1.10, memory});
        addFigure({"Start-up on Windows, for reference: the size of popolun.exe against the bare window's",
                   "windows_startup#size", "windows_startup#floor_size", Goal::reference, 0, memory});
    }
}

} // namespace popolun::bench
