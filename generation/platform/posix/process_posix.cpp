#include "platform/process.h"

#include <cerrno>
#include <climits>
#include <signal.h>
#include <unistd.h>

namespace popolun {

namespace {

class PosixProcesses final : public Processes {
public:
    unsigned long current() const override { return static_cast<unsigned long>(::getpid()); }

    bool running(unsigned long id) const override
    {
        // Never 0 or a negative pid_t: kill() would reach a whole process group.
        if (id == 0 || id > static_cast<unsigned long>(INT_MAX))
            return false;
        return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
    }

    std::string machineName() const override
    {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0)
            return {};
        return name;
    }
};

} // namespace

const Processes& nativeProcesses()
{
    static const PosixProcesses processes;
    return processes;
}

} // namespace popolun
