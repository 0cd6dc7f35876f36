#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace popolun {

// A width as the user may type it: ASCII digits with an optional leading "-"
// and an optional fraction ("320", "-8", "320.5"). Anything else, and a
// numeral too large for a double, is not a width; one too small for it is zero.
std::optional<double> parseWidth(std::string_view text);

// Shortest decimal form with up to 15 significant digits, "." as separator:
// 304, 304.75, 7.5E+20.
std::string formatNumber(double value);

// The player height follows the width: three quarters of it, plus 64.
// Empty when the width is not a number.
std::string playerHeight(std::string_view widthText);

} // namespace popolun
