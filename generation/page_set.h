#pragma once

#include "field_set.h"

#include <string>

namespace popolun {

// The three files of a page set as text (UTF-8, CR LF line ends), before encoding.
struct PageSetText {
    std::string asx;   // NAME.asx, the redirector
    std::string link;  // NAME.htm, the link page
    std::string embed; // NAME01.htm, the embed page
};

// Assembles the files from the fields; the base name is the name field, used as it stands.
PageSetText composePageSet(const Snapshot& fields);

} // namespace popolun
