#include "bench_support.h"

#include "page_set.h"
#include "platform/encoding.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <cstdlib>
#include <fcntl.h>
#include <linux/magic.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace popolun::bench {

namespace fs = std::filesystem;

PageSetFiles expectedFiles(const std::string& programDirectory, const Snapshot& fields)
{
    const std::string& name = fields[0];
    const PageSetText text = composePageSet(fields);
    PageSetFiles files;
    files.directory = programDirectory;
    files.folder = programDirectory + "/" + name;
    files.staging = programDirectory + "/.popolun-staging-floor";
    const std::string stem = files.folder + "/" + name;
    const std::string stagedStem = files.staging + "/" + name;
    files.paths = {stem + ".asx", stem + ".htm", stem + "01.htm"};
    files.stagedPaths = {stagedStem + ".asx", stagedStem + ".htm", stagedStem + "01.htm"};
    files.bytes = {encodeCp932(text.asx).value_or(""), encodeCp932(text.link).value_or(""),
                   encodeCp932(text.embed).value_or("")};
    return files;
}

namespace {

bool syncDirectory(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

bool writeDirectly(const PageSetFiles& files, bool flush)
{
    DIR* directory = ::opendir(files.directory.c_str());
    if (!directory)
        return false;
    while (::readdir(directory)) {
    }
    ::closedir(directory);
    if (::mkdir(files.staging.c_str(), 0777) != 0)
        return false;
    for (std::size_t i = 0; i < files.stagedPaths.size(); ++i) {
        // The same flags the writer uses: a new file, never one reached through a link.
        const int fd = ::open(files.stagedPaths[i].c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0)
            return false;
        const std::string& bytes = files.bytes[i];
        const bool written = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())
                          && (!flush || ::fsync(fd) == 0);
        if (::close(fd) != 0 || !written)
            return false;
    }
    if (flush && !syncDirectory(files.staging))
        return false;
    if (::renameat2(AT_FDCWD, files.staging.c_str(), AT_FDCWD, files.folder.c_str(), RENAME_NOREPLACE) != 0)
        return false;
    return !flush || syncDirectory(files.directory);
}

bool removeDirectly(const PageSetFiles& files)
{
    bool ok = true;
    for (const auto& path : files.paths)
        ok = ::unlink(path.c_str()) == 0 && ok;
    return ::rmdir(files.folder.c_str()) == 0 && ok;
}

bool matchesOnDisk(const PageSetFiles& files)
{
    std::error_code error;
    if (!fs::is_directory(files.folder, error))
        return false;
    if (std::distance(fs::directory_iterator(files.folder, error), fs::directory_iterator()) != 3)
        return false;
    for (std::size_t i = 0; i < files.paths.size(); ++i) {
        std::ifstream in(files.paths[i], std::ios::binary);
        const std::string contents{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (!in.good() && !in.eof())
            return false;
        if (contents != files.bytes[i] || files.bytes[i].empty())
            return false;
    }
    return true;
}

ProgramDirectory::ProgramDirectory(int existing, const std::string& parent)
{
    const fs::path base = parent.empty() ? fs::temp_directory_path() : fs::path(parent);
    std::string pattern = (base / "popolun-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return;
    path_ = pattern;

    StartedSession started;
    ok_ = true;
    for (int i = 0; i < existing && ok_; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "set%04d", i);
        started.session.main().setText(1, name);
        ok_ = writeDirectly(expectedFiles(path_, started.session.main().snapshot()), false);
    }
}

ProgramDirectory::~ProgramDirectory()
{
    if (path_.empty())
        return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

ProgramDirectory& ProgramDirectory::withPageSets(int existing, const std::string& parent)
{
    static std::map<std::pair<int, std::string>, std::unique_ptr<ProgramDirectory>> directories;
    auto& directory = directories[{existing, parent}];
    if (!directory)
        directory = std::make_unique<ProgramDirectory>(existing, parent);
    return *directory;
}

std::string describeLocation(const std::string& parent)
{
    const std::string path = parent.empty() ? fs::temp_directory_path().string() : parent;
    struct statfs info{};
    if (::statfs(path.c_str(), &info) != 0)
        return path;
    const char* type = "another file system";
    switch (info.f_type) {
    case EXT4_SUPER_MAGIC: type = "ext2/3/4"; break;
    case TMPFS_MAGIC: type = "tmpfs"; break;
    case BTRFS_SUPER_MAGIC: type = "btrfs"; break;
    case XFS_SUPER_MAGIC: type = "xfs"; break;
    case OVERLAYFS_SUPER_MAGIC: type = "overlayfs"; break;
    default: break;
    }
    return path + ", " + type;
}

std::string memoryDirectory()
{
    struct statfs info{};
    if (::statfs("/dev/shm", &info) != 0 || info.f_type != TMPFS_MAGIC || ::access("/dev/shm", W_OK) != 0)
        return {};
    return "/dev/shm";
}

} // namespace popolun::bench
