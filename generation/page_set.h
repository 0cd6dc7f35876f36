#pragma once

#include "field_set.h"

#include <array>
#include <string>
#include <string_view>

namespace popolun {

// How the three files' names go on after the base name, in the order they
// are written: NAME.asx, NAME.htm, NAME01.htm.
inline constexpr std::array<std::string_view, 3> kFileEndings{".asx", ".htm", "01.htm"};

// The three files of a page set as text (UTF-8, CR LF line ends), before encoding.
struct PageSetText {
    std::string asx;   // NAME.asx, the redirector
    std::string link;  // NAME.htm, the link page
    std::string embed; // NAME01.htm, the embed page
};

// Assembles the files from the fields; the base name is the name field, used as it stands.
PageSetText composePageSet(const Snapshot& fields);

} // namespace popolun
