#pragma once

#include "session.h"

#include <QWidget>

#include <memory>

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
    // Creates the window and runs its load step, which brings the hidden
    // settings window into being.
    explicit Form13(QWidget* parent = nullptr);
    ~Form13() override;

    popolun::Session& session() { return session_; }
    Form14& settingsWindow() { return *form14_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createPageSet();
    void showSettings();

    popolun::Session session_;
    std::unique_ptr<Form14> form14_;
    QLineEdit* text1_ = nullptr;
};
