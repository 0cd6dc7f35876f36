#include "shown_text.h"

#include "utf8.h"

#include <vector>

namespace popolun {

namespace {

constexpr char kEllipsis[] = "…";

std::string encode(std::u32string_view text)
{
    std::string out;
    for (char32_t c : text)
        out += encodeUtf8(c);
    return out;
}

std::vector<std::string> split(std::string_view path, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const auto end = path.find(separator, start);
        parts.emplace_back(path.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::size_t length(std::string_view utf8)
{
    const auto decoded = decodeUtf8(utf8);
    return decoded ? decoded->size() : utf8.size();
}

} // namespace

std::string shownName(std::string_view utf8)
{
    const auto decoded = decodeUtf8(utf8);
    if (!decoded || decoded->size() <= kShownNameLength)
        return std::string(utf8);
    // The end says most (a number, a date), so it keeps a little more.
    const std::size_t head = (kShownNameLength - 1) / 2, tail = kShownNameLength - 1 - head;
    const std::u32string_view text(*decoded);
    return encode(text.substr(0, head)) + kEllipsis + encode(text.substr(text.size() - tail));
}

std::string shownPath(std::string_view utf8, char separator)
{
    std::vector<std::string> parts = split(utf8, separator);
    for (std::string& part : parts)
        part = shownName(part);
    // The parts kept in front: the drive or root with the first folder
    // ("C:" "Users", "" "home"), or a share ("" "" "server" "share").
    const bool share = parts.size() > 3 && parts[0].empty() && parts[1].empty();
    const std::size_t kept = share ? 4 : 2;
    const auto join = [separator](const std::vector<std::string>& all, std::size_t from, std::size_t to) {
        std::string out;
        for (std::size_t i = from; i < to; ++i)
            out += (i > from ? std::string(1, separator) : std::string()) + all[i];
        return out;
    };
    std::string whole = join(parts, 0, parts.size());
    if (length(whole) <= kShownPathLength || parts.size() <= kept + 2)
        return whole;
    const std::string sep(1, separator);
    return join(parts, 0, kept) + sep + kEllipsis + sep + join(parts, parts.size() - 2, parts.size());
}

} // namespace popolun
