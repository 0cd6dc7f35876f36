// Runs every benchmark and prints one Markdown table: each figure's median
// over its repetitions, its floor's median from the same run, their ratio,
// the goal and whether it is met. Repetitions of all benchmarks are
// interleaved at random, so that a burst of load falls on figures and floors alike.

#include "figures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace popolun::bench {

namespace {

// The median over the repetitions of every benchmark (of its "median" counter where it has one) and of
// its counters as NAME#COUNTER, by the name it was registered under; and what went wrong where something did.
struct MedianCollector final : benchmark::BenchmarkReporter {
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.error_occurred) {
                errors[name] = run.error_message;
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians[name] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
                for (const auto& [counter, value] : run.counters)
                    medians[counter == "median" ? name : name + "#" + counter] = value.value;
            }
        }
        std::fputc('.', stderr);
    }
    std::map<std::string, double> medians;
    std::map<std::string, std::string> errors;
};

std::string format(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}
std::string times(double ratio) { return format("%.2f×", ratio); }
std::string shown(double value, Figure::Unit unit)
{
    if (unit == Figure::Unit::kibibytes)
        return value < 1024 ? format("%.0f KiB", value) : format("%.1f MiB", value / 1024);
    return value < 1e3 ? format("%.0f ns", value) : value < 1e6 ? format("%.1f µs", value / 1e3) : format("%.2f ms", value / 1e6);
}

// The figure's row; false when it could not be taken.
bool print(const Figure& f, const MedianCollector& runs)
{
    using Goal = Figure::Goal;
    std::vector<std::string> cells;
    const auto benchmarkOf = [](const std::string& name) { return name.substr(0, name.find('#')); };
    bool taken = true;
    if (f.goal == Goal::unavailable) {
        cells = {"—", "—", "—", "—", f.note};
    } else if (!runs.medians.contains(benchmarkOf(f.measured)) && !runs.errors.contains(benchmarkOf(f.measured))) {
        return true; // left out by a filter
    } else {
        for (const std::string& name : {f.measured, f.floor, f.measuredBase, f.floorBase}) {
            if (taken && !name.empty() && !runs.medians.contains(name)) {
                const auto error = runs.errors.find(benchmarkOf(name));
                cells = {"—", "—", "—", "—",
                         "error in " + name + ": " + (error == runs.errors.end() ? "not run" : error->second)};
                taken = false;
            }
        }
    }
    if (cells.empty()) {
        const auto value = [&](const std::string& name) { return runs.medians.at(name); };
        const auto with = [&](double number) { return shown(number, f.unit); };
        const auto met = [](bool yes) { return std::string(yes ? "yes" : "**no**"); };
        const double measured = value(f.measured), floor = f.floor.empty() ? 0 : value(f.floor), ratio = measured / floor;
        if (f.floor.empty())
            cells = {with(measured), "—", "—", "—", "no goal (reference)"};
        else if (f.goal == Goal::ratioAtMost)
            cells = {with(measured), with(floor), times(ratio), "≤ " + times(f.limit) + " floor", met(ratio <= f.limit)};
        else if (f.goal == Goal::medianBelow)
            cells = {with(measured), with(floor), times(ratio), "< " + with(f.limit) + " a chain", met(measured < f.limit)};
        else if (f.goal == Goal::growthAtMost) {
            const double growth = measured / value(f.measuredBase), floorGrowth = floor / value(f.floorBase);
            cells = {times(growth), times(floorGrowth), times(growth / floorGrowth),
                     "≤ " + times(f.limit) + " the floor's growth", met(growth / floorGrowth <= f.limit)};
        } else
            cells = {with(measured), with(floor), times(ratio), "adds " + with(measured - floor), "no goal (reference)"};
    }
    std::printf("| %s |", f.label.c_str());
    for (const std::string& cell : cells)
        std::printf(" %s |", cell.c_str());
    std::printf("\n");
    return taken;
}

} // namespace

} // namespace popolun::bench

int main(int argc, char** argv)
{
    using namespace popolun::bench;
    // Defaults first, so that flags given on the command line win.
    char repetitions[] = "--benchmark_repetitions=15", interleaving[] = "--benchmark_enable_random_interleaving=true";
    std::vector<char*> arguments{argv[0], repetitions, interleaving};
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    registerPageSetBenchmarks();
    registerPropagationBenchmarks();
    registerStartupBenchmarks();
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;
    MedianCollector runs;
    benchmark::RunSpecifiedBenchmarks(&runs);
    std::fputc('\n', stderr);
    std::printf("| figure | median | floor median | ratio | goal | met |\n|---|---:|---:|---:|---|---|\n");
    // A missed goal is a finding to read, not a failure; a figure that could not be taken is.
    bool allTaken = true;
    for (const Figure& figure : allFigures())
        allTaken = print(figure, runs) && allTaken;
    benchmark::Shutdown();
    return allTaken ? 0 : 1;
}
