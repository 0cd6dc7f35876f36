#include "fonts.h"

#include <cmath>

namespace popolun::win32 {

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
    const std::wstring face = wide(layout::faceName(spec.face));
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    HFONT made = ::CreateFontIndirectW(&font);
    made_.emplace_back(spec, made);
    return made;
}

} // namespace popolun::win32
