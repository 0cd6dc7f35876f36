// The windows' boxes as the front ends place them: each control in window
// coordinates, a frame's label moved by its frame's corner.
#include "window_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace popolun {
namespace {

// Where each control stands, measured from its window's client area in
// pixels at 96 dpi: written here from the windows' drawings, not read from the layout.
struct PixelBox {
    int left, top, width, height;
    bool operator==(const PixelBox&) const = default;
};
using WindowBoxes = std::map<std::string, PixelBox>; // by control name

const WindowBoxes kMainBoxes{
    {"Image2", {40, 0, 356, 84}},     {"Label7", {152, 104, 177, 25}}, {"Text1", {176, 128, 97, 33}},
    {"Command1", {168, 184, 121, 49}}, {"Label8", {0, 264, 433, 57}},  {"Command5", {256, 288, 49, 25}},
    {"Command2", {304, 288, 57, 25}},  {"Command4", {360, 288, 49, 25}},
};

const WindowBoxes kSettingsBoxes{
    {"Label6", {16, 16, 49, 41}},     {"Label1", {128, 24, 145, 17}},   {"Label2", {80, 64, 177, 25}},
    {"Text4", {144, 144, 57, 25}},    {"Label8", {288, 16, 57, 41}},    {"Label4", {280, 64, 25, 25}},
    {"Text12", {312, 64, 33, 25}},    {"Image1", {304, 96, 137, 94}},   {"Label5", {400, 120, 41, 25}},
    {"Frame1", {448, 40, 129, 113}},  {"Label7", {456, 64, 105, 81}},   {"Label3", {272, 208, 65, 25}},
    {"Option1", {344, 200, 89, 33}},  {"Option2", {344, 232, 105, 33}}, {"Command1", {24, 208, 49, 25}},
    {"Command2", {72, 208, 49, 25}},
};


TEST(Layout, EveryControlStandsInItsWindowWhereTheDrawingsSay)
{
    const std::pair<const layout::Window*, const WindowBoxes*> windows[] = {
        {&layout::form13(), &kMainBoxes}, {&layout::form14(), &kSettingsBoxes}};
    for (const auto& [window, boxes] : windows) {
        WindowBoxes placed;
        for (const layout::Control& each : window->controls) {
            const layout::Box box = layout::boxInWindow(*window, each);
            placed[std::string(each.name)] = {box.left, box.top, box.width, box.height};
        }
        EXPECT_EQ(placed, *boxes) << window->name;
    }
}

} // namespace
} // namespace popolun
