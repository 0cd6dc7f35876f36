#include "platform/desktop.h"

#include "system_calls.h"
#include "system_library.h"

namespace popolun {

HINSTANCE WINAPI windows::shellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                                       INT show)
{
    static const auto call = systemFunction<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    return call ? call(owner, verb, file, parameters, directory, show) : nullptr;
}

void windows::openWithDesktopOver(const SystemCalls& calls, std::uintptr_t window, const std::string& path)
{
    // The shell may hand the file to a handler made through COM.
    startCom();
    const auto wide = toWide(path);
    if (!wide)
        return;
    // Owned by the window that asked: the shell's own dialogs (nothing opens
    // the file, a security warning) come over it. It shows its own message
    // when nothing opens the file.
    calls.shellExecute(reinterpret_cast<HWND>(window), L"open", wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void openWithDesktop(std::uintptr_t window, const std::string& path)
{
    windows::openWithDesktopOver(windows::SystemCalls{}, window, path);
}

} // namespace popolun
