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

    std::optional<std::string> convert(std::string_view utf8)
    {
        std::string out(utf8.size() * 2 + 4, '\0');
        char* in = const_cast<char*>(utf8.data());
        std::size_t inLeft = utf8.size();
        char* outPtr = out.data();
        std::size_t outLeft = out.size();
        ::iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            if (::iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
                return std::nullopt; // EILSEQ or EINVAL: no form, or broken UTF-8
        }
        out.resize(out.size() - outLeft);
        return out;
    }

private:
    iconv_t cd_;
};

} // namespace

std::optional<std::string> encodeCp932(std::string_view utf8)
{
    const auto codePoints = decodeUtf8(utf8);
    if (!codePoints)
        return std::nullopt;
    for (char32_t c : *codePoints) {
        if (isRefusedByWindows(c) || isTagCharacter(c))
            return std::nullopt;
    }
    // One converter per thread: iconv descriptors keep state.
    thread_local Converter converter;
    if (!converter.valid())
        return std::nullopt;
    return converter.convert(utf8);
}

} // namespace popolun
