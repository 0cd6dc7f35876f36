#pragma once

#include <cstdint>

// The help call shared by both windows' "?" buttons.
namespace Module1 {

inline constexpr char kHelpFile[] = "WMV.hlp";
inline constexpr unsigned kHelpContents = 3;

// Opens the contents of the help file in the system help viewer (WinHelpA
// from user32), owned by the given native window, and ignores the answer.
// Returns false where the platform has no such viewer; the caller then
// opens the file its own way.
bool openHelpContents(std::uintptr_t windowHandle);

} // namespace Module1
