#include "window.h"

#include "controls.h"
#include "text.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>

namespace popolun::qt {

namespace {

void centre(QWidget& window)
{
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), window.size());
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

} // namespace

Window::Window(const layout::Window& layout, ui::WindowBehaviour& behaviour, QWidget* owner)
    : QWidget(owner, Qt::Window)
    , layout_(layout)
    , behaviour_(behaviour)
    , controls_(buildControls(*this, layout))
{
    for (const layout::Control& spec : layout.controls) {
        const layout::ControlId id = spec.id;
        if (auto* field = qobject_cast<QLineEdit*>(control(id))) {
            connect(field, &QLineEdit::textEdited, this,
                    [this, id](const QString& typed) { behaviour_.edited(id, utf8(typed)); });
        } else if (auto* button = qobject_cast<QAbstractButton*>(control(id))) {
            connect(button, &QAbstractButton::clicked, this, [this, id] { behaviour_.clicked(id); });
        }
    }
    if (layout.takesDrops) {
        setAcceptDrops(true);
        // A field would take a dropped file as text; the window takes it whole.
        for (QLineEdit* field : findChildren<QLineEdit*>())
            field->installEventFilter(this);
    }
}

std::string Window::text(layout::ControlId id) const
{
    const auto* field = qobject_cast<const QLineEdit*>(control(id));
    return field ? utf8(field->text()) : std::string();
}

void Window::setText(layout::ControlId id, const std::string& utf8Text)
{
    if (auto* field = qobject_cast<QLineEdit*>(control(id)))
        field->setText(qt::text(utf8Text));
}

void Window::setChecked(layout::ControlId id, bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control(id)))
        button->setChecked(checked);
}

void Window::focusAndSelect(layout::ControlId id)
{
    control(id)->setFocus();
    if (auto* field = qobject_cast<QLineEdit*>(control(id)))
        field->selectAll();
}

namespace {

bool holdsFiles(const QDropEvent& drop) { return !drop.mimeData()->urls().isEmpty(); }

} // namespace

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        if (holdsFiles(*drop)) {
            if (type == QEvent::Drop)
                dropEvent(drop);
            else
                drop->acceptProposedAction();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Window::dragEnterEvent(QDragEnterEvent* event)
{
    if (holdsFiles(*event))
        event->acceptProposedAction();
}

void Window::dropEvent(QDropEvent* event)
{
    std::vector<std::string> items;
    for (const QUrl& url : event->mimeData()->urls())
        items.push_back(utf8(url.isLocalFile() ? url.toLocalFile() : url.toString()));
    event->acceptProposedAction();
    behaviour_.dropped(items);
}

void Window::showWindow()
{
    if (!shownBefore_) {
        if (layout_.placement == layout::Placement::centred)
            centre(*this);
        else if (parentWidget())
            placeBeside(*this, *parentWidget()); // both windows stay in use: keep it off its owner
        // It opens on its first stop; a field there is selected whole, so typing replaces it.
        if (auto* field = qobject_cast<QLineEdit*>(focusWidget()))
            field->selectAll();
        shownBefore_ = true;
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

std::uintptr_t Window::nativeHandle() const { return static_cast<std::uintptr_t>(winId()); }

void Window::closeEvent(QCloseEvent* event)
{
    event->ignore();
    behaviour_.closeRequested();
}

void placeBeside(QWidget& window, const QWidget& anchor)
{
    const QScreen* screen = anchor.screen();
    if (!screen)
        return;
    const QRect free = screen->availableGeometry();
    const QRect taken = anchor.frameGeometry();
    // The new window's frame is taken to be as thick as the anchor's.
    const QSize size = window.size() + (taken.size() - anchor.size());
    const QPoint candidates[] = {
        {taken.left(), taken.bottom() + 1},
        {taken.right() + 1, taken.top()},
        {taken.left() - size.width(), taken.top()},
        {taken.left(), taken.top() - size.height()},
    };
    for (const QPoint& topLeft : candidates) {
        if (free.contains(QRect(topLeft, size))) {
            window.move(topLeft);
            return;
        }
    }
}

} // namespace popolun::qt
