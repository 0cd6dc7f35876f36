#include "fonts.h"

#include <cmath>

namespace popolun::win32 {

namespace {

// Whether the system has a family of that name that writes Japanese.
bool installed(std::string_view family)
{
    LOGFONTW font{};
    font.lfCharSet = SHIFTJIS_CHARSET;
    wide(family).copy(font.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(
        screen, &font,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        LPARAM(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

// Chosen once: the system's fonts do not change while the program runs.
const std::wstring& faceOf(layout::Face face)
{
    static const std::wstring pGothic = wide(layout::chosenFace(layout::Face::pGothic, installed)),
                              gothic = wide(layout::chosenFace(layout::Face::gothic, installed));
    return face == layout::Face::gothic ? gothic : pGothic;
}

} // namespace

Fonts::~Fonts()
{
    for (const auto& [spec, font] : made_)
        ::DeleteObject(font);
}

HFONT Fonts::get(const layout::Font& wanted)
{
    const layout::Font& spec = wanted.face == layout::Face::windowDefault ? layout::kDefaultFont : wanted;
    for (const auto& [known, made] : made_) {
        if (known.face == spec.face && known.points == spec.points && known.bold == spec.bold)
            return made;
    }
    LOGFONTW font{};
    // Points to pixels: 9.75 points are 13 pixels at 96 dpi.
    font.lfHeight = -MulDiv(int(std::lround(spec.points * 100)), int(dpi_), 7200);
    font.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    faceOf(spec.face).copy(font.lfFaceName, LF_FACESIZE - 1);
    HFONT made = ::CreateFontIndirectW(&font);
    made_.emplace_back(spec, made);
    return made;
}

} // namespace popolun::win32
