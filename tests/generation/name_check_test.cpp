// Names: which the writer refuses, and how messages show them.
#include "failure_messages.h"
#include "name_check.h"
#include "shown_text.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

TEST(BaseName, OrdinaryNamesOfEveryKindPass)
{
    for (const char* name : {"bb", "  ", " bb", "my video", "動画", "ｂｂ", "ﾋﾞﾃﾞｵ", "a.b", "bb.", "...", "con", "-x", "~",
                             ".popolun", ".popolun-staging"})
        EXPECT_EQ(checkBaseName(name, false).problem, NameProblem::none) << name;
}

TEST(BaseName, NamesThatLeaveTheirFolderOrBreakThePagesAreRefused)
{
    const std::pair<const char*, NameProblem> cases[] = {
        {"a/b", NameProblem::separator},     {"..\\x", NameProblem::separator},
        {"/", NameProblem::separator},       {".", NameProblem::dotName},
        {"..", NameProblem::dotName},        {"a<b", NameProblem::reservedCharacter},
        {"a>b", NameProblem::reservedCharacter}, {"c:", NameProblem::reservedCharacter},
        {"\"q\"", NameProblem::reservedCharacter}, {"a|b", NameProblem::reservedCharacter},
        {"what?", NameProblem::reservedCharacter}, {"*", NameProblem::reservedCharacter},
        {"tab\there", NameProblem::controlCharacter}, {"new\nline", NameProblem::controlCharacter},
        {"del\x7F", NameProblem::controlCharacter}, {"c1\u0085", NameProblem::controlCharacter},
        {"caf\u00E9", NameProblem::noCp932Form}, {"bad\xFF", NameProblem::invalidText},
        // The writer's staging folders, in any case, so that no page set can take such a name.
        {".popolun-staging-1-2-3", NameProblem::stagingName}, {".Popolun-STAGING-", NameProblem::stagingName},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(checkBaseName(name, false).problem, problem) << name;
    EXPECT_EQ(checkBaseName("caf\u00E9", false).character, "\u00E9");
}

TEST(BaseName, WindowsAlsoRefusesDeviceNamesAndTrailingDotsOrSpaces)
{
    for (const char* name : {"con", "CON", "nul.txt", "Com1", "lpt9", "aux ", "bb.", "bb ", "   "})
        EXPECT_NE(checkBaseName(name, true).problem, NameProblem::none) << name;
    for (const char* name : {"console", "com0", "com10", "bb", " bb", "b.b"})
        EXPECT_EQ(checkBaseName(name, true).problem, NameProblem::none) << name;
}


TEST(ShownText, LongNamesAndPathsKeepTheirEndsAndNeverSplitACharacter)
{
    EXPECT_EQ(shownName("動画"), "動画");
    const std::string name = std::string(100, 'a') + "動画2026";
    EXPECT_EQ(shownName(name), std::string(29, 'a') + "…" + std::string(24, 'a') + "動画2026");

    const std::string deep = "C:\\Users\\taro\\OneDrive\\" + std::string(60, 'x') + "\\ドキュメント\\ホームページ\\bb";
    EXPECT_EQ(shownPath(deep, '\\'), "C:\\Users\\…\\ホームページ\\bb");
    EXPECT_EQ(shownPath("/home/taro/" + std::string(50, 'y') + "/" + std::string(50, 'y') + "/site/bb", '/'),
              "/home/…/site/bb");
    EXPECT_EQ(shownPath("\\\\server\\share\\" + std::string(80, 'z') + "\\site\\bb", '\\'),
              "\\\\server\\share\\…\\site\\bb");
    EXPECT_EQ(shownPath("C:\\Users\\taro\\bb", '\\'), "C:\\Users\\taro\\bb");
    // A long last part is shortened as a name, so the whole stays short.
    EXPECT_EQ(shownPath("C:\\p\\" + name, '\\'), "C:\\p\\" + shownName(name));
}

TEST(ShownText, ANameTooLongForItsFilesIsRefusedWithHowMuchShorter)
{
    // NAME01.htm may be 255 UTF-16 units on Windows, 255 bytes elsewhere.
    EXPECT_EQ(checkBaseName(std::string(249, 'a'), false).problem, NameProblem::none);
    EXPECT_EQ(checkBaseName(std::string(250, 'a'), false).excess, 1u);
    std::string japanese;
    for (int i = 0; i < 84; ++i)
        japanese += "動"; // three bytes, one UTF-16 unit
    EXPECT_EQ(checkBaseName(japanese, true).problem, NameProblem::none);
    const NameCheck onLinux = checkBaseName(japanese, false); // 252 + 6 bytes
    EXPECT_EQ(onLinux.problem, NameProblem::tooLong);
    EXPECT_EQ(onLinux.excess, 1u);
    EXPECT_NE(describeNameProblem(onLinux).find("あと1文字短く"), std::string::npos);
    EXPECT_EQ(checkBaseName(std::string(300, 'b'), true).excess, 51u);
}

TEST(ShownText, MissingHelpNamesBothFilesAndWhereTheyWereLookedFor)
{
    const std::string message = describeMissingHelp("/opt/popolun");
    for (const char* part : {"WMV.hlp", "popolun-help.html", "「/opt/popolun」"})
        EXPECT_NE(message.find(part), std::string::npos) << part << '\n' << message;
}

} // namespace
} // namespace popolun
