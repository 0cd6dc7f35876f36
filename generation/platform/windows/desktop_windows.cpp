#include "platform/desktop.h"

#include "wide_text.h"

#include <shellapi.h>

namespace popolun {

void openWithDesktop(std::uintptr_t window, const std::string& path)
{
    const auto wide = windows::toWide(path);
    if (!wide)
        return;
    // The shell shows its own message when nothing opens the file.
    ::ShellExecuteW(reinterpret_cast<HWND>(window), L"open", wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace popolun
