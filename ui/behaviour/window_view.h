#pragma once

#include "message_sink.h"
#include "window_layout.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The seam between the windows' behaviour (written once, here) and each
// toolkit's front end, which builds the controls from the layout, paints
// them, and answers these few calls.
namespace popolun::ui {

class Form13;
class Form14;

// One window as a front end built it. Controls go by their layout ids
// (layout::main::create, layout::settings::width, ...).
class WindowView {
public:
    virtual ~WindowView() = default;
    // A text field's text, UTF-8.
    virtual std::string text(layout::ControlId control) const = 0;
    virtual void setText(layout::ControlId control, const std::string& text) = 0;
    virtual void setChecked(layout::ControlId control, bool checked) = 0;
    // Gives a text field the focus with all its text selected.
    virtual void focusAndSelect(layout::ControlId control) = 0;
    // Shows the window, raised and active, restored if it was minimised;
    // where it appears the first time follows the layout's placement.
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // The native window (HWND, X window id) that help is opened for.
    virtual std::uintptr_t nativeHandle() const = 0;
};

// What a window does with what its user does. The front end reports every
// button press, every edit of a field's text by the user, the frame's close
// control, and, where the layout says the window takes drops, the files
// dropped on it.
class WindowBehaviour {
public:
    virtual ~WindowBehaviour() = default;
    virtual void clicked(layout::ControlId control) = 0;
    virtual void edited(layout::ControlId control, const std::string& text) = 0;
    virtual void closeRequested() = 0;
    // UTF-8 paths; an item that is no local file comes as the text that named it.
    virtual void dropped(const std::vector<std::string>& /*items*/) {}
};

// What a toolkit does for the program as a whole.
class Toolkit {
public:
    virtual ~Toolkit() = default;
    virtual std::unique_ptr<WindowView> buildMainWindow(Form13& behaviour) = 0;
    // Built hidden, the first time the settings window is needed.
    virtual std::unique_ptr<WindowView> buildSettingsWindow(Form14& behaviour) = 0;
    // Ends the event loop; the program then ends.
    virtual void quit() = 0;
    // A message box over the window that asked, modal to the whole program
    // (both windows wait): one OK button, no icon, the main window's caption
    // as title. Returns when the user has closed it, that window active
    // again with the focus where it was.
    virtual void showMessage(WindowView& asking, const std::string& text) = 0;
};

// The messages of one window's work, such as the writer's, as that window's message boxes.
class MessagesOver final : public MessageSink {
public:
    MessagesOver(Toolkit& toolkit, WindowView& window) : toolkit_(toolkit), window_(window) {}
    void show(const std::string& text) override { toolkit_.showMessage(window_, text); }

private:
    Toolkit& toolkit_;
    WindowView& window_;
};

} // namespace popolun::ui
