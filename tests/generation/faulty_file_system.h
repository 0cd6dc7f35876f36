#pragma once

#include "platform/file_system.h"

#include <map>
#include <string>

namespace popolun::testing {

// The native file system with one fault: the Nth of the calls other than
// removals, counted from 1, fails with the given error, as a disk would fail
// it. A failing write writes half of its bytes first; a failing close still
// closes; a failing flush has written everything. Removals pass through
// unless failRemovals() is set.
class FaultyFileSystem : public FileSystem {
public:
    FaultyFileSystem(int failAt, FsResult fault);

    // Every removal fails from now on, and leaves what it was asked to remove.
    void failRemovals(FsResult fault);

    int calls() const { return calls_; }
    bool injected() const { return injected_; }
    // The folder or file whose call failed.
    const std::string& failedPath() const { return failedPath_; }

    FsResult makeDirectory(const std::string& path) override;
    FsResult openNewFile(const std::string& path, FileHandle& handle) override;
    FsResult write(FileHandle handle, std::string_view bytes) override;
    FsResult flush(FileHandle handle) override;
    FsResult close(FileHandle handle) override;
    FsResult flushDirectory(const std::string& path) override;
    FsResult renameNoReplace(const std::string& from, const std::string& to) override;
    FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override;
    FsResult removeFile(const std::string& path) override;
    FsResult removeDirectory(const std::string& path) override;

private:
    bool failsNow(const std::string& path);

    int failAt_;
    FsResult fault_;
    FsResult removalFault_;
    int calls_ = 0;
    bool injected_ = false;
    std::string failedPath_;
    std::map<FileHandle, std::string> openFiles_;
};

} // namespace popolun::testing
