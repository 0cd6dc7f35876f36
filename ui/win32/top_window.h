#pragma once

#include "controls.h"
#include "win32.h"
#include "window_layout.h"

#include <memory>

namespace popolun::win32 {

// A top-level window with its controls made from a layout: caption, icon,
// client size and background as the layout says, at the window's DPI.
// Subclasses answer the commands of their controls.
class TopWindow {
public:
    explicit TopWindow(const layout::Window& layout);
    TopWindow(const TopWindow&) = delete;
    TopWindow& operator=(const TopWindow&) = delete;
    virtual ~TopWindow();

    HWND handle() const { return window_; }
    const Controls& controls() const { return *controls_; }
    HWND control(std::string_view name) const { return controls_->get(name); }
    bool isVisible() const { return ::IsWindowVisible(window_) != FALSE; }

protected:
    // A control's notification (BN_CLICKED, EN_CHANGE, ...).
    virtual void onCommand(HWND /*control*/, int /*code*/) {}
    // The frame's close control or Alt+F4.
    virtual void onClose() = 0;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::unique_ptr<Controls> controls_;
    HWND lastFocus_ = nullptr;
};

} // namespace popolun::win32
