#pragma once

#include <string>

namespace popolun {

// This process's id, and whether a process of that id runs on this machine
// (a process that cannot be asked counts as running).
unsigned long currentProcessId();
bool processRunning(unsigned long id);

// This machine's name, UTF-8; empty if the system cannot tell.
std::string machineName();

} // namespace popolun
