// Writing a page set: the core's whole create operation against a floor of
// the bare system calls that do the same durable work and leave the same
// folder and bytes on disk (writeDirectly).
//
// The two run in pairs within one benchmark, in alternating order, each timed
// by its own clock: on a shared machine a burst of load then falls on both
// alike. Each repetition reports the median page set of either side as the
// counters "median" and "floor" (nanoseconds); create's mean is the
// benchmark's (manual) time. Where asked, the floor without its fsyncs joins
// the rotation as "unflushed", to show what the flushes cost. The removal
// between page sets is the same code for all and lies outside the figures,
// so each starts from the same directory state.

#include "figures.h"

#include "messages.h"
#include "page_set.h"
#include "page_set_writer.h"
#include "platform/encoding.h"
#include "platform/file_system.h"
#include "session.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <linux/magic.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace popolun::bench {

namespace {

namespace fs = std::filesystem;

// The folder and three files that one page set is on disk, with the bytes
// each file must hold, all worked out in advance, and where the floor
// stages them.
struct PageSetFiles {
    std::string directory;
    std::string folder;
    std::string staging;
    std::array<std::string, 3> paths;
    std::array<std::string, 3> stagedPaths;
    std::array<std::string, 3> bytes;
};

// The message boxes go nowhere.
class SilentMessages final : public MessageSink {
public:
    void show(const std::string&) override {}
};

// What the writer makes for these fields in programDirectory, computed with
// the core's own composition and encoding (outside any timed region).
PageSetFiles expectedFiles(const std::string& programDirectory, const Snapshot& fields)
{
    const std::string& name = fields[FieldId::name];
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

bool syncDirectory(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// The floor, the writer's work in bare system calls: one pass over the
// program directory (the writer's look for leftovers), mkdir of a staging
// folder, open/write/fsync/close for each file, fsync of the staging folder,
// renameat2 without replacing, fsync of the program directory. Without
// flush, the same without the five fsyncs. False on any failure.
bool writeDirectly(const PageSetFiles& files, bool flush = true)
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

// unlink the three files and rmdir the folder. False on any failure.
bool removeDirectly(const PageSetFiles& files)
{
    bool ok = true;
    for (const auto& path : files.paths)
        ok = ::unlink(path.c_str()) == 0 && ok;
    return ::rmdir(files.folder.c_str()) == 0 && ok;
}

// Whether the disk holds exactly these files with exactly these bytes.
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

// A fresh directory in parent (the temporary directory when empty) holding
// `existing` page sets named set0000, set0001, ...; removed again with
// everything in it.
class ProgramDirectory {
public:
    ProgramDirectory(int existing, const std::string& parent)
    {
        const fs::path base = parent.empty() ? fs::temp_directory_path() : fs::path(parent);
        std::string pattern = (base / "popolun-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        path_ = pattern;

        Session session;
        session.load();
        ok_ = true;
        for (int i = 0; i < existing && ok_; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "set%04d", i);
            session.main().setText(FieldId::name, name);
            ok_ = writeDirectly(expectedFiles(path_, session.main().snapshot()), false);
        }
    }
    ~ProgramDirectory()
    {
        if (path_.empty())
            return;
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    const std::string& path() const { return path_; }
    bool ok() const { return ok_; }

    // One directory a page-set count and parent, made the first time it is
    // asked for and kept until the process ends, so that repetitions share it.
    static ProgramDirectory& withPageSets(int existing, const std::string& parent = {})
    {
        static std::map<std::pair<int, std::string>, std::unique_ptr<ProgramDirectory>> directories;
        auto& directory = directories[{existing, parent}];
        if (!directory)
            directory = std::make_unique<ProgramDirectory>(existing, parent);
        return *directory;
    }

private:
    std::string path_;
    bool ok_ = false;
};

// Where a program directory in parent (the temporary directory when empty)
// lies and on what: "/tmp, ext2/3/4".
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

// A file system held in memory (tmpfs at /dev/shm), where the system calls
// are cheap and the writer's own work shows; empty where there is none.
std::string memoryDirectory()
{
    struct statfs info{};
    if (::statfs("/dev/shm", &info) != 0 || info.f_type != TMPFS_MAGIC || ::access("/dev/shm", W_OK) != 0)
        return {};
    return "/dev/shm";
}

using Clock = std::chrono::steady_clock;

// Page sets a repetition: fixed, so that a slow disk cannot stretch the run.
constexpr int kPageSetsPerRepetition = 40;

double seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

void measure(benchmark::State& state, int existing, const std::string& name, const std::string& parent,
             bool unflushedToo)
{
    ProgramDirectory& directory = ProgramDirectory::withPageSets(existing, parent);
    if (!directory.ok()) {
        state.SkipWithError("could not prepare the program directory");
        return;
    }
    Session session;
    session.load();
    session.main().setText(FieldId::name, name);
    SilentMessages messages;
    PageSetWriter writer(nativeFileSystem(), directory.path(), messages);
    const PageSetFiles files = expectedFiles(directory.path(), session.main().snapshot());

    // Once each, untimed: all leave exactly the same folder and bytes.
    const bool created = writer.create(session.main().snapshot()) == CreateResult::saved;
    if (!created || !matchesOnDisk(files) || !removeDirectly(files) || !writeDirectly(files)
        || !matchesOnDisk(files) || !removeDirectly(files) || !writeDirectly(files, false)
        || !matchesOnDisk(files) || !removeDirectly(files)) {
        state.SkipWithError("the page set on disk is not the expected one");
        return;
    }

    const auto timed = [&](const std::function<bool()>& write) {
        return [&, write](bool& ok) {
            const auto start = Clock::now();
            ok = write();
            const auto stop = Clock::now();
            ok = removeDirectly(files) && ok;
            return seconds(stop - start);
        };
    };
    std::vector<std::function<double(bool&)>> sides{
        timed([&] { return writer.create(session.main().snapshot()) == CreateResult::saved; }),
        timed([&] { return writeDirectly(files); }),
    };
    if (unflushedToo)
        sides.push_back(timed([&] { return writeDirectly(files, false); }));

    std::vector<std::vector<double>> times(sides.size());
    std::size_t first = 0;
    for (auto _ : state) {
        bool allOk = true;
        for (std::size_t k = 0; k < sides.size(); ++k) {
            const std::size_t side = (first + k) % sides.size();
            bool ok = false;
            times[side].push_back(sides[side](ok));
            allOk = allOk && ok;
        }
        state.SetIterationTime(times[0].back());
        first = (first + 1) % sides.size();
        if (!allOk) {
            state.SkipWithError("a page set could not be written or removed");
            break;
        }
    }
    // The disk stalls now and then (journal commits, other processes'
    // writeback) for far longer than a page set takes; the median of the
    // single page sets keeps such a stall from deciding the figure.
    state.counters["median"] = median(times[0]) * 1e9;
    state.counters["floor"] = median(times[1]) * 1e9;
    if (unflushedToo)
        state.counters["unflushed"] = median(times[2]) * 1e9;
}

// Says yes to everything and keeps nothing: what is left of create is the
// writer's own work (snapshot, checks, composing, encoding, paths).
class NothingFileSystem final : public FileSystem {
public:
    FsResult makeDirectory(const std::string&) override { return FsResult::success(); }
    FsResult openNewFile(const std::string&, FileHandle& handle) override
    {
        handle = 3;
        return FsResult::success();
    }
    FsResult write(FileHandle, std::string_view bytes) override
    {
        written_ += bytes.size();
        return FsResult::success();
    }
    FsResult flush(FileHandle) override { return FsResult::success(); }
    FsResult close(FileHandle) override { return FsResult::success(); }
    FsResult flushDirectory(const std::string&) override { return FsResult::success(); }
    FsResult renameNoReplace(const std::string&, const std::string&) override { return FsResult::success(); }
    FsResult listDirectory(const std::string&, std::vector<DirectoryEntry>& entries) override
    {
        entries.clear();
        return FsResult::success();
    }
    FsResult removeFile(const std::string&) override { return FsResult::success(); }
    FsResult removeDirectory(const std::string&) override { return FsResult::success(); }

    std::size_t written() const { return written_; }

private:
    std::size_t written_ = 0;
};

void measureOwnWork(benchmark::State& state, const std::string& name)
{
    Session session;
    session.load();
    session.main().setText(FieldId::name, name);
    SilentMessages messages;
    NothingFileSystem fileSystem;
    PageSetWriter writer(fileSystem, "/nowhere", messages);
    const PageSetFiles files = expectedFiles("/nowhere", session.main().snapshot());
    const std::size_t bytesPerPageSet = files.bytes[0].size() + files.bytes[1].size() + files.bytes[2].size();

    for (auto _ : state) {
        if (writer.create(session.main().snapshot()) != CreateResult::saved) {
            state.SkipWithError("the writer refused the page set");
            break;
        }
    }
    // Every page set reached the file system whole.
    if (fileSystem.written() != bytesPerPageSet * static_cast<std::size_t>(state.iterations()))
        state.SkipWithError("the writer did not hand over the expected bytes");
}

// Registers create against its floor as one benchmark, and its row.
void registerPair(const std::string& key, const std::string& label, int existing, const std::string& name,
                  const std::string& parent = {}, bool unflushedToo = false)
{
    benchmark::RegisterBenchmark(key.c_str(), measure, existing, name, parent, unflushedToo)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(kPageSetsPerRepetition);
    addFigure({label, key, key + "#floor", Figure::Goal::ratioAtMost, 1.2});
}

} // namespace

void registerPageSetBenchmarks()
{
    // A Japanese base name, so that the name goes through the encoder too;
    // on disk and in memory, where the disk no longer hides the writer's own
    // work. Each with what the five fsyncs cost, for reference.
    std::vector<std::pair<std::string, std::string>> keys{{"page_set", ""}};
    if (const std::string memory = memoryDirectory(); !memory.empty())
        keys.emplace_back("page_set_in_memory", memory);
    for (const auto& [key, parent] : keys) {
        registerPair(key,
                     "Writing a page set (create vs the same durable work in bare calls; " + describeLocation(parent)
                         + ")",
                     0, "動画の案内", parent, true);
        addFigure({"Writing a page set, for reference: the floor against the same calls without the five fsyncs ("
                       + describeLocation(parent) + ")",
                   key + "#floor", key + "#unflushed"});
    }

    // What the gap between the two above is made of.
    benchmark::RegisterBenchmark("writer_own_work", measureOwnWork, std::string("動画の案内"))
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.05);
    addFigure({"Writing a page set, for reference: the writer's own work (a file system that does nothing)",
               "writer_own_work"});

    // ASCII names: 200 characters of Japanese would pass NAME_MAX (255 bytes) in UTF-8.
    for (const int length : {1, 10, 100, 200}) {
        const std::string key = "name_length/" + std::to_string(length);
        registerPair(key,
                     "Scale: base name of " + std::to_string(length) + (length == 1 ? " character" : " characters"), 0,
                     std::string(static_cast<std::size_t>(length), 'a'));
    }

    // The count on disk, and again in memory, where a cost that grew with it
    // would not hide behind the file system's own.
    std::vector<std::pair<std::string, std::string>> places{{"", ""}};
    if (const std::string memory = memoryDirectory(); !memory.empty())
        places.emplace_back(memory, " (tmpfs)");
    for (const auto& [parent, where] : places) {
        const std::string prefix = parent.empty() ? "page_sets_there/" : "page_sets_there_in_memory/";
        for (const int existing : {1, 100, 1000}) {
            const std::string key = prefix + std::to_string(existing);
            registerPair(key,
                         "Scale: " + std::to_string(existing) + (existing == 1 ? " page set" : " page sets")
                             + " already there" + where,
                         existing, "new", parent);
        }
        addFigure({.label = "Scale: growth from 1 to 1000 page sets there" + where + ", create's against the floor's",
                   .measured = prefix + "1000",
                   .floor = prefix + "1000#floor",
                   .goal = Figure::Goal::growthAtMost,
                   .limit = 1.2,
                   .measuredBase = prefix + "1",
                   .floorBase = prefix + "1#floor"});
    }
}

} // namespace popolun::bench
