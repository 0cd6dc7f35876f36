#include "memory_file_system.h"

namespace popolun::testing {

namespace {

const FsResult kNotFound{FsError::notFound, "No such file or directory"};
const FsResult kExists{FsError::alreadyExists, "File exists"};
const FsResult kDenied{FsError::accessDenied, "Permission denied"};

} // namespace

MemoryFileSystem::MemoryFileSystem(char separator, const std::string& root) : separator_(separator)
{
    addFolder(root);
}

bool MemoryFileSystem::fails(std::initializer_list<const std::string*> paths, bool removal)
{
    for (const std::string* path : paths)
        touched.push_back(*path);
    const bool failing = ++calls == failAt || (removal && removalsFail);
    faulted |= calls == failAt;
    removalsFailed += removal && failing;
    return failing;
}

bool MemoryFileSystem::isFolder(const std::string& path) const
{
    const auto found = entries.find(path);
    return found != entries.end() && found->second.folder;
}

bool MemoryFileSystem::parentIsFolder(const std::string& path) const
{
    const auto end = path.rfind(separator_);
    return end != std::string::npos && isFolder(path.substr(0, end));
}

bool MemoryFileSystem::hasChildren(const std::string& path) const
{
    const auto first = entries.lower_bound(path + separator_);
    return first != entries.end() && first->first.starts_with(path + separator_);
}

FsResult MemoryFileSystem::makeDirectory(const std::string& path)
{
    if (fails({&path}))
        return fault;
    if (entries.contains(path))
        return kExists;
    if (!parentIsFolder(path))
        return kNotFound;
    addFolder(path);
    return FsResult::success();
}

FsResult MemoryFileSystem::openNewFile(const std::string& path, FileHandle& handle)
{
    if (fails({&path}))
        return fault;
    if (entries.contains(path))
        return kExists;
    if (!parentIsFolder(path))
        return kNotFound;
    addFile(path, {});
    handle = nextHandle_++;
    open_[handle] = path;
    return FsResult::success();
}

FsResult MemoryFileSystem::write(FileHandle handle, std::string_view bytes)
{
    if (fails({}))
        return fault;
    const auto file = open_.find(handle);
    if (file == open_.end() || !entries.contains(file->second))
        return {FsError::other, "Bad file descriptor"};
    entries[file->second].bytes += bytes;
    return FsResult::success();
}

FsResult MemoryFileSystem::flush(FileHandle handle)
{
    if (fails({}))
        return fault;
    return open_.contains(handle) ? FsResult::success() : FsResult{FsError::other, "Bad file descriptor"};
}

FsResult MemoryFileSystem::close(FileHandle handle)
{
    const bool failing = fails({});
    if (open_.erase(handle) == 0)
        return {FsError::other, "Bad file descriptor"};
    return failing ? fault : FsResult::success();
}

FsResult MemoryFileSystem::flushDirectory(const std::string& path)
{
    if (fails({&path}))
        return fault;
    return isFolder(path) ? FsResult::success() : kNotFound;
}

FsResult MemoryFileSystem::renameNoReplace(const std::string& from, const std::string& to)
{
    if (fails({&from, &to}))
        return fault;
    if (!entries.contains(from))
        return kNotFound;
    if (entries.contains(to))
        return kExists;
    if (!parentIsFolder(to) || to.starts_with(from + separator_))
        return {FsError::invalidName, "Invalid argument"};
    // The entry and everything below it, under the new name.
    std::map<std::string, Entry> moved;
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->first == from || it->first.starts_with(from + separator_)) {
            moved[to + it->first.substr(from.size())] = std::move(it->second);
            it = entries.erase(it);
        } else {
            ++it;
        }
    }
    entries.merge(moved);
    return FsResult::success();
}

FsResult MemoryFileSystem::listDirectory(const std::string& path, std::vector<DirectoryEntry>& found)
{
    if (fails({&path}))
        return fault;
    if (!isFolder(path))
        return kNotFound;
    found.clear();
    const std::string prefix = path + separator_;
    for (auto it = entries.lower_bound(prefix); it != entries.end() && it->first.starts_with(prefix); ++it) {
        const std::string name = it->first.substr(prefix.size());
        if (name.find(separator_) == std::string::npos)
            found.push_back({name, it->second.folder ? DirectoryEntry::Kind::folder : DirectoryEntry::Kind::file});
    }
    return FsResult::success();
}

FsResult MemoryFileSystem::removeFile(const std::string& path)
{
    if (fails({&path}, true))
        return faulted && calls == failAt ? fault : kDenied;
    const auto found = entries.find(path);
    if (found == entries.end() || found->second.folder)
        return kNotFound;
    entries.erase(found);
    return FsResult::success();
}

FsResult MemoryFileSystem::removeDirectory(const std::string& path)
{
    if (fails({&path}, true))
        return faulted && calls == failAt ? fault : kDenied;
    if (!isFolder(path))
        return kNotFound;
    if (hasChildren(path))
        return kExists;
    entries.erase(path);
    return FsResult::success();
}

} // namespace popolun::testing
