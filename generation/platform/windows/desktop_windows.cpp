#include "platform/desktop.h"

#include "system_library.h"
#include "wide_text.h"

#include <shellapi.h>

namespace popolun {

void openWithDesktop(std::uintptr_t window, const std::string& path)
{
    // The shell may hand the file to a handler made through COM.
    windows::startCom();
    static const auto shellExecute =
        windows::systemFunction<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    const auto wide = windows::toWide(path);
    if (!wide || !shellExecute)
        return;
    // The shell shows its own message when nothing opens the file.
    shellExecute(reinterpret_cast<HWND>(window), L"open", wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace popolun
