#pragma once

#include "window_view.h"

class QApplication;
class QWidget;

namespace popolun::qt {

// The Qt toolkit for the windows' behaviour: style, fonts and icon for the
// whole program, the two windows, and message boxes modal to the whole
// program. Make it before any window.
class Application final : public ui::Toolkit {
public:
    explicit Application(QApplication& app);

    std::unique_ptr<ui::WindowView> buildMainWindow(ui::Form13& behaviour) override;
    std::unique_ptr<ui::WindowView> buildSettingsWindow(ui::Form14& behaviour) override;
    void quit() override;
    void showMessage(ui::WindowView& asking, const std::string& text) override;

private:
    QWidget* main_ = nullptr;
};

} // namespace popolun::qt
