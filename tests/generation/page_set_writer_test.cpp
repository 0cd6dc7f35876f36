#include "page_set_writer.h"
#include "session.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

using testing::expectedAsx;
using testing::expectedEmbed;
using testing::expectedLink;
using testing::readBytes;
namespace fs = std::filesystem;

class Writer : public ::testing::Test {
protected:
    Writer() { session.load(); }

    CreateResult create(const std::string& name, const std::string& directory)
    {
        messages.shown.clear();
        session.main().setText(FieldId::name, name);
        return PageSetWriter(nativeFileSystem(), directory, messages).create(session.main().snapshot());
    }
    CreateResult create(const std::string& name) { return create(name, dir.utf8()); }

    fs::path file(const std::string& folder, const std::string& name) const
    {
        return dir.path() / testing::fromUtf8(folder) / testing::fromUtf8(name);
    }

    // The message of the last run, which must be its only one.
    std::string said() const { return messages.shown.size() == 1 ? messages.shown[0] : "not one message"; }

    Session session;
    testing::TempDir dir;
    testing::RecordedMessages messages;
};

TEST_F(Writer, WorkedExampleComesOutByteForByte)
{
    EXPECT_EQ(create("bb"), CreateResult::saved);
    EXPECT_EQ(said(), "保存しました。");
    const auto asx = readBytes(file("bb", "bb.asx")), link = readBytes(file("bb", "bb.htm")),
               embed = readBytes(file("bb", "bb01.htm"));
    EXPECT_EQ(asx, expectedAsx("bb"));
    EXPECT_EQ(link, expectedLink("bb"));
    EXPECT_EQ(embed, expectedEmbed("bb"));
    EXPECT_EQ(asx.size() + link.size() + embed.size(), 67u + 156u + 432u);
    EXPECT_EQ(testing::treeContents(dir.path()).size(), 4u); // the folder and three files, nothing else
}

TEST_F(Writer, NamesAreCp932InsideAndThePlatformsSpellingOutside)
{
    // U+FF5E tilde as Windows input gives it; spaces alone are a name where Windows rules do not apply.
    std::vector<std::pair<std::string, std::string>> names = {
        {"動画～ビデオ", testing::hexBytes("93ae89e68160837283668349")}};
    if (!usesWindowsNameRules())
        names.push_back({"  ", "  "});
    for (const auto& [name, inPage] : names) {
        EXPECT_EQ(create(name), CreateResult::saved) << name;
        EXPECT_EQ(readBytes(file(name, name + ".asx")), expectedAsx(inPage));
        EXPECT_EQ(readBytes(file(name, name + ".htm")), expectedLink(inPage));
        EXPECT_EQ(readBytes(file(name, name + "01.htm")), expectedEmbed(inPage));
    }
}

TEST_F(Writer, SecondRequestForTheSameNameLeavesTheFirstUntouched)
{
    ASSERT_EQ(create("bb"), CreateResult::saved);
    testing::writeBytes(file("bb", "notes.txt"), "mine");
    const auto before = testing::treeContents(dir.path());
    session.settings().text12.setText("640");
    EXPECT_EQ(create("bb"), CreateResult::failed);
    EXPECT_EQ(testing::treeContents(dir.path()), before);
    EXPECT_NE(said().find("すでにあります"), std::string::npos) << said();
}

TEST_F(Writer, EmptyOrRefusedNamesAndBadSettingsCreateNothingAnywhere)
{
    EXPECT_EQ(create(""), CreateResult::nameEmpty);
    EXPECT_EQ(said(), "記入しましょう。");
    // The program directory, and a neighbour that "../x" would reach.
    const std::string program = dir.utf8() + pathSeparator() + "program";
    fs::create_directory(testing::fromUtf8(program));
    testing::writeBytes(dir.path() / "keep.txt", "keep");
    const auto before = testing::treeContents(dir.path());
    for (const char* name : {"../escape", "sub/dir", "a\\b", ".", "..", "a:b", "a*b", "q?", "<x>", "p|q", "\"",
                             "tab\t", "caf\u00E9", "\u00A5", "bad\xFF", ".popolun-staging-1-0-0"}) {
        EXPECT_EQ(create(name, program), CreateResult::refused) << name;
        EXPECT_NE(said().find("何も作成していません"), std::string::npos) << name;
    }
    session.settings().text4.setText(".w\u00E9m");
    EXPECT_EQ(create("bb", program), CreateResult::refused);
    EXPECT_NE(said().find("「\u00E9」"), std::string::npos) << said();
    session.settings().text4.setText(".wmv");
    for (const char* width : {"", "abc", "３２０"}) {
        session.settings().text12.setText(width);
        EXPECT_EQ(create("bb", program), CreateResult::refused) << width;
        EXPECT_NE(said().find("半角数字"), std::string::npos) << said();
    }
    EXPECT_EQ(testing::treeContents(dir.path()), before);
}

} // namespace
} // namespace popolun
