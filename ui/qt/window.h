#pragma once

#include "window_layout.h"
#include "window_view.h"

#include <QWidget>

#include <vector>

namespace popolun::qt {

// A top-level window built from its layout, that reports what its user does
// to its behaviour and answers the behaviour's calls.
class Window final : public QWidget, public ui::WindowView {
public:
    // owner: the window this one belongs to (the main window, for the
    // settings): kept above it, minimised with it, no taskbar entry of its
    // own, and first opened beside it where the layout leaves the place to
    // the platform.
    Window(const layout::Window& layout, ui::WindowBehaviour& behaviour, QWidget* owner = nullptr);

    QWidget* control(layout::ControlId id) const { return controls_.at(std::size_t(id)); }

    std::string text(layout::ControlId control) const override;
    void setText(layout::ControlId control, const std::string& text) override;
    void setChecked(layout::ControlId control, bool checked) override;
    void focusAndSelect(layout::ControlId control) override;
    void showWindow() override;
    void hideWindow() override { hide(); }
    std::uintptr_t nativeHandle() const override;

protected:
    // The behaviour decides what closing does.
    void closeEvent(QCloseEvent* event) override;
    // Files dropped anywhere on a window that takes drops, its fields included.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    const layout::Window& layout_;
    ui::WindowBehaviour& behaviour_;
    std::vector<QWidget*> controls_;
    bool shownBefore_ = false;
};

// Moves a window that has not been shown yet next to anchor (below, right,
// left or above, in that order of preference) where it fits on the screen
// without covering anchor; where it fits nowhere, the platform places it.
void placeBeside(QWidget& window, const QWidget& anchor);

} // namespace popolun::qt
