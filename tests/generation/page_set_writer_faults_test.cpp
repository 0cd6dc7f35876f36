#include "faulty_file_system.h"
#include "name_check.h"
#include "page_set_writer.h"
#include "platform/process.h"
#include "session.h"
#include "staging_folders.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <set>

#ifndef _WIN32
#include "platform/posix/rename_posix.h"
#endif

namespace popolun {
namespace {

using testing::FaultyFileSystem;
using testing::RecordedMessages;
using testing::TempDir;
using testing::treeContents;
namespace fs = std::filesystem;

constexpr auto npos = std::string::npos;

// A path as the writer spells it.
std::string join(const std::string& directory, const std::string& name)
{
    return directory + pathSeparator() + name;
}

// What a disk says when it cannot do what it was asked.
const std::vector<FsResult> kDiskErrors = {
    {FsError::noSpace, "No space left on device"},
    {FsError::accessDenied, "Permission denied"},
    {FsError::nameTooLong, "File name too long"},
    {FsError::ioError, "Input/output error"},
    {FsError::other, "Stale file handle"},
};

// A program directory that already holds things of its own.
class Faults : public ::testing::Test {
protected:
    Faults()
    {
        session.load();
        testing::writeBytes(dir.path() / "other.txt", "existing");
        fs::create_directory(dir.path() / "older");
        testing::writeBytes(dir.path() / "older" / "older.asx", "kept");
    }

    CreateResult create(FileSystem& fileSystem, const std::string& name, const std::string& programDirectory)
    {
        messages.shown.clear();
        session.main().setText(FieldId::name, name);
        PageSetWriter writer(fileSystem, programDirectory, messages);
        return writer.create(session.main().snapshot());
    }

    // The one message of the last run.
    const std::string& message() const
    {
        EXPECT_EQ(messages.shown.size(), 1u);
        return messages.shown.back();
    }

    Session session;
    TempDir dir;
    RecordedMessages messages;
};

// The path a call was given, as the user knows it: the staging folder under its final name.
std::string asPublished(const std::string& path, const std::string& name)
{
    const auto at = path.find(std::string(1, pathSeparator()) + std::string(kStagingPrefix));
    if (at == npos)
        return path;
    const auto end = path.find(pathSeparator(), at + 1);
    return path.substr(0, at + 1) + name + (end == npos ? "" : path.substr(end));
}

// What the message of a failing call must say of its step, by the call's
// number: the listing, the staging folder, open, write, flush and close of
// each file, the staging folder's flush, the rename and the directory's flush.
std::string stepWords(int call)
{
    if (call == 2)
        return "を作成できませんでした";
    if (call >= 3 && call <= 14)
        return (call - 3) % 4 == 2 ? "の書き込みの確定" : "を書き込めませんでした";
    return call == 16 ? "への名前の変更" : "の確定";
}

TEST_F(Faults, EveryFailingCallIsReportedAndUndoneForEveryDiskError)
{
    const auto before = treeContents(dir.path());
    TempDir clean;
    ASSERT_EQ(create(nativeFileSystem(), "bb", clean.utf8()), CreateResult::saved);
    const auto cleanPageSet = treeContents(clean.path() / "bb");

    int injected = 0;
    std::map<int, std::set<std::string>> messagesAt; // by the call that failed
    for (const FsResult& fault : kDiskErrors) {
        for (int failAt = 1;; ++failAt) {
            SCOPED_TRACE("error " + std::to_string(static_cast<int>(fault.error)) + ", call " + std::to_string(failAt));
            FaultyFileSystem fileSystem(failAt, fault);
            const CreateResult result = create(fileSystem, "bb", dir.utf8());
            if (fileSystem.injected())
                ++injected;
            if (!fileSystem.injected() || failAt == 1) {
                // Past the last call, or the listing for leftovers, which only
                // tidies up: the page set is made all the same.
                EXPECT_EQ(fileSystem.calls(), 17);
                EXPECT_EQ(result, CreateResult::saved);
                EXPECT_EQ(message(), "保存しました。");
                EXPECT_EQ(treeContents(dir.path() / "bb"), cleanPageSet);
                fs::remove_all(dir.path() / "bb");
                EXPECT_EQ(treeContents(dir.path()), before);
                if (!fileSystem.injected())
                    break;
                continue;
            }
            EXPECT_EQ(result, CreateResult::failed);
            EXPECT_EQ(message().find("保存しました"), npos) << message();
            EXPECT_NE(message().find("「" + asPublished(fileSystem.failedPath(), "bb") + "」" + stepWords(failAt)),
                      npos) << message();
            EXPECT_EQ(message().find(std::string(kStagingPrefix)), npos) << message();
            if (fault.error == FsError::noSpace)
                EXPECT_NE(message().find("ディスクの空き容量が足りません"), npos) << message();
            if (fault.error == FsError::other)
                EXPECT_NE(message().find(fault.systemText), npos) << message();
            EXPECT_EQ(treeContents(dir.path()), before);
            messagesAt[failAt].insert(message());
        }
    }
    // Each error has its own reason in the message.
    for (const auto& [failAt, texts] : messagesAt)
        EXPECT_EQ(texts.size(), kDiskErrors.size()) << "call " << failAt;
    EXPECT_EQ(injected, 17 * static_cast<int>(kDiskErrors.size()));
    std::cout << "faults injected: " << injected << '\n';
}

TEST_F(Faults, WhatCannotBeRemovedIsNamedNotClaimedRemoved)
{
    // Call 8 writes the link page: the staging folder, the ASX file and the link page exist by then.
    FaultyFileSystem fileSystem(8, {FsError::ioError, "Input/output error"});
    fileSystem.failRemovals({FsError::accessDenied, "Permission denied"});
    EXPECT_EQ(create(fileSystem, "bb", dir.utf8()), CreateResult::failed);

    EXPECT_EQ(message().find("削除しました"), npos) << message();
    EXPECT_EQ(message().find("保存しました"), npos) << message();
    const std::string staging = fileSystem.failedPath().substr(0, fileSystem.failedPath().rfind(pathSeparator()));
    for (const std::string& left : {staging, join(staging, "bb.asx"), join(staging, "bb.htm")}) {
        EXPECT_NE(message().find("「" + left + "」"), npos) << left << '\n' << message();
        EXPECT_TRUE(fs::exists(testing::fromUtf8(left))) << left;
    }
}

// Another copy of the program, or the user, takes the name while this run
// writes: a folder with something in it, an empty folder or a file.
enum class Taken { folderWithAFile, emptyFolder, file };

class TakesTheNameFirst : public FaultyFileSystem {
public:
    TakesTheNameFirst(fs::path name, Taken how) : FaultyFileSystem(0, {}), name_(std::move(name)), how_(how) {}

    FsResult renameNoReplace(const std::string& from, const std::string& to) override
    {
        if (how_ == Taken::file) {
            testing::writeBytes(name_, "theirs");
        } else {
            fs::create_directory(name_);
            if (how_ == Taken::folderWithAFile)
                testing::writeBytes(name_ / "theirs.htm", "theirs");
        }
        return FaultyFileSystem::renameNoReplace(from, to);
    }

private:
    fs::path name_;
    Taken how_;
};

TEST_F(Faults, NameTakenWhileWritingIsReportedAsTakenAndLeftAlone)
{
    using Tree = std::map<std::string, std::string>;
    const std::pair<Taken, Tree> cases[] = {
        {Taken::folderWithAFile, {{"bb", "<dir>"}, {join("bb", "theirs.htm"), "theirs"}}},
        {Taken::emptyFolder, {{"bb", "<dir>"}}}, // a plain rename would replace it
        {Taken::file, {{"bb", "theirs"}}},
    };
    for (const auto& [how, theirs] : cases) {
        SCOPED_TRACE("case " + std::to_string(static_cast<int>(how)));
        TempDir program;
        TakesTheNameFirst fileSystem(program.path() / "bb", how);
        EXPECT_EQ(create(fileSystem, "bb", program.utf8()), CreateResult::failed);
        EXPECT_NE(message().find("「" + join(program.utf8(), "bb") + "」という名前のものがすでにあります"), npos)
            << message();
        EXPECT_EQ(treeContents(program.path()), theirs); // and no staging folder
    }
}

// Staging folders that killed runs left, and things that only look like them.
TEST_F(Faults, LeftoversOfDeadRunsGoWhenTheyHoldOnlyTheProgramsFiles)
{
    const unsigned long dead = 2147483644; // above any pid_max, and no Windows process id
    ASSERT_FALSE(processRunning(dead));
    ASSERT_TRUE(processRunning(currentProcessId()));
    const auto staging = [&](unsigned long owner, int run) {
        return dir.path() / stagingFolderName(owner, static_cast<unsigned long>(run), 7);
    };
    fs::create_directory(staging(dead, 0));
    testing::writeBytes(staging(dead, 0) / "bb.asx", "killed after two files");
    testing::writeBytes(staging(dead, 0) / "bb.htm", "");
    fs::create_directory(staging(dead, 1)); // killed right after the folder
    fs::create_directory(staging(dead, 2));
    testing::writeBytes(staging(dead, 2) / "bb.asx", "");
    testing::writeBytes(staging(dead, 2) / "notes.txt", "someone's");
    fs::create_directory(staging(dead, 3));
    testing::writeBytes(staging(dead, 3) / "bb.asx", "");
    testing::writeBytes(staging(dead, 3) / "cc.htm", "two names: not one run's");
    fs::create_directory(staging(dead, 4));
    fs::create_directory(staging(dead, 4) / "bb01.htm");
    testing::writeBytes(staging(dead, 5), "a file, not a folder");
    fs::create_directory(staging(currentProcessId(), 6)); // a run that is still writing
    testing::writeBytes(staging(currentProcessId(), 6) / "bb.asx", "");
    // Not of this machine (another one shares the folder), or not a name the program gives.
    for (const std::string& name : {std::string(kStagingPrefix) + "00000000-" + std::to_string(dead) + "-0-7",
                                    std::string(kStagingPrefix) + "x"}) {
        fs::create_directory(dir.path() / name);
        testing::writeBytes(dir.path() / name / "bb.asx", "");
    }
    if (!usesWindowsNameRules()) {
        fs::create_directory(dir.path() / "elsewhere");
        testing::writeBytes(dir.path() / "elsewhere" / "bb.asx", "reached through a link");
        fs::create_directory_symlink("elsewhere", staging(dead, 8));
    }
    // All stays but the first two.
    auto expected = treeContents(dir.path());
    std::erase_if(expected, [&](const auto& entry) {
        const std::string top = fs::path(entry.first).begin()->string();
        return top == staging(dead, 0).filename().string() || top == staging(dead, 1).filename().string();
    });

    EXPECT_EQ(create(nativeFileSystem(), "cc", dir.utf8()), CreateResult::saved);
    fs::remove_all(dir.path() / "cc");
    EXPECT_EQ(treeContents(dir.path()), expected);
}

// The real file system: its own errors, and the messages they give.
// Names of more than 255 bytes are too long on Linux; Windows counts otherwise.
TEST_F(Faults, NameTooLongForTheFirstOrTheLastFileRemovesWhatWasMade)
{
    // 256 bytes fail at NAME.asx; 250 make NAME.asx and NAME.htm (254) but not NAME01.htm (256).
    if (usesWindowsNameRules())
        GTEST_SKIP() << "Linux name limits";
    const auto before = treeContents(dir.path());
    for (const auto& [length, file] : {std::pair{256, ".asx"}, std::pair{250, "01.htm"}}) {
        const std::string name(static_cast<std::size_t>(length), 'a');
        EXPECT_EQ(create(nativeFileSystem(), name, dir.utf8()), CreateResult::failed);
        EXPECT_NE(message().find("「" + join(join(dir.utf8(), name), name + file) + "」を書き込めませんでした"), npos)
            << message();
        EXPECT_NE(message().find("名前が長すぎます"), npos) << message();
        EXPECT_NE(message().find("削除しました"), npos) << message();
        EXPECT_EQ(treeContents(dir.path()), before);
    }
}

TEST_F(Faults, NameTakenByAPlainFileLeavesTheFile)
{
    testing::writeBytes(dir.path() / "bb", "a file, not a folder");
    const auto before = treeContents(dir.path());
    EXPECT_EQ(create(nativeFileSystem(), "bb", dir.utf8()), CreateResult::failed);
    EXPECT_NE(message().find("すでにあります"), npos) << message();
    EXPECT_EQ(message().find("フォルダー「"), npos) << "it is a file: " << message();
    EXPECT_EQ(treeContents(dir.path()), before);
}

TEST_F(Faults, UnknownProgramDirectoryMakesNothingAtTheRoot)
{
    // executableDirectory() is empty when the system cannot tell; "" + "/bb"
    // would be a folder at the root. The first call fails in case it is made.
    FaultyFileSystem fileSystem(1, {FsError::accessDenied, "Permission denied"});
    EXPECT_EQ(create(fileSystem, "bb", ""), CreateResult::failed);
    EXPECT_EQ(fileSystem.calls(), 0);
    EXPECT_NE(message().find("何も作成していません"), npos) << message();
}

TEST_F(Faults, RemovedProgramDirectoryIsReportedNotSaved)
{
    const fs::path program = dir.path() / "program";
    fs::create_directory(program);
    const std::string programUtf8 = join(dir.utf8(), "program");
    fs::remove(program);
    EXPECT_EQ(create(nativeFileSystem(), "bb", programUtf8), CreateResult::failed);
    EXPECT_NE(message().find("「" + join(programUtf8, "bb") + "」を作成できませんでした"), npos) << message();
    EXPECT_NE(message().find("見つかりません"), npos) << message();
    EXPECT_FALSE(fs::exists(program));
}

// The layer's own promises on the real file system, for either platform.
TEST(FileSystemLayer, RenameReplacesNothingAndListingTellsFilesFromFolders)
{
    using Rename = std::function<FsResult(const std::string&, const std::string&)>;
    std::vector<std::pair<std::string, Rename>> renames{
        {"renameNoReplace", [](const auto& from, const auto& to) { return nativeFileSystem().renameNoReplace(from, to); }},
    };
#ifndef _WIN32
    renames.emplace_back("the fallback without RENAME_NOREPLACE", posix::renameByReservingTheName);
#endif
    FileSystem& fileSystem = nativeFileSystem();
    for (const auto& [label, rename] : renames) {
        SCOPED_TRACE(label);
        TempDir dir;
        const std::string from = join(dir.utf8(), "from"), to = join(dir.utf8(), "to");
        ASSERT_TRUE(fileSystem.makeDirectory(from).ok());
        FileHandle handle = 0;
        ASSERT_TRUE(fileSystem.openNewFile(join(from, "a.htm"), handle).ok());
        EXPECT_TRUE(fileSystem.write(handle, "abc").ok());
        EXPECT_TRUE(fileSystem.flush(handle).ok());
        EXPECT_TRUE(fileSystem.close(handle).ok());
        EXPECT_TRUE(fileSystem.flushDirectory(from).ok());

        // An empty folder, a folder with something in it and a file all keep the name.
        const fs::path taken = dir.path() / "to";
        for (int how = 0; how < 3; ++how) {
            if (how == 2) {
                testing::writeBytes(taken, "theirs");
            } else {
                fs::create_directory(taken);
                if (how == 1)
                    testing::writeBytes(taken / "theirs.htm", "theirs");
            }
            const auto before = treeContents(dir.path());
            EXPECT_EQ(rename(from, to).error, FsError::alreadyExists) << how;
            EXPECT_EQ(treeContents(dir.path()), before) << how;
            fs::remove_all(taken);
        }
        EXPECT_TRUE(rename(from, to).ok());
        EXPECT_EQ(rename(from, join(dir.utf8(), "again")).error, FsError::notFound);
        EXPECT_TRUE(fileSystem.flushDirectory(dir.utf8()).ok());

        std::vector<DirectoryEntry> entries;
        ASSERT_TRUE(fileSystem.listDirectory(dir.utf8(), entries).ok());
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].name, "to");
        EXPECT_EQ(entries[0].kind, DirectoryEntry::Kind::folder);
        ASSERT_TRUE(fileSystem.listDirectory(to, entries).ok());
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].name, "a.htm");
        EXPECT_EQ(entries[0].kind, DirectoryEntry::Kind::file);
        EXPECT_EQ(testing::readBytes(taken / "a.htm"), "abc");
        EXPECT_EQ(fileSystem.listDirectory(from, entries).error, FsError::notFound);
    }
}

} // namespace
} // namespace popolun
