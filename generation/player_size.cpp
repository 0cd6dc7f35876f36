#include "player_size.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace popolun {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isPlainNumeral(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i == integerStart)
        return false;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        if (i == fractionStart)
            return false;
    }
    return i == text.size();
}

// For a plain numeral: whether its whole part is zero.
bool isBelowOne(std::string_view text)
{
    const auto digits = text.substr(text.starts_with('-') ? 1 : 0);
    return digits.substr(0, digits.find('.')).find_first_not_of('0') == std::string_view::npos;
}

} // namespace

std::optional<double> parseWidth(std::string_view text)
{
    if (!isPlainNumeral(text))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range && isBelowOne(text))
        return text.starts_with('-') ? -0.0 : 0.0; // too small for a double: zero, as the rule needs
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string formatNumber(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

std::string playerHeight(std::string_view widthText)
{
    const auto width = parseWidth(widthText);
    if (!width)
        return {};
    double height = *width / 4;
    height *= 3;
    height += 64;
    if (!std::isfinite(height))
        return {};
    // Formatting the formatted text once more is stable, so once is enough.
    return formatNumber(height);
}

} // namespace popolun
