#include "window_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace popolun::layout;

namespace {

class EachWindow : public testing::TestWithParam<const Window*> {};

bool inside(const Box& inner, const Box& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right()
           && inner.bottom() <= outer.bottom();
}

// What the front ends rely on when they build a window from its table.
TEST_P(EachWindow, EveryControlIsReachableWhereItsTiesSay)
{
    const Window& window = *GetParam();
    std::set<std::string_view> names;
    for (const Control& each : window.controls) {
        EXPECT_TRUE(names.insert(each.name).second) << each.name;
        EXPECT_TRUE(inside(boxInWindow(window, each), {0, 0, window.clientWidth, window.clientHeight})) << each.name;
        if (each.parent != kNoControl) {
            EXPECT_EQ(control(window, each.parent).kind, Kind::frame) << each.name;
            EXPECT_LT(each.parent, each.id) << "a frame comes before what it holds";
        }
        if (each.labels != kNoControl)
            EXPECT_EQ(labelOf(window, control(window, each.labels)), &each);
        if (each.kind == Kind::optionButton)
            EXPECT_EQ(control(window, each.group).kind, Kind::label) << each.name;
        if (each.kind == Kind::button)
            EXPECT_EQ(each.background.colour, Colour::rgb) << each.name;
    }
    const auto stops = tabOrder(window);
    for (std::size_t i = 0; i < stops.size(); ++i) {
        EXPECT_EQ(stops[i]->tabOrder, int(i) + 1);
        EXPECT_FALSE(spokenName(window, *stops[i]).empty()) << stops[i]->name;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EachWindow, testing::Values(&form13(), &form14()),
                         [](const auto& info) { return std::string(info.param->name); });

TEST(Layout, BoxesInAFrameAreMeasuredFromTheFrame)
{
    EXPECT_EQ(boxInWindow(form14(), control(form14(), settings::sizeHint)), (Box{456, 64, 105, 81}));
}

} // namespace
