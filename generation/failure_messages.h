#pragma once

#include "name_check.h"
#include "platform/file_system.h"

#include <string>
#include <vector>

namespace popolun {

// The Japanese texts that tell the user why no page set was made.
std::string describeNameProblem(const NameCheck& check);
std::string describeWidthProblem();
std::string describeSettingWithoutCp932Form(const std::string& character);
std::string describeFolderExists(const std::string& folder);
std::string describeProgramDirectoryUnknown();
std::string describeFolderFailure(const std::string& folder, const FsResult& result);
// notRemoved: what this run created and could not remove again.
std::string describeFileFailure(const std::string& file, const FsResult& result,
                                const std::vector<std::string>& notRemoved);

} // namespace popolun
