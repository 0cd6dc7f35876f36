#pragma once

#include <string>
#include <vector>

namespace popolun::bench {

// One row of the table: a benchmark against its floor, both by the names
// they were registered under (NAME, or NAME#COUNTER for one of its
// counters), and the goal the row is judged by.
struct Figure {
    enum class Goal {
        ratioAtMost,  // median / floor median <= limit
        medianBelow,  // median < limit nanoseconds (the floor is shown for scale)
        growthAtMost, // (measured / measuredBase) / (floor / floorBase) <= limit
        reference,    // no goal: shown to explain another row (the floor, if any, for scale)
        unavailable,  // could not be measured here; `note` says why
    };
    enum class Unit { nanoseconds, kibibytes };

    std::string label = {};
    std::string measured = {};
    std::string floor = {};
    Goal goal = Goal::reference;
    double limit = 0;
    Unit unit = Unit::nanoseconds;
    // growthAtMost only: the rows the growth is taken against.
    std::string measuredBase = {};
    std::string floorBase = {};
    std::string note = {};
};

void addFigure(Figure figure);

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double median(std::vector<double> values);

void registerPageSetBenchmarks();
void registerPropagationBenchmarks();
void registerStartupBenchmarks();
void registerWindowsStartupBenchmarks();

} // namespace popolun::bench
