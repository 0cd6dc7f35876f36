#pragma once

#include "accessibility.h"
#include "window_view.h"

namespace popolun::win32 {

class Window;

// The Win32 toolkit for the windows' behaviour: the two windows, and message
// boxes modal to the whole program.
class Application final : public ui::Toolkit {
public:
    // Starts the common controls; screen readers are told through annotations.
    explicit Application(AnnotationsSource annotations = systemAnnotations);

    std::unique_ptr<ui::WindowView> buildMainWindow(ui::Form13& behaviour) override;
    std::unique_ptr<ui::WindowView> buildSettingsWindow(ui::Form14& behaviour) override;
    void quit() override;
    void showMessage(ui::WindowView& asking, const std::string& text) override;

    // The message loop, until quit(); returns the exit code.
    int run();

private:
    AnnotationsSource annotations_;
    Window* main_ = nullptr;
};

} // namespace popolun::win32
