#include "utf8.h"

namespace popolun {

namespace {

// Reads one character at text[i]; its length, or 0 for no strict UTF-8 there.
std::size_t readOne(std::string_view text, std::size_t i, char32_t& c)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        length = 1; c = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2; c = lead & 0x1F; minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3; c = lead & 0x0F; minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4; c = lead & 0x07; minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::optional<std::u32string> decodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    char32_t c = 0;
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        if ((length = readOne(text, i, c)) == 0)
            return std::nullopt;
        out.push_back(c);
    }
    return out;
}

bool eachCodePoint(std::string_view text, bool (*each)(char32_t))
{
    char32_t c = 0;
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        if ((length = readOne(text, i, c)) == 0 || !each(c))
            return false;
    }
    return true;
}

std::string encodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

} // namespace popolun
