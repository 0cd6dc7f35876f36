// A control inside a frame stands in its window where its frame's corner
// puts it: the front ends place and the tests click every control by its
// box in the window.
#include "window_layout.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

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
