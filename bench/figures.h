#pragma once

#include <string>
#include <vector>

namespace popolun::bench {

// One row of the table: a benchmark against its floor, both by the names
// they were registered under, and the goal the row is judged by.
struct Figure {
    enum class Goal {
        ratioAtMost,  // median / floor median <= limit
        medianBelow,  // median < limit nanoseconds (the floor is shown for scale)
        growthAtMost, // (measured / measuredBase) / (floor / floorBase) <= limit
        reference,    // no goal: shown to explain another row (the floor, if any, for scale)
    };

    std::string label;
    std::string measured;
    std::string floor;
    Goal goal;
    double limit;
    // growthAtMost only: the rows the growth is taken against.
    std::string measuredBase = {};
    std::string floorBase = {};
};

void addFigure(Figure figure);
const std::vector<Figure>& allFigures();

void registerPageSetBenchmarks();
void registerPropagationBenchmarks();

} // namespace popolun::bench
