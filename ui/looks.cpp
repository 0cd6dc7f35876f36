#include "looks.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace popolun::ui::looks {

namespace {

QFont face(const QString& family, qreal points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace

QFont pGothic(qreal points, bool bold) { return face(kPGothic, points, bold); }
QFont gothic(qreal points, bool bold) { return face(kGothic, points, bold); }

void fillButton(QPushButton& button, const QColor& colour)
{
    const QString fill = colour.name();
    const QString shade = colour.darker(150).name();
    button.setStyleSheet(QStringLiteral(
        "QPushButton { background-color: %1; color: black; border: 1px solid %2;"
        " border-bottom-width: 2px; border-right-width: 2px; }"
        "QPushButton:pressed { background-color: %3; border-width: 2px 1px 1px 2px; }"
        "QPushButton:focus { border-color: black; }")
        .arg(fill, shade, colour.darker(115).name()));
    button.setAutoDefault(false);
    button.setDefault(false);
}

void fillLabel(QLabel& label, const QColor& background, const QColor& text)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label.setPalette(palette);
    label.setAutoFillBackground(true);
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& box,
                        const QColor& fill)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(box);
    fillButton(*button, fill);
    return button;
}

QLabel* makePicture(QWidget* parent, const char* name, const QString& resource, const QRect& box)
{
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(box);
    picture->setPixmap(QPixmap(resource));
    picture->setScaledContents(true);
    return picture;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& box)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(box);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

} // namespace popolun::ui::looks
