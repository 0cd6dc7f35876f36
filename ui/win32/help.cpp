#include "help.h"

#include "platform/module1.h"

namespace popolun::win32 {

void openHelp(HWND window) { Module1::openHelpContents(reinterpret_cast<std::uintptr_t>(window)); }

} // namespace popolun::win32
