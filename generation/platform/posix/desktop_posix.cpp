#include "platform/desktop.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace popolun {

void openWithDesktop(std::uintptr_t, const std::string& path)
{
    // The shell starts xdg-open in the background and ends at once: nothing
    // waits for the browser, and no child of ours is left unreaped.
    char shell[] = "sh";
    char command[] = "-c";
    char script[] = "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
    char name[] = "popolun-open";
    std::string file = path;
    char* arguments[] = {shell, command, script, name, file.data(), nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, shell, nullptr, nullptr, arguments, environ) != 0)
        return;
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace popolun
