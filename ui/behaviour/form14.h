#pragma once

#include "window_view.h"

#include <memory>

namespace popolun::ui {

class Form13;

// The settings window: extension, player width and autostart. Every edit
// reaches the main window's fields at once; "戻る" and the frame's close
// control only hide the window, which keeps its values until the program
// ends. Its fields exist from start-up (they belong to the main window's
// session); its controls are built, showing the fields as they are then,
// the first time the window is needed.
class Form14 final : public WindowBehaviour {
public:
    explicit Form14(Form13& main) : main_(main) {}
    ~Form14() override;

    WindowView& view();
    bool built() const { return view_ != nullptr; }

    void clicked(layout::ControlId control) override;
    void edited(layout::ControlId control, const std::string& text) override;
    void closeRequested() override;

private:
    void showOptions();

    Form13& main_;
    std::unique_ptr<WindowView> view_;
};

} // namespace popolun::ui
