#pragma once

#include "win32.h"
#include "window_layout.h"

#include <map>

namespace popolun::win32 {

// The layout's fills as the system's colours or fixed ones, and a brush of
// each, made once; an unset fill is the window's background.
class Colours {
public:
    explicit Colours(layout::Colour windowBackground) : windowBackground_(windowBackground) {}
    Colours(const Colours&) = delete;
    Colours& operator=(const Colours&) = delete;
    ~Colours();

    COLORREF colour(const layout::Fill& fill) const;
    HBRUSH brush(const layout::Fill& fill);
    HBRUSH windowBrush() const;

    // WM_CTLCOLORSTATIC for a label, a frame or an option button: its fill
    // and its text colour (the window's text colour unless it has one).
    LRESULT colourStatic(HDC dc, const layout::Control& control);

private:
    layout::Colour windowBackground_;
    std::map<COLORREF, HBRUSH> brushes_;
};

} // namespace popolun::win32
