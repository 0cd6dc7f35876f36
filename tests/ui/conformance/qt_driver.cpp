// The conformance suite's driver for the Qt windows, drawn offscreen: mouse
// and keys go through the window system's path (QTEST_QPA_MOUSE_HANDLING),
// so a blocked window drops them and a click lands on what lies at its point.
#define QTEST_QPA_MOUSE_HANDLING
#include "application.h"
#include "driver.h"
#include "test_support.h"
#include "window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <cmath>
#include <map>

namespace popolun::conformance {
namespace {

qt::Application& qtToolkit()
{
    static qt::Application application(*qApp);
    return application;
}

// Whether a press at a window's corner reaches it.
class PressSeen final : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        seen |= event->type() == QEvent::MouseButtonPress;
        return false;
    }
};

class QtDriver final : public ProgramDriver<qt::Window, QWidget*> {
public:
    ~QtDriver() override
    {
        form_.reset();
        other_.reset();
    }

    void start(const std::string& folder, const std::vector<std::string>& arguments) override
    {
        form_ = std::make_unique<ui::Form13>(qtToolkit(), folder, help_);
        act([&] { form_->start(arguments); });
        (void)QTest::qWaitForWindowActive(&window(Window::main));
    }

    void press(Key key, bool shift) override
    {
        constexpr Qt::Key keys[] = {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space, // in Key's order
                                    Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Left,   Qt::Key_Right};
        const Qt::Key qtKey = key == Key::tab && shift ? Qt::Key_Backtab : keys[int(key)];
        act([&] { QTest::keyClick(QGuiApplication::focusWindow(), qtKey, shift ? Qt::ShiftModifier : Qt::NoModifier); });
    }
    void type(const std::string& text) override
    {
        act([&] { QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(text)); });
    }
    void paste(const std::string& text) override
    {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        act([&] { QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_V, Qt::ControlModifier); });
    }
    void click(Control control, int x, int y) override
    {
        act([&] { QTest::mouseClick(widget(control), Qt::LeftButton, {}, QPoint(x, y)); });
    }
    void hold(Control control, bool down) override
    {
        QWidget* button = widget(control);
        const QPoint off(button->width() + 8, button->height() + 8);
        act([&] {
            if (down)
                QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
            else
                QTest::mouseRelease(button, Qt::LeftButton, {}, off);
        });
    }
    void hover(Control control) override
    {
        // The last one goes when the pointer leaves its control.
        QToolTip::hideText();
        (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 1000);
        QTest::mouseMove(widget(control));
        (void)QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000);
    }
    void drop(const std::vector<std::string>& paths, layout::ControlId over) override
    {
        // Offered as text too, as file managers offer files; dropped only where the drag is taken.
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& path : paths)
            urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data.setUrls(urls);
        data.setText(urls.value(0).toString());
        QWidget* target = widget({Window::main, over});
        act([&] {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &enter);
            if (!enter.isAccepted())
                return;
            // Qt follows the entry with a move, which starts as the entry was answered.
            QDragMoveEvent moved(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            moved.setAccepted(true);
            QApplication::sendEvent(target, &moved);
            if (!moved.isAccepted())
                return;
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(target, &dropped);
        });
    }
    void activate(Window which) override
    {
        window(which).activateWindow();
        // A window whose own window is active counts as active to Qt: wait for it to be the active one itself.
        (void)QTest::qWaitFor([&] { return QApplication::activeWindow() == &window(which); }, 2000);
    }
    void visitAnotherProgram(Window back) override
    {
        if (!other_) {
            other_ = std::make_unique<QWidget>();
            other_->setWindowTitle(QStringLiteral("another program"));
            other_->resize(200, 100);
        }
        other_->show();
        other_->activateWindow();
        (void)QTest::qWaitFor([&] { return QApplication::activeWindow() == other_.get(); }, 2000);
        activate(back);
    }
    void close(Window which) override
    {
        act([&] { window(which).close(); });
    }
    void minimise(Window which) override
    {
        act([&] { window(which).showMinimized(); });
    }
    void move(Window which, int dx, int dy) override { window(which).move(window(which).pos() + QPoint(dx, dy)); }

    std::vector<BoxSeen> answering(const std::function<void()>& action) override
    {
        std::vector<BoxSeen> seen;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            BoxSeen each{box->text().toStdString(),
                         box->buttons().size() == 1 && box->icon() == QMessageBox::NoIcon
                             && box->windowTitle().toStdString() == layout::form13().caption};
            placeBox(each, box->parentWidget(), [&](Window which) { return &window(which); });
            seen.push_back(each);
            box->buttons().first()->click();
        });
        poll.start(10);
        action();
        return seen;
    }

    std::optional<Control> focus() override { return controlOf(QApplication::focusWidget()); }
    bool selectedWhole(Control field) override
    {
        const auto* edit = qobject_cast<QLineEdit*>(widget(field));
        return edit && !edit->text().isEmpty() && edit->selectedText() == edit->text();
    }
    std::string text(Control field) override { return qobject_cast<QLineEdit*>(widget(field))->text().toStdString(); }
    bool checked(Control option) override { return qobject_cast<QAbstractButton*>(widget(option))->isChecked(); }
    bool takesInput(Window which) override
    {
        PressSeen probe;
        window(which).installEventFilter(&probe);
        QTest::mouseClick(window(which).windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
        window(which).removeEventFilter(&probe);
        return probe.seen;
    }
    bool visible(Window which) override { return built(which) && window(which).isVisible() && !window(which).isMinimized(); }
    bool active(Window which) override { return built(which) && QApplication::activeWindow() == &window(which); }
    bool ownedByMain(Window which) override
    {
        return window(which).windowHandle()->transientParent() == window(Window::main).windowHandle();
    }
    bool carriesIcon(Window which) override { return !window(which).windowIcon().isNull(); }
    // A fixed size is what the window system is told, and it keeps the window from maximising too.
    bool resizable(Window which) override { return window(which).minimumSize() != window(which).maximumSize(); }
    bool minimisable(Window which) override
    {
        const Qt::WindowFlags flags = window(which).windowFlags();
        return !flags.testFlag(Qt::CustomizeWindowHint) || flags.testFlag(Qt::WindowMinimizeButtonHint);
    }
    Point position(Window which) override { return {window(which).pos().x(), window(which).pos().y()}; }

    std::optional<Heard> heard(Control control) override
    {
        QAccessibleInterface* found = find(QAccessible::queryAccessibleInterface(&window(control.window)), widget(control));
        return found ? std::optional(heardOf(found)) : std::nullopt;
    }
    Heard heard(Window which) override { return heardOf(QAccessible::queryAccessibleInterface(&window(which))); }
    int heardWithin(Window which) override { return within(QAccessible::queryAccessibleInterface(&window(which))); }
    std::string tooltipShown() override { return QToolTip::isVisible() ? QToolTip::text().toStdString() : ""; }

    std::vector<int> dpis() override { return {int(std::lround(96 * qApp->devicePixelRatio()))}; }
    void showAt(int) override {}
    double fontPixels(Control control) override
    {
        return QFontInfo(widget(control)->font()).pixelSize() * qApp->devicePixelRatio();
    }
    std::optional<Picture> picture(Window which) override
    {
        const QImage image = window(which).grab().toImage().convertToFormat(QImage::Format_RGB888);
        Picture picture{image.width(), image.height(), {}};
        for (int y = 0; y < image.height(); ++y)
            picture.rgb.insert(picture.rgb.end(), image.constScanLine(y), image.constScanLine(y) + image.width() * 3);
        return picture;
    }
    std::string toolkit() override { return "qt"; }

private:
    // Runs what the user does inside the event loop, where ending the
    // program ends it; whether it did is kept.
    void act(const std::function<void()>& what)
    {
        if (ended_)
            return what();
        QObject guard;
        QTimer::singleShot(0, &guard, [&] {
            what();
            QTimer::singleShot(0, &guard, [] { QCoreApplication::exit(1); });
        });
        ended_ = QApplication::exec() == 0;
    }

    QWidget* widget(Control control) { return window(control.window).control(control.id); }
    static QAccessibleInterface* find(QAccessibleInterface* node, QWidget* wanted)
    {
        for (int i = 0; node && i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (child->object() == wanted) // and found at its place when a screen reader goes back up
                return node->indexOfChild(child) == i ? child : nullptr;
            if (QAccessibleInterface* below = find(child, wanted))
                return below;
        }
        return nullptr;
    }
    static int within(QAccessibleInterface* node)
    {
        int found = 0;
        for (int i = 0; i < node->childCount(); ++i)
            found += 1 + within(node->child(i));
        return found;
    }
    static Heard heardOf(QAccessibleInterface* node)
    {
        const std::map<QAccessible::Role, Role> roles{
            {QAccessible::Window, Role::window},       {QAccessible::Graphic, Role::graphic},
            {QAccessible::EditableText, Role::field},  {QAccessible::Button, Role::button},
            {QAccessible::RadioButton, Role::optionButton}, {QAccessible::Grouping, Role::grouping}};
        const auto role = roles.find(node->role());
        return {node->text(QAccessible::Name).toStdString(), node->text(QAccessible::Description).toStdString(),
                role == roles.end() ? Role::text : role->second};
    }

    std::unique_ptr<QWidget> other_;
};

} // namespace

std::unique_ptr<Driver> makeDriver() { return std::make_unique<QtDriver>(); }

} // namespace popolun::conformance

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setCursorFlashTime(0); // a caret that does not blink draws the same every time
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
