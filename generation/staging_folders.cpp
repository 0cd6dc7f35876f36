#include "staging_folders.h"

#include "name_check.h"
#include "page_set.h"
#include "removal.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <optional>

namespace popolun {

namespace {

// A machine in the staging folders' names: a folder shared between machines
// may hold a staging folder of a process that runs elsewhere.
std::string machineTag(const std::string& machine)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const unsigned char c : machine) {
        hash ^= c;
        hash *= 16777619u;
    }
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
    return text;
}

// How a machine's staging folders' names start.
std::string namesStart(const Processes& processes)
{
    return std::string(kStagingPrefix) + machineTag(processes.machineName()) + "-";
}

std::string nameOf(const std::string& start, unsigned long process, unsigned long run, unsigned long long time)
{
    return start + std::to_string(process) + "-" + std::to_string(run) + "-" + std::to_string(time);
}

// The process of this machine that made a staging folder, from its name.
std::optional<unsigned long> stagingOwner(std::string_view name, std::string_view mine)
{
    if (!name.starts_with(mine))
        return std::nullopt;
    name.remove_prefix(mine.size());
    unsigned long long numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), numbers[i]);
        if (error != std::errc() || end == name.data())
            return std::nullopt;
        name.remove_prefix(static_cast<std::size_t>(end - name.data()));
        if (i < 2 && !name.starts_with('-'))
            return std::nullopt;
        name.remove_prefix(i < 2 ? 1 : 0);
    }
    if (!name.empty() || numbers[0] > ULONG_MAX)
        return std::nullopt;
    return static_cast<unsigned long>(numbers[0]);
}

// Whether a staging folder holds nothing but the files a run writes: plain
// files named X.asx, X.htm and X01.htm for one X, any of them or none.
bool onlyPageSetFiles(const std::vector<DirectoryEntry>& entries)
{
    if (entries.empty())
        return true;
    const auto endsAsAPage = [](std::string_view name, std::string_view stem) {
        return name.starts_with(stem)
            && std::ranges::find(kPageFiles, name.substr(stem.size()), &PageFile::ending) != std::end(kPageFiles);
    };
    // X from the first entry's name, for each ending it may have ("a01.htm" may be a's or a01's).
    const std::string& first = entries.front().name;
    for (const auto& [ending, compose] : kPageFiles) {
        if (first.size() <= ending.size() || !first.ends_with(ending))
            continue;
        const std::string_view stem = std::string_view(first).substr(0, first.size() - ending.size());
        if (std::ranges::all_of(entries, [&](const DirectoryEntry& entry) {
                return entry.kind == DirectoryEntry::Kind::file && endsAsAPage(entry.name, stem);
            }))
            return true;
    }
    return false;
}

} // namespace

std::string stagingFolderName(const Processes& processes, unsigned long process, unsigned long run,
                              unsigned long long time)
{
    return nameOf(namesStart(processes), process, run, time);
}

StagingFolders::StagingFolders(FileSystem& fileSystem, const Processes& processes, std::string programDirectory,
                               char separator)
    : fileSystem_(fileSystem)
    , processes_(processes)
    , programDirectory_(std::move(programDirectory))
    , separator_(separator)
    , mine_(namesStart(processes))
{
}

// Named so that no base name can be (the name check refuses the prefix) and
// no other run's can be.
FsResult StagingFolders::make(std::string& path)
{
    static std::atomic<unsigned long> runs{0};
    FsResult made;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto time = std::chrono::system_clock::now().time_since_epoch();
        path = programDirectory_ + separator_
             + nameOf(mine_, processes_.current(), runs++,
                      static_cast<unsigned long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(time).count()));
        made = fileSystem_.makeDirectory(path);
        if (made.error != FsError::alreadyExists)
            break;
    }
    return made;
}

void StagingFolders::removeLeftovers()
{
    std::vector<DirectoryEntry> entries;
    if (!fileSystem_.listDirectory(programDirectory_, entries, kStagingPrefix).ok())
        return;
    for (const DirectoryEntry& entry : entries) {
        if (entry.kind != DirectoryEntry::Kind::folder)
            continue;
        const auto owner = stagingOwner(entry.name, mine_);
        if (!owner || processes_.running(*owner))
            continue;
        const std::string folder = programDirectory_ + separator_ + entry.name;
        std::vector<DirectoryEntry> inside;
        if (!fileSystem_.listDirectory(folder, inside).ok() || !onlyPageSetFiles(inside))
            continue;
        std::vector<std::string> files;
        for (const DirectoryEntry& file : inside)
            files.push_back(folder + separator_ + file.name);
        (void)removeFilesAndFolder(fileSystem_, folder, files);
    }
}

} // namespace popolun
