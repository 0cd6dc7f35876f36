// What only the Qt windows have: the settings window first opened beside the
// main window (Qt leaves the place to the window manager, which may put it
// over its owner), and labels tied to the fields they name.
#include "driver.h"
#include "test_support.h"
#include "window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

namespace popolun::conformance {
namespace {

TEST(QtOnly, TheSettingsOpenBesideTheMainWindowWhereTheyFit)
{
    QWidget anchor;
    anchor.setFixedSize(100, 100);
    anchor.move(10, 10);
    anchor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&anchor));
    QWidget beside;
    beside.setFixedSize(583, 267);
    qt::placeBeside(beside, anchor);
    EXPECT_EQ(beside.pos(), anchor.frameGeometry().bottomLeft() + QPoint(0, 1));
    anchor.setFixedSize(100, 300);
    anchor.move(10, 250); // too low for it below: to the right
    qt::placeBeside(beside, anchor);
    EXPECT_EQ(beside.pos(), anchor.frameGeometry().topRight() + QPoint(1, 0));
}

TEST(QtOnly, ScreenReadersFindEachFieldsLabel)
{
    testing::TempDir dir;
    auto driver = makeDriver();
    driver->start(dir.utf8());
    driver->click({Window::main, layout::main::settings}, 5, 5);
    auto& settings = static_cast<qt::Window&>(driver->program().settings().view());
    const auto labelOf = [&](layout::ControlId field) {
        return QAccessible::queryAccessibleInterface(settings.control(field))->relations(QAccessible::Label).value(0).first;
    };
    EXPECT_EQ(labelOf(layout::settings::width), QAccessible::queryAccessibleInterface(settings.control(layout::settings::widthLabel)));
    EXPECT_EQ(labelOf(layout::settings::extension),
              QAccessible::queryAccessibleInterface(settings.control(layout::settings::extensionLabel)));
}

} // namespace
} // namespace popolun::conformance
