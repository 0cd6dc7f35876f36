#include "platform/file_system.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace popolun {

namespace {

FsResult fromErrno(int code)
{
    FsError error = FsError::other;
    switch (code) {
    case EEXIST: case ENOTEMPTY: error = FsError::alreadyExists; break;
    case ENOENT: case ENOTDIR: error = FsError::notFound; break;
    case EACCES: case EPERM: error = FsError::accessDenied; break;
    case EROFS: error = FsError::readOnly; break;
    case ENOSPC: case EDQUOT: error = FsError::noSpace; break;
    case ENAMETOOLONG: error = FsError::nameTooLong; break;
    case EINVAL: case EILSEQ: error = FsError::invalidName; break;
    case EIO: error = FsError::ioError; break;
    default: break;
    }
    return {error, std::strerror(code)};
}

class PosixFileSystem final : public FileSystem {
public:
    FsResult makeDirectory(const std::string& path) override
    {
        if (::mkdir(path.c_str(), 0777) != 0)
            return fromErrno(errno);
        return FsResult::success();
    }

    FsResult openNewFile(const std::string& path, FileHandle& handle) override
    {
        // O_EXCL: never open something this run did not create, not even through a link.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0)
            return fromErrno(errno);
        handle = fd;
        return FsResult::success();
    }

    FsResult write(FileHandle handle, std::string_view bytes) override
    {
        while (!bytes.empty()) {
            const ssize_t written = ::write(static_cast<int>(handle), bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return fromErrno(errno);
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return FsResult::success();
    }

    FsResult close(FileHandle handle) override
    {
        // The descriptor is gone whatever close says; EINTR must not be retried.
        if (::close(static_cast<int>(handle)) != 0 && errno != EINTR)
            return fromErrno(errno);
        return FsResult::success();
    }

    FsResult removeFile(const std::string& path) override
    {
        if (::unlink(path.c_str()) != 0)
            return fromErrno(errno);
        return FsResult::success();
    }

    FsResult removeDirectory(const std::string& path) override
    {
        if (::rmdir(path.c_str()) != 0)
            return fromErrno(errno);
        return FsResult::success();
    }
};

} // namespace

FileSystem& nativeFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}

char pathSeparator() { return '/'; }

bool usesWindowsNameRules() { return false; }

} // namespace popolun
