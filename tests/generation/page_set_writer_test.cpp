#include "page_set_writer.h"
#include "session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace popolun {
namespace {

using testing::RecordedMessages;
using testing::TempDir;
using testing::expectedAsx;
using testing::expectedEmbed;
using testing::expectedLink;
using testing::hexBytes;
namespace fs = std::filesystem;

class Writer : public ::testing::Test {
protected:
    Writer() { session.load(); }

    CreateResult create(const std::string& name)
    {
        session.main().setText(FieldId::name, name);
        PageSetWriter writer(nativeFileSystem(), dir.utf8(), messages);
        return writer.create(session.main().snapshot());
    }

    fs::path file(const std::string& folder, const std::string& name) const
    {
        return dir.path() / testing::fromUtf8(folder) / testing::fromUtf8(name);
    }

    Session session;
    TempDir dir;
    RecordedMessages messages;
};

TEST_F(Writer, WorkedExampleComesOutByteForByte)
{
    EXPECT_EQ(create("bb"), CreateResult::saved);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"保存しました。"});

    const auto asx = testing::readBytes(file("bb", "bb.asx"));
    const auto link = testing::readBytes(file("bb", "bb.htm"));
    const auto embed = testing::readBytes(file("bb", "bb01.htm"));
    EXPECT_EQ(asx, expectedAsx("bb"));
    EXPECT_EQ(link, expectedLink("bb"));
    EXPECT_EQ(embed, expectedEmbed("bb"));
    EXPECT_EQ(asx.size(), 67u);
    EXPECT_EQ(link.size(), 156u);
    EXPECT_EQ(embed.size(), 432u);
    EXPECT_EQ(testing::treeContents(dir.path()).size(), 4u); // the folder and three files, nothing else
}

TEST_F(Writer, JapaneseNameIsCp932InsideAndThePlatformsSpellingOutside)
{
    const std::string name = "動画～ビデオ"; // U+FF5E tilde, as Windows input gives it
    const std::string inPage = hexBytes("93ae89e6816083728366" "8349");
    EXPECT_EQ(create(name), CreateResult::saved);
    ASSERT_TRUE(fs::is_directory(dir.path() / testing::fromUtf8(name)));
    EXPECT_EQ(testing::readBytes(file(name, name + ".asx")), expectedAsx(inPage));
    EXPECT_EQ(testing::readBytes(file(name, name + ".htm")), expectedLink(inPage));
    EXPECT_EQ(testing::readBytes(file(name, name + "01.htm")), expectedEmbed(inPage));
}

TEST_F(Writer, NameOfSpacesIsANameToo)
{
    if (usesWindowsNameRules()) {
        // Windows would drop the trailing spaces and name the folder "".
        EXPECT_EQ(create("  "), CreateResult::refused);
        EXPECT_TRUE(fs::is_empty(dir.path()));
        return;
    }
    EXPECT_EQ(create("  "), CreateResult::saved);
    EXPECT_EQ(testing::readBytes(file("  ", "  01.htm")), expectedEmbed("  "));
}

TEST_F(Writer, SecondRequestForTheSameNameLeavesTheFirstUntouched)
{
    ASSERT_EQ(create("bb"), CreateResult::saved);
    testing::writeBytes(file("bb", "notes.txt"), "mine");
    const auto before = testing::treeContents(dir.path());

    session.settings().text12.setText("640");
    EXPECT_EQ(create("bb"), CreateResult::failed);

    EXPECT_EQ(testing::treeContents(dir.path()), before);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].find("すでにあります"), std::string::npos);
    EXPECT_EQ(messages.shown[1].find("保存しました"), std::string::npos);
}

TEST_F(Writer, EmptyNameAsksForOneAndCreatesNothing)
{
    EXPECT_EQ(create(""), CreateResult::nameEmpty);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"記入しましょう。"});
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST_F(Writer, RefusedNamesCreateNothingAnywhere)
{
    // A neighbour that "../x" or "/x" would reach.
    testing::writeBytes(dir.path() / "keep.txt", "keep");
    TempDir programDir;
    const auto outside = testing::treeContents(dir.path());
    for (const char* name : {"../escape", "sub/dir", "a\\b", ".", "..", "a:b", "a*b", "q?", "<x>",
                             "p|q", "\"", "tab\t", "caf\u00E9", "\u00A5", "bad\xFF",
                             ".popolun-staging-1-0-0"}) {
        messages.shown.clear();
        session.main().setText(FieldId::name, name);
        PageSetWriter writer(nativeFileSystem(), programDir.utf8(), messages);
        EXPECT_EQ(writer.create(session.main().snapshot()), CreateResult::refused) << name;
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_NE(messages.shown[0].find("何も作成していません"), std::string::npos) << name;
        EXPECT_TRUE(fs::is_empty(programDir.path())) << name;
    }
    EXPECT_EQ(testing::treeContents(dir.path()), outside);
}

TEST_F(Writer, SettingsWithoutACp932FormOrANumericWidthAreRefused)
{
    session.settings().text4.setText(".w\u00E9m");
    EXPECT_EQ(create("bb"), CreateResult::refused);
    EXPECT_NE(messages.shown.back().find("\u00E9"), std::string::npos);
    session.settings().text4.setText(".wmv");

    for (const char* width : {"", "abc", "３２０"}) {
        session.settings().text12.setText(width);
        EXPECT_EQ(create("bb"), CreateResult::refused) << width;
        EXPECT_NE(messages.shown.back().find("半角数字"), std::string::npos);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));

    session.settings().text12.setText("320");
    EXPECT_EQ(create("bb"), CreateResult::saved);
    EXPECT_EQ(testing::readBytes(file("bb", "bb01.htm")), expectedEmbed("bb"));
}

} // namespace
} // namespace popolun
