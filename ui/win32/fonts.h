#pragma once

#include "win32.h"
#include "window_layout.h"

#include <utility>
#include <vector>

namespace popolun::win32 {

// The fonts of one window at one DPI, made when first asked for and deleted
// with this; the window's controls must have others before it goes.
class Fonts {
public:
    explicit Fonts(UINT dpi) : dpi_(dpi) {}
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;
    ~Fonts();

    // The layout's font, or the window's default where it chooses none.
    HFONT get(const layout::Font& font);

private:
    UINT dpi_;
    std::vector<std::pair<layout::Font, HFONT>> made_;
};

} // namespace popolun::win32
