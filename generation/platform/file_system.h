#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace popolun {

// What went wrong, in terms a user can be told; systemText keeps the
// system's own words (errno or GetLastError text) for anything else.
enum class FsError {
    none,
    alreadyExists,
    notFound,
    accessDenied,
    readOnly,
    noSpace,
    nameTooLong,
    invalidName,
    ioError,
    other,
};

struct FsResult {
    FsError error = FsError::none;
    std::string systemText;

    bool ok() const { return error == FsError::none; }
    static FsResult success() { return {}; }
};

using FileHandle = std::intptr_t;

struct DirectoryEntry {
    enum class Kind { file, folder, other }; // other: links, devices and the like
    std::string name;                        // UTF-8
    Kind kind = Kind::other;
};

// The file-system calls the page-set writer makes. Paths are UTF-8 and use
// the platform's separator. Tests put a recording or failing layer in its place.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates one directory; fails when anything of that name exists.
    virtual FsResult makeDirectory(const std::string& path) = 0;
    // Creates a file that does not exist yet, for writing.
    virtual FsResult openNewFile(const std::string& path, FileHandle& handle) = 0;
    // Writes all of bytes, or fails.
    virtual FsResult write(FileHandle handle, std::string_view bytes) = 0;
    // Puts what was written on the disk itself (fsync, FlushFileBuffers).
    virtual FsResult flush(FileHandle handle) = 0;
    // Closes the handle in every case; reports a failure to flush it.
    virtual FsResult close(FileHandle handle) = 0;
    // Puts a directory's entries on the disk (fsync of the directory); a
    // success where the system keeps them safe by itself (Windows).
    virtual FsResult flushDirectory(const std::string& path) = 0;
    // Renames a directory; fails with alreadyExists, and touches nothing,
    // when anything of the new name exists.
    virtual FsResult renameNoReplace(const std::string& from, const std::string& to) = 0;
    // The entries of a directory whose names start so (all for an empty
    // start), without "." and "..".
    virtual FsResult listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries,
                                   std::string_view startingWith = {}) = 0;
    virtual FsResult removeFile(const std::string& path) = 0;
    virtual FsResult removeDirectory(const std::string& path) = 0;
};

// The platform's own file system.
FileSystem& nativeFileSystem();

// What a path names now, following links: a file, a folder, or anything else
// (nothing there, a device, a path that cannot be read).
DirectoryEntry::Kind kindOfPath(const std::string& path);

// The platform's path separator: "\" on Windows, "/" elsewhere.
char pathSeparator();

// The last part of a path, after whichever separators the platform takes
// ("\" and "/" on Windows, "/" elsewhere); the whole path if it has none.
std::string lastPathPart(const std::string& path);

// Whether names follow the Windows rules (no trailing dot or space, no
// device names such as CON or LPT1).
bool usesWindowsNameRules();

// The directory that holds the running executable, UTF-8, without a trailing
// separator; empty if the system cannot tell.
std::string executableDirectory();

} // namespace popolun
