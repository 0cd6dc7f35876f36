#pragma once

// What the two start-up benchmarks share: one start of a program is a
// sample, and a repetition is one start of each program, the order rotating.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace popolun::bench {

struct StartSample {
    double nanoseconds = 0;
    double kibibytes = 0;
};

// One start of program; nothing, and why in problem, if it went wrong.
using StartOnce = std::optional<StartSample> (*)(const std::string& program, std::string& problem);

inline std::int64_t monotonicNow()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Runs the benchmark's repetition: first, once per process, the warm-up
// rounds (round starts negative), then one start of each program, rotating
// the order so that no program always follows the same one. The iteration's
// time is the first program's; samples keep each program's last start.
// False, the benchmark skipped with the reason, if a start went wrong.
template <std::size_t N>
bool startInRotation(benchmark::State& state, const std::array<std::string, N>& programs, int& round,
                     StartOnce start, std::array<StartSample, N>& samples)
{
    std::string problem;
    for (; round < 0 && problem.empty(); ++round) {
        for (const std::string& program : programs)
            start(program, problem);
    }
    for (auto _ : state) {
        for (std::size_t turn = 0; turn < N && problem.empty(); ++turn) {
            const std::size_t which = (std::size_t(round) + turn) % N;
            if (const auto sample = start(programs[which], problem))
                samples[which] = *sample;
        }
        ++round;
        if (!problem.empty()) {
            state.SkipWithError(problem.c_str());
            return false;
        }
        state.SetIterationTime(samples[0].nanoseconds / 1e9);
    }
    return true;
}

} // namespace popolun::bench
