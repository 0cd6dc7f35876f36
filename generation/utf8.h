#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace popolun {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::u32string> decodeUtf8(std::string_view text);
// The same reading, a character at a time to `each`, nothing kept: false for
// text that is not such UTF-8, or as soon as `each` returns false.
bool eachCodePoint(std::string_view text, bool (*each)(char32_t));

std::string encodeUtf8(char32_t codePoint);

} // namespace popolun
