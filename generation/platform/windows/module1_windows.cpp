#include "platform/module1.h"

#include "wide_text.h" // windows.h: WinHelpA from user32

namespace Module1 {

bool openHelpContents(std::uintptr_t windowHandle)
{
    // The viewer reports its own problems; its answer changes nothing here.
    ::WinHelpA(reinterpret_cast<HWND>(windowHandle), kHelpFile, kHelpContents, reinterpret_cast<ULONG_PTR>(""));
    return true;
}

} // namespace Module1
