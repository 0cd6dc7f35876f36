#pragma once

#include "platform/file_system.h"

namespace popolun::posix {

// The rename the POSIX layer falls back on where the file system lacks
// RENAME_NOREPLACE. Internal to the layer; declared here for its test.
FsResult renameByReservingTheName(const std::string& from, const std::string& to);

} // namespace popolun::posix
