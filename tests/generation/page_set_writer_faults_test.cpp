// The writer when the file system fails it: every call failed in turn with
// each disk error (what is left when removals fail too is the fuzzer's), the
// name taken at the last moment, leftovers of dead runs; and the layer's own promises.
#include "name_check.h"
#include "page_set_writer.h"
#include "shown_text.h"
#include "staging_folders.h"
#include "memory_file_system.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>

#ifndef _WIN32
#include "platform/posix/rename_posix.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace popolun {
namespace {

using testing::MemoryFileSystem;
using testing::TempDir;
using testing::treeContents;
namespace fs = std::filesystem;
using Entries = std::map<std::string, MemoryFileSystem::Entry>;

constexpr auto npos = std::string::npos;

std::string join(const std::string& directory, const std::string& name) { return directory + pathSeparator() + name; }

// A program directory that already holds things of its own, in memory.
const std::string kProgram = join("", "p");
MemoryFileSystem programDirectory()
{
    MemoryFileSystem fileSystem(pathSeparator());
    fileSystem.addFolder(kProgram);
    fileSystem.addFile(join(kProgram, "other.txt"), "existing");
    fileSystem.addFolder(join(kProgram, "older"));
    fileSystem.addFile(join(join(kProgram, "older"), "older.asx"), "kept");
    return fileSystem;
}

// A path as a message shows it.
std::string quoted(const std::string& path) { return "「" + shownPath(path, pathSeparator()) + "」"; }

using testing::kCallsAFile;
constexpr int kCallsARun = testing::kCallsOfARun, kLastFileCall = kCallsARun - 3;

// What the message of a failing call says, by the call's number; each names
// its folder or file as the user knows it, under the final name.
std::string stepWords(int call)
{
    const std::string folder = join(kProgram, "bb");
    if (call > 2 && call <= kLastFileCall) {
        const int file = (call - 3) / kCallsAFile, step = (call - 3) % kCallsAFile;
        return quoted(join(folder, "bb" + std::string(kPageFiles[file].ending)))
             + (step == 2 ? "の書き込みの確定" : "を書き込めませんでした");
    }
    if (call == kCallsARun)
        return quoted(kProgram) + "の確定";
    return quoted(folder) + (call == 2 ? "を作成できませんでした" : call == kCallsARun - 1 ? "への名前の変更" : "の確定");
}

// Whatever a run made and could not remove is named, and not claimed removed.
void expectLeftNamed(const std::string& said, const Entries& before, const Entries& after)
{
    EXPECT_EQ(said.find("削除しました"), npos) << said;
    EXPECT_EQ(said.find("保存しました"), npos) << said;
    int left = 0;
    for (const auto& [path, entry] : after) {
        if (!before.contains(path) && ++left)
            EXPECT_NE(said.find(quoted(path)), npos) << path << '\n' << said;
    }
    EXPECT_GT(left, 0);
}

TEST(Faults, EveryFailingCallIsReportedAndUndoneOrWhatIsLeftNamedForEveryDiskError)
{
    // Each error, and the reason the message gives for it.
    const std::vector<std::pair<FsResult, std::string>> diskErrors = {
        {{FsError::noSpace, "No space left on device"}, "ディスクの空き容量が足りません。"},
        {{FsError::accessDenied, "Permission denied"}, "書き込む権限がありません。"},
        {{FsError::nameTooLong, "File name too long"}, "名前が長すぎます。"},
        {{FsError::ioError, "Input/output error"}, "ディスクの読み書きでエラーが起きました。"},
        {{FsError::readOnly, "Read-only file system"}, "読み取り専用の場所です。"},
        {{FsError::notFound, "No such file or directory"}, "保存先のフォルダーが見つかりません。"},
        {{FsError::invalidName, "Invalid argument"}, "この名前はファイル名に使えません。"},
        {{FsError::other, "Stale file handle"}, "システムエラー（Stale file handle）"},
    };
    testing::CreateButton button;
    MemoryFileSystem clean = programDirectory();
    ASSERT_EQ(button.press(clean, kProgram, "bb"), CreateResult::saved);

    int injected = 0;
    for (const auto& [fault, reason] : diskErrors) {
        for (int failAt = 1;; ++failAt) {
            SCOPED_TRACE("error " + std::to_string(static_cast<int>(fault.error)) + ", call " + std::to_string(failAt));
            MemoryFileSystem fileSystem = programDirectory();
            fileSystem.failAt = failAt;
            fileSystem.fault = fault;
            const Entries before = fileSystem.entries;
            const CreateResult result = button.press(fileSystem, kProgram, "bb");
            injected += fileSystem.faulted;
            if (!fileSystem.faulted || failAt == 1) {
                // Past the last call, or the listing for leftovers, which only
                // tidies up: the page set is made all the same.
                EXPECT_EQ(result, CreateResult::saved);
                EXPECT_EQ(button.said(), "保存しました。");
                EXPECT_EQ(fileSystem.entries, clean.entries);
                if (!fileSystem.faulted)
                    break;
                continue;
            }
            EXPECT_EQ(result, CreateResult::failed);
            const std::string said = button.said();
            EXPECT_NE(said.find(stepWords(failAt)), npos) << said;
            EXPECT_NE(said.find(failAt == 2 ? "何も作成していません" : "削除しました"), npos) << said;
            EXPECT_EQ(said.find(std::string(kStagingPrefix)), npos) << said;
            EXPECT_NE(said.find(reason), npos) << said;
            EXPECT_EQ(fileSystem.entries, before);
        }
    }
    EXPECT_EQ(injected, kCallsARun * static_cast<int>(diskErrors.size()));
    std::cout << "faults injected: " << injected << '\n';
}

// A staging folder's name that is taken when it is made (by a run whose
// clock and process number came round again) is passed over for another.
TEST(Faults, AStagingNameTakenAlreadyIsPassedOver)
{
    testing::CreateButton button;
    MemoryFileSystem clean = programDirectory(), fileSystem = programDirectory();
    ASSERT_EQ(button.press(clean, kProgram, "bb"), CreateResult::saved);
    fileSystem.failAt = 2; // the staging folder's making, after the listing for leftovers
    fileSystem.fault = {FsError::alreadyExists, "File exists"};
    EXPECT_EQ(button.press(fileSystem, kProgram, "bb"), CreateResult::saved);
    EXPECT_TRUE(fileSystem.faulted);
    EXPECT_EQ(fileSystem.entries, clean.entries);
}

// Another copy of the program, or the user, takes the name just before the
// rename: with a folder that holds something, an empty one (which a plain
// rename would replace) or a file.
TEST(Faults, NameTakenAtTheRenameIsReportedAsTakenAndTheirsIsLeftAlone)
{
    const std::string taken = join(kProgram, "bb");
    const Entries theirs[] = {
        {{taken, {true, {}}}, {join(taken, "a"), {false, "x"}}},
        {{taken, {true, {}}}},
        {{taken, {false, "theirs"}}},
    };
    testing::CreateButton button;
    for (const bool removalsFail : {false, true}) {
        for (const Entries& what : theirs) {
            SCOPED_TRACE(std::to_string(what.size()) + (removalsFail ? ", removals fail" : ""));
            MemoryFileSystem fileSystem = programDirectory();
            const Entries before = fileSystem.entries;
            fileSystem.beforeRename = [&] { fileSystem.entries.insert(what.begin(), what.end()); };
            fileSystem.removalsFail = removalsFail;
            EXPECT_EQ(button.press(fileSystem, kProgram, "bb"), CreateResult::failed);
            EXPECT_NE(button.said().find(quoted(taken) + "という名前のものがすでにあります"), npos) << button.said();
            EXPECT_EQ(button.said().find("フォルダー「"), npos) << "it may be a file: " << button.said();
            Entries expected = before;
            expected.insert(what.begin(), what.end());
            if (removalsFail)
                expectLeftNamed(button.said(), expected, fileSystem.entries);
            else
                EXPECT_EQ(fileSystem.entries, expected); // and no staging folder
        }
    }
}

// What the user is told, word for word, when the settings or the disk stop a page set.
TEST(Faults, EachIsToldWordForWord)
{
    const std::string folder = join(kProgram, "bb"), asx = quoted(join(folder, "bb.asx"));
    const std::string disk = "ディスクの読み書きでエラーが起きました。", undone = "作りかけのフォルダーとファイルは削除しました。";
    const std::string notWritten = "ファイル" + asx + "を書き込めませんでした。" + disk;
    // The call that fails, whether removals fail too (what follows names what is left), and what is said.
    const std::tuple<int, bool, std::string> failures[] = {
        {2, false, "フォルダー" + quoted(folder) + "を作成できませんでした。" + disk + "何も作成していません。"},
        {4, false, notWritten + undone},
        {4, true, notWritten + "作りかけの次のものを削除できませんでした：「"},
        {5, false, "ファイル" + asx + "の書き込みの確定（ディスクへの書き出し）ができませんでした。" + disk + undone},
        {kCallsARun - 2, false, "フォルダー" + quoted(folder) + "の確定（ディスクへの書き出し）ができませんでした。" + disk + undone},
        {kCallsARun - 1, false, "作業用のフォルダーから" + quoted(folder) + "への名前の変更ができませんでした。" + disk + undone},
    };
    testing::CreateButton button;
    for (const auto& [failAt, removalsFail, told] : failures) {
        MemoryFileSystem fileSystem = programDirectory();
        fileSystem.failAt = failAt;
        fileSystem.removalsFail = removalsFail;
        button.press(fileSystem, kProgram, "bb");
        EXPECT_EQ(removalsFail ? button.said().substr(0, told.size()) : button.said(), told);
    }
    // "" + "/bb" would be a folder at the root. The first call fails in case it is made.
    MemoryFileSystem fileSystem = programDirectory();
    fileSystem.failAt = 1;
    button.press(fileSystem, "", "bb");
    EXPECT_EQ(button.said(), "プログラムのフォルダーが分からないため、保存先を決められません。何も作成していません。");
    EXPECT_EQ(fileSystem.calls, 0);
    fileSystem.failAt = 0;
    fileSystem.addFolder(folder);
    button.press(fileSystem, kProgram, "bb");
    EXPECT_EQ(button.said(), "「" + shownPath(folder, pathSeparator()) + "」という名前のものがすでにあります。別の名前を記入してください。（すでにあるものはそのままです。）");
    button.press(fileSystem, kProgram, "");
    EXPECT_EQ(button.said(), "記入しましょう。");
    button.session.settings().field(Setting::extension).setText(".wm\u00E9");
    button.press(fileSystem, kProgram, "cc");
    EXPECT_EQ(button.said(), "設定の「\u00E9」はShift_JISで書けない文字です。何も作成していません。");
    button.session.settings().field(Setting::width).setText("３２０");
    button.press(fileSystem, kProgram, "cc");
    EXPECT_EQ(button.said(), "幅は半角数字で入力してください。何も作成していません。");
}

// Staging folders that killed runs left, and things that only look like them.
TEST(Leftovers, OfDeadRunsGoWhenTheyHoldOnlyTheProgramsFiles)
{
    TempDir dir;
    testing::CreateButton button;
    const Processes& processes = nativeProcesses();
    const unsigned long dead = testing::kNoProcess;
    ASSERT_FALSE(processes.running(dead));
    ASSERT_TRUE(processes.running(processes.current()));
    const auto staging = [&](unsigned long owner, int run) {
        return dir.path() / stagingFolderName(processes, owner, static_cast<unsigned long>(run), 7);
    };
    const auto make = [](const fs::path& folder, std::initializer_list<const char*> files) {
        fs::create_directory(folder);
        for (const char* file : files)
            testing::writeBytes(folder / file, "");
    };
    make(staging(dead, 0), {"bb.asx", "bb.htm"}); // killed after two files
    make(staging(dead, 1), {});                   // killed right after the folder
    make(staging(dead, 2), {"bb.asx", "notes.txt"});
    make(staging(dead, 3), {"bb.asx", "cc.htm"}); // two names: not one run's
    make(staging(dead, 4), {});
    fs::create_directory(staging(dead, 4) / "bb01.htm");
    testing::writeBytes(staging(dead, 5), "a file, not a folder");
    make(staging(processes.current(), 6), {"bb.asx"}); // a run that is still writing
    make(staging(0, 11), {"bb.asx"});                   // 0 is no process's number
    make(staging(dead, 12), {".asx", ".htm"});          // endings without a name
    std::string undashed = staging(dead, 13).filename().string();
    undashed[undashed.rfind('-')] = '_';
    make(dir.path() / undashed, {"bb.asx"}); // its numbers not set apart by dashes
    // Of another machine that shares the folder, or not a name the program gives (a copy of one).
    struct OtherMachine final : Processes {
        unsigned long current() const override { return 0; }
        bool running(unsigned long) const override { return false; }
        std::string machineName() const override // as long as this one's, one letter apart
        {
            std::string name = nativeProcesses().machineName();
            name.resize(std::max<std::size_t>(name.size(), 1));
            name[0] = name[0] == 'x' ? 'y' : 'x';
            return name;
        }
    };
    make(dir.path() / stagingFolderName(OtherMachine(), dead, 10, 7), {"bb.asx"});
    make(dir.path() / (std::string(kStagingPrefix) + "x"), {"bb.asx"});
    make(staging(dead, 9) += " copy", {"bb.asx"});
    if (!usesWindowsNameRules()) {
        make(dir.path() / "elsewhere", {"bb.asx"});
        fs::create_directory_symlink("elsewhere", staging(dead, 8));
    }
    // All stays but the first two and process 0's.
    auto expected = treeContents(dir.path());
    std::erase_if(expected, [&](const auto& entry) {
        const fs::path top = *fs::path(entry.first).begin();
        return top == staging(dead, 0).filename() || top == staging(dead, 1).filename()
            || top == staging(0, 11).filename();
    });

    EXPECT_EQ(button.press(nativeFileSystem(), dir.utf8(), "cc"), CreateResult::saved);
    fs::remove_all(dir.path() / "cc");
    EXPECT_EQ(treeContents(dir.path()), expected);
}

#ifndef _WIN32
// Another user's process may not be signalled (EPERM); it runs all the same,
// so its staging folder is not swept away as a dead run's.
TEST(Leftovers, AnotherUsersProcessCountsAsRunning)
{
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(77);
        if (::kill(1, 0) == 0)
            ::_exit(77); // process 1 is this user's
        ::_exit(nativeProcesses().running(1) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no process of another user here to ask about (process 1 is this user's and no other user can be taken)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a live process of another user was taken as gone";
}
#endif

// The layer's own promises on the real file system, for either platform.
TEST(FileSystemLayer, RenameReplacesNothingAndErrorsAreToldInTheLayersTerms)
{
    using Rename = FsResult (*)(const std::string&, const std::string&);
    std::vector<std::pair<std::string, Rename>> renames{
        {"renameNoReplace", [](const std::string& from, const std::string& to) {
             return nativeFileSystem().renameNoReplace(from, to);
         }},
    };
#ifndef _WIN32
    renames.emplace_back("the fallback without RENAME_NOREPLACE", posix::renameByReservingTheName);
#endif
    FileSystem& fileSystem = nativeFileSystem();
    for (const auto& [label, rename] : renames) {
        SCOPED_TRACE(label);
        TempDir dir;
        const std::string from = join(dir.utf8(), "動画"), to = join(dir.utf8(), "to"), file = join(from, "a.htm");
        ASSERT_TRUE(fileSystem.makeDirectory(from).ok());
        EXPECT_EQ(fileSystem.makeDirectory(from).error, FsError::alreadyExists);
        FileHandle handle = 0;
        ASSERT_TRUE(fileSystem.openNewFile(file, handle).ok());
        EXPECT_TRUE(fileSystem.write(handle, "\x83\x72\r\n").ok());
        EXPECT_TRUE(fileSystem.flush(handle).ok());
        EXPECT_TRUE(fileSystem.close(handle).ok());
        EXPECT_TRUE(fileSystem.flushDirectory(from).ok());
        EXPECT_EQ(fileSystem.openNewFile(file, handle).error, FsError::alreadyExists); // never reopened
        EXPECT_EQ(fileSystem.removeDirectory(from).error, FsError::alreadyExists);     // not empty
        EXPECT_EQ(fileSystem.makeDirectory(join(join(dir.utf8(), "gone"), "x")).error, FsError::notFound);
        if (!usesWindowsNameRules()) // Linux: more than 255 bytes
            EXPECT_EQ(fileSystem.openNewFile(join(from, std::string(256, 'a')), handle).error, FsError::nameTooLong);
        const FsResult removed = fileSystem.removeFile(join(from, "gone.htm"));
        EXPECT_EQ(removed.error, FsError::notFound);
        EXPECT_FALSE(removed.systemText.empty());

        // An empty folder, a folder with something in it and a file all keep the name.
        const fs::path taken = dir.path() / "to";
        for (int how = 0; how < 3; ++how) {
            if (how == 2)
                testing::writeBytes(taken, "theirs");
            else if (fs::create_directory(taken) && how == 1)
                testing::writeBytes(taken / "theirs.htm", "theirs");
            const auto before = treeContents(dir.path());
            EXPECT_EQ(rename(from, to).error, FsError::alreadyExists) << how;
            EXPECT_EQ(treeContents(dir.path()), before) << how;
            fs::remove_all(taken);
        }
        EXPECT_TRUE(rename(from, to).ok());
        EXPECT_EQ(rename(from, join(dir.utf8(), "again")).error, FsError::notFound);

        EXPECT_EQ(testing::readBytes(taken / "a.htm"), "\x83\x72\r\n");
    }
}

// A page set is made with nothing of it, or of its folder, left open: the
// program may run for many page sets, and on Windows the user could not move
// or delete one while it runs. On POSIX it is made as the user's other files
// are, so that others (a web server) may read it.
TEST(FileSystemLayer, NothingIsLeftOpenAfterAPageSet)
{
    TempDir dir;
#ifndef _WIN32
    const auto open = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()); };
    const auto before = open();
    const mode_t mask = ::umask(022);
#endif
    testing::CreateButton button;
    ASSERT_EQ(button.press(nativeFileSystem(), dir.utf8(), "bb"), CreateResult::saved);
#ifndef _WIN32
    ::umask(mask);
    EXPECT_EQ(open(), before);
    EXPECT_EQ(fs::status(dir.path() / "bb").permissions(), fs::perms(0755));
    for (const char* file : {"bb.asx", "bb.htm", "bb01.htm"})
        EXPECT_EQ(fs::status(dir.path() / "bb" / file).permissions(), fs::perms(0644)) << file;
#endif
    std::error_code error;
    fs::rename(dir.path() / "bb", dir.path() / "moved", error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(fs::remove_all(dir.path() / "moved", error), 4u) << error.message();
}

// The program's folder, where page sets go and messages name: no separator at its end.
TEST(FileSystemLayer, TheProgramsFolderIsTheOneThatHoldsIt)
{
    const std::string folder = executableDirectory();
    EXPECT_FALSE(folder.empty() || folder.back() == pathSeparator()) << folder;
#ifdef _WIN32
    EXPECT_TRUE(fs::is_regular_file(testing::fromUtf8(folder) / "generation_tests.exe")) << folder;
#else
    EXPECT_EQ(folder, fs::read_symlink("/proc/self/exe").parent_path().string());
#endif
}

#ifndef _WIN32
// Where the file system has no RENAME_NOREPLACE the new name is first taken
// by an empty folder; when the rename then fails, that folder goes again.
TEST(FileSystemLayer, TheFallbackRenameGivesBackTheNameItReservedWhenTheRenameFails)
{
    TempDir dir;
    const std::string from = join(dir.utf8(), "from");
    EXPECT_EQ(posix::renameByReservingTheName(join(dir.utf8(), "missing"), join(dir.utf8(), "to")).error,
              FsError::notFound);
    ASSERT_TRUE(nativeFileSystem().makeDirectory(from).ok());
    EXPECT_FALSE(posix::renameByReservingTheName(from, join(from, "into itself")).ok());
    EXPECT_EQ(treeContents(dir.path()), (std::map<std::string, std::string>{{"from", "<dir>"}}));
}

// A full disk is told as one, and a write that the descriptor takes only
// in part (a pipe with room for less) is never reported as whole.
TEST(FileSystemLayer, AFullDiskAndAWriteTakenInPartAreFailures)
{
    FileSystem& fileSystem = nativeFileSystem();
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    EXPECT_EQ(fileSystem.write(full, "bb").error, FsError::noSpace);
    ::close(full);
    int pipe[2];
    ASSERT_EQ(::pipe2(pipe, O_NONBLOCK | O_CLOEXEC), 0);
    EXPECT_FALSE(fileSystem.write(pipe[1], std::string(std::size_t(::fcntl(pipe[1], F_GETPIPE_SZ)) + 1, 'b')).ok());
    ::close(pipe[0]);
    ::close(pipe[1]);
}

// A read-only file system (a tmpfs mounted read-only in a mount namespace of
// the test's own) is named as one in the message.
TEST(FileSystemLayer, AReadOnlyFileSystemIsToldAsOne)
{
    TempDir dir;
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (::unshare(::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0
            || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("none", dir.path().c_str(), "tmpfs", MS_RDONLY, nullptr) != 0)
            ::_exit(77);
        testing::CreateButton button;
        button.press(nativeFileSystem(), dir.utf8(), "bb");
        ::_exit(button.said().find("読み取り専用の場所です。") == npos);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        GTEST_SKIP() << "no mount namespace can be made here (it needs root or user namespaces) for a read-only file system";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a read-only file system not named as one";
}
#endif

} // namespace
} // namespace popolun
