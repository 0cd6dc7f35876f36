// What only a Windows build shows: wide names, "\" paths, the Windows name
// rules through the real file system, and the executable's directory.
#include "page_set_writer.h"
#include "session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace popolun {
namespace {

using testing::RecordedMessages;
using testing::TempDir;
namespace fs = std::filesystem;

// The names in a directory exactly as the file system holds them.
std::vector<std::wstring> wideNames(const fs::path& directory)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((directory.wstring() + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string utf8(const fs::path& path)
{
    const auto text = path.u8string();
    return {text.begin(), text.end()};
}

// Passes everything to the real file system and keeps the paths it was given.
class RecordingFileSystem : public FileSystem {
public:
    std::vector<std::string> paths;

    FsResult makeDirectory(const std::string& path) override
    {
        paths.push_back(path);
        return nativeFileSystem().makeDirectory(path);
    }
    FsResult openNewFile(const std::string& path, FileHandle& handle) override
    {
        paths.push_back(path);
        return nativeFileSystem().openNewFile(path, handle);
    }
    FsResult write(FileHandle handle, std::string_view bytes) override { return nativeFileSystem().write(handle, bytes); }
    FsResult flush(FileHandle handle) override { return nativeFileSystem().flush(handle); }
    FsResult close(FileHandle handle) override { return nativeFileSystem().close(handle); }
    FsResult flushDirectory(const std::string& path) override { return nativeFileSystem().flushDirectory(path); }
    FsResult renameNoReplace(const std::string& from, const std::string& to) override
    {
        paths.push_back(to);
        return nativeFileSystem().renameNoReplace(from, to);
    }
    FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override
    {
        return nativeFileSystem().listDirectory(path, entries);
    }
    FsResult removeFile(const std::string& path) override { return nativeFileSystem().removeFile(path); }
    FsResult removeDirectory(const std::string& path) override { return nativeFileSystem().removeDirectory(path); }
};

class WindowsWriter : public ::testing::Test {
protected:
    WindowsWriter() { session.load(); }

    CreateResult create(FileSystem& fileSystem, const std::string& name)
    {
        session.main().setText(FieldId::name, name);
        PageSetWriter writer(fileSystem, dir.utf8(), messages);
        return writer.create(session.main().snapshot());
    }

    Session session;
    TempDir dir;
    RecordedMessages messages;
};

TEST_F(WindowsWriter, JapaneseNameReachesTheFileSystemAsUtf16BehindBackslashes)
{
    const std::string name = "\u52D5\u753B\uFF5E\u30D3\u30C7\u30AA"; // 動画～ビデオ
    const std::wstring wide = L"\u52D5\u753B\uFF5E\u30D3\u30C7\u30AA";
    RecordingFileSystem recording;
    ASSERT_EQ(create(recording, name), CreateResult::saved);

    EXPECT_EQ(wideNames(dir.path()), std::vector<std::wstring>{wide});
    EXPECT_EQ(wideNames(dir.path() / wide),
              (std::vector<std::wstring>{wide + L".asx", wide + L".htm", wide + L"01.htm"}));

    // Written in a staging folder beside the final one, then renamed to it.
    const std::string folder = dir.utf8() + "\\" + name;
    ASSERT_FALSE(recording.paths.empty());
    const std::string staging = recording.paths[0];
    EXPECT_TRUE(staging.starts_with(dir.utf8() + "\\.popolun-staging-")) << staging;
    EXPECT_EQ(recording.paths, (std::vector<std::string>{staging, staging + "\\" + name + ".asx",
                                                         staging + "\\" + name + ".htm",
                                                         staging + "\\" + name + "01.htm", folder}));
    for (const auto& path : recording.paths)
        EXPECT_EQ(path.find('/'), std::string::npos) << path;
}

TEST_F(WindowsWriter, ColonsBackslashesAndDeviceNamesCreateNothing)
{
    // "bb:x" would be a hidden stream of "bb", "CON" the console, "bb." the folder "bb".
    for (const char* name : {"bb:x", "bb::$DATA", "C:bb", "a\\b", "..\\bb", "\\\\?\\C:\\bb", "CON", "con.asx",
                             "NUL", "Aux", "prn.htm", "COM1", "lpt9", "CONIN$", "conout$.txt", "bb.", "bb ",
                             "bb. . "}) {
        messages.shown.clear();
        EXPECT_EQ(create(nativeFileSystem(), name), CreateResult::refused) << name;
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_NE(messages.shown[0].find("\u4F55\u3082\u4F5C\u6210\u3057\u3066\u3044\u307E\u305B\u3093"),
                  std::string::npos) << name; // 何も作成していません
        EXPECT_TRUE(wideNames(dir.path()).empty()) << name;
    }
}

TEST(WindowsFileSystem, ReportsWhatWindowsSaysInItsOwnTerms)
{
    TempDir dir;
    FileSystem& fileSystem = nativeFileSystem();
    const std::string folder = dir.utf8() + "\\\u52D5\u753B";
    ASSERT_TRUE(fileSystem.makeDirectory(folder).ok());
    EXPECT_EQ(fileSystem.makeDirectory(folder).error, FsError::alreadyExists);

    FileHandle handle = 0;
    const std::string file = folder + "\\a.htm";
    ASSERT_TRUE(fileSystem.openNewFile(file, handle).ok());
    EXPECT_TRUE(fileSystem.write(handle, "\x83\x72\r\n").ok());
    EXPECT_TRUE(fileSystem.close(handle).ok());
    EXPECT_EQ(testing::readBytes(dir.path() / L"\u52D5\u753B" / L"a.htm"), "\x83\x72\r\n");
    EXPECT_EQ(fileSystem.openNewFile(file, handle).error, FsError::alreadyExists); // never reopened

    EXPECT_EQ(fileSystem.removeDirectory(folder).error, FsError::alreadyExists); // not empty
    EXPECT_EQ(fileSystem.makeDirectory(dir.utf8() + "\\gone\\x").error, FsError::notFound);
    EXPECT_EQ(fileSystem.openNewFile(dir.utf8() + "\\gone\\x.htm", handle).error, FsError::notFound);
    const FsResult removed = fileSystem.removeFile(folder + "\\gone.htm");
    EXPECT_EQ(removed.error, FsError::notFound);
    EXPECT_FALSE(removed.systemText.empty());

    EXPECT_TRUE(fileSystem.removeFile(file).ok());
    EXPECT_TRUE(fileSystem.removeDirectory(folder).ok());
    EXPECT_TRUE(wideNames(dir.path()).empty());
}

// Starts the probe from its own folder and returns what it wrote: the
// directory the core found for it.
std::string probeFrom(const fs::path& folder, const fs::path& output)
{
    const fs::path probe = testing::fromUtf8(executableDirectory()) / L"executable_directory_probe.exe";
    const std::wstring program = (folder / probe.filename()).wstring();
    fs::copy_file(probe, program);
    std::wstring commandLine = L"probe \"" + output.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << "the probe did not start: error " << ::GetLastError();
        return {};
    }
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    EXPECT_EQ(exitCode, 0u);
    return testing::readBytes(output);
}

TEST(ExecutableDirectory, IsTheFolderThatHoldsTheProgramWhateverItsName)
{
    const std::string here = executableDirectory();
    ASSERT_FALSE(here.empty());
    EXPECT_NE(here.back(), '\\');
    EXPECT_TRUE(fs::is_regular_file(testing::fromUtf8(here + "\\generation_tests.exe"))) << here;

    TempDir dir;
    // Japanese, a letter no ANSI code page shares with it, and a character
    // beyond the BMP (a surrogate pair in UTF-16).
    const fs::path named = dir.path() / L"\u52D5\u753B caf\u00E9 \U0001F600";
    fs::create_directory(named);
    EXPECT_EQ(probeFrom(named, dir.path() / L"where.txt"), utf8(named));
}

} // namespace
} // namespace popolun
