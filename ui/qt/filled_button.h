#pragma once

#include <QColor>
#include <QPushButton>

namespace popolun::qt {

// A button face filled with one colour, whatever the style: flat, with a
// darker edge that is thicker at the bottom and right (at the top and left
// while pressed) and black while the button has the focus. Painted here
// rather than by a style sheet, which costs every button a style sheet
// parse and polish at start-up; the pixels are the same.
class FilledButton final : public QPushButton {
public:
    FilledButton(const QString& caption, const QColor& fill, QWidget* parent)
        : QPushButton(caption, parent)
        , fill_(fill)
    {
    }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

} // namespace popolun::qt
