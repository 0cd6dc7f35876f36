#include "platform/file_system.h"
#include "platform/posix/rename_posix.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif

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

// renameat2 through syscall(), so that a C library without the wrapper
// still builds; ENOSYS where the kernel has no such call.
int renameNoReplaceCall(const char* from, const char* to)
{
#ifdef SYS_renameat2
    return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
    (void)from;
    (void)to;
    errno = ENOSYS;
    return -1;
#endif
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

    FsResult flush(FileHandle handle) override
    {
        while (::fsync(static_cast<int>(handle)) != 0) {
            if (errno != EINTR)
                return fromErrno(errno);
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

    FsResult flushDirectory(const std::string& path) override
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return fromErrno(errno);
        int code = 0;
        while (::fsync(fd) != 0) {
            if (errno == EINTR)
                continue;
            // EINVAL: a file system that cannot sync directories; there is nothing more to do.
            if (errno != EINVAL)
                code = errno;
            break;
        }
        ::close(fd);
        return code == 0 ? FsResult::success() : fromErrno(code);
    }

    FsResult renameNoReplace(const std::string& from, const std::string& to) override
    {
        if (renameNoReplaceCall(from.c_str(), to.c_str()) == 0)
            return FsResult::success();
        // EINVAL: the file system does not know the flag (NFS, some FUSE); ENOSYS: the kernel.
        if (errno != EINVAL && errno != ENOSYS)
            return fromErrno(errno);
        return posix::renameByReservingTheName(from, to);
    }

    FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries,
                           std::string_view startingWith = {}) override
    {
        DIR* directory = ::opendir(path.c_str());
        if (!directory)
            return fromErrno(errno);
        entries.clear();
        errno = 0;
        while (const dirent* entry = ::readdir(directory)) {
            // Compared in place: a folder of thousands of page sets costs no copy of each name.
            if (!startingWith.empty() && std::strncmp(entry->d_name, startingWith.data(), startingWith.size()) != 0)
                continue;
            const std::string name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            using Kind = DirectoryEntry::Kind;
            unsigned char type = entry->d_type;
            if (type == DT_UNKNOWN) {
                struct stat status{};
                if (::fstatat(::dirfd(directory), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
                    type = S_ISREG(status.st_mode) ? DT_REG : S_ISDIR(status.st_mode) ? DT_DIR : DT_LNK;
            }
            entries.push_back({name, type == DT_REG ? Kind::file : type == DT_DIR ? Kind::folder : Kind::other});
            errno = 0;
        }
        const int code = errno;
        ::closedir(directory);
        return code == 0 ? FsResult::success() : fromErrno(code);
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

namespace posix {

// mkdir is the one portable exclusive creation of a folder name: it reserves
// the name, and the plain rename that follows replaces only that empty
// folder of this run's. Anything else that holds the name makes mkdir fail,
// and something put into the reserved folder meanwhile makes rename fail,
// so nothing of another's is replaced. What is left: an empty folder of the
// new name is visible between the two calls, and stays if the process dies
// there.
FsResult renameByReservingTheName(const std::string& from, const std::string& to)
{
    if (::mkdir(to.c_str(), 0777) != 0)
        return fromErrno(errno);
    if (::rename(from.c_str(), to.c_str()) != 0) {
        const int code = errno;
        ::rmdir(to.c_str()); // fails, and keeps it, if anything went in meanwhile
        return fromErrno(code);
    }
    return FsResult::success();
}

} // namespace posix

FileSystem& nativeFileSystem()
{
    static PosixFileSystem fileSystem;
    return fileSystem;
}

DirectoryEntry::Kind kindOfPath(const std::string& path)
{
    struct stat status{};
    if (::stat(path.c_str(), &status) != 0)
        return DirectoryEntry::Kind::other;
    return S_ISREG(status.st_mode)   ? DirectoryEntry::Kind::file
           : S_ISDIR(status.st_mode) ? DirectoryEntry::Kind::folder
                                     : DirectoryEntry::Kind::other;
}

std::string lastPathPart(const std::string& path)
{
    const auto separator = path.rfind('/');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

char pathSeparator() { return '/'; }

bool usesWindowsNameRules() { return false; }

} // namespace popolun
