#include "page_set_writer.h"

#include "failure_messages.h"
#include "messages.h"
#include "platform/encoding.h"
#include "player_size.h"
#include "removal.h"

namespace popolun {

namespace {

// Creates one file and puts its bytes on the disk: open, write, flush, close.
// A file that was created is added to `created`, whatever happens after;
// `step` tells what failed.
FsResult writeNewFile(FileSystem& fileSystem, const std::string& path, const std::string& bytes,
                      std::vector<std::string>& created, WriteStep& step)
{
    FileHandle handle = 0;
    FsResult result = fileSystem.openNewFile(path, handle);
    if (!result.ok())
        return result;
    created.push_back(path);
    result = fileSystem.write(handle, bytes);
    if (result.ok()) {
        result = fileSystem.flush(handle);
        if (!result.ok())
            step = WriteStep::flush;
    }
    const FsResult closed = fileSystem.close(handle);
    return result.ok() ? closed : result;
}

std::vector<std::string> everyFile(const PerPageFile& paths) { return {paths.begin(), paths.end()}; }

} // namespace

PageSetWriter::PageSetWriter(FileSystem& fileSystem, std::string programDirectory, MessageSink& messages,
                             char separator, bool windowsNameRules, const Processes& processes)
    : fileSystem_(fileSystem)
    , programDirectory_(std::move(programDirectory))
    , messages_(messages)
    , separator_(separator)
    , windowsNameRules_(windowsNameRules)
    , stagingFolders_(fileSystem, processes, programDirectory_, separator)
{
}

CreateResult PageSetWriter::create(const Snapshot& fields)
{
    const std::string& name = fields[FieldId::name];
    if (name.empty())
        return finish(CreateResult::nameEmpty, say(Message::enterName));
    if (const auto problem = check(fields))
        return finish(CreateResult::refused, *problem);
    PerPageFile bytes;
    if (const auto problem = encode(fields, bytes))
        return finish(CreateResult::refused, *problem);
    std::string staging;
    if (const auto problem = stage(name, bytes, staging))
        return finish(CreateResult::failed, *problem);
    if (const auto problem = publish(name, staging))
        return finish(CreateResult::failed, *problem);
    return finish(CreateResult::saved, say(Message::saved));
}

// Only a name that makes exactly one new folder, and a width that gives a height.
std::optional<std::string> PageSetWriter::check(const Snapshot& fields) const
{
    if (const auto check = checkBaseName(fields[FieldId::name], windowsNameRules_); check.problem != NameProblem::none)
        return describeNameProblem(check);
    if (playerHeight(fields[FieldId::width]).empty() || fields[FieldId::height].empty())
        return describeWidthProblem();
    return std::nullopt;
}

// The pages as the fields compose them, each character exactly in code page 932.
std::optional<std::string> PageSetWriter::encode(const Snapshot& fields, PerPageFile& bytes)
{
    const PerPageFile texts = composePageSet(fields);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto encoded = encodeCp932(texts[i]);
        if (!encoded)
            return describeSettingWithoutCp932Form(firstCharacterWithoutCp932Form(texts[i]));
        bytes[i] = std::move(*encoded);
    }
    return std::nullopt;
}

// The three files in a new staging folder, their bytes and then their names
// on the disk. On failure what this run made is removed again.
std::optional<std::string> PageSetWriter::stage(const std::string& name, const PerPageFile& bytes,
                                                std::string& staging)
{
    // Without it the folder would land in the root of the file system.
    if (programDirectory_.empty())
        return describeProgramDirectoryUnknown();
    stagingFolders_.removeLeftovers();

    const std::string folder = folderPath(name);
    if (const FsResult made = stagingFolders_.make(staging); !made.ok())
        return describeFolderFailure(folder, made);
    const auto staged = filePaths(staging, name);
    const auto published = filePaths(folder, name);
    std::vector<std::string> created;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        WriteStep step = WriteStep::write;
        if (const FsResult written = writeNewFile(fileSystem_, staged[i], bytes[i], created, step); !written.ok())
            return describeStepFailure(step, published[i], written, removeFilesAndFolder(fileSystem_, staging, created));
    }
    // The files' names in the staging folder must be on the disk before the folder can be published.
    if (const FsResult flushed = fileSystem_.flushDirectory(staging); !flushed.ok())
        return describeStepFailure(WriteStep::flushFolder, folder, flushed,
                                   removeFilesAndFolder(fileSystem_, staging, created));
    return std::nullopt;
}

// The staging folder renamed to NAME, never in the place of anything, and
// the new name on the disk. On failure the page set is removed again.
std::optional<std::string> PageSetWriter::publish(const std::string& name, const std::string& staging)
{
    const std::string folder = folderPath(name);
    if (const FsResult renamed = fileSystem_.renameNoReplace(staging, folder); !renamed.ok()) {
        const auto notRemoved = removeFilesAndFolder(fileSystem_, staging, everyFile(filePaths(staging, name)));
        return renamed.error == FsError::alreadyExists
                 ? describeFolderExists(folder, notRemoved)
                 : describeStepFailure(WriteStep::rename, folder, renamed, notRemoved);
    }
    if (const FsResult flushed = fileSystem_.flushDirectory(programDirectory_); !flushed.ok()) {
        // Complete on screen but perhaps not after a power cut: not saved, so undone like the rest.
        return describeStepFailure(WriteStep::flushFolder, programDirectory_, flushed,
                                   removeFilesAndFolder(fileSystem_, folder, everyFile(filePaths(folder, name))));
    }
    return std::nullopt;
}

std::string PageSetWriter::folderPath(const std::string& name) const
{
    return programDirectory_ + separator_ + name;
}

PerPageFile PageSetWriter::filePaths(const std::string& folder, const std::string& name) const
{
    PerPageFile paths;
    for (std::size_t i = 0; i < kPageFileCount; ++i)
        paths[i] = folder + separator_ + name + std::string(kPageFiles[i].ending);
    return paths;
}

CreateResult PageSetWriter::finish(CreateResult result, const std::string& message)
{
    messages_.show(message);
    return result;
}

} // namespace popolun
