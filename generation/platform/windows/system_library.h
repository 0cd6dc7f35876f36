#pragma once

#include "wide_text.h"

#include <objbase.h>

namespace popolun::windows {

// A function of a Windows DLL, looked up the first time it is needed, so that
// a program maps at start only what its first window uses (the shell when help
// opens or a file is dropped, the accessibility services when a screen reader
// asks). Only from the system folder, never from beside the program; nullptr
// if it is not there.
template <typename Function>
Function* systemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = ::LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// Starts COM on the calling thread (the windows' thread), once for the
// program's life, the first time anything needs it: the shell's handlers when
// help opens, the accessibility services when a screen reader asks. Whether
// COM can be used on this thread.
inline bool startCom()
{
    static const bool started = [] {
        const auto initialise = systemFunction<decltype(::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        if (!initialise)
            return false;
        const HRESULT result = initialise(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; // already started otherwise: usable all the same
    }();
    return started;
}

} // namespace popolun::windows
