// Runs every benchmark and prints one Markdown table: each figure's median
// over its repetitions, its floor's median from the same run, their ratio,
// the goal and whether it is met.
//
// Repetitions of all benchmarks are interleaved at random, so that a burst
// of load on the machine falls on figures and floors alike.

#include "figures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
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
// one, and of its other counters as NAME#COUNTER; and what went wrong where
// something did.
class MedianCollector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.error_occurred) {
                errors_[name] = run.error_message;
            } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medians_[name] = toNanoseconds(run.GetAdjustedRealTime(), run.time_unit);
                for (const auto& [counter, value] : run.counters)
                    medians_[counter == "median" ? name : name + "#" + counter] = value.value;
            }
        }
        std::fputc('.', stderr);
    }

    std::optional<double> median(const std::string& name) const
    {
        const auto it = medians_.find(name);
        return it == medians_.end() ? std::nullopt : std::optional<double>(it->second);
    }

    std::string problem(const std::string& name) const
    {
        const auto it = errors_.find(benchmarkOf(name));
        return it == errors_.end() ? "not run" : it->second;
    }

    // Whether a benchmark ran at all (a filter on the command line may leave some out).
    bool ran(const std::string& name) const
    {
        return medians_.count(benchmarkOf(name)) || errors_.count(benchmarkOf(name));
    }

private:
    static std::string benchmarkOf(const std::string& name) { return name.substr(0, name.find('#')); }

    std::map<std::string, double> medians_;
    std::map<std::string, std::string> errors_;
};

std::string format(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string formatValue(double value, Figure::Unit unit)
{
    if (unit == Figure::Unit::kibibytes)
        return value < 1024 ? format("%.0f KiB", value) : format("%.1f MiB", value / 1024);
    if (value < 1e3)
        return format("%.0f ns", value);
    if (value < 1e6)
        return format("%.1f µs", value / 1e3);
    if (value < 1e9)
        return format("%.2f ms", value / 1e6);
    return format("%.2f s", value / 1e9);
}

std::string formatRatio(double ratio) { return format("%.2f×", ratio); }

void printRow(const std::string& label, const std::string& median, const std::string& floor,
              const std::string& ratio, const std::string& goal, const std::string& met)
{
    std::printf("| %s | %s | %s | %s | %s | %s |\n", label.c_str(), median.c_str(), floor.c_str(), ratio.c_str(),
                goal.c_str(), met.c_str());
}

// Prints the row; false when the figure could not be taken.
bool printFigure(const Figure& figure, const MedianCollector& collector)
{
    if (figure.goal == Figure::Goal::unavailable) {
        printRow(figure.label, "—", "—", "—", "—", figure.note);
        return true;
    }
    if (!collector.ran(figure.measured))
        return true;
    std::vector<std::string> needed{figure.measured};
    if (!figure.floor.empty())
        needed.push_back(figure.floor);
    if (figure.goal == Figure::Goal::growthAtMost)
        needed.insert(needed.end(), {figure.measuredBase, figure.floorBase});
    for (const std::string& name : needed) {
        if (!collector.median(name)) {
            printRow(figure.label, "—", "—", "—", "—", "error in " + name + ": " + collector.problem(name));
            return false;
        }
    }
    const double measured = *collector.median(figure.measured);
    const auto shown = [&](double value) { return formatValue(value, figure.unit); };
    const auto yesNo = [](bool met) { return std::string(met ? "yes" : "**no**"); };
    if (figure.floor.empty()) {
        printRow(figure.label, shown(measured), "—", "—", "—", "no goal (reference)");
        return true;
    }
    const double floor = *collector.median(figure.floor);
    const double ratio = measured / floor;
    const std::string limit = formatRatio(figure.limit);
    switch (figure.goal) {
    case Figure::Goal::ratioAtMost:
        printRow(figure.label, shown(measured), shown(floor), formatRatio(ratio), "≤ " + limit + " floor",
                 yesNo(ratio <= figure.limit));
        break;
    case Figure::Goal::medianBelow:
        printRow(figure.label, shown(measured), shown(floor), formatRatio(ratio),
                 "< " + shown(figure.limit) + " a chain", yesNo(measured < figure.limit));
        break;
    case Figure::Goal::growthAtMost: {
        const double measuredGrowth = measured / *collector.median(figure.measuredBase);
        const double floorGrowth = floor / *collector.median(figure.floorBase);
        printRow(figure.label, formatRatio(measuredGrowth), formatRatio(floorGrowth),
                 formatRatio(measuredGrowth / floorGrowth), "≤ " + limit + " the floor's growth",
                 yesNo(measuredGrowth / floorGrowth <= figure.limit));
        break;
    }
    case Figure::Goal::reference:
    case Figure::Goal::unavailable:
        printRow(figure.label, shown(measured), shown(floor), formatRatio(ratio), "adds " + shown(measured - floor),
                 "no goal (reference)");
        break;
    }
    return true;
}

} // namespace

void addFigure(Figure figure) { figures().push_back(std::move(figure)); }

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

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
    registerStartupBenchmarks();
#ifdef POPOLUN_WINDOWS_STARTUP_DIR
    registerWindowsStartupBenchmarks();
#endif
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;

    MedianCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::fputc('\n', stderr);

    std::printf("| figure | median | floor median | ratio | goal | met |\n|---|---:|---:|---:|---|---|\n");
    // A missed goal is a finding to read, not a failure; a figure that could
    // not be taken is.
    bool allTaken = true;
    for (const Figure& figure : figures())
        allTaken = printFigure(figure, collector) && allTaken;
    benchmark::Shutdown();
    return allTaken ? 0 : 1;
}
