#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Fonts and fills shared by both windows.
namespace popolun::ui::looks {

inline const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
inline const QString kGothic = QStringLiteral("ＭＳ ゴシック");

QFont pGothic(qreal points, bool bold = false);
QFont gothic(qreal points, bool bold = false);

// A button face filled with one colour, whatever the style.
void fillButton(QPushButton& button, const QColor& colour);
// A label with its own background (and text) colour.
void fillLabel(QLabel& label, const QColor& background, const QColor& text);

// A push button with its face filled; never a default button, so Enter and
// Escape press nothing.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& box,
                        const QColor& fill);

// A picture stretched to fill its box.
QLabel* makePicture(QWidget* parent, const char* name, const QString& resource, const QRect& box);

// Labels read from the top left and wrap within their box.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& box);

} // namespace popolun::ui::looks
