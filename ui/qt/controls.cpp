#include "controls.h"

#include "accessibility.h"
#include "filled_button.h"
#include "fonts.h"
#include "option_button.h"
#include "pictures.h"
#include "text.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace popolun::qt {

namespace {

QColor colour(const layout::Fill& fill, const QPalette& palette)
{
    switch (fill.colour) {
    case layout::Colour::window:
        return palette.color(QPalette::Base); // the text-area background, white by default
    case layout::Colour::windowText:
        return palette.color(QPalette::Text);
    case layout::Colour::dialog:
        return palette.color(QPalette::Window);
    case layout::Colour::rgb:
        return QColor(fill.red, fill.green, fill.blue);
    case layout::Colour::unset:
        break;
    }
    return {};
}

QWidget* make(const layout::Control& control, QWidget* parent)
{
    const QString caption = text(control.caption);
    switch (control.kind) {
    case layout::Kind::picture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(qt::picture(control.picture, qGuiApp->devicePixelRatio()));
        picture->setScaledContents(true);
        return picture;
    }
    case layout::Kind::label: {
        // Read from the top left, wrapping within the box.
        auto* label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case layout::Kind::textField: {
        auto* field = new QLineEdit(parent);
        field->setMaxLength(std::numeric_limits<int>::max());
        return field;
    }
    case layout::Kind::button: {
        // Never a default button, so Enter and Escape press nothing.
        auto* button = control.background.colour == layout::Colour::unset
                           ? new QPushButton(caption, parent)
                           : new FilledButton(caption, colour(control.background, parent->palette()), parent);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case layout::Kind::frame:
        return new QGroupBox(caption, parent);
    case layout::Kind::optionButton: {
        auto* option = new OptionButton(caption, parent);
        option->setAutoExclusive(control.group != layout::kNoControl);
        return option;
    }
    }
    return nullptr;
}

void colourIn(QWidget& widget, const layout::Control& control)
{
    // Buttons paint their own fill.
    if (control.background.colour == layout::Colour::unset || control.kind == layout::Kind::button)
        return;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour(control.background, palette));
    if (control.text.colour != layout::Colour::unset)
        palette.setColor(QPalette::WindowText, colour(control.text, widget.palette()));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

} // namespace

std::vector<QWidget*> buildControls(QWidget& window, const layout::Window& layout)
{
    window.setObjectName(text(layout.name));
    window.setWindowTitle(text(layout.caption));
    window.setFixedSize(layout.clientWidth, layout.clientHeight);
    // Both windows stay in use: the tips of one show while the other is active.
    window.setAttribute(Qt::WA_AlwaysShowToolTips);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, colour(layout::Fill{layout.background}, background));
    window.setPalette(background);
    window.setAutoFillBackground(true);

    std::vector<QWidget*> controls;
    for (const layout::Control& control : layout.controls) {
        QWidget* parent = control.parent == layout::kNoControl ? &window : controls.at(std::size_t(control.parent));
        QWidget* widget = make(control, parent);
        widget->setObjectName(text(control.name));
        widget->setGeometry(control.box.left, control.box.top, control.box.width, control.box.height);
        if (control.font.face != layout::Face::windowDefault)
            widget->setFont(font(control.font));
        if (!control.tooltip.empty())
            widget->setToolTip(text(control.tooltip));
        widget->setFocusPolicy(control.tabOrder > 0 ? Qt::StrongFocus : Qt::NoFocus);
        colourIn(*widget, control);
        controls.push_back(widget);
    }
    describeForScreenReaders(controls, layout);

    QWidget* previous = nullptr;
    for (const layout::Control* stop : layout::tabOrder(layout)) {
        QWidget* widget = controls.at(std::size_t(stop->id));
        if (previous)
            QWidget::setTabOrder(previous, widget);
        else
            widget->setFocus(); // the first stop has the focus when the window first shows
        previous = widget;
    }
    return controls;
}

} // namespace popolun::qt
