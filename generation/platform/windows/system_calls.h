#pragma once

// The system calls of the Windows layer that no test can make Windows (or
// Wine) refuse on purpose, in one table that the layer's file system and
// processes are made over: the system's own, or a test's. Internal to the
// Windows layer; declared here for its test.

#include "platform/file_system.h"
#include "platform/process.h"
#include "wide_text.h"

#include <memory>

namespace popolun::windows {

struct SystemCalls {
    decltype(&::OpenProcess) openProcess = &::OpenProcess;
    decltype(&::WriteFile) writeFile = &::WriteFile;
    decltype(&::FlushFileBuffers) flushFileBuffers = &::FlushFileBuffers;
    decltype(&::GetComputerNameW) getComputerName = &::GetComputerNameW;
};

// The file system and the processes as they are over these calls; the
// native ones are over the system's.
std::unique_ptr<FileSystem> fileSystemOver(const SystemCalls& calls);
std::unique_ptr<Processes> processesOver(const SystemCalls& calls);

} // namespace popolun::windows
