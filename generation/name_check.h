#pragma once

#include <string>
#include <string_view>

namespace popolun {

enum class NameProblem {
    none,
    separator,          // "/" or "\": the name would reach outside its folder
    dotName,            // "." or ".."
    reservedCharacter,  // < > : " | ? *
    controlCharacter,
    invalidText,        // not valid UTF-8
    noCp932Form,        // the pages could not spell it
    trailingDotOrSpace, // Windows drops them silently
    deviceName,         // CON, NUL, COM1 ... on Windows
    stagingName,        // starts like the folders the writer works in
    tooLong,            // NAME01.htm would be longer than a file name may be
};

// The longest file name a file system takes: 255 UTF-16 units on Windows,
// 255 bytes elsewhere.
inline constexpr std::size_t kLongestFileName = 255;

// The writer makes each page set in a folder of this prefix and a unique
// part, then renames it; no base name may start so, in any case.
inline constexpr std::string_view kStagingPrefix = ".popolun-staging-";

struct NameCheck {
    NameProblem problem = NameProblem::none;
    std::string character; // the offending character, UTF-8, where there is one
    std::size_t excess = 0; // tooLong: how many characters fewer would fit
};

// Whether a non-empty base name can name exactly one new entry in the
// program's directory and be written into the pages.
NameCheck checkBaseName(std::string_view name, bool windowsRules);

// The first character of text with no code page 932 form (UTF-8), or empty
// when all of it has one; for invalid UTF-8, "?" is returned.
std::string firstCharacterWithoutCp932Form(std::string_view text);

} // namespace popolun
