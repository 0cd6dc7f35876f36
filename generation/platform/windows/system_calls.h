#pragma once

// The system calls of the Windows layer that no test can make Windows (or
// Wine) refuse on purpose, or whose arguments only the system sees, in one
// table that the layer's file system, processes and desktop are made over:
// the system's own, or a test's. Internal to the Windows layer; declared
// here for its test.

#include "platform/file_system.h"
#include "platform/process.h"
#include "wide_text.h"

#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <string>

namespace popolun::windows {

// ShellExecuteW, from shell32, which is loaded the first time it is called.
HINSTANCE WINAPI shellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory,
                              INT show);

struct SystemCalls {
    decltype(&::OpenProcess) openProcess = &::OpenProcess;
    decltype(&::WriteFile) writeFile = &::WriteFile;
    decltype(&::FlushFileBuffers) flushFileBuffers = &::FlushFileBuffers;
    decltype(&::GetComputerNameW) getComputerName = &::GetComputerNameW;
    decltype(&::ShellExecuteW) shellExecute = &windows::shellExecute;
};

// The file system and the processes as they are over these calls; the
// native ones are over the system's.
std::unique_ptr<FileSystem> fileSystemOver(const SystemCalls& calls);
std::unique_ptr<Processes> processesOver(const SystemCalls& calls);
void openWithDesktopOver(const SystemCalls& calls, std::uintptr_t window, const std::string& path);

} // namespace popolun::windows
