// What only a Windows build shows: wide names, "\" paths, the Windows name
// rules through the real file system, and the executable's directory.
#include "page_set_writer.h"
#include "session.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace popolun {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// The names in a directory exactly as the file system holds them.
std::vector<std::wstring> wideNames(const fs::path& directory)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((directory.wstring() + L"\\*").c_str(), &data);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &data)) {
        if (std::wstring_view(data.cFileName) != L"." && std::wstring_view(data.cFileName) != L"..")
            names.push_back(data.cFileName);
    }
    if (find != INVALID_HANDLE_VALUE)
        ::FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// Keeps the paths of the calls that create or name something.
class RecordingFileSystem final : public testing::PassThroughFileSystem {
public:
    std::vector<std::string> paths;

protected:
    FsResult around(Call call, const std::string& path, const std::function<FsResult()>& pass) override
    {
        if (call == Call::makeDirectory || call == Call::openNewFile || call == Call::rename)
            paths.push_back(path);
        return pass();
    }
};

class WindowsWriter : public ::testing::Test {
protected:
    WindowsWriter() { session.load(); }

    CreateResult create(FileSystem& fileSystem, const std::string& name)
    {
        messages.shown.clear();
        session.main().setText(FieldId::name, name);
        return PageSetWriter(fileSystem, dir.utf8(), messages).create(session.main().snapshot());
    }

    Session session;
    TempDir dir;
    testing::RecordedMessages messages;
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
    ASSERT_FALSE(recording.paths.empty());
    const std::string staging = recording.paths[0];
    EXPECT_TRUE(staging.starts_with(dir.utf8() + "\\.popolun-staging-")) << staging;
    EXPECT_EQ(recording.paths, (std::vector<std::string>{staging, staging + "\\" + name + ".asx",
                                                         staging + "\\" + name + ".htm",
                                                         staging + "\\" + name + "01.htm", dir.utf8() + "\\" + name}));
    for (const auto& path : recording.paths)
        EXPECT_EQ(path.find('/'), std::string::npos) << path;
}

TEST_F(WindowsWriter, ColonsBackslashesAndDeviceNamesCreateNothing)
{
    // "bb:x" would be a hidden stream of "bb", "CON" the console, "bb." the folder "bb".
    for (const char* name : {"bb:x", "bb::$DATA", "C:bb", "a\\b", "..\\bb", "\\\\?\\C:\\bb", "CON", "con.asx",
                             "NUL", "Aux", "prn.htm", "COM1", "lpt9", "CONIN$", "conout$.txt", "bb.", "bb ",
                             "bb. . "}) {
        EXPECT_EQ(create(nativeFileSystem(), name), CreateResult::refused) << name;
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_NE(messages.shown[0].find("\u4F55\u3082\u4F5C\u6210\u3057\u3066\u3044\u307E\u305B\u3093"),
                  std::string::npos) << name; // 何も作成していません
        EXPECT_TRUE(wideNames(dir.path()).empty()) << name;
    }
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
    const auto expected = named.u8string();
    EXPECT_EQ(probeFrom(named, dir.path() / L"where.txt"), std::string(expected.begin(), expected.end()));
}

} // namespace
} // namespace popolun
