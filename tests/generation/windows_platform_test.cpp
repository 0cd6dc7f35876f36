// What only a Windows build shows: wide names, "\" paths, the Windows name
// rules through the real file system, and long paths in extended form.
#include "page_set_writer.h"
#include "platform/windows/long_path.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace popolun {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

// The names in a directory as the file system holds them: UTF-16.
std::vector<std::wstring> wideNames(const fs::path& directory)
{
    std::vector<std::wstring> names;
    for (const auto& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().wstring());
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
    TempDir dir;
    testing::CreateButton button;
};

TEST_F(WindowsWriter, JapaneseNameReachesTheFileSystemAsUtf16BehindBackslashes)
{
    const std::string name = "\u52D5\u753B\uFF5E\u30D3\u30C7\u30AA"; // 動画～ビデオ
    const std::wstring wide = L"\u52D5\u753B\uFF5E\u30D3\u30C7\u30AA";
    RecordingFileSystem recording;
    ASSERT_EQ(button.press(recording, dir.utf8(), name), CreateResult::saved);
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
        EXPECT_EQ(button.press(nativeFileSystem(), dir.utf8(), name), CreateResult::refused) << name;
        EXPECT_NE(button.said().find("\u4F55\u3082\u4F5C\u6210\u3057\u3066\u3044\u307E\u305B\u3093"),
                  std::string::npos) << name; // 何も作成していません
        EXPECT_TRUE(wideNames(dir.path()).empty()) << name;
    }
}

TEST(LongPaths, EveryPathReachesTheSystemInExtendedForm)
{
    const std::pair<const char*, const wchar_t*> forms[] = {
        {"C:\\Users\\taro\\bb", L"\\\\?\\C:\\Users\\taro\\bb"},
        {"d:/site/bb", L"\\\\?\\d:\\site\\bb"},
        {"\\\\server\\share\\site", L"\\\\?\\UNC\\server\\share\\site"},
        {"\\\\?\\C:\\already", L"\\\\?\\C:\\already"},
        {"C:\\\u52D5\u753B\\\u30DA\u30FC\u30B8", L"\\\\?\\C:\\\u52D5\u753B\\\u30DA\u30FC\u30B8"},
    };
    for (const auto& [path, extended] : forms)
        EXPECT_EQ(windows::extendedPath(path), std::wstring(extended)) << path;
    EXPECT_TRUE(windows::extendedPath("relative\\bb")->starts_with(L"\\\\?\\"));
    EXPECT_FALSE(windows::extendedPath("bad\xFF"));
}

} // namespace
} // namespace popolun
