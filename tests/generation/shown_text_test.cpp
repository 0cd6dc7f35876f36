// Names and paths as messages show them, and the messages that name them.
#include "failure_messages.h"
#include "name_check.h"
#include "shown_text.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

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
