#pragma once

#include "field_set.h"

#include <array>
#include <string>
#include <string_view>

namespace popolun {

// The files of a page set as text (UTF-8, CR LF line ends), before encoding;
// the base name is the name field, used as it stands.
std::string composeRedirector(const Snapshot& fields); // NAME.asx
std::string composeLinkPage(const Snapshot& fields);   // NAME.htm
std::string composeEmbedPage(const Snapshot& fields);  // NAME01.htm

// The files in the order they are written: how each name goes on after the
// base name, and what makes its text.
struct PageFile {
    std::string_view ending;
    std::string (*compose)(const Snapshot&);
};
inline constexpr PageFile kPageFiles[] = {
    {".asx", composeRedirector},
    {".htm", composeLinkPage},
    {"01.htm", composeEmbedPage},
};
inline constexpr std::size_t kPageFileCount = std::size(kPageFiles);

// One text (or one path, or one file's bytes) for each file, in that order.
using PerPageFile = std::array<std::string, kPageFileCount>;
PerPageFile composePageSet(const Snapshot& fields);

} // namespace popolun
