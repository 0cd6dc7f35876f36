#include "application.h"
#include "form13.h"
#include "win32.h"

#include <objbase.h>

namespace {

// A video to start from (dropped on the program or its shortcut, 送る,
// プログラムから開く), read as Unicode whatever the system's code page.
std::vector<std::string> videosOnTheCommandLine()
{
    std::vector<std::string> videos;
    int count = 0;
    if (wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            videos.push_back(popolun::win32::utf8(arguments[i]));
        ::LocalFree(arguments);
    }
    return videos;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The pictures are decoded through COM.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    int exitCode = 0;
    {
        popolun::win32::Application toolkit;
        popolun::ui::Form13 window(toolkit, popolun::executableDirectory());
        window.start(videosOnTheCommandLine());
        exitCode = toolkit.run();
    }
    ::CoUninitialize();
    return exitCode;
}
