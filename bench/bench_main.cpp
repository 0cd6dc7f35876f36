// Runs the core's benchmarks and prints each figure as a table row: the
// median of its repetitions, the floor's median, their ratio and the goal.
//
// Repetitions of all benchmarks are interleaved at random, so that a burst
// of load on the machine falls on figures and floors alike.

#include "figures.h"
#include "table.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>

namespace popolun::bench {

namespace {

std::vector<Figure>& figures()
{
    static std::vector<Figure> all;
    return all;
}

double toNanoseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond: return value;
    case benchmark::kMicrosecond: return value * 1e3;
    case benchmark::kMillisecond: return value * 1e6;
    case benchmark::kSecond: return value * 1e9;
    }
    return value;
}

// Keeps the median over the repetitions of every benchmark, by the name it
// was registered under: of its time, or of its "median" counter where it has
// one (nanoseconds), and of its other counters (nanoseconds), such as
// NAME#floor; and what went wrong where something did.
class MedianCollector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.error_occurred)
                errors_[name] = run.error_message;
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[name] = toNanoseconds(run.GetAdjustedRealTime(), run.time_unit);
                if (const auto own = run.counters.find("median"); own != run.counters.end())
                    medians_[name] = own->second.value;
                // Every other counter (nanoseconds) as NAME#COUNTER.
                for (const auto& [counter, value] : run.counters) {
                    if (counter != "median")
                        medians_[name + "#" + counter] = value.value;
                }
            }
        }
        std::fputc('.', stderr);
    }

    std::optional<double> median(const std::string& name) const
    {
        const auto it = medians_.find(name);
        if (it == medians_.end())
            return std::nullopt;
        return it->second;
    }

    std::string problem(const std::string& name) const
    {
        const auto it = errors_.find(name.substr(0, name.find('#')));
        return it == errors_.end() ? "not run" : it->second;
    }

    // Whether any of the benchmarks a figure needs ran at all (a filter on
    // the command line may leave some out).
    bool ran(const Figure& figure) const
    {
        for (const std::string* name : {&figure.measured, &figure.floor, &figure.measuredBase, &figure.floorBase}) {
            if (name->empty())
                continue;
            const std::string benchmark = name->substr(0, name->find('#'));
            if (medians_.count(benchmark) || errors_.count(benchmark))
                return true;
        }
        return false;
    }

private:
    std::map<std::string, double> medians_;
    std::map<std::string, std::string> errors_;
};

// Prints the row; false when the figure could not be taken.
bool printFigure(const Figure& figure, const MedianCollector& collector)
{
    if (!collector.ran(figure))
        return true;
    const auto measured = collector.median(figure.measured);
    if (figure.goal == Figure::Goal::reference) {
        if (!measured) {
            printTableRow(figure.label, "—", "—", "—", "—", "error: " + collector.problem(figure.measured));
            return false;
        }
        // With a floor: what the measured side adds to it, in the goal's column.
        const auto floor = figure.floor.empty() ? std::nullopt : collector.median(figure.floor);
        if (!floor)
            printTableRow(figure.label, formatNanoseconds(*measured), "—", "—", "—", "—");
        else
            printTableRow(figure.label, formatNanoseconds(*measured), formatNanoseconds(*floor),
                          formatRatio(*measured / *floor), "adds " + formatNanoseconds(*measured - *floor), "—");
        return true;
    }
    const auto floor = collector.median(figure.floor);
    if (!measured || !floor) {
        const std::string& missing = !measured ? figure.measured : figure.floor;
        printTableRow(figure.label, "—", "—", "—", "—", "error in " + missing + ": " + collector.problem(missing));
        return false;
    }

    switch (figure.goal) {
    case Figure::Goal::ratioAtMost: {
        const double ratio = *measured / *floor;
        const bool met = ratio <= figure.limit;
        printTableRow(figure.label, formatNanoseconds(*measured), formatNanoseconds(*floor), formatRatio(ratio),
                      "≤ " + formatRatio(figure.limit) + " floor", yesNo(met));
        return true;
    }
    case Figure::Goal::medianBelow: {
        const bool met = *measured < figure.limit;
        printTableRow(figure.label, formatNanoseconds(*measured), formatNanoseconds(*floor),
                      formatRatio(*measured / *floor), "< " + formatNanoseconds(figure.limit) + " a chain",
                      yesNo(met));
        return true;
    }
    case Figure::Goal::reference:
        break;
    case Figure::Goal::growthAtMost: {
        const auto measuredBase = collector.median(figure.measuredBase);
        const auto floorBase = collector.median(figure.floorBase);
        if (!measuredBase || !floorBase) {
            printTableRow(figure.label, "—", "—", "—", "—", "error: a base figure is missing");
            return false;
        }
        const double measuredGrowth = *measured / *measuredBase;
        const double floorGrowth = *floor / *floorBase;
        const double ratio = measuredGrowth / floorGrowth;
        const bool met = ratio <= figure.limit;
        printTableRow(figure.label, formatRatio(measuredGrowth), formatRatio(floorGrowth), formatRatio(ratio),
                      "≤ " + formatRatio(figure.limit) + " the floor's growth", yesNo(met));
        return true;
    }
    }
    return false;
}

} // namespace

void addFigure(Figure figure) { figures().push_back(std::move(figure)); }

const std::vector<Figure>& allFigures() { return figures(); }

} // namespace popolun::bench

int main(int argc, char** argv)
{
    using namespace popolun::bench;

    // Defaults first, so that flags given on the command line win.
    std::vector<char*> arguments{argv[0]};
    char repetitions[] = "--benchmark_repetitions=15";
    char interleaving[] = "--benchmark_enable_random_interleaving=true";
    arguments.push_back(repetitions);
    arguments.push_back(interleaving);
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);

    registerPageSetBenchmarks();
    registerPropagationBenchmarks();
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;

    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::fputc('\n', stderr);

    printTableHeader();
    // A missed goal is a finding to read, not a failure; a figure that could
    // not be taken is.
    bool allTaken = true;
    for (const Figure& figure : allFigures())
        allTaken = printFigure(figure, collector) && allTaken;
    benchmark::Shutdown();
    return allTaken ? 0 : 1;
}
