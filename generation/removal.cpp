#include "removal.h"

namespace popolun {

std::vector<std::string> removeFilesAndFolder(FileSystem& fileSystem, const std::string& folder,
                                              const std::vector<std::string>& files)
{
    std::vector<std::string> notRemoved;
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (!fileSystem.removeFile(*it).ok())
            notRemoved.push_back(*it);
    }
    if (!fileSystem.removeDirectory(folder).ok())
        notRemoved.push_back(folder);
    return notRemoved;
}

} // namespace popolun
