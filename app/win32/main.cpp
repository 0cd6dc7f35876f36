#include "form13.h"
#include "message_loop.h"

#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The pictures are decoded through COM.
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    int exitCode = 0;
    {
        popolun::win32::Form13 window;
        window.showCentred();
        exitCode = popolun::win32::runMessageLoop({&window, &window.settingsWindow()});
    }
    ::CoUninitialize();
    return exitCode;
}
