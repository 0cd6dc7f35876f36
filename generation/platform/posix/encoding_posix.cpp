#include "platform/encoding.h"

#include "utf8.h"

#include <cerrno>
#include <iconv.h>

namespace popolun {

namespace {

// glibc writes these as the single bytes 0x5C and 0x7E, which Windows
// reserves for "\" and "~"; Windows has no exact form for them, so neither do we.
bool isRefusedByWindows(char32_t c) { return c == U'\u00A5' || c == U'\u203E'; }

// glibc drops the tag characters without a word; a character that vanishes
// has no form either (and Windows refuses them too).
bool isTagCharacter(char32_t c) { return c >= U'\U000E0000' && c <= U'\U000E007F'; }

// The converter, which appends a run's bytes to out, or nothing at all.
class Converter {
public:
    Converter() : cd_(::iconv_open("CP932", "UTF-8")) {}
    ~Converter()
    {
        if (valid())
            ::iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    bool append(std::string_view utf8, std::string& out)
    {
        // Two bytes at most a character, which takes at least one: room enough for one call.
        const std::size_t start = out.size();
        out.resize(start + utf8.size() * 2);
        char* in = const_cast<char*>(utf8.data());
        std::size_t inLeft = utf8.size();
        char* outPtr = out.data() + start;
        std::size_t outLeft = out.size() - start;
        if (::iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            ::iconv(cd_, nullptr, nullptr, nullptr, nullptr); // back to the start after EILSEQ or EINVAL
            out.resize(start);
            return false;
        }
        out.resize(out.size() - outLeft);
        return true;
    }

private:
    iconv_t cd_;
};

bool isAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// Converts a run of non-ASCII text (whole UTF-8 sequences, or broken ones).
bool appendConverted(std::string_view run, std::string& out)
{
    if (!eachCodePoint(run, [](char32_t c) { return !isRefusedByWindows(c) && !isTagCharacter(c); }))
        return false;
    // One converter per thread: iconv descriptors keep state.
    thread_local Converter converter;
    return converter.valid() && converter.append(run, out);
}

} // namespace

std::optional<std::string> encodeCp932(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t start = 0;
    while (start < utf8.size()) {
        // Code page 932 writes ASCII as it stands; only the rest needs iconv.
        std::size_t end = start;
        while (end < utf8.size() && isAscii(utf8[end]))
            ++end;
        out.append(utf8.substr(start, end - start));
        start = end;
        while (end < utf8.size() && !isAscii(utf8[end]))
            ++end;
        if (end > start && !appendConverted(utf8.substr(start, end - start), out))
            return std::nullopt;
        start = end;
    }
    return out;
}

} // namespace popolun
