#include "colours.h"

namespace popolun::win32 {

Colours::~Colours()
{
    for (const auto& [colour, brush] : brushes_)
        ::DeleteObject(brush);
}

COLORREF Colours::colour(const layout::Fill& fill) const
{
    switch (fill.colour) {
    case layout::Colour::rgb:
        return RGB(fill.red, fill.green, fill.blue);
    case layout::Colour::window:
        return ::GetSysColor(COLOR_WINDOW);
    case layout::Colour::windowText:
        return ::GetSysColor(COLOR_WINDOWTEXT);
    case layout::Colour::dialog:
        return ::GetSysColor(COLOR_BTNFACE);
    case layout::Colour::unset:
        break;
    }
    return colour(layout::Fill{windowBackground_});
}

HBRUSH Colours::brush(const layout::Fill& fill)
{
    const COLORREF rgb = colour(fill);
    auto& cached = brushes_[rgb];
    if (!cached)
        cached = ::CreateSolidBrush(rgb);
    return cached;
}

HBRUSH Colours::windowBrush() const
{
    return ::GetSysColorBrush(windowBackground_ == layout::Colour::dialog ? COLOR_BTNFACE : COLOR_WINDOW);
}

LRESULT Colours::colourStatic(HDC dc, const layout::Control& control)
{
    const layout::Fill text =
        control.text.colour == layout::Colour::unset ? layout::Fill{layout::Colour::windowText} : control.text;
    ::SetTextColor(dc, colour(text));
    ::SetBkColor(dc, colour(control.background));
    return reinterpret_cast<LRESULT>(brush(control.background));
}

} // namespace popolun::win32
