#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace popolun {

// UTF-8 to code page 932 (Shift_JIS as Windows writes it). Nothing when the
// input is not valid UTF-8 or holds a character that code page 932 cannot
// write exactly. Both platforms give the same bytes for the same text.
std::optional<std::string> encodeCp932(std::string_view utf8);

} // namespace popolun
