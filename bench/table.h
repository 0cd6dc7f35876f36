#pragma once

#include <string>
#include <vector>

namespace popolun::bench {

// The one table scripts/bench prints, in Markdown: popolun_bench prints the
// header and its rows, startup_bench adds its rows below.
void printTableHeader();
void printTableRow(const std::string& label, const std::string& median, const std::string& floor,
                   const std::string& ratio, const std::string& goal, const std::string& met);

std::string formatNanoseconds(double nanoseconds);
std::string formatKibibytes(double kibibytes);
std::string formatRatio(double ratio);
std::string yesNo(bool met);

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double median(std::vector<double> values);

} // namespace popolun::bench
