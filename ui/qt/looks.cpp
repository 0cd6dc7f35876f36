#include "looks.h"

#include "option_button.h"
#include "picture_names.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QResource>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <limits>

namespace popolun::ui::looks {

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
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const bool down = option.state & (QStyle::State_Sunken | QStyle::State_On);
        const QMargins edge = down ? QMargins(2, 2, 1, 1) : QMargins(1, 1, 2, 2);
        const QRect face = rect();
        const QColor edgeColour = hasFocus() ? QColor(Qt::black) : fill_.darker(150);
        painter.fillRect(face, QBrush(down ? fill_.darker(115) : fill_));
        // Edges as a style sheet draws them: antialiased strips, bottom, right, left, top.
        painter.setPen(Qt::NoPen);
        painter.setBrush(edgeColour);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF f(face);
        painter.drawRect(QRectF(f.left(), f.bottom() - edge.bottom(), f.width(), edge.bottom()));
        painter.drawRect(QRectF(f.right() - edge.right(), f.top(), edge.right(), f.height()));
        painter.drawRect(QRectF(f.left(), f.top(), edge.left(), f.height()));
        painter.drawRect(QRectF(f.left(), f.top(), f.width(), edge.top()));
        painter.setRenderHint(QPainter::Antialiasing, false);

        option.rect = face.marginsRemoved(edge);
        option.palette.setColor(QPalette::ButtonText, Qt::black);
        painter.drawControl(QStyle::CE_PushButtonLabel, option);
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

private:
    QColor fill_;
};

// A PAM file as shown_pictures writes it (RGB or RGB_ALPHA, MAXVAL 255),
// read in place: the image shares the bytes compiled into the program.
QImage readPam(const QString& path)
{
    const QResource resource(path);
    const QByteArray bytes = resource.uncompressedData();
    const qsizetype end = bytes.indexOf("ENDHDR\n");
    if (end < 0 || end > 100)
        return {};
    int width = 0, height = 0, depth = 0;
    char type[16] = {};
    const QByteArray header = bytes.left(end);
    if (std::sscanf(header.constData(), "P7 WIDTH %d HEIGHT %d DEPTH %d MAXVAL 255 TUPLTYPE %15s", &width, &height,
                    &depth, type)
            != 4
        || width <= 0 || height <= 0 || depth != (std::strcmp(type, "RGB_ALPHA") == 0 ? 4 : 3)
        || bytes.size() - (end + 7) < qsizetype(width) * height * depth)
        return {};
    const QImage image(reinterpret_cast<const uchar*>(bytes.constData() + end + 7), width, height, width * depth,
                       depth == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    // Compressed, the bytes would not outlive this call.
    return resource.compressionAlgorithm() == QResource::NoCompression ? image : image.copy();
}

// Set on what a screen reader need not read.
constexpr char kDecorative[] = "popolunDecorative";

// Qt reads a plain top-level QWidget as a client area (AT-SPI "filler");
// these are windows, named by their titles, without their decorative parts.
class WindowInterface final : public QAccessibleWidget {
public:
    explicit WindowInterface(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QWidgetList children = shown();
        return index >= 0 && index < children.size() ? QAccessible::queryAccessibleInterface(children[index])
                                                     : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(shown().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QWidgetList shown() const
    {
        QWidgetList children;
        for (QWidget* each : widget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!each->isWindow() && !each->property(kDecorative).toBool())
                children << each;
        }
        return children;
    }
};

// Reached for a QWidget only when no subclass has an interface of its own.
QAccessibleInterface* windowInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String("QWidget"))
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    return widget->isWindow() ? new WindowInterface(widget) : nullptr;
}

QWidget* make(const layout::Control& control, QWidget* parent)
{
    const QString caption = text(control.caption);
    switch (control.kind) {
    case layout::Kind::picture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(looks::picture(control.picture, qGuiApp->devicePixelRatio()));
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
        option->setAutoExclusive(!control.group.empty());
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
    const QColor fill = colour(control.background, widget.palette());
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, fill);
    if (control.text.colour != layout::Colour::unset)
        palette.setColor(QPalette::WindowText, colour(control.text, widget.palette()));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// What a screen reader needs beyond captions and tooltips.
void describe(const Controls& controls, const layout::Window& spec)
{
    for (const layout::Control& control : spec.controls) {
        QWidget* widget = controls.get(control.name);
        if (!control.accessibleName.empty())
            widget->setAccessibleName(text(control.accessibleName));
        if (!control.labels.empty())
            qobject_cast<QLabel*>(widget)->setBuddy(controls.get(control.labels));
        if (const layout::Control* hint = layout::descriptionOf(spec, control))
            widget->setAccessibleDescription(text(hint->caption));
        if (!control.group.empty())
            widget->setAccessibleDescription(text(layout::control(spec, control.group).caption));
        if (control.decorative)
            widget->setProperty(kDecorative, true);
    }
}

} // namespace

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QPixmap picture(layout::Picture picture, qreal devicePixelRatio)
{
    const QString path = QStringLiteral(":/pictures/") + pictureName(picture);
    // Other ratios scale the drawn picture, as QLabel always did.
    if (devicePixelRatio != 1 && devicePixelRatio != 2)
        return QPixmap(path + QStringLiteral(".png"));
    const QString shown = devicePixelRatio == 2 ? QStringLiteral("@2x.pam") : QStringLiteral(".pam");
    QPixmap pixmap = QPixmap::fromImage(readPam(path + shown));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon icon() { return QIcon(QPixmap::fromImage(readPam(QStringLiteral(":/pictures/icon.pam")))); }

QString face(layout::Face face)
{
    // Asking Qt for a family it does not have costs a fontconfig fallback
    // search for every script a window's text uses, so the stand-in is
    // chosen here, once: the IPA faces have the same metrics.
    static const QStringList installed = QFontDatabase::families();
    const auto choose = [](layout::Face wanted, std::initializer_list<QString> standIns) {
        const QString own = text(layout::faceName(wanted));
        if (installed.contains(own, Qt::CaseInsensitive))
            return own;
        for (const QString& standIn : standIns) {
            if (installed.contains(standIn, Qt::CaseInsensitive))
                return standIn;
        }
        return own;
    };
    static const QString pGothic =
        choose(layout::Face::pGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    static const QString gothic =
        choose(layout::Face::gothic, {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
    switch (face) {
    case layout::Face::pGothic:
        return pGothic;
    case layout::Face::gothic:
        return gothic;
    case layout::Face::windowDefault:
        break;
    }
    return {};
}

QFont font(const layout::Font& spec)
{
    QFont font(face(spec.face));
    font.setPointSizeF(spec.points);
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    return font;
}

Controls build(QWidget& window, const layout::Window& spec)
{
    static const bool windowsAreWindows = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    Q_UNUSED(windowsAreWindows);
    window.setObjectName(text(spec.name));
    window.setWindowTitle(text(spec.caption));
    window.setFixedSize(spec.clientWidth, spec.clientHeight);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, colour(layout::Fill{spec.background}, background));
    window.setPalette(background);
    window.setAutoFillBackground(true);

    Controls controls;
    for (const layout::Control& control : spec.controls) {
        QWidget* parent = control.parent.empty() ? &window : controls.byName.value(text(control.parent));
        QWidget* widget = make(control, parent);
        widget->setObjectName(text(control.name));
        widget->setGeometry(control.box.left, control.box.top, control.box.width, control.box.height);
        if (control.font.face != layout::Face::windowDefault)
            widget->setFont(font(control.font));
        if (!control.tooltip.empty())
            widget->setToolTip(text(control.tooltip));
        widget->setFocusPolicy(control.tabOrder > 0 ? Qt::StrongFocus : Qt::NoFocus);
        colourIn(*widget, control);
        controls.byName.insert(widget->objectName(), widget);
    }
    describe(controls, spec);

    QWidget* previous = nullptr;
    for (const layout::Control* stop : layout::tabOrder(spec)) {
        QWidget* widget = controls.get(stop->name);
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    return controls;
}

} // namespace popolun::ui::looks
