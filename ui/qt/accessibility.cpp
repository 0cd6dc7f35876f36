#include "accessibility.h"

#include "text.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace popolun::qt {

namespace {

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

} // namespace

void describeForScreenReaders(const std::vector<QWidget*>& controls, const layout::Window& layout)
{
    static const bool windowsAreWindows = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    Q_UNUSED(windowsAreWindows);
    for (const layout::Control& control : layout.controls) {
        QWidget* widget = controls.at(std::size_t(control.id));
        if (!control.accessibleName.empty())
            widget->setAccessibleName(text(control.accessibleName));
        if (control.labels != layout::kNoControl)
            qobject_cast<QLabel*>(widget)->setBuddy(controls.at(std::size_t(control.labels)));
        if (const std::string_view about = layout::spokenDescription(layout, control); !about.empty())
            widget->setAccessibleDescription(text(about));
        if (control.decorative)
            widget->setProperty(kDecorative, true);
    }
}

} // namespace popolun::qt
