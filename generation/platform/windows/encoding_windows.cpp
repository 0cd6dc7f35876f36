#include "platform/encoding.h"

#include "utf8.h"
#include "wide_text.h"

namespace popolun {

namespace {

constexpr UINT kCodePage = 932;

// Characters that Linux input methods give where Windows gives a twin
// (U+301C for U+FF5E, U+2212 for U+FF0D, ...). Windows 932 has no exact form
// for them, so they get the twin's bytes, as they do on Linux.
std::optional<std::string_view> twinBytes(char32_t c)
{
    switch (c) {
    case U'\u301C': return "\x81\x60"; // WAVE DASH -> FULLWIDTH TILDE
    case U'\u2212': return "\x81\x7C"; // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
    case U'\u2016': return "\x81\x61"; // DOUBLE VERTICAL LINE -> PARALLEL TO
    case U'\u00A2': return "\x81\x91"; // CENT SIGN -> FULLWIDTH CENT SIGN
    case U'\u00A3': return "\x81\x92"; // POUND SIGN -> FULLWIDTH POUND SIGN
    case U'\u00AC': return "\x81\xCA"; // NOT SIGN -> FULLWIDTH NOT SIGN
    case U'\u2014': return "\x81\x5C"; // EM DASH -> HORIZONTAL BAR
    default: return std::nullopt;
    }
}

// Windows 932 gives these the bytes 0x80, 0xA0, 0xFD, 0xFE and 0xFF, which
// are no Shift_JIS character and which Linux has no form for.
bool isRefusedLikeLinux(char32_t c) { return c == U'\u0080' || (c >= U'\uF8F0' && c <= U'\uF8F3'); }

// One run of text without twins, exactly or not at all: no best fit
// ("é" must not become "e"), and no default character.
bool appendExact(std::string_view utf8, std::string& out)
{
    if (utf8.empty())
        return true;
    const auto wide = windows::toWide(utf8);
    if (!wide)
        return false;
    const int inLength = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), inLength, nullptr, 0,
                                             nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(length));
    usedDefault = FALSE;
    if (::WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide->data(), inLength, out.data() + start, length,
                              nullptr, &usedDefault) != length
        || usedDefault)
        return false;
    return true;
}

} // namespace

std::optional<std::string> encodeCp932(std::string_view utf8)
{
    // The same strict reading of UTF-8 as on Linux, so both refuse the same input.
    const auto codePoints = decodeUtf8(utf8);
    if (!codePoints)
        return std::nullopt;
    std::string out;
    out.reserve(utf8.size());
    std::size_t runStart = 0;
    std::size_t offset = 0;
    for (char32_t c : *codePoints) {
        if (isRefusedLikeLinux(c))
            return std::nullopt;
        const std::size_t width = encodeUtf8(c).size();
        if (const auto twin = twinBytes(c)) {
            if (!appendExact(utf8.substr(runStart, offset - runStart), out))
                return std::nullopt;
            out += *twin;
            runStart = offset + width;
        }
        offset += width;
    }
    if (!appendExact(utf8.substr(runStart), out))
        return std::nullopt;
    return out;
}

} // namespace popolun
