// What a user finds after the program stops at a bad moment: real processes
// on the real file system. POSIX only (fork, SIGKILL).
#include "page_set_writer.h"
#include "staging_folders.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <sys/wait.h>
#include <unistd.h>

namespace popolun {
namespace {

using testing::TempDir;
using testing::treeContents;
namespace fs = std::filesystem;

// The native file system that kills its own process right after the Nth
// call, as a crash or a power cut would stop it there.
class KillingFileSystem final : public FileSystem {
public:
    explicit KillingFileSystem(int killAfter) : killAfter_(killAfter) {}

    using Path = const std::string&;
#define POPOLUN_THEN_KILL(...) { const FsResult result = nativeFileSystem().__VA_ARGS__; count(); return result; }
    FsResult makeDirectory(Path p) override POPOLUN_THEN_KILL(makeDirectory(p))
    FsResult openNewFile(Path p, FileHandle& h) override POPOLUN_THEN_KILL(openNewFile(p, h))
    FsResult write(FileHandle h, std::string_view bytes) override POPOLUN_THEN_KILL(write(h, bytes))
    FsResult flush(FileHandle h) override POPOLUN_THEN_KILL(flush(h))
    FsResult close(FileHandle h) override POPOLUN_THEN_KILL(close(h))
    FsResult flushDirectory(Path p) override POPOLUN_THEN_KILL(flushDirectory(p))
    FsResult renameNoReplace(Path from, Path to) override POPOLUN_THEN_KILL(renameNoReplace(from, to))
    FsResult listDirectory(Path p, std::vector<DirectoryEntry>& in, std::string_view start = {}) override
        POPOLUN_THEN_KILL(listDirectory(p, in, start))
    FsResult removeFile(Path p) override POPOLUN_THEN_KILL(removeFile(p))
    FsResult removeDirectory(Path p) override POPOLUN_THEN_KILL(removeDirectory(p))
#undef POPOLUN_THEN_KILL

private:
    void count()
    {
        if (++calls_ == killAfter_)
            std::raise(SIGKILL);
    }

    int killAfter_, calls_ = 0;
};

TEST(Crash, KilledAtEveryStepLeavesAWholePageSetOrNoneAndTheNextRunCopes)
{
    TempDir clean; // the page set "bb" as a run that nothing stopped leaves it
    ASSERT_EQ(testing::CreateButton().press(nativeFileSystem(), clean.utf8(), "bb"), CreateResult::saved);
    const auto whole = treeContents(clean.path());
    int killPoints = 0;
    // The second time the directory holds a dead run's leftover, so that
    // kills also fall inside its removal.
    for (int killAfter = 1, round = 0; round < 2; ++killAfter) {
        SCOPED_TRACE("round " + std::to_string(round) + ", killed after call " + std::to_string(killAfter));
        TempDir dir;
        if (round == 1) {
            const fs::path leftover = dir.path() / stagingFolderName(nativeProcesses(), testing::kNoProcess, 0, 7);
            fs::create_directory(leftover);
            testing::writeBytes(leftover / "bb.asx", "killed earlier");
        }
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            KillingFileSystem killing(killAfter);
            testing::CreateButton button;
            ::_exit(button.press(killing, dir.utf8(), "bb") == CreateResult::saved ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (!WIFSIGNALED(status)) {
            // Past the last call: the run was not stopped, and saved.
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            EXPECT_EQ(treeContents(dir.path()), whole);
            killAfter = 0;
            ++round;
            continue;
        }
        ASSERT_EQ(WTERMSIG(status), SIGKILL);
        ++killPoints;

        // "bb" is there whole or not at all.
        const bool published = fs::exists(dir.path() / "bb");
        auto found = treeContents(dir.path());
        std::erase_if(found, [](const auto& entry) { return !entry.first.starts_with("bb"); });
        EXPECT_EQ(found, published ? whole : decltype(found){});

        // The next run in the same directory saves, or finds the name taken;
        // either way "bb" is whole and the dead run's staging folder is gone.
        testing::CreateButton button;
        EXPECT_EQ(button.press(nativeFileSystem(), dir.utf8(), "bb"),
                  published ? CreateResult::failed : CreateResult::saved);
        EXPECT_NE(button.said().find(published ? "すでにあります" : "保存しました。"), std::string::npos)
            << button.said();
        EXPECT_EQ(treeContents(dir.path()), whole);
    }
    // A run's calls; the second time also the leftover's listing and the
    // removal of its file and itself.
    EXPECT_EQ(killPoints, 2 * testing::kCallsOfARun + 3);
    std::cout << "kill points tried: " << killPoints << '\n';
}

} // namespace
} // namespace popolun
