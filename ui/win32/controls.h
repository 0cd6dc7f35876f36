#pragma once

#include "colours.h"
#include "fonts.h"
#include "win32.h"
#include "window_layout.h"

#include <memory>
#include <string_view>
#include <vector>

namespace popolun::win32 {

// A window's controls, made from its layout at the window's DPI, with their
// fonts, fills, pictures and tooltips; answers what drawing them asks.
class Controls {
public:
    Controls(HWND window, const layout::Window& layout);
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;
    ~Controls();

    HWND get(layout::ControlId id) const;
    // The layout's entry for one of these controls, or nullptr.
    const layout::Control* byWindow(HWND control) const;
    const layout::Window& layout() const { return layout_; }
    // The tab stop after (or before) from in the layout's order, wrapping
    // around and passing over hidden or disabled ones.
    HWND nextTabStop(HWND from, bool backwards) const;
    UINT dpi() const { return dpi_; }

    // Places, sizes and letters everything anew for dpi.
    void applyDpi(UINT dpi);
    // The tooltips, which nothing needs before the window is on the screen.
    void addTooltips();

    // For the window procedure; each returns whether it answered.
    HBRUSH background() const { return colours_.windowBrush(); }
    bool colourStatic(HDC dc, HWND control, LRESULT& result);
    bool customDraw(const NMHDR& header, LRESULT& result);
    bool drawPicture(const DRAWITEMSTRUCT& item) const;

private:
    struct Built {
        const layout::Control* spec = nullptr;
        HWND window = nullptr;
        HBITMAP picture = nullptr;
    };

    void create(const layout::Control& spec);
    RECT placed(const layout::Control& spec) const;
    // Gives a control its font, and a picture its bitmap, for its box at the current DPI.
    void dress(Built& each, const RECT& box, BOOL redraw);
    const Built* find(HWND window) const;

    HWND window_;
    const layout::Window& layout_;
    UINT dpi_ = 96;
    std::vector<Built> built_;
    HWND tooltips_ = nullptr;
    std::unique_ptr<Fonts> fonts_;
    Colours colours_;
};

} // namespace popolun::win32
