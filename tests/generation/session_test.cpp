#include "page_set.h"
#include "session.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

struct Parameters {
    std::string extension, width, height, autoStart;
    bool operator==(const Parameters&) const = default;
};

Parameters mainParameters(const Session& session)
{
    const auto& m = session.main();
    return {m.text(FieldId::extension), m.text(FieldId::width), m.text(FieldId::height), m.text(FieldId::autostart)};
}

std::ostream& operator<<(std::ostream& out, const Parameters& p)
{
    return out << p.extension << ' ' << p.width << ' ' << p.height << ' ' << p.autoStart;
}

// Splits a page into its physical lines.
std::vector<std::string> lines(const std::string& page)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = page.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(page.substr(start, end - start));
    return out;
}

class StartedSession : public ::testing::Test {
protected:
    StartedSession() { session.load(); }
    Session session;
};

TEST(SessionStartUp, PullsTheParametersBackThroughTheSettings)
{
    Session session;
    EXPECT_FALSE(session.settingsCreated());
    EXPECT_EQ(mainParameters(session), (Parameters{".wmv", "320", "304", "true"}));

    session.load();

    EXPECT_EQ(mainParameters(session), (Parameters{".wmv", "320", "304", "false"}));
    ASSERT_TRUE(session.settingsCreated());
    auto& s = session.settings();
    EXPECT_EQ(s.text4.text(), ".wmv");
    EXPECT_EQ(s.text12.text(), "320");
    EXPECT_EQ(s.text14.text(), "");
    EXPECT_EQ(s.text17.text(), "false");
    EXPECT_TRUE(s.option2Selected());
    EXPECT_FALSE(s.option1Selected());
}

TEST_F(StartedSession, WidthEditGivesTheDerivedHeightInTheEmbedPage)
{
    session.settings().text12.setText("640");
    EXPECT_EQ(mainParameters(session), (Parameters{".wmv", "640", "544", "false"}));

    session.main().setText(FieldId::name, "bb");
    const auto embed = lines(composePageSet(session.main().snapshot()).embed);
    ASSERT_EQ(embed.size(), 8u);
    EXPECT_EQ(embed[2], R"(<OBJECT ID="Player" width="640" height="544"CLASSID="CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6">)");
    EXPECT_EQ(embed[5], R"(<embed src="./bb.asx" autostart="false" width=640 height=544></embed></OBJECT>)");

    session.settings().text12.setText("321");
    EXPECT_EQ(session.main().text(FieldId::height), "304.75");
}

TEST_F(StartedSession, TheMainHeightAlwaysFollowsTheWidth)
{
    session.main().setText(FieldId::height, "999");
    EXPECT_EQ(session.main().text(FieldId::height), "304");
    session.settings().text14.setText("12");
    EXPECT_EQ(session.main().text(FieldId::height), "304");
    // Nothing writes the height back into the settings.
    EXPECT_EQ(session.settings().text14.text(), "12");
}

TEST_F(StartedSession, OptionButtonsFlipAutoStartInBothModels)
{
    auto& s = session.settings();
    s.clickOption1();
    EXPECT_TRUE(s.option1Selected());
    EXPECT_FALSE(s.option2Selected());
    EXPECT_EQ(s.text17.text(), "true");
    EXPECT_EQ(session.main().text(FieldId::autostart), "true");

    session.main().setText(FieldId::name, "bb");
    const auto embed = lines(composePageSet(session.main().snapshot()).embed);
    EXPECT_EQ(embed[3], R"(<PARAM name="autoStart" value="true">)");
    EXPECT_NE(embed[5].find(R"(autostart="false")"), std::string::npos);

    s.clickOption2();
    EXPECT_TRUE(s.option2Selected());
    EXPECT_FALSE(s.option1Selected());
    EXPECT_EQ(session.main().text(FieldId::autostart), "false");
}

TEST_F(StartedSession, SettingTheSameValueRunsNoHandler)
{
    int mainWidthRuns = 0, mainHeightRuns = 0, autoStartRuns = 0, selectionChanges = 0;
    session.main().field(FieldId::width).watch([&] { ++mainWidthRuns; });
    session.main().field(FieldId::height).watch([&] { ++mainHeightRuns; });
    session.main().field(FieldId::autostart).watch([&] { ++autoStartRuns; });
    session.settings().watchOptions([&] { ++selectionChanges; });

    session.settings().text12.setText("320");
    session.settings().clickOption2(); // already selected, already "false"
    EXPECT_EQ(mainWidthRuns + mainHeightRuns + autoStartRuns + selectionChanges, 0);

    session.settings().text12.setText("480");
    EXPECT_EQ(mainWidthRuns, 1);
    EXPECT_EQ(mainHeightRuns, 1);
    EXPECT_EQ(session.main().text(FieldId::height), "424");
}

TEST_F(StartedSession, ExtensionIsTakenAsTyped)
{
    session.settings().text4.setText("avi");
    session.main().setText(FieldId::name, "bb");
    const auto asx = lines(composePageSet(session.main().snapshot()).asx);
    EXPECT_EQ(asx[1], R"(<Ref href ="./bbavi"></Entry></ASX>)");
}

TEST_F(StartedSession, NonNumericWidthKeepsEverythingAndTheNextWidthRecovers)
{
    for (const char* typed : {"", "abc", "３２０", "1e999", "-"}) {
        session.settings().text12.setText(typed);
        EXPECT_EQ(mainParameters(session), (Parameters{".wmv", typed, "", "false"})) << typed;
        EXPECT_EQ(session.main().text(FieldId::asxHead), FieldSet::initialText(FieldId::asxHead));
    }
    session.settings().text12.setText("640");
    EXPECT_EQ(mainParameters(session), (Parameters{".wmv", "640", "544", "false"}));
}

} // namespace
} // namespace popolun
