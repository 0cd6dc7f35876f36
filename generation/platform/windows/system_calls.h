#pragma once

// The system calls of the Windows layer that no test can make Windows (or
// Wine) refuse on purpose, in one table: the system's own, unless a test
// puts failing ones in their place. Internal to the Windows layer.

#include "wide_text.h"

namespace popolun::windows {

struct SystemCalls {
    decltype(&::OpenProcess) openProcess = &::OpenProcess;
    decltype(&::WriteFile) writeFile = &::WriteFile;
    decltype(&::FlushFileBuffers) flushFileBuffers = &::FlushFileBuffers;
    decltype(&::GetComputerNameW) getComputerName = &::GetComputerNameW;
};

inline SystemCalls& systemCalls()
{
    static SystemCalls calls;
    return calls;
}

} // namespace popolun::windows
