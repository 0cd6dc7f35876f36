#pragma once

#include "field_set.h"
#include "message_sink.h"
#include "page_set.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "staging_folders.h"

#include <optional>
#include <string>
#include <vector>

namespace popolun {

enum class CreateResult {
    saved,     // the folder and its three files are complete
    nameEmpty, // nothing typed; nothing created
    refused,   // the name or a setting cannot make a page set; nothing created
    failed,    // the file system said no; whatever this run made is removed again
};

// Makes a page set: a new folder named after the name field in the program's
// directory, holding NAME.asx, NAME.htm and NAME01.htm in code page 932.
// All or nothing, even if the process or the machine stops: the files are
// written and flushed in a staging folder of this run's, which is then
// renamed to NAME without replacing anything, and the directory flushed.
// On any failure what this run created is removed; what existed before is
// never touched. Staging folders of runs that died are removed when they
// hold nothing but the program's files.
class PageSetWriter {
public:
    PageSetWriter(FileSystem& fileSystem, std::string programDirectory, MessageSink& messages,
                  char separator = pathSeparator(), bool windowsNameRules = usesWindowsNameRules(),
                  const Processes& processes = nativeProcesses());

    CreateResult create(const Snapshot& fields);

private:
    // Each step gives the message that stops the run, or nothing. The
    // files' bytes are in code page 932.
    std::optional<std::string> check(const Snapshot& fields) const;
    static std::optional<std::string> encode(const Snapshot& fields, PerPageFile& bytes);
    std::optional<std::string> stage(const std::string& name, const PerPageFile& bytes, std::string& staging);
    std::optional<std::string> publish(const std::string& name, const std::string& staging);

    std::string folderPath(const std::string& name) const;
    PerPageFile filePaths(const std::string& folder, const std::string& name) const;
    CreateResult finish(CreateResult result, const std::string& message);

    FileSystem& fileSystem_;
    std::string programDirectory_;
    MessageSink& messages_;
    char separator_;
    bool windowsNameRules_;
    StagingFolders stagingFolders_;
};

} // namespace popolun
