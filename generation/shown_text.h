#pragma once

#include <string>
#include <string_view>

// Names and paths as a message box shows them: short enough to read on any
// screen, whatever the user typed or wherever the program lies.
namespace popolun {

inline constexpr std::size_t kShownNameLength = 60; // characters
inline constexpr std::size_t kShownPathLength = 80; // characters

// At most kShownNameLength characters: a longer name keeps its start and
// its end, with "…" for the middle.
std::string shownName(std::string_view utf8);

// A path longer than kShownPathLength characters keeps its drive (or share,
// or root) with the first folder, and its last two parts, with "…" for the
// folders between: C:\Users\…\ホームページ\bb. Every part is shortened as
// a name.
std::string shownPath(std::string_view utf8, char separator);

} // namespace popolun
