#pragma once

#include "wide_text.h"

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

} // namespace popolun::windows
