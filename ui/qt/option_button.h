#pragma once

#include <QKeyEvent>
#include <QRadioButton>

namespace popolun::qt {

// An option button that takes a click anywhere in its box and never changes
// its own selection: the settings decide which of the pair is selected, so a
// pair can also start with neither, and the arrow keys select nothing. Those
// of one group exclude each other, so screen readers hear option buttons,
// and Tab stops at each of them.
class OptionButton final : public QRadioButton {
    Q_OBJECT

public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void nextCheckState() override {}
    void keyPressEvent(QKeyEvent* event) override
    {
        // Qt would move to the other button of the group and click it.
        if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down || event->key() == Qt::Key_Left
            || event->key() == Qt::Key_Right)
            return event->ignore();
        QRadioButton::keyPressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override
    {
        QRadioButton::focusInEvent(event);
        // Qt has just taken the others of the group out of the tab chain.
        for (auto* other : parentWidget()->findChildren<OptionButton*>(Qt::FindDirectChildrenOnly))
            other->setFocusPolicy(focusPolicy());
    }
};

} // namespace popolun::qt
