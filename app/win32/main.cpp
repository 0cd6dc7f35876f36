#include "application.h"
#include "form13.h"
#include "win32.h"

#include <objbase.h>

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
        window.show();
        exitCode = toolkit.run();
    }
    ::CoUninitialize();
    return exitCode;
}
