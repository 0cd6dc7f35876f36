// What only the Qt windows have: the settings window first opened beside the
// main window (Qt leaves the place to the window manager, which may put it
// over its owner), the pressed face of the filled buttons, labels tied to the
// fields they name, and web addresses dropped from a browser.
#include "driver.h"
#include "filled_button.h"
#include "test_support.h"
#include "window.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

namespace popolun::conformance {
namespace {

// Below the main window, else to its right, else to its left, else above it.
TEST(QtOnly, TheSettingsOpenBesideTheMainWindowWhereTheyFit)
{
    QWidget anchor, beside;
    beside.setFixedSize(583, 267);
    anchor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&anchor));
    const QRect free = anchor.screen()->availableGeometry();
    const QPoint low = free.bottomLeft() + QPoint(10, -310);
    enum Side { below, right, left, above };
    for (const auto& [at, side] : {std::pair{QRect(free.topLeft() + QPoint(10, 10), QSize(100, 100)), below},
                                   {QRect(low, QSize(100, 300)), right},
                                   {QRect(low + QPoint(free.width() - 120, 0), QSize(100, 300)), left},
                                   {QRect(low + QPoint(0, 200), QSize(free.width() - 20, 100)), above}}) {
        anchor.setFixedSize(at.size());
        anchor.move(at.topLeft());
        const QRect taken = anchor.frameGeometry();
        const QSize size = beside.size() + (taken.size() - anchor.size());
        const QPoint expected[] = {taken.bottomLeft() + QPoint(0, 1), taken.topRight() + QPoint(1, 0),
                                   taken.topLeft() - QPoint(size.width(), 0), taken.topLeft() - QPoint(0, size.height())};
        qt::placeBeside(beside, anchor);
        EXPECT_EQ(beside.pos(), expected[side]) << "side " << side;
    }
}

// Held down, a filled button's face goes darker, as well as its edge moving.
TEST(QtOnly, AFilledButtonsFaceDarkensWhileItIsHeldDown)
{
    const QColor fill(192, 255, 192);
    qt::FilledButton button(QString(), fill, nullptr);
    button.resize(40, 20);
    EXPECT_EQ(button.grab().toImage().pixelColor(20, 10), fill);
    button.setDown(true);
    EXPECT_LT(button.grab().toImage().pixelColor(20, 10).lightness(), fill.lightness());
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

// A browser offers a link as a web address, which names no file.
TEST(QtOnly, ADroppedWebAddressIsToldByItsAddress)
{
    testing::TempDir dir;
    auto driver = makeDriver();
    driver->start(dir.utf8());
    QWidget& main = static_cast<qt::Window&>(driver->program().view());
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.com/運動会.wmv"))});
    const auto boxes = driver->answering([&] {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&main, &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&main, &dropped);
    });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "「https://example.com/運動会.wmv」はファイルではありません。"
                             "ビデオファイルを一つ選んでください。何も変更していません。");
}

} // namespace
} // namespace popolun::conformance
