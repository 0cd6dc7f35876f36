#pragma once

#include "accessibility.h"
#include "controls.h"
#include "win32.h"
#include "window_layout.h"
#include "window_view.h"

#include <memory>
#include <vector>

namespace popolun::win32 {

// A top-level window built from its layout: caption, icon, client size and
// background as the layout says, at the window's DPI. It reports what its
// user does to its behaviour, each command decoded once, and answers the
// behaviour's calls.
class Window final : public ui::WindowView {
public:
    // owner: the window this one belongs to (the main window, for the
    // settings): kept above it, minimised with it, no taskbar button of its own.
    // annotations: where it finds what to tell screen readers, when one first asks.
    Window(const layout::Window& layout, ui::WindowBehaviour& behaviour, AnnotationsSource annotations,
           HWND owner = nullptr);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() override;

    // Every window of the program that exists now, oldest first.
    static const std::vector<Window*>& all();

    HWND handle() const { return window_; }
    const Controls& controls() const { return *controls_; }
    HWND control(layout::ControlId id) const { return controls_->get(id); }

    std::string text(layout::ControlId control) const override;
    void setText(layout::ControlId control, const std::string& text) override;
    void setChecked(layout::ControlId control, bool checked) override;
    void focusAndSelect(layout::ControlId control) override;
    void showWindow() override;
    void hideWindow() override { ::ShowWindow(window_, SW_HIDE); }
    std::uintptr_t nativeHandle() const override { return reinterpret_cast<std::uintptr_t>(window_); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK controlProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(HWND control, int code);
    void dropped(HDROP drop);
    void centre();
    void describeOnce();

    const layout::Window& layout_;
    ui::WindowBehaviour& behaviour_;
    AnnotationsSource annotations_;
    HWND window_ = nullptr;
    std::unique_ptr<Controls> controls_;
    HWND lastFocus_ = nullptr;
    bool takingFocus_ = false;
    bool described_ = false;
    bool shownBefore_ = false;
};

} // namespace popolun::win32
