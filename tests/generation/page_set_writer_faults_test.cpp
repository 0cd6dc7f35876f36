#include "faulty_file_system.h"
#include "page_set_writer.h"
#include "session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <set>

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
        session.main().setText(1, name);
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
            if (!fileSystem.injected()) {
                // Folder, then open, write and close for each of the three files.
                EXPECT_EQ(fileSystem.calls(), 10);
                EXPECT_EQ(result, CreateResult::saved);
                EXPECT_EQ(message(), "保存しました。");
                EXPECT_EQ(treeContents(dir.path() / "bb"), cleanPageSet);
                fs::remove_all(dir.path() / "bb");
                break;
            }
            ++injected;
            EXPECT_EQ(result, CreateResult::failed);
            EXPECT_EQ(message().find("保存しました"), npos) << message();
            EXPECT_NE(message().find("「" + fileSystem.failedPath() + "」"), npos) << message();
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
    EXPECT_EQ(injected, 10 * static_cast<int>(kDiskErrors.size()));
    std::cout << "faults injected: " << injected << '\n';
}

TEST_F(Faults, WhatCannotBeRemovedIsNamedNotClaimedRemoved)
{
    // Call 6 writes the link page: the folder, the ASX file and the link page exist by then.
    FaultyFileSystem fileSystem(6, {FsError::ioError, "Input/output error"});
    fileSystem.failRemovals({FsError::accessDenied, "Permission denied"});
    EXPECT_EQ(create(fileSystem, "bb", dir.utf8()), CreateResult::failed);

    EXPECT_EQ(message().find("削除しました"), npos) << message();
    EXPECT_EQ(message().find("保存しました"), npos) << message();
    const std::string folder = join(dir.utf8(), "bb");
    for (const std::string& left : {folder, join(folder, "bb.asx"), join(folder, "bb.htm")}) {
        EXPECT_NE(message().find("「" + left + "」"), npos) << left << '\n' << message();
        EXPECT_TRUE(fs::exists(testing::fromUtf8(left))) << left;
    }
}

// The real file system: its own errors, and the messages they give.
// Names of more than 255 bytes are too long on Linux; Windows counts otherwise.
TEST_F(Faults, NameTooLongForAFolderCreatesNothing)
{
    if (usesWindowsNameRules())
        GTEST_SKIP() << "Linux name limits";
    const auto before = treeContents(dir.path());
    EXPECT_EQ(create(nativeFileSystem(), std::string(256, 'a'), dir.utf8()), CreateResult::failed);
    EXPECT_NE(message().find("作成できませんでした"), npos) << message();
    EXPECT_NE(message().find("名前が長すぎます"), npos) << message();
    EXPECT_EQ(treeContents(dir.path()), before);
}

TEST_F(Faults, NameTooLongForTheEmbedPageRemovesTheFolderAndTheFirstFiles)
{
    // 250 bytes make a folder and NAME.asx and NAME.htm (254), but not NAME01.htm (256).
    if (usesWindowsNameRules())
        GTEST_SKIP() << "Linux name limits";
    const std::string name(250, 'a');
    const auto before = treeContents(dir.path());
    EXPECT_EQ(create(nativeFileSystem(), name, dir.utf8()), CreateResult::failed);
    EXPECT_NE(message().find("「" + join(join(dir.utf8(), name), name + "01.htm") + "」"), npos) << message();
    EXPECT_NE(message().find("名前が長すぎます"), npos) << message();
    EXPECT_NE(message().find("削除しました"), npos) << message();
    EXPECT_EQ(treeContents(dir.path()), before);
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

} // namespace
} // namespace popolun
