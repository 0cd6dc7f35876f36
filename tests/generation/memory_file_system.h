#pragma once

#include "platform/file_system.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace popolun::testing {

// A file system in memory with the promises of the real ones (one new
// folder or file at a time, renames that replace nothing, folders removed
// only when empty), for the fuzzer, the fault tests and the benchmarks:
// every path a call names is recorded, and any one call can be made to fail.
class MemoryFileSystem final : public FileSystem {
public:
    struct Entry {
        bool folder = false;
        std::string bytes;
        bool operator==(const Entry&) const = default;
    };

    // root: the one folder there is at first, such as "" (for "/p") or "C:".
    explicit MemoryFileSystem(char separator, const std::string& root = "") : separator_(separator) { addFolder(root); }
    void addFolder(const std::string& path) { entries[path] = {true, {}}; }
    void addFile(const std::string& path, std::string bytes) { entries[path] = {false, std::move(bytes)}; }

    std::map<std::string, Entry> entries;
    // The call numbered failAt, counted from 1 over all calls, fails with
    // fault (a close still closes); with removalsFail every removal fails.
    int failAt = 0;
    FsResult fault{FsError::ioError, "Input/output error"};
    bool removalsFail = false;
    std::function<void()> beforeRename = [] {}; // as another party would, just before
    std::vector<std::string> touched;           // every path given to a call, in order
    int calls = 0, removalsFailed = 0;
    bool faulted = false;

    FsResult makeDirectory(const std::string& path) override { return create(path, true); }
    FsResult openNewFile(const std::string& path, FileHandle& handle) override
    {
        const FsResult made = create(path, false);
        if (made.ok())
            open_[handle = nextHandle_++] = path;
        return made;
    }
    FsResult write(FileHandle handle, std::string_view bytes) override
    {
        if (fails({}))
            return fault;
        if (!open_.contains(handle) || !entries.contains(open_[handle]))
            return kBadHandle;
        entries[open_[handle]].bytes += bytes;
        return {};
    }
    FsResult flush(FileHandle handle) override { return fails({}) ? fault : open_.contains(handle) ? FsResult{} : kBadHandle; }
    FsResult close(FileHandle handle) override
    {
        const bool failing = fails({});
        return open_.erase(handle) == 0 ? kBadHandle : failing ? fault : FsResult{};
    }
    FsResult flushDirectory(const std::string& path) override
    {
        return fails({&path}) ? fault : isFolder(path) ? FsResult{} : kNotFound;
    }
    FsResult renameNoReplace(const std::string& from, const std::string& to) override
    {
        beforeRename();
        if (fails({&from, &to}))
            return fault;
        if (!entries.contains(from))
            return kNotFound;
        if (entries.contains(to))
            return kExists;
        if (!isFolder(parent(to)) || to.starts_with(from + separator_))
            return {FsError::invalidName, "Invalid argument"};
        std::map<std::string, Entry> moved; // the entry and all below it, under the new name
        std::erase_if(entries, [&](auto& entry) {
            const bool below = entry.first == from || entry.first.starts_with(from + separator_);
            if (below)
                moved[to + entry.first.substr(from.size())] = std::move(entry.second);
            return below;
        });
        entries.merge(moved);
        return {};
    }
    FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& found,
                           std::string_view startingWith = {}) override
    {
        if (fails({&path}))
            return fault;
        if (!isFolder(path))
            return kNotFound;
        found.clear();
        for (const auto& [each, entry] : entries) {
            if (each == path || parent(each) != path)
                continue;
            std::string name = each.substr(path.size() + 1);
            if (name.starts_with(startingWith))
                found.push_back({std::move(name), entry.folder ? DirectoryEntry::Kind::folder : DirectoryEntry::Kind::file});
        }
        return {};
    }
    FsResult removeFile(const std::string& path) override
    {
        if (fails({&path}, true))
            return calls == failAt ? fault : kDenied;
        return entries.contains(path) && !isFolder(path) && entries.erase(path) ? FsResult{} : kNotFound;
    }
    FsResult removeDirectory(const std::string& path) override
    {
        if (fails({&path}, true))
            return calls == failAt ? fault : kDenied;
        if (!isFolder(path))
            return kNotFound;
        const auto below = entries.lower_bound(path + separator_);
        if (below != entries.end() && below->first.starts_with(path + separator_))
            return kExists;
        entries.erase(path);
        return {};
    }

private:
    inline static const FsResult kNotFound{FsError::notFound, "No such file or directory"},
        kExists{FsError::alreadyExists, "File exists"}, kDenied{FsError::accessDenied, "Permission denied"},
        kBadHandle{FsError::other, "Bad file descriptor"};

    // Counts the call and records its paths; whether this call is to fail.
    bool fails(std::initializer_list<const std::string*> paths, bool removal = false)
    {
        for (const std::string* path : paths)
            touched.push_back(*path);
        const bool failing = ++calls == failAt || (removal && removalsFail);
        faulted |= calls == failAt;
        removalsFailed += removal && failing;
        return failing;
    }
    FsResult create(const std::string& path, bool folder)
    {
        if (fails({&path}))
            return fault;
        if (entries.contains(path))
            return kExists;
        if (!isFolder(parent(path)))
            return kNotFound;
        entries[path] = {folder, {}};
        return {};
    }
    std::string parent(const std::string& path) const
    {
        const auto end = path.rfind(separator_);
        return end == std::string::npos ? "\n" : path.substr(0, end); // "\n" names nothing
    }
    bool isFolder(const std::string& path) const { return entries.contains(path) && entries.at(path).folder; }

    char separator_;
    std::map<FileHandle, std::string> open_;
    FileHandle nextHandle_ = 3;
};

} // namespace popolun::testing
