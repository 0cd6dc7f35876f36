#include "help.h"
#include "platform/desktop.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
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

#ifndef _WIN32
// The desktop's opener gets the path as one argument, whatever it holds, and
// the call returns before the opener has finished.
TEST(Help, TheDesktopOpenerGetsThePathWhole)
{
    TempDir dir;
    const auto seen = dir.path() / "seen";
    testing::writeBytes(dir.path() / "xdg-open",
                        "#!/bin/sh\nsleep 1\nprintf '%s|%s' \"$1\" \"$#\" > \"" + seen.string() + ".part\"\n"
                        "mv \"" + seen.string() + ".part\" \"" + seen.string() + "\"\n");
    std::filesystem::permissions(dir.path() / "xdg-open", std::filesystem::perms::owner_all);
    const std::string path = dir.utf8() + "/a \"b\" $HOME `c` 頁.html";
    const char* oldPath = std::getenv("PATH");
    const std::string restore = oldPath ? oldPath : "";
    ::setenv("PATH", (dir.utf8() + ":" + restore).c_str(), 1);

    const auto start = std::chrono::steady_clock::now();
    openWithDesktop(0, path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
    ::setenv("PATH", restore.c_str(), 1);
    for (int i = 0; i < 100 && !std::filesystem::exists(seen); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(testing::readBytes(seen), path + "|1");
}
#endif

} // namespace
} // namespace popolun
