#pragma once

// Paths for the wide file-system calls at any depth. Internal to the Windows
// layer; declared here for its test.

#include "wide_text.h"

namespace popolun::windows {

// The extended-length form of a UTF-8 path, which Windows takes past
// MAX_PATH whatever the system's settings: \\?\C:\…, \\?\UNC\server\share\…
// for a network folder; a path already in that form stays as it is, and a
// relative one is made absolute first. Nothing for text that is not UTF-8.
std::optional<std::wstring> extendedPath(std::string_view utf8);

} // namespace popolun::windows
