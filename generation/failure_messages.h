#pragma once

#include "name_check.h"
#include "platform/file_system.h"

#include <string>
#include <vector>

namespace popolun {

// The Japanese texts that tell the user why no page set was made. Paths and
// names in them are shortened where long (shown_text.h).
std::string describeNameProblem(const NameCheck& check);
std::string describeWidthProblem();
std::string describeSettingWithoutCp932Form(const std::string& character);
// notRemoved, here and below: what this run created and could not remove again.
std::string describeFolderExists(const std::string& folder, const std::vector<std::string>& notRemoved = {});
std::string describeProgramDirectoryUnknown();
std::string describeFolderFailure(const std::string& folder, const FsResult& result);
// Neither WMV.hlp nor the program's help page lies beside the program.
std::string describeMissingHelp(const std::string& programDirectory);

// The steps of writing a page set after its folder is made.
enum class WriteStep {
    write,       // open, write or close a file
    flush,       // put a file's bytes on the disk
    rename,      // give the finished folder its name
    flushFolder, // put a folder's entries on the disk
};
// path: the file or folder as the user knows it, under its final name.
std::string describeStepFailure(WriteStep step, const std::string& path, const FsResult& result,
                                const std::vector<std::string>& notRemoved);

} // namespace popolun
