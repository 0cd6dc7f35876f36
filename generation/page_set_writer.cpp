#include "page_set_writer.h"

#include "failure_messages.h"
#include "page_set.h"
#include "platform/encoding.h"
#include "platform/process.h"
#include "player_size.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <chrono>
#include <cmath>
#include <optional>
#include <vector>

namespace popolun {

namespace {

bool isFiniteNumber(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

// This machine, in the staging folders' names: a folder shared between
// machines may hold a staging folder of a process that runs elsewhere.
const std::string& machineTag()
{
    static const std::string tag = [] {
        std::uint32_t hash = 2166136261u; // FNV-1a
        for (const unsigned char c : machineName()) {
            hash ^= c;
            hash *= 16777619u;
        }
        char text[9];
        std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(hash));
        return std::string(text);
    }();
    return tag;
}

// The process of this machine that made a staging folder, from its name.
std::optional<unsigned long> stagingOwner(std::string_view name)
{
    // Called for every folder in the program directory: most fail the first test.
    static const std::string mine = std::string(kStagingPrefix) + machineTag() + "-";
    if (!name.starts_with(kStagingPrefix) || !name.starts_with(mine))
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
    const std::string& first = entries.front().name;
    std::vector<std::string> stems;
    for (const std::string_view ending : {".asx", "01.htm", ".htm"}) {
        if (first.size() > ending.size() && first.ends_with(ending))
            stems.push_back(first.substr(0, first.size() - ending.size()));
    }
    for (const std::string& stem : stems) {
        const bool all = std::all_of(entries.begin(), entries.end(), [&](const DirectoryEntry& entry) {
            return entry.kind == DirectoryEntry::Kind::file
                && (entry.name == stem + ".asx" || entry.name == stem + ".htm" || entry.name == stem + "01.htm");
        });
        if (all)
            return true;
    }
    return false;
}

} // namespace

std::string stagingFolderName(unsigned long process, unsigned long run, unsigned long long time)
{
    return std::string(kStagingPrefix) + machineTag() + "-" + std::to_string(process) + "-" + std::to_string(run) + "-"
         + std::to_string(time);
}

PageSetWriter::PageSetWriter(FileSystem& fileSystem, std::string programDirectory, MessageSink& messages,
                             char separator, bool windowsNameRules)
    : fileSystem_(fileSystem)
    , programDirectory_(std::move(programDirectory))
    , messages_(messages)
    , separator_(separator)
    , windowsNameRules_(windowsNameRules)
{
}

CreateResult PageSetWriter::create(const Snapshot& fields)
{
    const std::string& name = fields[FieldId::name];
    if (name.empty()) {
        messages_.show(text::kEnterName);
        return CreateResult::nameEmpty;
    }
    if (const auto check = checkBaseName(name, windowsNameRules_); check.problem != NameProblem::none)
        return refuse(describeNameProblem(check));
    if (!parseWidth(fields[FieldId::width]) || !isFiniteNumber(fields[FieldId::height]))
        return refuse(describeWidthProblem());

    const PageSetText text = composePageSet(fields);
    const auto asx = encodeCp932(text.asx);
    const auto link = encodeCp932(text.link);
    const auto embed = encodeCp932(text.embed);
    if (!asx || !link || !embed) {
        const std::string& bad = !asx ? text.asx : !link ? text.link : text.embed;
        return refuse(describeSettingWithoutCp932Form(firstCharacterWithoutCp932Form(bad)));
    }

    // Without it the folder would land in the root of the file system.
    if (programDirectory_.empty()) {
        messages_.show(describeProgramDirectoryUnknown());
        return CreateResult::failed;
    }
    removeLeftovers();

    const std::string folder = programDirectory_ + separator_ + name;
    std::string staging;
    if (const FsResult made = makeStagingFolder(staging); !made.ok()) {
        messages_.show(describeFolderFailure(folder, made));
        return CreateResult::failed;
    }

    struct File {
        std::string staged, published;
        const std::string* bytes;
    };
    const std::string stagedStem = staging + separator_ + name;
    const std::string stem = folder + separator_ + name;
    const File files[] = {
        {stagedStem + ".asx", stem + ".asx", &*asx},
        {stagedStem + ".htm", stem + ".htm", &*link},
        {stagedStem + "01.htm", stem + "01.htm", &*embed},
    };
    std::vector<std::string> created;
    for (const File& file : files) {
        WriteStep step = WriteStep::write;
        FileHandle handle = 0;
        FsResult result = fileSystem_.openNewFile(file.staged, handle);
        if (result.ok()) {
            created.push_back(file.staged);
            result = fileSystem_.write(handle, *file.bytes);
            if (result.ok()) {
                result = fileSystem_.flush(handle);
                step = result.ok() ? WriteStep::write : WriteStep::flush;
            }
            const FsResult closed = fileSystem_.close(handle);
            if (result.ok())
                result = closed;
        }
        if (!result.ok())
            return fail(describeStepFailure(step, file.published, result, removeCreated(staging, created)));
    }

    // The files' names in the staging folder must be on the disk before the folder can be published.
    if (const FsResult flushed = fileSystem_.flushDirectory(staging); !flushed.ok())
        return fail(describeStepFailure(WriteStep::flushFolder, folder, flushed, removeCreated(staging, created)));
    if (const FsResult renamed = fileSystem_.renameNoReplace(staging, folder); !renamed.ok()) {
        const auto notRemoved = removeCreated(staging, created);
        return fail(renamed.error == FsError::alreadyExists
                        ? describeFolderExists(folder, notRemoved)
                        : describeStepFailure(WriteStep::rename, folder, renamed, notRemoved));
    }
    if (const FsResult flushed = fileSystem_.flushDirectory(programDirectory_); !flushed.ok()) {
        // Complete on screen but perhaps not after a power cut: not saved, so undone like the rest.
        std::vector<std::string> published;
        for (const File& file : files)
            published.push_back(file.published);
        return fail(describeStepFailure(WriteStep::flushFolder, programDirectory_, flushed,
                                        removeCreated(folder, published)));
    }

    messages_.show(text::kSaved);
    return CreateResult::saved;
}

CreateResult PageSetWriter::refuse(const std::string& message)
{
    messages_.show(message);
    return CreateResult::refused;
}

CreateResult PageSetWriter::fail(const std::string& message)
{
    messages_.show(message);
    return CreateResult::failed;
}

// A new folder beside the final one, named so that no base name can be
// (the name check refuses the prefix) and no other run's can be.
FsResult PageSetWriter::makeStagingFolder(std::string& path)
{
    static std::atomic<unsigned long> runs{0};
    FsResult made;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const auto time = std::chrono::system_clock::now().time_since_epoch();
        path = programDirectory_ + separator_
             + stagingFolderName(currentProcessId(), runs++,
                                 static_cast<unsigned long long>(
                                     std::chrono::duration_cast<std::chrono::nanoseconds>(time).count()));
        made = fileSystem_.makeDirectory(path);
        if (made.error != FsError::alreadyExists)
            break;
    }
    return made;
}

// Staging folders of runs that died before their rename. Another copy of
// the program may be writing into its own right now: only folders of this
// machine whose process is gone are touched, and only when they hold
// nothing but the program's files. Best effort: a failure here does not
// stop this run.
void PageSetWriter::removeLeftovers()
{
    std::vector<DirectoryEntry> entries;
    if (!fileSystem_.listDirectory(programDirectory_, entries).ok())
        return;
    for (const DirectoryEntry& entry : entries) {
        if (entry.kind != DirectoryEntry::Kind::folder)
            continue;
        const auto owner = stagingOwner(entry.name);
        if (!owner || processRunning(*owner))
            continue;
        const std::string folder = programDirectory_ + separator_ + entry.name;
        std::vector<DirectoryEntry> inside;
        if (!fileSystem_.listDirectory(folder, inside).ok() || !onlyPageSetFiles(inside))
            continue;
        std::vector<std::string> files;
        for (const DirectoryEntry& file : inside)
            files.push_back(folder + separator_ + file.name);
        (void)removeCreated(folder, files);
    }
}

// Undoes this run: its files, newest first, then its folder. Returns what
// could not be removed, for the message.
std::vector<std::string> PageSetWriter::removeCreated(const std::string& folder,
                                                      const std::vector<std::string>& files)
{
    std::vector<std::string> notRemoved;
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        if (!fileSystem_.removeFile(*it).ok())
            notRemoved.push_back(*it);
    }
    if (!fileSystem_.removeDirectory(folder).ok())
        notRemoved.push_back(folder);
    return notRemoved;
}

} // namespace popolun
