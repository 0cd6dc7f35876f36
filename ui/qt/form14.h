#pragma once

#include "settings_fields.h"

#include <QWidget>

class QLineEdit;
class QRadioButton;

// The settings window: extension, player width and autostart. Every edit
// reaches the main window's fields at once; "戻る" only hides the window.
// It is made once, over fields that already hold their values, shows them as
// they are then, and lasts until the program ends.
class Form14 : public QWidget {
    Q_OBJECT

public:
    explicit Form14(popolun::SettingsFields& fields, QWidget* parent = nullptr);

signals:
    // Its "?" was pressed: the main window opens help for this window.
    void helpRequested();

protected:
    // Closing from the frame hides the window like "戻る": its values must last.
    void closeEvent(QCloseEvent* event) override;

private:
    void showFieldsAndOptions();

    popolun::SettingsFields& fields_;
    QLineEdit* text4_ = nullptr;
    QLineEdit* text12_ = nullptr;
    QRadioButton* option1_ = nullptr;
    QRadioButton* option2_ = nullptr;
};
