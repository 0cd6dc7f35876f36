#pragma once

#include <cstdint>
#include <string>

// What the "?" buttons of both windows open.
namespace popolun {

// The program's own help page, shipped beside the program.
inline constexpr char kHelpPage[] = "popolun-help.html";

// The two ways help reaches the screen; tests put their own in.
class HelpOpener {
public:
    virtual ~HelpOpener() = default;
    // The contents of WMV.hlp in the system help viewer (Module1); false
    // where the platform has none.
    virtual bool helpContents(std::uintptr_t window) = 0;
    // A file in whatever the desktop opens its type with (for the page, the
    // default browser); returns at once.
    virtual void document(std::uintptr_t window, const std::string& path) = 0;
};

// Module1 and the desktop.
HelpOpener& systemHelpOpener();

// The "?" buttons: window is the pressing window's native handle, and
// programDirectory (UTF-8) the directory the program lies in. Where WMV.hlp
// lies there it is opened as ever, in the system viewer or else by the
// desktop; otherwise the help page beside the program. Nothing is read or
// written, and it returns at once: false when neither lies there, for the
// caller to say so.
bool showHelp(std::uintptr_t window, const std::string& programDirectory,
              HelpOpener& opener = systemHelpOpener());

} // namespace popolun
