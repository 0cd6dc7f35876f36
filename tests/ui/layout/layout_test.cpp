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

TEST_P(EachWindow, ControlsAreNamedOnceAndLieInsideTheirParent)
{
    const Window& window = *GetParam();
    std::set<std::string_view> names;
    for (const Control& each : window.controls) {
        EXPECT_TRUE(names.insert(each.name).second) << each.name;
        const Box client{0, 0, window.clientWidth, window.clientHeight};
        EXPECT_TRUE(inside(boxInWindow(window, each), client)) << each.name;
        if (each.parent != kNoControl) {
            const Control& frame = control(window, each.parent);
            EXPECT_EQ(frame.kind, Kind::frame) << each.name;
            EXPECT_TRUE(inside(each.box, {0, 0, frame.box.width, frame.box.height})) << each.name;
            EXPECT_LT(&frame, &each) << "a frame comes before what it holds";
        }
    }
}

TEST_P(EachWindow, TabStopsRunFromOneWithoutGapsAndAreNamedForScreenReaders)
{
    const Window& window = *GetParam();
    const auto stops = tabOrder(window);
    ASSERT_FALSE(stops.empty());
    for (std::size_t i = 0; i < stops.size(); ++i) {
        EXPECT_EQ(stops[i]->tabOrder, int(i) + 1);
        EXPECT_NE(stops[i]->kind, Kind::label);
        EXPECT_FALSE(spokenName(window, *stops[i]).empty()) << stops[i]->name;
    }
}

TEST_P(EachWindow, ButtonsAreFilledAndLabelsTieToWhatTheyName)
{
    const Window& window = *GetParam();
    for (const Control& each : window.controls) {
        if (each.kind == Kind::button)
            EXPECT_EQ(each.background.colour, Colour::rgb) << each.name;
        if (each.kind == Kind::picture) {
            EXPECT_NE(each.picture, Picture::none) << each.name;
            EXPECT_FALSE(each.accessibleName.empty() && !each.decorative) << each.name;
        }
        if (each.labels != kNoControl) {
            EXPECT_EQ(each.kind, Kind::label);
            EXPECT_EQ(labelOf(window, control(window, each.labels)), &each);
        }
        if (each.describes != kNoControl) {
            EXPECT_EQ(each.kind, Kind::label);
            EXPECT_EQ(descriptionOf(window, control(window, each.describes)), &each);
        }
        // Option buttons come in named groups on the window itself.
        if (each.kind == Kind::optionButton) {
            EXPECT_NE(each.group, kNoControl) << each.name;
            EXPECT_EQ(each.parent, kNoControl) << each.name;
        }
        if (each.group != kNoControl)
            EXPECT_EQ(control(window, each.group).kind, Kind::label) << each.name;
        // Front ends leave decorative parts out of the window's own children.
        if (each.decorative) {
            EXPECT_EQ(each.parent, kNoControl) << each.name;
            EXPECT_EQ(each.tabOrder, 0) << each.name;
        }
        if (each.font.face == Face::windowDefault)
            EXPECT_EQ(each.font.points, 0) << each.name;
        else
            EXPECT_GT(each.font.points, 0) << each.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EachWindow, testing::Values(&form13(), &form14()),
                         [](const auto& info) { return std::string(info.param->name); });

TEST(Layout, SpotChecksAgainstTheDrawnWindows)
{
    // A box inside a frame is measured from the frame.
    EXPECT_EQ(boxInWindow(form14(), control(form14(), "Label7")), (Box{456, 64, 105, 81}));
    EXPECT_EQ(faceName(control(form14(), "Label6").font.face), "ＭＳ ゴシック");
    EXPECT_EQ(spokenName(form13(), control(form13(), "Command1")), "一発作成");
    EXPECT_EQ(spokenName(form14(), control(form14(), "Text12")), "幅");
    EXPECT_EQ(labelOf(form13(), control(form13(), "Text1")), nullptr);
}

} // namespace
