#include "platform/module1.h"

namespace Module1 {

// No system help viewer here; the window opens the file itself.
bool openHelpContents(std::uintptr_t) { return false; }

} // namespace Module1
