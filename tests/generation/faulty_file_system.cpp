#include "faulty_file_system.h"

namespace popolun::testing {

FaultyFileSystem::FaultyFileSystem(int failAt, FsResult fault) : failAt_(failAt), fault_(std::move(fault)) {}

void FaultyFileSystem::failRemovals(FsResult fault) { removalFault_ = std::move(fault); }

bool FaultyFileSystem::failsNow(const std::string& path)
{
    if (++calls_ != failAt_)
        return false;
    injected_ = true;
    failedPath_ = path;
    return true;
}

FsResult FaultyFileSystem::makeDirectory(const std::string& path)
{
    return failsNow(path) ? fault_ : nativeFileSystem().makeDirectory(path);
}

FsResult FaultyFileSystem::openNewFile(const std::string& path, FileHandle& handle)
{
    if (failsNow(path))
        return fault_;
    const FsResult opened = nativeFileSystem().openNewFile(path, handle);
    if (opened.ok())
        openFiles_[handle] = path;
    return opened;
}

FsResult FaultyFileSystem::write(FileHandle handle, std::string_view bytes)
{
    if (failsNow(openFiles_[handle])) {
        (void)nativeFileSystem().write(handle, bytes.substr(0, bytes.size() / 2));
        return fault_;
    }
    return nativeFileSystem().write(handle, bytes);
}

FsResult FaultyFileSystem::flush(FileHandle handle)
{
    return failsNow(openFiles_[handle]) ? fault_ : nativeFileSystem().flush(handle);
}

FsResult FaultyFileSystem::flushDirectory(const std::string& path)
{
    return failsNow(path) ? fault_ : nativeFileSystem().flushDirectory(path);
}

FsResult FaultyFileSystem::renameNoReplace(const std::string& from, const std::string& to)
{
    return failsNow(from) ? fault_ : nativeFileSystem().renameNoReplace(from, to);
}

FsResult FaultyFileSystem::listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries)
{
    return failsNow(path) ? fault_ : nativeFileSystem().listDirectory(path, entries);
}

FsResult FaultyFileSystem::close(FileHandle handle)
{
    const FsResult closed = nativeFileSystem().close(handle);
    const std::string path = openFiles_[handle];
    openFiles_.erase(handle);
    return failsNow(path) ? fault_ : closed;
}

FsResult FaultyFileSystem::removeFile(const std::string& path)
{
    return removalFault_.ok() ? nativeFileSystem().removeFile(path) : removalFault_;
}

FsResult FaultyFileSystem::removeDirectory(const std::string& path)
{
    return removalFault_.ok() ? nativeFileSystem().removeDirectory(path) : removalFault_;
}

} // namespace popolun::testing
