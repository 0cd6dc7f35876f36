#include "help.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace popolun {
namespace {

using testing::TempDir;

constexpr char kSeparator = char(std::filesystem::path::preferred_separator);

// Records what help asks for; the system viewer is there or not as the test says.
class RecordingOpener final : public HelpOpener {
public:
    explicit RecordingOpener(bool hasViewer) : hasViewer_(hasViewer) {}
    bool helpContents(std::uintptr_t window) override
    {
        calls.push_back("contents " + std::to_string(window));
        return hasViewer_;
    }
    void document(std::uintptr_t window, const std::string& path) override
    {
        calls.push_back("document " + std::to_string(window) + " " + path);
    }
    std::vector<std::string> calls;

private:
    bool hasViewer_;
};

TEST(Help, TheOldHelpFileWinsWhereItLiesBesideTheProgram)
{
    TempDir dir;
    testing::writeBytes(dir.path() / "WMV.hlp", "?");
    testing::writeBytes(dir.path() / kHelpPage, "<p>");
    const std::string helpFile = dir.utf8() + kSeparator + "WMV.hlp";

    RecordingOpener withViewer(true);
    showHelp(42, dir.utf8(), withViewer);
    EXPECT_EQ(withViewer.calls, std::vector<std::string>{"contents 42"});

    RecordingOpener withoutViewer(false);
    showHelp(7, dir.utf8(), withoutViewer);
    EXPECT_EQ(withoutViewer.calls, (std::vector<std::string>{"contents 7", "document 7 " + helpFile}));
}

TEST(Help, OtherwiseThePageBesideTheProgramInTheBrowser)
{
    TempDir dir;
    const auto folder = dir.path() / testing::fromUtf8("ヘルプ");
    std::filesystem::create_directory(folder);
    const std::string directory = dir.utf8() + kSeparator + "ヘルプ";
    testing::writeBytes(folder / kHelpPage, "<p>");
    const auto before = testing::treeContents(dir.path());

    RecordingOpener opener(true);
    showHelp(3, directory, opener);
    EXPECT_EQ(opener.calls, std::vector<std::string>{"document 3 " + directory + kSeparator + kHelpPage});
    EXPECT_EQ(testing::treeContents(dir.path()), before);
}

TEST(Help, NothingWhereNeitherLiesThereOrTheDirectoryIsUnknown)
{
    TempDir dir;
    std::filesystem::create_directory(dir.path() / kHelpPage); // a folder is not the page
    RecordingOpener opener(true);
    showHelp(1, dir.utf8(), opener);
    showHelp(1, "", opener);
    EXPECT_TRUE(opener.calls.empty());
}

} // namespace
} // namespace popolun
