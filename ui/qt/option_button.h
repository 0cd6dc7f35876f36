#pragma once

#include <QRadioButton>

// An option button that takes a click anywhere in its box and never changes
// its own selection: the settings decide which of the pair is selected, so a
// pair can also start with neither, and Tab stops at both.
class OptionButton : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void nextCheckState() override {}
};
