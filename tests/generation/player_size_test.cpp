#include "player_size.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

TEST(PlayerSize, HeightIsThreeQuartersOfTheWidthPlus64)
{
    const std::pair<const char*, const char*> cases[] = {
        {"320", "304"}, {"480", "424"}, {"640", "544"}, {"160", "184"},
        {"321", "304.75"}, {"6", "68.5"}, {"0", "64"}, {"1", "64.75"},
        {"-100", "-11"}, {"0.1", "64.075"}, {"00320", "304"},
        {"1000000000000000000000", "7.5E+20"},
    };
    for (const auto& [width, height] : cases)
        EXPECT_EQ(playerHeight(width), height) << "width " << width;
}

TEST(PlayerSize, OnlyPlainDecimalNumeralsAreWidths)
{
    for (const char* text : {"", " 320", "320 ", "abc", "３２０", "1e3", "1e999", "+320", "0x10",
                             "32,0", ".5", "5.", "-", "inf", "nan", "3 20"}) {
        EXPECT_FALSE(parseWidth(text)) << '"' << text << '"';
        EXPECT_EQ(playerHeight(text), "") << '"' << text << '"';
    }
    // Too large for a double: not a width either.
    EXPECT_FALSE(parseWidth(std::string(400, '9')));
    EXPECT_EQ(parseWidth("-8.25"), -8.25);
    // Too small for a double is zero, not "not a number": the rule gives 64.
    for (const std::string tiny : {"0." + std::string(400, '0') + "1", "-0." + std::string(330, '0') + "5"}) {
        EXPECT_EQ(parseWidth(tiny), 0.0) << tiny;
        EXPECT_EQ(playerHeight(tiny), "64") << tiny;
    }
}

} // namespace
} // namespace popolun
