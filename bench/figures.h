#pragma once

#include <string>
#include <vector>

namespace popolun::bench {

// One row of the table: a benchmark against its floor, both by the names they
// were registered under (NAME, or NAME#COUNTER for a counter), and its goal.
struct Figure {
    enum class Goal {
        ratioAtMost,  // median / floor median <= limit
        medianBelow,  // median < limit nanoseconds (the floor is shown for scale)
        growthAtMost, // (measured / measuredBase) / (floor / floorBase) <= limit
        reference,    // no goal: shown to explain another row (the floor, if any, for scale)
        unavailable,  // could not be measured here; `note` says why
    };
    enum class Unit { nanoseconds, kibibytes };

    std::string label = {}, measured = {}, floor = {};
    Goal goal = Goal::reference;
    double limit = 0;
    Unit unit = Unit::nanoseconds;
    std::string measuredBase = {}, floorBase = {}; // growthAtMost only
    std::string note = {};
};

void addFigure(Figure figure);
// Every figure added, in the order added: the table's rows.
const std::vector<Figure>& allFigures();

double median(std::vector<double> values); // of the two middle ones, their mean; 0 for none

void registerPageSetBenchmarks();
void registerPropagationBenchmarks();
void registerStartupBenchmarks();

} // namespace popolun::bench
