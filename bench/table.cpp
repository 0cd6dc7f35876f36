#include "table.h"

#include <algorithm>
#include <cstdio>

namespace popolun::bench {

namespace {

std::string format(const char* pattern, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

void printTableHeader()
{
    std::printf("| figure | median | floor median | ratio | goal | met |\n");
    std::printf("|---|---:|---:|---:|---|---|\n");
    std::fflush(stdout);
}

void printTableRow(const std::string& label, const std::string& median, const std::string& floor,
                   const std::string& ratio, const std::string& goal, const std::string& met)
{
    std::printf("| %s | %s | %s | %s | %s | %s |\n", label.c_str(), median.c_str(), floor.c_str(), ratio.c_str(),
                goal.c_str(), met.c_str());
    std::fflush(stdout);
}

std::string formatNanoseconds(double nanoseconds)
{
    if (nanoseconds < 1e3)
        return format("%.0f ns", nanoseconds);
    if (nanoseconds < 1e6)
        return format("%.1f µs", nanoseconds / 1e3);
    if (nanoseconds < 1e9)
        return format("%.2f ms", nanoseconds / 1e6);
    return format("%.2f s", nanoseconds / 1e9);
}

std::string formatKibibytes(double kibibytes) { return format("%.1f MiB", kibibytes / 1024); }

std::string formatRatio(double ratio) { return format("%.2f×", ratio); }

std::string yesNo(bool met) { return met ? "yes" : "**no**"; }

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace popolun::bench
