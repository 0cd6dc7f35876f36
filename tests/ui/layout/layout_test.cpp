// What the windows' drawings fix that the front ends and the conformance
// suite take from here: the order Tab visits the controls in, and where a
// control inside a frame stands in its window.
#include "window_layout.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace popolun {
namespace {

TEST(Layout, TabVisitsTheControlsInTheDrawingsOrder)
{
    const auto stops = [](const layout::Window& window) {
        std::vector<std::string_view> names;
        for (const layout::Control* stop : layout::tabOrder(window))
            names.push_back(stop->name);
        return names;
    };
    EXPECT_EQ(stops(layout::form13()), (std::vector<std::string_view>{"Text1", "Command1", "Command2", "Command4", "Command5"}));
    EXPECT_EQ(stops(layout::form14()),
              (std::vector<std::string_view>{"Text4", "Text12", "Option1", "Option2", "Command1", "Command2"}));
}

TEST(Layout, AFramesLabelStandsInTheWindowAtItsFramesCornerPlusItsOwnBox)
{
    const layout::Window& settings = layout::form14();
    const layout::Box hint = layout::boxInWindow(settings, layout::control(settings, layout::settings::sizeHint));
    // Frame1 at 448, 40; Label7 at 8, 24 inside it, 105 x 81.
    EXPECT_EQ((std::array{hint.left, hint.top, hint.width, hint.height}), (std::array{456, 64, 105, 81}));
    const layout::Box frame = layout::boxInWindow(settings, layout::control(settings, layout::settings::sizeFrame));
    EXPECT_EQ((std::array{frame.left, frame.top}), (std::array{448, 40}));
}

} // namespace
} // namespace popolun
