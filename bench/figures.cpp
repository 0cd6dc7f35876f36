#include "figures.h"

#include <algorithm>

namespace popolun::bench {

namespace {

std::vector<Figure>& figures()
{
    static std::vector<Figure> all;
    return all;
}

} // namespace

void addFigure(Figure figure) { figures().push_back(std::move(figure)); }

const std::vector<Figure>& allFigures() { return figures(); }

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace popolun::bench
