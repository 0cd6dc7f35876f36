#pragma once

#include "platform/file_system.h"
#include "platform/process.h"

#include <string>
#include <vector>

namespace popolun {

// The folders a page set is written in before it gets its name. Each lies
// beside the folder it becomes, and its name tells the machine and the
// process that made it, so that no two runs share one and those of runs
// that died before their rename can be told from the rest.
class StagingFolders {
public:
    StagingFolders(FileSystem& fileSystem, const Processes& processes, std::string programDirectory, char separator);

    // Makes a new staging folder of this run's; path is set to it.
    FsResult make(std::string& path);

    // Removes the staging folders of this machine's processes that are gone,
    // when they hold nothing but the program's files. Another copy of the
    // program may be writing into its own right now: folders of a running
    // process, of another machine or of anyone else stay. Best effort: a
    // failure here stops nothing.
    void removeLeftovers();

private:
    FileSystem& fileSystem_;
    const Processes& processes_;
    std::string programDirectory_;
    char separator_;
    std::string mine_; // how this machine's staging folders' names start
};

// The name of a staging folder of the machine's process `process`; `run`
// and `time` tell one run from another.
std::string stagingFolderName(const Processes& processes, unsigned long process, unsigned long run,
                              unsigned long long time);

} // namespace popolun
