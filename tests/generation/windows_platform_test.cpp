// What only a Windows build shows: the Windows name rules through the real
// file system, long paths in extended form, and what the layer does where
// Windows says no (through the layer's table of system calls, where Wine
// cannot be made to refuse). Japanese names and deep folders are the
// end-to-end session's, with the real program.
#include "page_set_writer.h"
#include "platform/windows/long_path.h"
#include "platform/windows/system_calls.h"
#include "staging_folders.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

namespace fs = std::filesystem;
using windows::SystemCalls;

TEST(WindowsNames, ColonsBackslashesDeviceNamesAndCharactersWithoutAFormCreateNothing)
{
    testing::TempDir dir;
    testing::CreateButton button;
    // "bb:x" would be a hidden stream of "bb", "CON" the console, "bb." the folder "bb".
    for (const char* name : {"bb:x", "C:bb", "a\\b", "..\\bb", "\\\\?\\C:\\bb", "CON", "con.asx", "NUL", "Aux",
                             "COM1", "lpt9", "CONIN$", "bb.", "bb ", "bb. . ", "caf\u00E9", "\u00A5"}) {
        EXPECT_EQ(button.press(nativeFileSystem(), dir.utf8(), name), CreateResult::refused) << name;
        EXPECT_NE(button.said().find("\u4F55\u3082\u4F5C\u6210\u3057\u3066\u3044\u307E\u305B\u3093"),
                  std::string::npos) << name; // 何も作成していません
        EXPECT_TRUE(fs::is_empty(dir.path())) << name;
    }
}

TEST(LongPaths, EveryPathReachesTheSystemInExtendedFormRelativeOnesMadeWhole)
{
    const std::pair<const char*, const wchar_t*> forms[] = {
        {"C:\\Users\\taro\\bb", L"\\\\?\\C:\\Users\\taro\\bb"},
        {"\\\\server\\share/site", L"\\\\?\\UNC\\server\\share\\site"},
        {"\\\\?\\C:\\already", L"\\\\?\\C:\\already"},
        {"C:\\\u52D5\u753B\\\u30DA\u30FC\u30B8", L"\\\\?\\C:\\\u52D5\u753B\\\u30DA\u30FC\u30B8"},
    };
    for (const auto& [path, extended] : forms)
        EXPECT_EQ(windows::extendedPath(path), std::wstring(extended)) << path;
    for (const char drive : {'A', 'Z', 'a', 'z'}) // every drive letter, in either case, with "/" too
        EXPECT_EQ(windows::extendedPath(drive + std::string(":\\site/bb")), L"\\\\?\\" + std::wstring(1, drive) + L":\\site\\bb");
    std::wstring current(MAX_PATH * 4, L'\0');
    current.resize(::GetCurrentDirectoryW(DWORD(current.size()), current.data()));
    const std::wstring parent = current.substr(0, current.find_last_of(L'\\'));
    EXPECT_EQ(windows::extendedPath("relative\\bb"), L"\\\\?\\" + current + L"\\relative\\bb");
    EXPECT_EQ(windows::extendedPath("..\\\u52D5\u753B"), L"\\\\?\\" + parent + L"\\\u52D5\u753B");
    // A drive without its root ("C:bb") is that drive's current folder.
    EXPECT_EQ(windows::extendedPath(std::string(1, char(current[0])) + ":bb"), L"\\\\?\\" + current + L"\\bb");
    EXPECT_FALSE(windows::extendedPath("bad\xFF"));
}

constexpr DWORD kRefused = 0x7FFFFFF0, kGone = 0x7FFFFFF4; // no real process's ids

// Another user's process may not be opened; it runs all the same, and the
// staging folder it writes in is not swept away as a dead run's.
TEST(WindowsRefusals, AProcessThatMayNotBeOpenedRunsAndItsStagingFolderStays)
{
    SystemCalls refusing;
    refusing.openProcess = +[](DWORD, BOOL, DWORD id) -> HANDLE {
        ::SetLastError(id == kRefused ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
        return nullptr;
    };
    const auto processes = windows::processesOver(refusing);
    EXPECT_TRUE(processes->running(kRefused));
    EXPECT_FALSE(processes->running(kGone));

    testing::TempDir dir;
    const fs::path live = dir.path() / stagingFolderName(*processes, kRefused, 0, 7),
                   dead = dir.path() / stagingFolderName(*processes, kGone, 0, 7);
    for (const fs::path& folder : {live, dead}) {
        fs::create_directory(folder);
        testing::writeBytes(folder / "bb.asx", "");
    }
    testing::CreateButton button;
    EXPECT_EQ(button.press(nativeFileSystem(), dir.utf8(), "cc", *processes), CreateResult::saved);
    EXPECT_TRUE(fs::exists(live / "bb.asx"));
    EXPECT_FALSE(fs::exists(dead));
}

// A run that has ended is gone, even while something still holds its process open.
TEST(WindowsRefusals, AnEndedProcessIsGoneWhileAHandleToItIsOpen)
{
    wchar_t self[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=-*"; // runs no test
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES; // and prints nothing
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                                 &startup, &child));
    ::WaitForSingleObject(child.hProcess, INFINITE);
    EXPECT_FALSE(nativeProcesses().running(child.dwProcessId));
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
}

// The disk refuses a file's bytes or their flush: said as such, and undone.
DWORD refusal = 0; // the error of a refused write

// Each error with its reason; a write that took nothing and said yes is the disk's error.
// Messages hold no line break, not even where the system's own words end with one.
TEST(WindowsRefusals, AWriteOrAFlushTheDiskRefusesIsReportedAndUndone)
{
    const std::pair<DWORD, const char*> refusals[] = {
        {ERROR_HANDLE_DISK_FULL, "ディスクの空き容量が足りません。"}, {ERROR_DISK_FULL, "ディスクの空き容量が足りません。"},
        {ERROR_WRITE_PROTECT, "読み取り専用の場所です。"}, {ERROR_ACCESS_DENIED, "書き込む権限がありません。"},
        {ERROR_FILENAME_EXCED_RANGE, "名前が長すぎます。"}, {ERROR_CRC, "ディスクの読み書きでエラーが起きました。"},
        {0, "ディスクの読み書きでエラーが起きました。"}, {ERROR_SHARING_VIOLATION, "システムエラー（"}, // in the system's words
    };
    testing::TempDir dir;
    testing::CreateButton button;
    for (const auto& [code, reason] : refusals) {
        SystemCalls failing;
        refusal = code;
        failing.writeFile = +[](HANDLE, LPCVOID, DWORD, LPDWORD written, LPOVERLAPPED) -> BOOL {
            *written = 0;
            ::SetLastError(refusal);
            return refusal == 0;
        };
        EXPECT_EQ(button.press(*windows::fileSystemOver(failing), dir.utf8(), "bb"), CreateResult::failed);
        EXPECT_NE(button.said().find(std::string("を書き込めませんでした。") + reason), std::string::npos) << button.said();
        EXPECT_EQ(button.said().find_first_of("\r\n"), std::string::npos) << "a message on one line: " << button.said();
        EXPECT_TRUE(fs::is_empty(dir.path()));
    }
    SystemCalls failing;
    failing.flushFileBuffers = +[](HANDLE) -> BOOL {
        ::SetLastError(ERROR_IO_DEVICE);
        return FALSE;
    };
    EXPECT_EQ(button.press(*windows::fileSystemOver(failing), dir.utf8(), "bb"), CreateResult::failed);
    EXPECT_NE(button.said().find("bb.asx」の書き込みの確定（ディスクへの書き出し）ができませんでした。ディスクの読み書き"),
              std::string::npos) << button.said();
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// A disk that takes fewer bytes than it was given at each write, and says so:
// the rest is written after, and the pages come out whole.
TEST(WindowsRefusals, ShortWritesAreFollowedByTheRest)
{
    SystemCalls shortWrites;
    shortWrites.writeFile = +[](HANDLE file, LPCVOID bytes, DWORD size, LPDWORD written, LPOVERLAPPED) -> BOOL {
        return ::WriteFile(file, bytes, std::min<DWORD>(size, 7), written, nullptr);
    };
    testing::TempDir dir;
    testing::CreateButton button;
    EXPECT_EQ(button.press(*windows::fileSystemOver(shortWrites), dir.utf8(), "bb"), CreateResult::saved);
    EXPECT_EQ(testing::readBytes(dir.path() / "bb" / "bb01.htm"), testing::expectedEmbed("bb"));
    EXPECT_EQ(testing::readBytes(dir.path() / "bb" / "bb.asx"), testing::expectedAsx("bb"));
}

// The help page is handed to the shell owned by the window that asked, so
// that whatever the shell shows comes over it, and to be shown.
TEST(WindowsDesktop, TheShellGetsTheFileWholeAndTheWindowThatAsked)
{
    static HWND owner = nullptr;
    static std::wstring verb, file;
    static INT shown = SW_HIDE;
    SystemCalls recording;
    recording.shellExecute = +[](HWND window, LPCWSTR how, LPCWSTR what, LPCWSTR, LPCWSTR, INT show) -> HINSTANCE {
        owner = window, verb = how, file = what, shown = show;
        return reinterpret_cast<HINSTANCE>(33);
    };
    windows::openWithDesktopOver(recording, 0x1234, "C:\\\u30DD\u30DD\u30EB\u30F3\\popolun-help.html");
    EXPECT_EQ(owner, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(verb, L"open");
    EXPECT_EQ(file, L"C:\\\u30DD\u30DD\u30EB\u30F3\\popolun-help.html");
    EXPECT_EQ(shown, SW_SHOWNORMAL);
}

// A computer name of the longest kind (15 characters), Japanese too, is read whole.
TEST(WindowsRefusals, AComputerNameOfTheLongestKindIsReadWhole)
{
    SystemCalls naming;
    naming.getComputerName = +[](LPWSTR name, LPDWORD size) -> BOOL {
        const std::wstring longest = L"\u30DD\u30DD\u30EB\u30F3-PC-2026-AB"; // ポポルン-PC-2026-AB
        static_assert(MAX_COMPUTERNAME_LENGTH == 15);
        if (*size <= longest.size()) {
            *size = DWORD(longest.size() + 1);
            ::SetLastError(ERROR_BUFFER_OVERFLOW);
            return FALSE;
        }
        longest.copy(name, longest.size());
        name[longest.size()] = L'\0';
        *size = DWORD(longest.size());
        return TRUE;
    };
    EXPECT_EQ(windows::processesOver(naming)->machineName(), "\u30DD\u30DD\u30EB\u30F3-PC-2026-AB");
}

} // namespace
} // namespace popolun
