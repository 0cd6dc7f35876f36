// Writing a page set: the core's whole create operation against a floor of
// the bare system calls that do the same durable work and leave the same
// folder and bytes on disk (bench_support.h).
//
// The two run in pairs within one benchmark, in alternating order, each timed
// by its own clock: on a shared machine a burst of load then falls on both
// alike. Each repetition reports the median page set of either side as the
// counters "median" and "floor" (nanoseconds); create's mean is the
// benchmark's (manual) time. Where asked, the floor without its fsyncs joins
// the rotation as "unflushed", to show what the flushes cost. The removal
// between page sets is the same code for all and lies outside the figures,
// so each starts from the same directory state.

#include "bench_support.h"
#include "figures.h"
#include "table.h"

#include "page_set_writer.h"
#include "platform/file_system.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

namespace popolun::bench {

namespace {

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
    StartedSession started;
    Session& session = started.session;
    session.main().setText(1, name);
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
    StartedSession started;
    Session& session = started.session;
    session.main().setText(1, name);
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

void registerPair(const std::string& key, int existing, const std::string& name, const std::string& parent = {},
                  bool unflushedToo = false)
{
    benchmark::RegisterBenchmark(key.c_str(), measure, existing, name, parent, unflushedToo)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(kPageSetsPerRepetition);
}

} // namespace

void registerPageSetBenchmarks()
{
    using Goal = Figure::Goal;

    // A Japanese base name, so that the name goes through the encoder too;
    // on disk and in memory, where the disk no longer hides the writer's own
    // work. Each with what the five fsyncs cost, for reference.
    std::vector<std::pair<std::string, std::string>> keys{{"page_set", ""}};
    if (const std::string memory = memoryDirectory(); !memory.empty())
        keys.emplace_back("page_set_in_memory", memory);
    for (const auto& [key, parent] : keys) {
        registerPair(key, 0, "動画の案内", parent, true);
        addFigure({"Writing a page set (create vs the same durable work in bare calls; " + describeLocation(parent)
                       + ")",
                   key, key + "#floor", Goal::ratioAtMost, 1.2});
        addFigure({"Writing a page set, for reference: the floor against the same calls without the five fsyncs ("
                       + describeLocation(parent) + ")",
                   key + "#floor", key + "#unflushed", Goal::reference, 0});
    }

    // What the gap between the two above is made of.
    benchmark::RegisterBenchmark("writer_own_work", measureOwnWork, std::string("動画の案内"))
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.05);
    addFigure({"Writing a page set, for reference: the writer's own work (a file system that does nothing)",
               "writer_own_work", "", Goal::reference, 0});

    // ASCII names: 200 characters of Japanese would pass NAME_MAX (255 bytes) in UTF-8.
    for (const int length : {1, 10, 100, 200}) {
        const std::string key = "name_length/" + std::to_string(length);
        registerPair(key, 0, std::string(static_cast<std::size_t>(length), 'a'));
        addFigure({"Scale: base name of " + std::to_string(length) + (length == 1 ? " character" : " characters"),
                   key, key + "#floor", Goal::ratioAtMost, 1.2});
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
            registerPair(key, existing, "new", parent);
            addFigure({"Scale: " + std::to_string(existing) + (existing == 1 ? " page set" : " page sets")
                           + " already there" + where,
                       key, key + "#floor", Goal::ratioAtMost, 1.2});
        }
        addFigure({"Scale: growth from 1 to 1000 page sets there" + where + ", create's against the floor's",
                   prefix + "1000", prefix + "1000#floor", Goal::growthAtMost, 1.2, prefix + "1", prefix + "1#floor"});
    }
}

} // namespace popolun::bench
