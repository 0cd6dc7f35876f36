#pragma once

#include "form14.h"
#include "help.h"
#include "platform/file_system.h"
#include "session.h"
#include "window_view.h"

#include <memory>
#include <string>

namespace popolun::ui {

// The main window: the name field, the create button and the small buttons
// for help, exit and settings. It owns the field set for the whole run; of
// its 24 fields only the name is on screen.
class Form13 final : public WindowBehaviour {
public:
    // Builds the window, hidden, and runs its load step, which creates and
    // loads the settings fields (the settings window's controls are built
    // the first time they are needed). Page sets go into programDirectory,
    // where help is looked for too.
    Form13(Toolkit& toolkit, std::string programDirectory, HelpOpener& help = systemHelpOpener(),
           FileSystem& fileSystem = nativeFileSystem());
    ~Form13() override;

    // The first show, centred on the screen with the name field focused;
    // a video named on the command line fills the window as a drop would.
    void start(const std::vector<std::string>& arguments = {});

    Session& session() { return session_; }
    WindowView& view() { return *view_; }
    Form14& settings() { return *settings_; }
    Toolkit& toolkit() { return toolkit_; }

    // The "?" buttons of both windows: help for the window that asked.
    void showHelpFor(WindowView& window);

    void clicked(layout::ControlId control) override;
    void edited(layout::ControlId control, const std::string& text) override;
    // Closing the main window ends the program, as "終了" does.
    void closeRequested() override { end(); }
    // A video dropped on the window, or named when the program starts, fills
    // the name and the extension through the same fields typing reaches;
    // anything but one file changes nothing and says why. Nothing is written.
    void dropped(const std::vector<std::string>& items) override;

private:
    void createPageSet();
    void showSettings();
    void end();

    Toolkit& toolkit_;
    std::string programDirectory_;
    HelpOpener& help_;
    FileSystem& fileSystem_;
    Session session_;
    std::unique_ptr<Form14> settings_;
    std::unique_ptr<WindowView> view_;
};

} // namespace popolun::ui
