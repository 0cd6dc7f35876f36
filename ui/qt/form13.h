#pragma once

#include "help.h"
#include "platform/file_system.h"
#include "session.h"

#include <QWidget>

#include <memory>
#include <string>

class Form14;
class QLabel;
class QLineEdit;
class QPushButton;

// The main window: the name field, the create button and the small buttons
// for help, exit and settings. It owns the field set for the whole run; of
// its 24 fields only Text1 is on screen.
class Form13 : public QWidget {
    Q_OBJECT

public:
    // Creates the window and runs its load step, which creates and loads the
    // settings fields. Page sets go into programDirectory, the executable's
    // own directory unless a test says otherwise; help is looked for there
    // too, and opened through help.
    explicit Form13(std::string programDirectory = popolun::executableDirectory(),
                    popolun::HelpOpener& help = popolun::systemHelpOpener(), QWidget* parent = nullptr);
    ~Form13() override;

    popolun::Session& session() { return session_; }
    // The settings window over those fields, hidden: its widgets are made the
    // first time it is asked for, showing the fields' values at that moment,
    // so that start-up pays only for the window that is shown.
    Form14& settingsWindow();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPageSet();
    void showSettings();
    void showHelp(QWidget& window);

    std::string programDirectory_;
    popolun::HelpOpener& help_;
    popolun::Session session_;
    std::unique_ptr<Form14> form14_;
    QLineEdit* text1_ = nullptr;
    bool settingsShownBefore_ = false;
};
