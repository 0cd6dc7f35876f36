// The windows' boxes as the front ends place them: each control in window
// coordinates, a frame's label moved by its frame's corner.
#include "window_boxes.h"
#include "window_layout.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

TEST(Layout, EveryControlStandsInItsWindowWhereTheDrawingsSay)
{
    const std::pair<const layout::Window*, const testing::WindowBoxes*> windows[] = {
        {&layout::form13(), &testing::kMainBoxes}, {&layout::form14(), &testing::kSettingsBoxes}};
    for (const auto& [window, boxes] : windows) {
        testing::WindowBoxes placed;
        for (const layout::Control& each : window->controls) {
            const layout::Box box = layout::boxInWindow(*window, each);
            placed[std::string(each.name)] = {box.left, box.top, box.width, box.height};
        }
        EXPECT_EQ(placed, *boxes) << window->name;
    }
}

} // namespace
} // namespace popolun
