#include "field_set.h"
#include "page_set.h"
#include "player_size.h"
#include "session.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

using enum FieldId;

using testing::parameters;
using Parameters = std::vector<std::string>;

class StartedSession : public ::testing::Test {
protected:
    StartedSession() { session.load(); }

    std::string embedPageFor(const std::string& name)
    {
        session.main().setText(FieldId::name, name);
        return composeEmbedPage(session.main().snapshot());
    }

    Session session;
};

TEST(SessionStartUp, PullsTheParametersBackThroughTheSettings)
{
    Session session;
    EXPECT_EQ(parameters(session), (Parameters{".wmv", "320", "304", "true"}));
    session.load();
    EXPECT_EQ(parameters(session), (Parameters{".wmv", "320", "304", "false"}));
    auto& s = session.settings();
    Parameters settings;
    for (const Setting each : {Setting::extension, Setting::width, Setting::height, Setting::autostart})
        settings.push_back(s.field(each).text());
    EXPECT_EQ(settings, (Parameters{".wmv", "320", "", "false"}));
    EXPECT_TRUE(s.selected(Option::off));
    EXPECT_FALSE(s.selected(Option::on));
}

TEST_F(StartedSession, OptionButtonsFlipAutoStartAndTheSameValueAgainRunsNoHandler)
{
    auto& s = session.settings();
    int mainRuns = 0, selectionChanges = 0;
    for (const FieldId parameter : {width, height, autostart})
        session.main().field(parameter).watch([&] { ++mainRuns; });
    s.watchOptions([&] { ++selectionChanges; });
    s.field(Setting::width).setText("320");
    s.click(Option::off); // already selected, already "false"
    EXPECT_EQ(mainRuns + selectionChanges, 0);

    s.click(Option::on);
    EXPECT_TRUE(s.selected(Option::on) && !s.selected(Option::off));
    EXPECT_EQ(s.field(Setting::autostart).text(), "true");
    EXPECT_EQ(embedPageFor("bb"), testing::expectedEmbed("bb", "320", "304", "true"));
    s.click(Option::off);
    EXPECT_TRUE(s.selected(Option::off) && !s.selected(Option::on));
    EXPECT_EQ(session.main().text(autostart), "false");
    EXPECT_EQ(mainRuns, 2);
    EXPECT_EQ(selectionChanges, 2);
}

TEST(PlayerSize, HeightIsThreeQuartersOfTheWidthPlus64)
{
    const std::pair<const char*, const char*> cases[] = {
        {"320", "304"}, {"480", "424"}, {"640", "544"}, {"160", "184"},
        {"321", "304.75"}, {"6", "68.5"}, {"0", "64"}, {"1", "64.75"},
        {"-100", "-11"}, {"0.1", "64.075"}, {"00320", "304"},
        {"1000000000000000000000", "7.5E+20"}, {"1234.5678", "989.92585"},
    };
    for (const auto& [width, height] : cases)
        EXPECT_EQ(playerHeight(width), height) << "width " << width;
    // Divided before it is multiplied: three times this width is too large for a double.
    EXPECT_EQ(playerHeight("1" + std::string(308, '0')), "7.5E+307");
    // Too small for a double: zero, whose height is 64.
    EXPECT_EQ(playerHeight("-0." + std::string(400, '0') + "1"), "64");
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
}

} // namespace
} // namespace popolun
