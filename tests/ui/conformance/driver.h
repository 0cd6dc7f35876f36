#pragma once

// What the window conformance suite asks of a toolkit: the program started
// in its windows, driven as a user drives it (keys, typing, clicks at points
// of a control's box, the pointer resting on a control, drops, other
// windows), and read back as a user (or a screen reader) would find it. One
// driver a toolkit; the rules are written once, in conformance_test.cpp.
#include "form13.h"
#include "test_support.h"
#include "window_layout.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace popolun::conformance {

enum class Window { main, settings };

struct Control {
    Window window;
    layout::ControlId id;
    bool operator==(const Control&) const = default;
};

enum class Key { tab, enter, escape, space, up, down, left, right };

// What a screen reader says a control is.
enum class Role { window, graphic, text, field, button, optionButton, grouping };

struct Heard {
    std::string name, description;
    Role role = Role::text;
    bool operator==(const Heard&) const = default;
    friend void PrintTo(const Heard& heard, std::ostream* out)
    {
        *out << '"' << heard.name << "\" / \"" << heard.description << "\" / role " << int(heard.role);
    }
};

// A message box as it was shown: its text, whether it was plain (one
// button, no icon, the program's title), the window it was over (its
// owner, where that was on the screen), and whether any other window of
// the program took input meanwhile.
struct BoxSeen {
    std::string text;
    bool plain = false;
    std::optional<Window> over;
    bool othersTookInput = false;
};

// A window's client area as drawn, 8-bit RGB, row by row from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

class Driver {
public:
    virtual ~Driver() = default;

    // The program started in folder (its page sets and help go there), as
    // a user starts it, with these arguments; the main window is up.
    virtual void start(const std::string& folder, const std::vector<std::string>& arguments = {}) = 0;
    // The main window's behaviour, whose fields the page sets are made of,
    // and what its "?" buttons asked the system to open.
    virtual ui::Form13& program() = 0;
    virtual std::vector<std::string> helpOpened() = 0;

    virtual void press(Key key, bool shift = false) = 0;
    // Typed, a character at a time, where the focus is.
    virtual void type(const std::string& text) = 0;
    // Put on the clipboard and pasted where the focus is.
    virtual void paste(const std::string& text) = 0;
    // A press and release of the left button at x, y (pixels at 96 dpi from
    // the control's top left).
    virtual void click(Control control, int x, int y) = 0;
    // The left button held down over the middle of the control (down), or
    // the pointer moved off the control and the button let go there.
    virtual void hold(Control control, bool down) = 0;
    // The pointer comes to rest over the middle of the control.
    virtual void hover(Control control) = 0;
    // Files dropped on the main window, over one of its controls.
    virtual void drop(const std::vector<std::string>& paths, layout::ControlId over = layout::main::name) = 0;
    // The window raised and activated, as a click on its frame does.
    virtual void activate(Window window) = 0;
    // Another program's window takes the focus, then window comes back.
    virtual void visitAnotherProgram(Window back) = 0;
    // The frame's close control, and its minimise control.
    virtual void close(Window window) = 0;
    virtual void minimise(Window window) = 0;
    virtual void move(Window window, int dx, int dy) = 0;
    // Runs action, answering every message box it opens with its one button.
    virtual std::vector<BoxSeen> answering(const std::function<void()>& action) = 0;

    // Where the keys go now; nothing if no control of the program has them.
    virtual std::optional<Control> focus() = 0;
    virtual bool selectedWhole(Control field) = 0;
    virtual std::string text(Control field) = 0;
    virtual bool checked(Control option) = 0;
    virtual bool takesInput(Window window) = 0;
    // On the screen: shown and not minimised.
    virtual bool visible(Window window) = 0;
    virtual bool active(Window window) = 0;
    virtual bool ownedByMain(Window window) = 0;
    // The frame lets the window be resized (by its border or maximised), or minimised.
    virtual bool resizable(Window window) = 0;
    virtual bool minimisable(Window window) = 0;
    // The window shows the program's icon in its frame and the task bar.
    virtual bool carriesIcon(Window window) = 0;
    virtual Point position(Window window) = 0;
    // The program has ended (its event loop was told to stop).
    virtual bool ended() = 0;
    // What a screen reader hears of a control; nothing where it passes it over.
    virtual std::optional<Heard> heard(Control control) = 0;
    virtual Heard heard(Window window) = 0;
    // How many things a screen reader finds within the window, at any depth.
    virtual int heardWithin(Window window) = 0;
    // The text of the tooltip on the screen now; empty for none.
    virtual std::string tooltipShown() = 0;

    // The screens (dots per inch) this driver can show the windows on, and
    // moving both windows to one of them.
    virtual std::vector<int> dpis() = 0;
    virtual void showAt(int dpi) = 0;
    // The height of a control's font in pixels on the screen it is on.
    virtual double fontPixels(Control control) = 0;
    // The window's client area as drawn; nothing where the driver's screen
    // is too small to show it whole at this dpi.
    virtual std::optional<Picture> picture(Window window) = 0;
    // The toolkit's name, which names its reviewed pictures' folder.
    virtual std::string toolkit() = 0;
};

std::unique_ptr<Driver> makeDriver();

inline const layout::Window& layoutOf(Window window) { return window == Window::main ? layout::form13() : layout::form14(); }

// What both drivers keep the same way: the program, its windows as the
// toolkit's (ToolkitWindow, whose controls are Native), and what it asked of the desktop.
template <typename ToolkitWindow, typename Native>
class ProgramDriver : public Driver {
public:
    ui::Form13& program() override { return *form_; }
    std::vector<std::string> helpOpened() override { return help_.calls; }
    bool ended() override { return ended_; }

protected:
    bool built(Window which) { return which == Window::main || form_->settings().built(); }
    ToolkitWindow& window(Window which)
    {
        return static_cast<ToolkitWindow&>(which == Window::main ? form_->view() : form_->settings().view());
    }
    std::optional<Control> controlOf(Native focused)
    {
        for (const Window which : {Window::main, Window::settings}) {
            for (const layout::Control& each : layoutOf(which).controls) {
                if (focused && built(which) && window(which).control(each.id) == focused)
                    return Control{which, each.id};
            }
        }
        return std::nullopt;
    }
    // Which window a box is over (owner), and whether any other takes input meanwhile.
    template <typename Owner, typename Handle>
    void placeBox(BoxSeen& seen, Owner owner, Handle handle)
    {
        for (const Window which : {Window::main, Window::settings}) {
            if (!built(which))
                continue;
            if (handle(which) != owner)
                seen.othersTookInput |= takesInput(which);
            else if (visible(which))
                seen.over = which;
        }
    }

    testing::RecordingOpener help_;
    std::unique_ptr<ui::Form13> form_;
    bool ended_ = false;
};

} // namespace popolun::conformance
