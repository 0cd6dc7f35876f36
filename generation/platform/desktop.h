#pragma once

#include <cstdint>
#include <string>

namespace popolun {

// Hands the file (UTF-8 path) to the program the desktop opens its type with,
// owned by the given native window where the platform has owners, and returns
// without waiting for it. Failures are the desktop's to show.
void openWithDesktop(std::uintptr_t window, const std::string& path);

} // namespace popolun
