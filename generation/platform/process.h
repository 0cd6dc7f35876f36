#pragma once

#include <string>

namespace popolun {

// What the staging folders need to know of this machine and its processes.
// Tests put their own in place of the system's.
class Processes {
public:
    virtual ~Processes() = default;
    virtual unsigned long current() const = 0;
    // Whether a process of that id runs on this machine; one that may not be
    // asked (another user's) counts as running.
    virtual bool running(unsigned long id) const = 0;
    // This machine's name, UTF-8; empty if the system cannot tell.
    virtual std::string machineName() const = 0;
};

// The system's own.
const Processes& nativeProcesses();

} // namespace popolun
