// Start-up against its floor: spawns startup_probe (the program's own
// start-up sequence), startup_floor (one empty widget) and, for reference,
// startup_text_floor (the same with one line of text) in turn under the
// offscreen platform, each told the CLOCK_MONOTONIC time taken just before
// the spawn, and collects the time to the first expose and the peak RSS each
// reports. Prints its rows of the table that popolun_bench begins.
//
// startup_bench [--runs N] [--probe PATH] [--floor PATH] [--text-floor PATH|""] [--verbose]

#include "table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <ctime>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace popolun::bench;

struct Sample {
    double nanoseconds;
    double kibibytes;
};

std::int64_t monotonicNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// One run of a probe; nothing if it failed, printed nonsense or took longer
// than a start-up ever should.
std::optional<Sample> runOnce(const std::string& program, bool verbose, std::string& problem)
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
    if (!verbose)
        ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    char stamp[32];
    const std::int64_t spawnedAt = monotonicNow();
    std::snprintf(stamp, sizeof stamp, "%lld", static_cast<long long>(spawnedAt));
    char* arguments[] = {const_cast<char*>(program.c_str()), stamp, nullptr};
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
    return Sample{static_cast<double>(nanoseconds), static_cast<double>(kibibytes)};
}

struct Program {
    std::string path;
    std::vector<Sample> samples;

    double medianTime() const
    {
        std::vector<double> values;
        for (const Sample& s : samples)
            values.push_back(s.nanoseconds);
        return median(values);
    }
    double medianMemory() const
    {
        std::vector<double> values;
        for (const Sample& s : samples)
            values.push_back(s.kibibytes);
        return median(values);
    }
};

constexpr double kLimit = 1.25;

void printRows(const std::string& what, const Program& probe, const Program& floor, const Program* textFloor)
{
    const std::string goal = "≤ " + formatRatio(kLimit) + " floor";
    const double time = probe.medianTime(), floorTime = floor.medianTime();
    const double memory = probe.medianMemory(), floorMemory = floor.medianMemory();
    printTableRow("Start-up: spawn to main window exposed" + what, formatNanoseconds(time),
                  formatNanoseconds(floorTime), formatRatio(time / floorTime), goal, yesNo(time / floorTime <= kLimit));
    printTableRow("Start-up: peak resident memory" + what, formatKibibytes(memory), formatKibibytes(floorMemory),
                  formatRatio(memory / floorMemory), goal, yesNo(memory / floorMemory <= kLimit));
    if (!textFloor)
        return;
    // Not a goal: how much of the gap any window with text would have.
    const double textTime = textFloor->medianTime(), textMemory = textFloor->medianMemory();
    printTableRow("Start-up, for reference: the floor plus one line of text", formatNanoseconds(textTime),
                  formatNanoseconds(floorTime), formatRatio(textTime / floorTime), "—", "—");
    printTableRow("Start-up, for reference: peak resident memory of the floor plus one line of text",
                  formatKibibytes(textMemory), formatKibibytes(floorMemory), formatRatio(textMemory / floorMemory), "—",
                  "—");
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 21;
    const int warmUp = 2; // not counted: the first runs fill the page cache and the font cache
#ifdef POPOLUN_STARTUP_PROBE
    std::string probePath = POPOLUN_STARTUP_PROBE;
#else
    std::string probePath;
#endif
    std::string floorPath = POPOLUN_STARTUP_FLOOR;
    std::string textFloorPath = POPOLUN_STARTUP_TEXT_FLOOR;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        const bool hasValue = i + 1 < argc;
        if (flag == "--verbose") {
            verbose = true;
        } else if (flag == "--runs" && hasValue) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (flag == "--probe" && hasValue) {
            probePath = argv[++i];
        } else if (flag == "--floor" && hasValue) {
            floorPath = argv[++i];
        } else if (flag == "--text-floor" && hasValue) {
            textFloorPath = argv[++i];
        } else {
            std::fprintf(stderr, "usage: startup_bench [--runs N] [--probe PATH] [--floor PATH] [--text-floor PATH|\"\"]"
                                 " [--verbose]\n");
            return 2;
        }
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    const std::string what = " (" + std::to_string(runs) + " runs each, alternating)";
    if (probePath.empty()) {
        printTableRow("Start-up" + what, "—", "—", "—", "≤ 1.25× floor", "not built: no popolun_ui target");
        return 0;
    }

    Program probe{probePath, {}}, floor{floorPath, {}}, textFloor{textFloorPath, {}};
    std::vector<Program*> programs{&probe, &floor};
    if (!textFloorPath.empty())
        programs.push_back(&textFloor);

    std::string problem;
    for (int round = 0; round < warmUp + runs && problem.empty(); ++round) {
        // Rotate the order, so that no program always follows the same one.
        for (std::size_t turn = 0; turn < programs.size() && problem.empty(); ++turn) {
            Program& program = *programs[(static_cast<std::size_t>(round) + turn) % programs.size()];
            const auto sample = runOnce(program.path, verbose, problem);
            if (sample && round >= warmUp)
                program.samples.push_back(*sample);
        }
        std::fputc('.', stderr);
    }
    std::fputc('\n', stderr);
    if (!problem.empty()) {
        printTableRow("Start-up" + what, "—", "—", "—", "≤ 1.25× floor", "error: " + problem);
        return 1;
    }
    printRows(what, probe, floor, textFloorPath.empty() ? nullptr : &textFloor);
    return 0;
}
