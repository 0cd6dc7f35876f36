// What only a Windows build shows: the Windows name rules through the real
// file system, and long paths in extended form. Japanese names and deep
// folders are the end-to-end session's, with the real program.
#include "page_set_writer.h"
#include "platform/windows/long_path.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

namespace fs = std::filesystem;

TEST(WindowsNames, ColonsBackslashesAndDeviceNamesCreateNothing)
{
    testing::TempDir dir;
    testing::CreateButton button;
    // "bb:x" would be a hidden stream of "bb", "CON" the console, "bb." the folder "bb".
    for (const char* name : {"bb:x", "bb::$DATA", "C:bb", "a\\b", "..\\bb", "\\\\?\\C:\\bb", "CON", "con.asx",
                             "NUL", "Aux", "prn.htm", "COM1", "lpt9", "CONIN$", "conout$.txt", "bb.", "bb ",
                             "bb. . "}) {
        EXPECT_EQ(button.press(nativeFileSystem(), dir.utf8(), name), CreateResult::refused) << name;
        EXPECT_NE(button.said().find("\u4F55\u3082\u4F5C\u6210\u3057\u3066\u3044\u307E\u305B\u3093"),
                  std::string::npos) << name; // 何も作成していません
        EXPECT_TRUE(fs::is_empty(dir.path())) << name;
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
