#pragma once

#include "platform/file_system.h"

#include <map>
#include <string>
#include <vector>

namespace popolun::testing {

// A file system in memory with the promises of the real ones (one new
// folder or file at a time, renames that replace nothing, folders removed
// only when empty), for the fuzzer and the benchmarks: every path a call
// names is recorded, and any one call can be made to fail.
class MemoryFileSystem final : public FileSystem {
public:
    struct Entry {
        bool folder = false;
        std::string bytes;
        bool operator==(const Entry&) const = default;
    };

    // root: the one folder there is at first, such as "" (for "/p") or "C:".
    explicit MemoryFileSystem(char separator, const std::string& root = "");

    void addFolder(const std::string& path) { entries[path] = {true, {}}; }
    void addFile(const std::string& path, std::string bytes) { entries[path] = {false, std::move(bytes)}; }

    // The call numbered failAt, counted from 1 over all calls, fails with
    // fault (a close still closes); with removalsFail every removal fails.
    int failAt = 0;
    FsResult fault{FsError::ioError, "Input/output error"};
    bool removalsFail = false;

    std::map<std::string, Entry> entries;
    std::vector<std::string> touched; // every path given to a call, in order
    int calls = 0;
    bool faulted = false;
    int removalsFailed = 0;

    FsResult makeDirectory(const std::string& path) override;
    FsResult openNewFile(const std::string& path, FileHandle& handle) override;
    FsResult write(FileHandle handle, std::string_view bytes) override;
    FsResult flush(FileHandle handle) override;
    FsResult close(FileHandle handle) override;
    FsResult flushDirectory(const std::string& path) override;
    FsResult renameNoReplace(const std::string& from, const std::string& to) override;
    FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& found) override;
    FsResult removeFile(const std::string& path) override;
    FsResult removeDirectory(const std::string& path) override;

private:
    // Counts the call and records its paths; the fault, if this call is to fail.
    bool fails(std::initializer_list<const std::string*> paths, bool removal = false);
    bool isFolder(const std::string& path) const;
    bool parentIsFolder(const std::string& path) const;
    bool hasChildren(const std::string& path) const;

    char separator_;
    std::map<FileHandle, std::string> open_;
    FileHandle nextHandle_ = 3;
};

} // namespace popolun::testing
