#include "name_check.h"

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

} // namespace
} // namespace popolun
