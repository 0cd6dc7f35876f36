#pragma once

#include "platform/file_system.h"

#include <string>
#include <vector>

namespace popolun {

// Undoes what a run made: its files, newest first, then their folder.
// Returns what could not be removed, for the message.
std::vector<std::string> removeFilesAndFolder(FileSystem& fileSystem, const std::string& folder,
                                              const std::vector<std::string>& files);

} // namespace popolun
