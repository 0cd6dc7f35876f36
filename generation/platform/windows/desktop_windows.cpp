#include "platform/desktop.h"

#include "system_library.h"
#include "wide_text.h"

#include <objbase.h>
#include <shellapi.h>

namespace popolun {

void openWithDesktop(std::uintptr_t window, const std::string& path)
{
    using windows::systemFunction;
    // The shell may hand the file to a handler made through COM, so COM is
    // started on this thread first (once; it stays for the program's life).
    static const bool comStarted = [] {
        const auto initialise = systemFunction<decltype(::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        return initialise && SUCCEEDED(initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }();
    (void)comStarted;
    static const auto shellExecute = systemFunction<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    const auto wide = windows::toWide(path);
    if (!wide || !shellExecute)
        return;
    // The shell shows its own message when nothing opens the file.
    shellExecute(reinterpret_cast<HWND>(window), L"open", wide->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace popolun
