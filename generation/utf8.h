#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace popolun {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
std::optional<std::u32string> decodeUtf8(std::string_view text);

std::string encodeUtf8(char32_t codePoint);

} // namespace popolun
