// What a user finds after the program stops at a bad moment, and when two
// copies of it want the same name: real processes on the real file system.
// POSIX only (fork, SIGKILL).
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
class KillingFileSystem final : public testing::PassThroughFileSystem {
public:
    explicit KillingFileSystem(int killAfter) : killAfter_(killAfter) {}

protected:
    FsResult around(Call, const std::string&, const std::function<FsResult()>& pass) override
    {
        const FsResult result = pass();
        if (++calls_ == killAfter_)
            std::raise(SIGKILL);
        return result;
    }

private:
    int killAfter_, calls_ = 0;
};

// Exit codes of a child run.
enum Outcome { saved = 0, taken = 1, otherwise = 2 };

[[noreturn]] void runChild(FileSystem& fileSystem, const std::string& programDirectory)
{
    testing::CreateButton button;
    const CreateResult result = button.press(fileSystem, programDirectory, "bb");
    if (result == CreateResult::saved && button.said() == "保存しました。")
        ::_exit(saved);
    ::_exit(result == CreateResult::failed && button.said().find("すでにあります") != std::string::npos ? taken
                                                                                                   : otherwise);
}

// The page set "bb" as a run that nothing stopped leaves it.
std::map<std::string, std::string> wholePageSet()
{
    TempDir clean;
    EXPECT_EQ(testing::CreateButton().press(nativeFileSystem(), clean.utf8(), "bb"), CreateResult::saved);
    return treeContents(clean.path());
}

TEST(Crash, KilledAtEveryStepLeavesAWholePageSetOrNoneAndTheNextRunCopes)
{
    const auto whole = wholePageSet();
    ASSERT_EQ(whole.size(), 4u);
    int killPoints = 0;
    // The second time the directory holds a dead run's leftover, so that
    // kills also fall inside its removal.
    for (int killAfter = 1, round = 0; round < 2; ++killAfter) {
        SCOPED_TRACE("round " + std::to_string(round) + ", killed after call " + std::to_string(killAfter));
        TempDir dir;
        if (round == 1) {
            const fs::path leftover = dir.path() / stagingFolderName(2147483644, 0, 7); // no process's id
            fs::create_directory(leftover);
            testing::writeBytes(leftover / "bb.asx", "killed earlier");
        }
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            KillingFileSystem killing(killAfter);
            runChild(killing, dir.utf8());
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (!WIFSIGNALED(status)) {
            // Past the last call: the run was not stopped, and saved.
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == saved);
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
    // The 17 calls of a run; the second time also the leftover's listing and
    // the removal of its file and itself.
    EXPECT_EQ(killPoints, 17 + 20);
    std::cout << "kill points tried: " << killPoints << '\n';
}

TEST(Race, TwoRunsStartedTogetherForOneNameSaveOnce)
{
    const auto whole = wholePageSet();
    int rounds = 0;
    for (; rounds < 100 && !HasFailure(); ++rounds) {
        TempDir dir;
        // Both children wait on the pipe and start when it closes.
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        pid_t children[2];
        for (pid_t& child : children) {
            child = ::fork();
            ASSERT_NE(child, -1);
            if (child == 0) {
                ::close(gate[1]);
                char byte;
                (void)!::read(gate[0], &byte, 1);
                runChild(nativeFileSystem(), dir.utf8());
            }
        }
        ::close(gate[0]);
        ::close(gate[1]);
        std::multiset<int> outcomes;
        for (const pid_t child : children) {
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            outcomes.insert(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        EXPECT_EQ(outcomes, (std::multiset<int>{saved, taken})) << "round " << rounds;
        EXPECT_EQ(treeContents(dir.path()), whole) << "round " << rounds; // and no staging folder
    }
    std::cout << "race rounds: " << rounds << '\n';
}

} // namespace
} // namespace popolun
