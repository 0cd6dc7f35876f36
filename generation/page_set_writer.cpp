#include "page_set_writer.h"

#include "failure_messages.h"
#include "page_set.h"
#include "platform/encoding.h"
#include "player_size.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

namespace popolun {

namespace {

constexpr std::size_t kName = 0;
constexpr std::size_t kWidth = 11;
constexpr std::size_t kHeight = 13;

bool isFiniteNumber(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

} // namespace

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
    const std::string& name = fields[kName];
    if (name.empty()) {
        messages_.show(text::kEnterName);
        return CreateResult::nameEmpty;
    }
    if (const auto check = checkBaseName(name, windowsNameRules_); check.problem != NameProblem::none)
        return refuse(describeNameProblem(check));
    if (!parseWidth(fields[kWidth]) || !isFiniteNumber(fields[kHeight]))
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
    const std::string folder = programDirectory_ + separator_ + name;
    if (const FsResult made = fileSystem_.makeDirectory(folder); !made.ok()) {
        messages_.show(made.error == FsError::alreadyExists ? describeFolderExists(folder)
                                                            : describeFolderFailure(folder, made));
        return CreateResult::failed;
    }

    const std::string stem = folder + separator_ + name;
    const std::pair<std::string, const std::string*> files[] = {
        {stem + ".asx", &*asx},
        {stem + ".htm", &*link},
        {stem + "01.htm", &*embed},
    };
    std::vector<std::string> created;
    for (const auto& [path, bytes] : files) {
        FileHandle handle = 0;
        FsResult result = fileSystem_.openNewFile(path, handle);
        if (result.ok()) {
            created.push_back(path);
            result = fileSystem_.write(handle, *bytes);
            const FsResult closed = fileSystem_.close(handle);
            if (result.ok())
                result = closed;
        }
        if (!result.ok()) {
            messages_.show(describeFileFailure(path, result, removeCreated(folder, created)));
            return CreateResult::failed;
        }
    }

    messages_.show(text::kSaved);
    return CreateResult::saved;
}

CreateResult PageSetWriter::refuse(const std::string& message)
{
    messages_.show(message);
    return CreateResult::refused;
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
