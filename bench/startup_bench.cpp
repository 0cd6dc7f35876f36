// Start-up: spawns startup_probe (the program's own start-up), its floor
// startup_floor (a window with one line of Japanese text: what any window
// with Japanese text pays for the font system) and, for reference,
// startup_empty (the window alone), all built from startup_program.cpp, under
// the offscreen platform. One repetition is one round of the three in
// rotating order; each reports its time from the spawn to its first expose
// and its peak RSS, and the table takes the medians over the rounds.

#include "figures.h"
#include "start_rounds.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace popolun::bench {

namespace {

const std::array<std::string, 3> kPrograms{POPOLUN_STARTUP_DIR "/startup_probe", POPOLUN_STARTUP_DIR "/startup_floor",
                                           POPOLUN_STARTUP_DIR "/startup_empty"};
constexpr int kRounds = 21;
constexpr int kWarmUpRounds = 2; // fill the page cache and fontconfig's cache

// One run of a program, told the time just before its spawn; nothing, and
// why, if it failed, printed nonsense or took longer than a start-up ever should.
std::optional<StartSample> runOnce(const std::string& program, std::string& problem)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        problem = std::strerror(errno);
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    // Qt's warnings (no XDG_RUNTIME_DIR and the like) would drown the table.
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::int64_t spawnedAt = monotonicNow();
    const std::string stamp = std::to_string(spawnedAt);
    char* arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>(stamp.c_str()), nullptr};
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, arguments, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        problem = program + ": " + std::strerror(spawned);
        return std::nullopt;
    }

    std::string output;
    const std::int64_t deadline = spawnedAt + 30'000'000'000LL;
    for (;;) {
        const std::int64_t left = deadline - monotonicNow();
        if (left <= 0) {
            ::kill(child, SIGKILL);
            problem = program + ": no expose within 30 s";
            break;
        }
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (::poll(&readable, 1, static_cast<int>(left / 1'000'000) + 1) < 0 && errno != EINTR)
            break;
        char buffer[256];
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);

    long long nanoseconds = 0;
    long kibibytes = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0
        || std::sscanf(output.c_str(), "%lld %ld", &nanoseconds, &kibibytes) != 2 || nanoseconds <= 0
        || kibibytes <= 0) {
        if (problem.empty())
            problem = program + ": no report (\"" + output + "\")";
        return std::nullopt;
    }
    return StartSample{static_cast<double>(nanoseconds), static_cast<double>(kibibytes)};
}

void measure(benchmark::State& state)
{
    static int round = -kWarmUpRounds;
    std::array<StartSample, 3> samples;
    if (!startInRotation(state, kPrograms, round, runOnce, samples))
        return;
    const char* const names[] = {"", "floor", "empty"};
    for (std::size_t which = 0; which < samples.size(); ++which) {
        const std::string name = names[which];
        state.counters[which == 0 ? "median" : name] = samples[which].nanoseconds;
        state.counters[which == 0 ? "memory" : name + "_memory"] = samples[which].kibibytes;
    }
}

} // namespace

void registerStartupBenchmarks()
{
    using Goal = Figure::Goal;
    const Figure::Unit memory = Figure::Unit::kibibytes;
    for (const std::string& program : kPrograms) {
        if (::access(program.c_str(), X_OK) != 0) {
            addFigure({.label = "Start-up", .goal = Goal::unavailable,
                       .note = "not measured: " + program + " is not built (see build-bench/startup-build.log)"});
            return;
        }
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::RegisterBenchmark("startup", measure)
        ->Repetitions(kRounds)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    const std::string rounds = " (" + std::to_string(kRounds) + " runs each, rotating)";
    addFigure({"Start-up: spawn to main window exposed, against a window with one line of text" + rounds, "startup",
               "startup#floor", Goal::ratioAtMost, 1.10});
    addFigure({"Start-up: peak resident memory, against a window with one line of text" + rounds, "startup#memory",
               "startup#floor_memory", Goal::ratioAtMost, 1.05, memory});
    addFigure({"Start-up, for reference: the window with one line of text against the same window empty",
               "startup#floor", "startup#empty"});
    addFigure({"Start-up, for reference: peak resident memory of the window with text against the same window empty",
               "startup#floor_memory", "startup#empty_memory", Goal::reference, 0, memory});
}

} // namespace popolun::bench
