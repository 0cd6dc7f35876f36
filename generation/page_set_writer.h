#pragma once

#include "field_set.h"
#include "messages.h"
#include "platform/file_system.h"

#include <string>
#include <vector>

namespace popolun {

enum class CreateResult {
    saved,     // the folder and its three files are complete
    nameEmpty, // nothing typed; nothing created
    refused,   // the name or a setting cannot make a page set; nothing created
    failed,    // the file system said no; whatever this run made is removed again
};

// Makes a page set: a new folder named after Text1 in the program's
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
                  char separator = pathSeparator(), bool windowsNameRules = usesWindowsNameRules());

    CreateResult create(const Snapshot& fields);

private:
    CreateResult refuse(const std::string& message);
    CreateResult fail(const std::string& message);
    FsResult makeStagingFolder(std::string& path);
    void removeLeftovers();
    std::vector<std::string> removeCreated(const std::string& folder, const std::vector<std::string>& files);

    FileSystem& fileSystem_;
    std::string programDirectory_;
    MessageSink& messages_;
    char separator_;
    bool windowsNameRules_;
};

// The name of a staging folder of this machine's process `process`, beside
// the folder it becomes; `run` and `time` tell one run from another.
std::string stagingFolderName(unsigned long process, unsigned long run, unsigned long long time);

} // namespace popolun
