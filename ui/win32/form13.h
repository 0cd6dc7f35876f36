#pragma once

#include "form14.h"
#include "help.h"
#include "platform/file_system.h"
#include "session.h"
#include "top_window.h"

#include <memory>
#include <string>

namespace popolun::win32 {

// The main window: the name field, the create button and the small buttons
// for help, exit and settings. It owns the field set for the whole run; of
// its 24 fields only Text1 is on screen.
class Form13 final : public TopWindow {
public:
    // Creates the window hidden and runs its load step, which brings the
    // hidden settings window into being. Page sets go into programDirectory,
    // the executable's own unless a test says otherwise; help is looked for
    // there too, and opened through help.
    explicit Form13(std::string programDirectory = executableDirectory(), HelpOpener& help = systemHelpOpener());
    ~Form13() override;

    Session& session() { return session_; }
    Form14& settingsWindow() { return *form14_; }

    // Shows the window centred on its screen, the name field focused.
    void showCentred();

private:
    void onCommand(HWND control, int code) override;
    void onClose() override;
    void createPageSet();
    void showSettings();
    void showHelp(HWND window);

    std::string programDirectory_;
    HelpOpener& help_;
    Session session_;
    std::unique_ptr<Form14> form14_;
    HWND text1_, command1_, command2_, command4_, command5_;
};

} // namespace popolun::win32
