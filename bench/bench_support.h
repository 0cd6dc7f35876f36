#pragma once

#include "field_set.h"
#include "messages.h"
#include "session.h"

#include <array>
#include <memory>
#include <string>

namespace popolun::bench {

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

// What the writer makes for these fields in programDirectory, computed with
// the core's own composition and encoding (outside any timed region).
PageSetFiles expectedFiles(const std::string& programDirectory, const Snapshot& fields);

// The floor, the writer's work in bare system calls: one pass over the
// program directory (the writer's look for leftovers), mkdir of a staging
// folder, open/write/fsync/close for each file, fsync of the staging folder,
// renameat2 without replacing, fsync of the program directory. Without
// flush, the same without the five fsyncs. False on any failure.
bool writeDirectly(const PageSetFiles& files, bool flush = true);

// unlink the three files and rmdir the folder. False on any failure.
bool removeDirectly(const PageSetFiles& files);

// Whether the disk holds exactly these files with exactly these bytes.
bool matchesOnDisk(const PageSetFiles& files);

// A fresh directory in parent (the temporary directory when empty) holding
// `existing` page sets named set0000, set0001, ...; removed again with
// everything in it.
class ProgramDirectory {
public:
    ProgramDirectory(int existing, const std::string& parent);
    ~ProgramDirectory();
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    const std::string& path() const { return path_; }
    bool ok() const { return ok_; }

    // One directory a page-set count and parent, made the first time it is
    // asked for and kept until the process ends, so that repetitions share it.
    static ProgramDirectory& withPageSets(int existing, const std::string& parent = {});

private:
    std::string path_;
    bool ok_ = false;
};

// A file system held in memory (tmpfs at /dev/shm), where the system calls
// are cheap and the writer's own work shows; empty where there is none.
std::string memoryDirectory();

// Where a program directory in parent (the temporary directory when empty)
// lies and on what: "/tmp, ext4".
std::string describeLocation(const std::string& parent);

// The message boxes go nowhere.
class SilentMessages final : public MessageSink {
public:
    void show(const std::string&) override {}
};

// A session after the main window's load step, as the program has it once
// its window is up.
struct StartedSession {
    StartedSession() { session.load(); }
    Session session;
};

} // namespace popolun::bench
