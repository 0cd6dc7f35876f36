// Writing a page set: the core's create against a floor of bare system calls
// that do the same durable work and leave the same bytes (writeDirectly), in
// pairs in alternating order, each timed by its own clock (and, where asked,
// the floor without its fsyncs). A repetition reports the median page set of
// each side ("median", "floor", "unflushed": a disk stall can outlast ten
// page sets); the removal between page sets lies outside the figures.

#include "figures.h"

#include "page_set.h"
#include "page_set_writer.h"
#include "platform/encoding.h"
#include "session.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <linux/magic.h>
#include <map>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace popolun::bench {

namespace {

namespace fs = std::filesystem;

struct SilentMessages final : MessageSink { void show(const std::string&) override {} } silent;

// The fields of a started session, with this base name.
Snapshot fieldsFor(const std::string& name)
{
    Session session;
    session.load();
    session.main().setText(FieldId::name, name);
    return session.main().snapshot();
}

// One page set on disk, its bytes worked out by the core before any timing,
// and where the floor stages it.
struct PageSetFiles {
    std::string directory, folder, staging;
    PerPageFile names, bytes;
};

PageSetFiles expectedFiles(const std::string& directory, const Snapshot& fields)
{
    const std::string& name = fields[FieldId::name];
    const PerPageFile texts = composePageSet(fields);
    PageSetFiles files{directory, directory + "/" + name, directory + "/.popolun-staging-floor", {}, {}};
    for (std::size_t i = 0; i < kPageFileCount; ++i) {
        files.names[i] = "/" + name + std::string(kPageFiles[i].ending);
        files.bytes[i] = encodeCp932(texts[i]).value_or("");
    }
    return files;
}

bool syncDirectory(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 && (::fsync(fd) == 0) + (::close(fd) == 0) == 2;
}

// The writer's work in bare calls: a pass over the program directory (the
// look for leftovers), mkdir of a staging folder, open (the writer's
// flags)/write/fsync/close for each file, fsync of the folder, renameat2
// without replacing, fsync of the program directory; or all that without the fsyncs.
bool writeDirectly(const PageSetFiles& files, bool flush = true)
{
    if (DIR* directory = ::opendir(files.directory.c_str())) {
        while (::readdir(directory)) {
        }
        ::closedir(directory);
    }
    if (::mkdir(files.staging.c_str(), 0777) != 0)
        return false;
    for (std::size_t i = 0; i < files.names.size(); ++i) {
        const int fd = ::open((files.staging + files.names[i]).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        const bool written = fd >= 0 && ::write(fd, files.bytes[i].data(), files.bytes[i].size()) == ssize_t(files.bytes[i].size())
                          && (!flush || ::fsync(fd) == 0);
        if (fd < 0 || ::close(fd) != 0 || !written)
            return false;
    }
    return (!flush || syncDirectory(files.staging))
        && ::renameat2(AT_FDCWD, files.staging.c_str(), AT_FDCWD, files.folder.c_str(), RENAME_NOREPLACE) == 0
        && (!flush || syncDirectory(files.directory));
}

// Removes the page set, and tells whether it was exactly these files with these bytes.
bool removeChecked(const PageSetFiles& files)
{
    std::error_code error;
    bool exact = std::distance(fs::directory_iterator(files.folder, error), fs::directory_iterator()) == 3;
    for (std::size_t i = 0; i < files.names.size(); ++i) {
        const std::string path = files.folder + files.names[i];
        exact = std::string(std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {})
                    == files.bytes[i]
             && ::unlink(path.c_str()) == 0 && exact;
    }
    return ::rmdir(files.folder.c_str()) == 0 && exact;
}

// A fresh directory in parent (the temporary directory when empty) holding
// `existing` page sets set0000, set0001, …, made when first asked for and
// shared by the repetitions until the process ends.
std::string programDirectory(int existing, const std::string& parent)
{
    static std::map<std::pair<int, std::string>, std::string> made;
    static const int removedAtExit = std::atexit([] {
        for (const auto& [key, path] : made)
            fs::remove_all(path);
    });
    (void)removedAtExit;
    std::string& directory = made[{existing, parent}];
    if (directory.empty()) {
        directory = ((parent.empty() ? fs::temp_directory_path() : fs::path(parent)) / "popolun-bench-XXXXXX").string();
        ::mkdtemp(directory.data());
        for (int i = 0; i < existing; ++i)
            writeDirectly(expectedFiles(directory, fieldsFor("set" + std::to_string(10000 + i).substr(1))), false);
    }
    return directory;
}

// What a folder lies on: "tmpfs", "ext2/3/4" or "".
std::string fileSystemOf(const std::string& path)
{
    struct statfs info{};
    ::statfs(path.c_str(), &info);
    return info.f_type == TMPFS_MAGIC ? "tmpfs" : info.f_type == EXT4_SUPER_MAGIC ? "ext2/3/4" : "";
}

constexpr int kPageSetsPerRepetition = 40; // fixed, so that a slow disk cannot stretch the run

void measure(benchmark::State& state, int existing, const std::string& name, const std::string& parent, bool unflushedToo)
{
    const std::string directory = programDirectory(existing, parent);
    const Snapshot fields = fieldsFor(name);
    PageSetWriter writer(nativeFileSystem(), directory, silent);
    const PageSetFiles files = expectedFiles(directory, fields);
    using Clock = std::chrono::steady_clock;
    std::vector<std::function<bool()>> sides{
        [&] { return writer.create(fields) == CreateResult::saved; },
        [&] { return writeDirectly(files); },
    };
    if (unflushedToo)
        sides.push_back([&] { return writeDirectly(files, false); });
    std::vector<std::vector<double>> times(sides.size());
    std::size_t first = 0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < sides.size(); ++k) {
            const std::size_t side = (first + k) % sides.size();
            const auto start = Clock::now();
            const bool written = sides[side]();
            times[side].push_back(std::chrono::duration<double>(Clock::now() - start).count());
            if (!removeChecked(files) || !written) // every side leaves exactly the same folder and bytes
                return state.SkipWithError("a page set was not written whole, or not as the writer writes it");
        }
        state.SetIterationTime(times[0].back());
        first = (first + 1) % sides.size();
    }
    const char* const counters[] = {"median", "floor", "unflushed"};
    for (std::size_t side = 0; side < sides.size(); ++side)
        state.counters[counters[side]] = median(times[side]) * 1e9;
}

// A file system that says yes to every call and keeps only how many bytes
// it was given, so that what is measured is the writer's own work.
class CountingFileSystem final : public FileSystem {
public:
    std::size_t written = 0;

    FsResult makeDirectory(const std::string&) override { return {}; }
    FsResult openNewFile(const std::string&, FileHandle& handle) override { return handle = 3, FsResult{}; }
    FsResult write(FileHandle, std::string_view bytes) override { return written += bytes.size(), FsResult{}; }
    FsResult flush(FileHandle) override { return {}; }
    FsResult close(FileHandle) override { return {}; }
    FsResult flushDirectory(const std::string&) override { return {}; }
    FsResult renameNoReplace(const std::string&, const std::string&) override { return {}; }
    FsResult listDirectory(const std::string&, std::vector<DirectoryEntry>& entries, std::string_view) override
    {
        entries.clear();
        return {};
    }
    FsResult removeFile(const std::string&) override { return {}; }
    FsResult removeDirectory(const std::string&) override { return {}; }
};

// The writer's own work: create against a file system that does nothing.
void measureOwnWork(benchmark::State& state, const std::string& name)
{
    const Snapshot fields = fieldsFor(name);
    std::size_t pageSetBytes = 0;
    for (const std::string& text : composePageSet(fields))
        pageSetBytes += encodeCp932(text).value_or("").size();
    CountingFileSystem fileSystem;
    PageSetWriter writer(fileSystem, "/p", silent);
    for (auto _ : state) {
        fileSystem.written = 0;
        if (writer.create(fields) != CreateResult::saved || fileSystem.written != pageSetBytes)
            return state.SkipWithError("the writer did not make the page set");
    }
}

void registerPair(const std::string& key, const std::string& label, int existing, const std::string& name,
                  const std::string& parent = {}, bool unflushedToo = false)
{
    benchmark::RegisterBenchmark(key.c_str(), measure, existing, name, parent, unflushedToo)
        ->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(kPageSetsPerRepetition);
    addFigure({label, key, key + "#floor", Figure::Goal::ratioAtMost, 1.2});
}

} // namespace

void registerPageSetBenchmarks()
{
    // A Japanese base name, so that the name goes through the encoder too; on
    // disk and in memory, where the disk no longer hides the writer's own work
    // (nor a cost that grew with the page sets there the file system's own).
    std::vector<std::string> places{""};
    if (fileSystemOf("/dev/shm") == "tmpfs" && ::access("/dev/shm", W_OK) == 0)
        places.push_back("/dev/shm"); // where the system calls are cheap and the writer's own work shows
    for (const std::string& parent : places) {
        const std::string key = parent.empty() ? "page_set" : "page_set_in_memory";
        const std::string path = parent.empty() ? fs::temp_directory_path().string() : parent;
        const std::string where = " (" + path + ", " + fileSystemOf(path) + ")";
        registerPair(key, "Writing a page set (create vs the same durable work in bare calls; " + where.substr(2), 0,
                     "動画の案内", parent, true);
        addFigure({"Writing a page set, for reference: the floor against the same calls without the five fsyncs" + where,
                   key + "#floor", key + "#unflushed"});
    }
    benchmark::RegisterBenchmark("writer_own_work", measureOwnWork, std::string("動画の案内"))->Unit(benchmark::kMicrosecond)->MinTime(0.05);
    addFigure({"Writing a page set, for reference: the writer's own work (a file system that only counts the bytes)", "writer_own_work"});

    // ASCII names: 200 characters of Japanese would pass NAME_MAX (255 bytes) in UTF-8.
    for (const int length : {1, 10, 100, 200})
        registerPair("name_length/" + std::to_string(length),
                     "Scale: base name of " + std::to_string(length) + (length == 1 ? " character" : " characters"), 0,
                     std::string(std::size_t(length), 'a'));

    for (const std::string& parent : places) {
        const std::string where = parent.empty() ? "" : " (tmpfs)";
        const std::string prefix = parent.empty() ? "page_sets_there/" : "page_sets_there_in_memory/";
        for (const int existing : {1, 100, 1000})
            registerPair(prefix + std::to_string(existing),
                         "Scale: " + std::to_string(existing) + (existing == 1 ? " page set" : " page sets")
                             + " already there" + where,
                         existing, "new", parent);
        addFigure({.label = "Scale: growth from 1 to 1000 page sets there" + where + ", create's against the floor's",
                   .measured = prefix + "1000", .floor = prefix + "1000#floor", .goal = Figure::Goal::growthAtMost,
                   .limit = 1.2, .measuredBase = prefix + "1", .floorBase = prefix + "1#floor"});
    }
}

} // namespace popolun::bench
