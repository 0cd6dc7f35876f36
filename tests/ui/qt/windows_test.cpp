// What only the Qt windows can show: the windows as drawn, keys and focus,
// modality, placement and what screen readers hear. What the windows do is
// tested once for every front end in tests/ui/behaviour.
#include "application.h"
#include "form13.h"
#include "test_support.h"
#include "window.h"

#include <QAccessible>
#include <QDir>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

namespace fs = std::filesystem;
using popolun::qt::Window;
namespace ids = popolun::layout;

namespace {

// Answers the message boxes that an action opens: records each text, marked
// unless the box is plain (one button, no icon, the title, modal to the whole
// program), and the window it is over, then presses its one button.
class MessageBoxes {
public:
    void answerDuring(const std::function<void()>& action)
    {
        waiting_ = true;
        poll();
        action();
        waiting_ = false;
    }

    QStringList texts;
    QStringList over;

private:
    void poll()
    {
        QTimer::singleShot(10, &guard_, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const bool plain = box->buttons().size() == 1 && box->icon() == QMessageBox::NoIcon
                                && box->windowTitle() == QStringLiteral("ポポルン　ベーシック版")
                                && box->windowModality() == Qt::ApplicationModal;
                texts << box->text() + (plain ? "" : " (not a plain box)");
                over << (box->parentWidget() ? box->parentWidget()->objectName() : QStringLiteral("nothing"));
                box->buttons().first()->click();
            }
            if (waiting_)
                poll();
        });
    }

    bool waiting_ = false;
    QObject guard_; // a timer still pending when this goes is dropped with it
};

// Role and name of every control a screen reader reaches from a window, by object name.
using Spoken = std::map<QString, std::pair<QAccessible::Role, QString>>;
void collect(QAccessibleInterface* node, Spoken& spoken)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        spoken[child->object()->objectName()] = {child->role(), child->text(QAccessible::Name)};
        collect(child, spoken);
    }
}

} // namespace

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        toolkit = std::make_unique<popolun::qt::Application>(*qApp);
        QApplication::setCursorFlashTime(0); // a caret that does not blink draws the same every time
    }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        form = std::make_unique<popolun::ui::Form13>(*toolkit, dir->path().toStdString(), help);
        form->start();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
    }

    void cleanup()
    {
        form.reset();
        dir.reset();
    }

    void startsWithOnlyTheMainWindowItsNameFieldFocused()
    {
        QCOMPARE(QApplication::topLevelWidgets().size(), 1); // the settings window is not built yet
        QCOMPARE(QApplication::focusWidget(), mainWindow().control(ids::main::name));
    }

    // The windows as drawn, against pictures a person has looked at
    // (tests/ui/qt/reviewed/; scripts/renew-reviewed-pictures draws them anew).
    void bothWindowsLookAsReviewed()
    {
        form->clicked(ids::main::settings);
        QTRY_COMPARE(QApplication::activeWindow(), &settingsWindow());
        compareWithReviewed(mainWindow(), QStringLiteral("main.png"));
        compareWithReviewed(settingsWindow(), QStringLiteral("settings.png"));
    }

    // Tab visits every stop in order (both option buttons, whichever is
    // selected), and at none of them do Enter or Escape press a button.
    void tabVisitsEveryStopWhereEnterAndEscapePressNothing()
    {
        QTest::keyClicks(mainWindow().control(ids::main::name), "bb");
        const QStringList mainStops{"Text1", "Command1", "Command2", "Command4", "Command5", "Text1"};
        QCOMPARE(tabStopsFrom(mainWindow().control(ids::main::name), 5), mainStops);
        form->clicked(ids::main::settings);
        QTRY_COMPARE(QApplication::activeWindow(), &settingsWindow());
        QCOMPARE(QApplication::focusWidget(), settingsWindow().control(ids::settings::extension));
        const QStringList order{"Text4", "Text12", "Option1", "Option2", "Command1", "Command2", "Text4"};
        QCOMPARE(tabStopsFrom(settingsWindow().control(ids::settings::extension), 6), order);
        QTest::mouseClick(option(ids::settings::on), Qt::LeftButton);
        QCOMPARE(tabStopsFrom(option(ids::settings::on), 5), order.mid(2) + order.mid(1, 1));
        QVERIFY(mainWindow().isVisible() && settingsWindow().isVisible());
    }

    // Keys alone make a page set, its message box modal to the whole program;
    // a click anywhere on an option counts, not only on its circle.
    void keysAndClicksReachTheBehaviourAndMessagesHoldTheWholeProgram()
    {
        form->clicked(ids::main::settings);
        mainWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainWindow()));
        mainWindow().control(ids::main::name)->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), "bb");
        press(Qt::Key_Tab);
        MessageBoxes boxes;
        boxes.answerDuring([&] { press(Qt::Key_Space); });
        QCOMPARE(boxes.texts, QStringList{"保存しました。"});
        QVERIFY(fs::exists(path("bb/bb01.htm")));
        // The box closed, the window that asked is active again, its focus where it was.
        settingsWindow().control(ids::settings::help)->setFocus();
        QTRY_COMPARE(QApplication::activeWindow(), &mainWindow());
        QCOMPARE(QApplication::focusWidget(), mainWindow().control(ids::main::create));
        settingsWindow().activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &settingsWindow());
        boxes.answerDuring([&] { press(Qt::Key_Space); }); // no help beside the program
        QCOMPARE(boxes.over, (QStringList{"Form13", "Form14"}));
        QTRY_COMPARE(QApplication::activeWindow(), &settingsWindow());
        QCOMPARE(QApplication::focusWidget(), settingsWindow().control(ids::settings::help));
        QTest::mouseClick(option(ids::settings::on), Qt::LeftButton, {}, QPoint(80, 25)); // off its circle
        QVERIFY(option(ids::settings::on)->isChecked() && !option(ids::settings::off)->isChecked());
        QCOMPARE(form->session().main().text(popolun::FieldId::autostart), std::string("true"));
    }

    void screenReadersHearEveryControlByNameAndRoleAndWhatTiesThem()
    {
        using R = QAccessible::Role;
        form->clicked(ids::main::settings);
        const auto spokenFrom = [](QWidget& window) {
            QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&window);
            Spoken spoken{{window.objectName(), {top->role(), top->text(QAccessible::Name)}}};
            collect(top, spoken);
            return spoken;
        };
        // The band and the section marks are left out: there is nothing to hear.
        QCOMPARE(spokenFrom(mainWindow()), (Spoken{
            {"Form13", {R::Window, "ポポルン　ベーシック版"}}, {"Image2", {R::Graphic, "ポポルン"}},
            {"Label7", {R::StaticText, "例：bb.wmvは”ｂｂ”と記入。"}},
            {"Text1", {R::EditableText, "ビデオファイル名（拡張子なし）"}}, {"Command1", {R::Button, "一発作成"}},
            {"Command5", {R::Button, "ヘルプ"}}, {"Command2", {R::Button, "終了"}}, {"Command4", {R::Button, "設定"}},
        }));
        QCOMPARE(spokenFrom(settingsWindow()), (Spoken{
            {"Form14", {R::Window, "一発ポポルン　ベーシック版　設定"}}, {"Label1", {R::StaticText, "asxの設定　拡張子"}},
            {"Label2", {R::StaticText, "拡張子の前に必ず点を入れてください。avi、ｍｐｇの時"}},
            {"Text4", {R::EditableText, "拡張子"}}, {"Label4", {R::StaticText, "幅"}}, {"Text12", {R::EditableText, "幅"}},
            {"Image1", {R::Graphic, "プレーヤーの幅と高さの図"}}, {"Label5", {R::StaticText, "高さ"}},
            {"Frame1", {R::Grouping, "大きさ"}},
            {"Label7", {R::StaticText, "160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。"}},
            {"Label3", {R::StaticText, "オート起動"}}, {"Option1", {R::RadioButton, "オン"}},
            {"Option2", {R::RadioButton, "オフ"}}, {"Command1", {R::Button, "戻る"}}, {"Command2", {R::Button, "ヘルプ"}},
        }));
        const auto iface = [](Window& window, popolun::layout::ControlId id) {
            return QAccessible::queryAccessibleInterface(window.control(id));
        };
        QCOMPARE(iface(settingsWindow(), ids::settings::width)->relations(QAccessible::Label).value(0).first,
                 iface(settingsWindow(), ids::settings::widthLabel));
        QCOMPARE(iface(settingsWindow(), ids::settings::extension)->relations(QAccessible::Label).value(0).first,
                 iface(settingsWindow(), ids::settings::extensionLabel));
        QCOMPARE(iface(mainWindow(), ids::main::name)->text(QAccessible::Description),
                 QStringLiteral("ビデオファイルの拡張子抜きファイル名を記入"));
        QCOMPARE(iface(settingsWindow(), ids::settings::width)->text(QAccessible::Description).left(4), QStringLiteral("160、"));
        QCOMPARE(iface(settingsWindow(), ids::settings::off)->text(QAccessible::Description), QStringLiteral("オート起動"));
        QVERIFY(iface(settingsWindow(), ids::settings::off)->state().checked);
        QVERIFY(!iface(settingsWindow(), ids::settings::on)->state().checked);
    }

    void filesDroppedOnTheWindowOrItsFieldReachTheBehaviourWhole()
    {
        const QString video = dir->filePath(QStringLiteral("運動会 午前.mp4"));
        std::ofstream(video.toStdString()) << "";
        QLineEdit* name = edit(mainWindow(), ids::main::name);
        QVERIFY(drop(name, {QUrl::fromLocalFile(video)}));
        QCOMPARE(name->text(), QStringLiteral("運動会 午前"));
        QCOMPARE(name->selectedText(), name->text());
        QCOMPARE(QApplication::focusWidget(), name);
        QCOMPARE(form->session().main().text(popolun::FieldId::extension), std::string(".mp4"));

        MessageBoxes boxes; // two files: all of them reach the behaviour, which refuses
        boxes.answerDuring([&] { drop(&mainWindow(), {QUrl::fromLocalFile(video), QUrl::fromLocalFile(video)}); });
        QVERIFY(boxes.texts.value(0).contains(QStringLiteral("2個")));
        QVERIFY(!drop(&mainWindow(), {})); // a drag without files is not the window's
        QVERIFY(!fs::exists(path("運動会 午前"))); // nothing is written until 一発作成
    }

    void settingsBelongToTheMainWindowAndOpenBesideIt()
    {
        form->clicked(ids::main::settings);
        QCOMPARE(settingsWindow().windowHandle()->transientParent(), mainWindow().windowHandle());

        QWidget anchor;
        anchor.setFixedSize(100, 100);
        anchor.move(10, 10);
        anchor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&anchor));
        QWidget beside;
        beside.setFixedSize(583, 267);
        popolun::qt::placeBeside(beside, anchor);
        QCOMPARE(beside.pos(), anchor.frameGeometry().bottomLeft() + QPoint(0, 1));
    }

    // Placed once, when first shown: a window the user moved stays there
    // when it is hidden and shown again, or shown by the other window.
    void windowsStayWhereTheUserMovedThem()
    {
        form->clicked(ids::main::settings);
        settingsWindow().move(settingsWindow().pos() + QPoint(37, 23));
        mainWindow().move(mainWindow().pos() - QPoint(41, 19));
        const QPoint settingsAt = settingsWindow().pos(), mainAt = mainWindow().pos();
        form->settings().clicked(ids::settings::back); // shows the main window, hides this one
        form->clicked(ids::main::settings);
        QCOMPARE(settingsWindow().pos(), settingsAt);
        QCOMPARE(mainWindow().pos(), mainAt);
    }

    // The frame's close control: the settings window hides, the main window ends the program.
    void closingTheMainWindowEndsTheProgram()
    {
        form->clicked(ids::main::settings);
        settingsWindow().close();
        QVERIFY(!settingsWindow().isVisible() && mainWindow().isVisible());
        form->clicked(ids::main::settings);
        QTimer::singleShot(0, [this] { mainWindow().close(); });
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // only if closing did nothing
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!mainWindow().isVisible() && !settingsWindow().isVisible());
    }

private:
    Window& mainWindow() { return static_cast<Window&>(form->view()); }
    Window& settingsWindow() { return static_cast<Window&>(form->settings().view()); }
    static QLineEdit* edit(Window& window, popolun::layout::ControlId id)
    {
        return qobject_cast<QLineEdit*>(window.control(id));
    }
    QRadioButton* option(popolun::layout::ControlId id)
    {
        return qobject_cast<QRadioButton*>(settingsWindow().control(id));
    }
    std::string path(const char* relative) const { return (fs::path(dir->path().toStdString()) / relative).string(); }
    // A drag of urls that enters target and is dropped there; whether it was taken.
    static bool drop(QWidget* target, const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        return true;
    }
    static void press(Qt::Key key)
    {
        if (QWidget* focus = QApplication::focusWidget())
            QTest::keyClick(focus, key);
    }
    // The stops Tab visits from start; at each, Enter and Escape must open nothing.
    static QStringList tabStopsFrom(QWidget* start, int presses)
    {
        start->setFocus();
        QStringList stops{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < presses; ++i) {
            MessageBoxes boxes;
            boxes.answerDuring([] {
                for (auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(QApplication::focusWidget(), key);
            });
            if (!boxes.texts.isEmpty())
                stops << QStringLiteral("a message box at ") + QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        return stops;
    }

    // Same size, and at most 20 pixels off by more than 4 in a channel: room
    // for a stray antialiased pixel, none for a box moved by one pixel, a fill
    // off by a few steps, a wrong font or a missing caption.
    static void compareWithReviewed(QWidget& window, const QString& name)
    {
        const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QString reviewedPath = QStringLiteral(POPOLUN_REVIEWED_DIR "/") + name;
        if (qEnvironmentVariableIsSet("POPOLUN_RENEW_REVIEWED")) {
            QVERIFY(drawn.save(reviewedPath));
            return;
        }
        const QImage reviewed = QImage(reviewedPath).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(drawn.size(), reviewed.size());
        int off = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const QRgb a = drawn.pixel(x, y), b = reviewed.pixel(x, y);
                off += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                 std::abs(qBlue(a) - qBlue(b))}) > 4;
            }
        }
        if (off > 20) {
            drawn.save(QDir::temp().filePath(QStringLiteral("drawn-") + name));
            QFAIL(qPrintable(QStringLiteral("%1: %2 pixels differ from the reviewed picture; drawn: %3")
                                 .arg(name).arg(off).arg(QDir::temp().filePath(QStringLiteral("drawn-") + name))));
        }
    }

    std::unique_ptr<popolun::qt::Application> toolkit;
    std::unique_ptr<QTemporaryDir> dir;
    popolun::testing::RecordingOpener help;
    std::unique_ptr<popolun::ui::Form13> form;
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
