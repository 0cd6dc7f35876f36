#pragma once

#include "messages.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace popolun::testing {

// A fresh directory that is removed again with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path as the core takes it: UTF-8.
    std::string utf8() const;

private:
    std::filesystem::path path_;
};

// Every file and directory below root, relative path (UTF-8) to contents;
// directories map to "<dir>".
std::map<std::string, std::string> treeContents(const std::filesystem::path& root);

std::filesystem::path fromUtf8(const std::string& utf8);
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// Bytes from hex digits: "82b1" is "こ" in code page 932.
std::string hexBytes(std::string_view hex);

// The files of a page set, for a base name already in code page 932.
std::string expectedAsx(const std::string& name);
std::string expectedLink(const std::string& name);
std::string expectedEmbed(const std::string& name, const std::string& width = "320",
                          const std::string& height = "304", const std::string& autostart = "false");

// Records the message boxes instead of showing them.
class RecordedMessages : public MessageSink {
public:
    void show(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

} // namespace popolun::testing
