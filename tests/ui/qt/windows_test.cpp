#include "application_setup.h"
#include "form13.h"
#include "form14.h"
#include "looks.h"
#include "window_layout.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Answers the message boxes that a click opens: records each text (and
// checks the box's form), then presses its one button.
class MessageBoxes {
public:
    void expectDuring(const std::function<void()>& action)
    {
        waiting_ = true;
        poll();
        action();
        waiting_ = false;
    }

    QStringList texts;
    QStringList problems;

private:
    void poll()
    {
        QTimer::singleShot(10, &guard_, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                if (box->buttons().size() != 1 || box->icon() != QMessageBox::NoIcon
                    || box->windowTitle() != QStringLiteral("ポポルン　ベーシック版"))
                    problems << box->text();
                box->buttons().first()->click();
            }
            if (waiting_)
                poll();
        });
    }

    bool waiting_ = false;
    QObject guard_; // a timer still pending when this goes is dropped with it
};

// Records what the "?" buttons ask for; there is no system help viewer.
class RecordingHelp final : public popolun::HelpOpener {
public:
    bool helpContents(std::uintptr_t window) override
    {
        calls << QStringLiteral("contents %1").arg(window);
        return false;
    }
    void document(std::uintptr_t window, const std::string& path) override
    {
        calls << QStringLiteral("document %1 %2").arg(window).arg(QString::fromStdString(path));
    }
    QStringList calls;
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
    void initTestCase() { popolun::ui::prepareApplication(*qApp); }

    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        help.calls.clear();
        main = std::make_unique<Form13>(dir->path().toStdString(), help);
        popolun::ui::showCentred(*main);
        main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
    }

    void cleanup()
    {
        main.reset();
        dir.reset();
    }

    void startsWithOnlyTheMainWindowCentred()
    {
        QVERIFY(main->isVisible());
        QVERIFY(!main->settingsWindow().isVisible());
        int visible = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            visible += window->isVisible() ? 1 : 0;
        QCOMPARE(visible, 1);
        const QPoint centre = main->screen()->availableGeometry().center();
        // Within the few pixels a window frame may add.
        const QPoint offset = main->geometry().center() - centre;
        QVERIFY(std::abs(offset.x()) <= 3 && std::abs(offset.y()) <= 3);
        QCOMPARE(main->windowTitle(), QStringLiteral("ポポルン　ベーシック版"));
        QVERIFY(edit("Text1")->text().isEmpty());
        QCOMPARE(parameters(), (QStringList{".wmv", "320", "304", "false"}));
        QVERIFY(option("Option2")->isChecked());
        QVERIFY(!option("Option1")->isChecked());
    }

    void theSettingsWindowShowsTheFieldsAsTheyAreWhenFirstNeeded()
    {
        const auto settingsWindows = [] {
            int count = 0;
            for (QWidget* window : QApplication::topLevelWidgets())
                count += qobject_cast<Form14*>(window) ? 1 : 0;
            return count;
        };
        // Start-up loads the settings fields but builds no window for them.
        QCOMPARE(settingsWindows(), 0);
        QVERIFY(main->session().settingsCreated());
        popolun::SettingsFields& fields = main->session().settings();
        fields.text4.setText(".avi");
        fields.clickOption1();
        QCOMPARE(parameters(), (QStringList{".avi", "320", "304", "true"}));

        QCOMPARE(edit("Text4")->text(), QStringLiteral(".avi"));
        QCOMPARE(settingsWindows(), 1);
        QCOMPARE(edit("Text12")->text(), QStringLiteral("320"));
        QVERIFY(option("Option1")->isChecked() && !option("Option2")->isChecked());
        QVERIFY(!main->settingsWindow().isVisible());
        // From then on the window and the fields follow each other.
        fields.text12.setText("640");
        QCOMPARE(edit("Text12")->text(), QStringLiteral("640"));
        fields.clickOption2();
        QVERIFY(option("Option2")->isChecked() && !option("Option1")->isChecked());
        edit("Text4")->selectAll();
        QTest::keyClicks(edit("Text4"), ".mpg");
        QCOMPARE(parameters(), (QStringList{".mpg", "640", "544", "false"}));
        QCOMPARE(settingsWindows(), 1);
    }

    void controlsStandWhereTheLayoutSays()
    {
        QCOMPARE(main->size(), QSize(434, 323));
        QCOMPARE(main->settingsWindow().size(), QSize(583, 267));
        const std::pair<QWidget*, const popolun::layout::Window*> windows[] = {
            {main.get(), &popolun::layout::form13()}, {&main->settingsWindow(), &popolun::layout::form14()}};
        for (const auto& [window, layout] : windows) {
            for (const popolun::layout::Control& spec : layout->controls) {
                const popolun::layout::Box& box = spec.box;
                QCOMPARE(control(*window, std::string(spec.name).c_str())->geometry(),
                         QRect(box.left, box.top, box.width, box.height));
            }
        }
        // A few boxes as drawn, so that the layout itself is checked too.
        QCOMPARE(control(*main, "Text1")->geometry(), QRect(176, 128, 97, 33));
        QCOMPARE(control(main->settingsWindow(), "Option2")->geometry(), QRect(344, 232, 105, 33));
        QCOMPARE(control(main->settingsWindow(), "Label7")->geometry(), QRect(8, 24, 105, 81));
        QCOMPARE(control(main->settingsWindow(), "Label7")->parent(), control(main->settingsWindow(), "Frame1"));
        QCOMPARE(control(main->settingsWindow(), "Option1")->parent(), &main->settingsWindow());
        // Buttons lie above the band they sit on.
        QCOMPARE(main->childAt(260, 290), control(*main, "Command5"));
    }

    void fontsAndCaptionsFollowTheLayout()
    {
        const auto font = [](QWidget& window, const char* name) { return control(window, name)->font(); };
        // The layout's faces where they are installed, else IPA faces of the
        // same metrics: the face asked for is always one that is there.
        const auto faceOf = [&](QWidget& window, const char* name, const QStringList& allowed) {
            const QFont asked = font(window, name);
            QVERIFY2(allowed.contains(asked.family()), qPrintable(asked.family()));
            QCOMPARE(QFontInfo(asked).family(), asked.family());
        };
        faceOf(*main, "Label7", {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
        faceOf(*main, "Text1", {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
        faceOf(main->settingsWindow(), "Label6", {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
        faceOf(main->settingsWindow(), "Command1", {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic")});
        QCOMPARE(font(*main, "Label7").pointSizeF(), 9.75);
        QCOMPARE(font(*main, "Label7").weight(), QFont::Normal);
        QCOMPARE(font(*main, "Command5").weight(), QFont::Bold);
        QCOMPARE(font(*main, "Command2").pointSizeF(), 9.0);
        QCOMPARE(font(main->settingsWindow(), "Label6").pointSizeF(), 18.0);
        QCOMPARE(font(main->settingsWindow(), "Text4").pointSizeF(), 12.0);
        QCOMPARE(button(*main, "Command1")->text(), QStringLiteral("一発作成"));
        QCOMPARE(control(*main, "Label7")->property("text").toString(), QStringLiteral("例：bb.wmvは”ｂｂ”と記入。"));
        QCOMPARE(main->settingsWindow().windowTitle(), QStringLiteral("一発ポポルン　ベーシック版　設定"));
        QCOMPARE(button(*main, "Command4")->toolTip(), QStringLiteral("通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。"));
        QVERIFY(!qobject_cast<QLabel*>(control(*main, "Image2"))->pixmap().isNull());
        QVERIFY(!qobject_cast<QLabel*>(control(main->settingsWindow(), "Image1"))->pixmap().isNull());
    }

    void buttonFacesAreFilledWithTheirColours()
    {
        const std::pair<QWidget*, const popolun::layout::Window*> windows[] = {
            {main.get(), &popolun::layout::form13()}, {&main->settingsWindow(), &popolun::layout::form14()}};
        int buttons = 0;
        for (const auto& [window, layout] : windows) {
            for (const popolun::layout::Control& spec : layout->controls) {
                if (spec.kind != popolun::layout::Kind::button)
                    continue;
                ++buttons;
                QPushButton* face = button(*window, std::string(spec.name).c_str());
                const QColor fill(spec.background.red, spec.background.green, spec.background.blue);
                QVERIFY(!face->hasFocus());
                const QImage picture = face->grab().toImage();
                // Inside the one-pixel edge at the top left, and on the edge at the bottom right.
                QCOMPARE(picture.pixel(1, 1), fill.rgb());
                QCOMPARE(picture.pixel(picture.width() - 1, picture.height() - 1), fill.darker(150).rgb());
                face->setDown(true);
                QCOMPARE(face->grab().toImage().pixel(2, 2), fill.darker(115).rgb());
                face->setDown(false);
            }
        }
        QCOMPARE(buttons, 6);
    }

    void picturesComeAtTheSizeTheyAreShown()
    {
        int pictures = 0;
        for (const popolun::layout::Window* layout : {&popolun::layout::form13(), &popolun::layout::form14()}) {
            for (const popolun::layout::Control& spec : layout->controls) {
                if (spec.kind != popolun::layout::Kind::picture)
                    continue;
                ++pictures;
                const QSize box(spec.box.width, spec.box.height);
                QCOMPARE(popolun::ui::looks::picture(spec.picture, 1).size(), box);
                const QPixmap sharp = popolun::ui::looks::picture(spec.picture, 2);
                QCOMPARE(sharp.size(), box * 2);
                QCOMPARE(sharp.deviceIndependentSize(), QSizeF(box));
                // Any other ratio gets the picture as drawn, for QLabel to scale.
                QVERIFY(!popolun::ui::looks::picture(spec.picture, 1.5).isNull());
                QWidget& window = layout == &popolun::layout::form13() ? static_cast<QWidget&>(*main)
                                                                       : main->settingsWindow();
                const auto* shown = qobject_cast<QLabel*>(control(window, std::string(spec.name).c_str()));
                QCOMPARE(shown->pixmap().size() / shown->pixmap().devicePixelRatio(), box);
            }
        }
        QCOMPARE(pictures, 2);
        QCOMPARE(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    }

    void onlyTheNameFieldIsEverShown()
    {
        QCOMPARE(main->findChildren<QLineEdit*>().size(), 1);
        QStringList settingsFields;
        for (auto* field : main->settingsWindow().findChildren<QLineEdit*>())
            settingsFields << field->objectName();
        settingsFields.sort();
        QCOMPARE(settingsFields, (QStringList{"Text12", "Text4"}));
    }

    void createWritesTheWorkedExample()
    {
        QTest::keyClicks(edit("Text1"), "bb");
        MessageBoxes boxes;
        boxes.expectDuring([&] { QTest::mouseClick(button(*main, "Command1"), Qt::LeftButton); });
        QCOMPARE(boxes.texts, QStringList{"保存しました。"});
        QVERIFY(boxes.problems.isEmpty());
        QCOMPARE(readBytes(file("bb", "bb.asx")).size(), 67u);
        QCOMPARE(readBytes(file("bb", "bb.htm")).size(), 156u);
        QCOMPARE(readBytes(file("bb", "bb01.htm")).size(), 432u);
        QVERIFY(readBytes(file("bb", "bb.asx")).ends_with("<Ref href =\"./bb.wmv\"></Entry></ASX>\r\n"));
    }

    void emptyNameAsksForOne()
    {
        MessageBoxes boxes;
        boxes.expectDuring([&] { QTest::mouseClick(button(*main, "Command1"), Qt::LeftButton); });
        QCOMPARE(boxes.texts, QStringList{"記入しましょう。"});
        QVERIFY(fs::is_empty(dir->path().toStdString()));
    }

    void enterAndEscapePressNothingAnywhere()
    {
        QTest::keyClicks(edit("Text1"), "bb");
        QTest::mouseClick(button(*main, "Command4"), Qt::LeftButton);
        Form14& settings = main->settingsWindow();
        const std::pair<QWidget*, const char*> stops[] = {
            {main.get(), "Text1"},    {main.get(), "Command1"}, {main.get(), "Command2"},
            {main.get(), "Command4"}, {main.get(), "Command5"}, {&settings, "Text4"},
            {&settings, "Text12"},    {&settings, "Option1"},   {&settings, "Option2"},
            {&settings, "Command1"},  {&settings, "Command2"},
        };
        for (const auto& [window, name] : stops) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            control(*window, name)->setFocus();
            MessageBoxes boxes;
            boxes.expectDuring([&] {
                for (auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(QApplication::focusWidget(), key);
            });
            QVERIFY2(boxes.texts.isEmpty(), name);
            QVERIFY2(main->isVisible() && settings.isVisible(), name);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        QVERIFY(fs::is_empty(dir->path().toStdString()));
        QCOMPARE(parameters(), (QStringList{".wmv", "320", "304", "false"}));
        QVERIFY(help.calls.isEmpty());
    }

    void keysAloneMakeAPageSetAndChangeTheSettings()
    {
        QCOMPARE(focused(), QStringLiteral("Text1"));
        QTest::keyClicks(QApplication::focusWidget(), "bb");
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Command1"));
        MessageBoxes boxes;
        boxes.expectDuring([&] { press(Qt::Key_Space); });
        QCOMPARE(boxes.texts, QStringList{"保存しました。"});
        QCOMPARE(readBytes(file("bb", "bb01.htm")).size(), 432u);
        main->activateWindow(); // the window manager's part once the message box has gone
        QVERIFY(QTest::qWaitForWindowActive(main.get()));
        QCOMPARE(focused(), QStringLiteral("Command1"));

        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Command4"));
        press(Qt::Key_Space);
        Form14& settings = main->settingsWindow();
        QVERIFY(QTest::qWaitForWindowActive(&settings));
        QCOMPARE(focused(), QStringLiteral("Text4"));
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Text12"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "640");
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Option1"));
        press(Qt::Key_Space);
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), QStringLiteral("Command1"));
        press(Qt::Key_Space);
        QVERIFY(!settings.isVisible());
        QCOMPARE(parameters(), (QStringList{".wmv", "640", "544", "true"}));
        QVERIFY(option("Option1")->isChecked() && !option("Option2")->isChecked());
    }

    void screenReadersHearEveryControlByNameAndRole()
    {
        using R = QAccessible::Role;
        const auto spokenFrom = [](QWidget& window) {
            QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&window);
            Spoken spoken{{window.objectName(), {top->role(), top->text(QAccessible::Name)}}};
            collect(top, spoken);
            return spoken;
        };
        // The band and the section marks are left out: there is nothing to hear.
        const Spoken mainWindow{
            {"Form13", {R::Window, "ポポルン　ベーシック版"}},
            {"Image2", {R::Graphic, "ポポルン"}},
            {"Label7", {R::StaticText, "例：bb.wmvは”ｂｂ”と記入。"}},
            {"Text1", {R::EditableText, "ビデオファイル名（拡張子なし）"}},
            {"Command1", {R::Button, "一発作成"}},
            {"Command5", {R::Button, "ヘルプ"}},
            {"Command2", {R::Button, "終了"}},
            {"Command4", {R::Button, "設定"}},
        };
        QCOMPARE(spokenFrom(*main), mainWindow);
        const Spoken settingsWindow{
            {"Form14", {R::Window, "一発ポポルン　ベーシック版　設定"}},
            {"Label1", {R::StaticText, "asxの設定　拡張子"}},
            {"Label2", {R::StaticText, "拡張子の前に必ず点を入れてください。avi、ｍｐｇの時"}},
            {"Text4", {R::EditableText, "拡張子"}},
            {"Label4", {R::StaticText, "幅"}},
            {"Text12", {R::EditableText, "幅"}},
            {"Image1", {R::Graphic, "プレーヤーの幅と高さの図"}},
            {"Label5", {R::StaticText, "高さ"}},
            {"Frame1", {R::Grouping, "大きさ"}},
            {"Label7", {R::StaticText, "160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。"}},
            {"Label3", {R::StaticText, "オート起動"}},
            {"Option1", {R::RadioButton, "オン"}},
            {"Option2", {R::RadioButton, "オフ"}},
            {"Command1", {R::Button, "戻る"}},
            {"Command2", {R::Button, "ヘルプ"}},
        };
        QCOMPARE(spokenFrom(main->settingsWindow()), settingsWindow);
    }

    void labelsAndHintsAreTiedToWhatTheyDescribe()
    {
        const auto iface = [](QWidget& window, const char* name) {
            return QAccessible::queryAccessibleInterface(control(window, name));
        };
        Form14& settings = main->settingsWindow();
        const std::pair<const char*, const char*> labelled[] = {{"Text4", "Label1"}, {"Text12", "Label4"}};
        for (const auto& [field, label] : labelled) {
            const auto labels = iface(settings, field)->relations(QAccessible::Label);
            QCOMPARE(labels.size(), 1);
            QCOMPARE(labels.first().first, iface(settings, label));
            QCOMPARE(iface(settings, label)->relations(QAccessible::Labelled).value(0).first, iface(settings, field));
        }
        QVERIFY(iface(*main, "Text1")->relations(QAccessible::Label).isEmpty());

        const std::tuple<QWidget*, const char*, const char*> described[] = {
            {main.get(), "Text1", "ビデオファイルの拡張子抜きファイル名を記入"},
            {&settings, "Text4", "拡張子の前に必ず点を入れてください。avi、ｍｐｇの時"},
            {&settings, "Text12", "160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。"},
            {&settings, "Option1", "オート起動"},
            {&settings, "Option2", "オート起動"},
        };
        for (const auto& [window, name, description] : described)
            QCOMPARE(iface(*window, name)->text(QAccessible::Description), QString::fromUtf8(description));
        QCOMPARE(button(*main, "Command1")->toolTip(), QStringLiteral("フォルダーとasxファイル、ｈｔｍファイル二個自動作成"));

        // One group: the selection is heard on the option buttons themselves.
        QVERIFY(iface(settings, "Option2")->state().checked);
        QVERIFY(!iface(settings, "Option1")->state().checked);
        QVERIFY(iface(settings, "Option1")->state().checkable);
    }

    void settingsChangeTheNextPageSet()
    {
        QTest::mouseClick(button(*main, "Command4"), Qt::LeftButton);
        Form14& settings = main->settingsWindow();
        QVERIFY(settings.isVisible());
        QVERIFY(main->isVisible());

        QLineEdit* width = edit("Text12");
        width->selectAll();
        QTest::keyClicks(width, "640");
        QTest::mouseClick(option("Option1"), Qt::LeftButton);
        QCOMPARE(parameters(), (QStringList{".wmv", "640", "544", "true"}));
        QTest::mouseClick(button(settings, "Command1"), Qt::LeftButton);
        QVERIFY(!settings.isVisible());

        // Shown again, it kept everything.
        QTest::mouseClick(button(*main, "Command4"), Qt::LeftButton);
        QVERIFY(option("Option1")->isChecked());
        QCOMPARE(width->text(), QStringLiteral("640"));
        settings.close(); // the frame's close control hides it the same way
        QVERIFY(!settings.isVisible());
        QVERIFY(main->isVisible());

        QTest::keyClicks(edit("Text1"), "bb");
        MessageBoxes boxes;
        boxes.expectDuring([&] { QTest::mouseClick(button(*main, "Command1"), Qt::LeftButton); });
        QCOMPARE(boxes.texts, QStringList{"保存しました。"});
        const std::string embed = readBytes(file("bb", "bb01.htm"));
        QVERIFY(embed.find("width=\"640\" height=\"544\"") != std::string::npos);
        QVERIFY(embed.find("width=640 height=544") != std::string::npos);
        QVERIFY(embed.find("<PARAM name=\"autoStart\" value=\"true\">") != std::string::npos);
    }

    void settingsFieldsReachTheMainFieldsAsTyped()
    {
        QLineEdit* extension = edit("Text4");
        extension->selectAll();
        QTest::keyClicks(extension, "avi");
        QLineEdit* width = edit("Text12");
        width->selectAll();
        QTest::keyClick(width, Qt::Key_Backspace);
        QCOMPARE(parameters(), (QStringList{"avi", "", "", "false"}));
        QTest::keyClicks(width, "321");
        QCOMPARE(parameters(), (QStringList{"avi", "321", "304.75", "false"}));
        QCOMPARE(main->findChildren<QLineEdit*>().size(), 1);
    }

    void tabVisitsTheControlsInOrder()
    {
        QCOMPARE(tabStopsFrom(edit("Text1"), 5),
                 (QStringList{"Text1", "Command1", "Command2", "Command4", "Command5", "Text1"}));
    }

    void settingsTabOrder()
    {
        Form14& settings = main->settingsWindow();
        QTest::mouseClick(button(*main, "Command4"), Qt::LeftButton);
        settings.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&settings));
        const QStringList order{"Text4", "Text12", "Option1", "Option2", "Command1", "Command2", "Text4"};
        QCOMPARE(tabStopsFrom(edit("Text4"), 6), order);
        // Whichever option is selected, Tab stops at both.
        QTest::mouseClick(option("Option1"), Qt::LeftButton);
        QCOMPARE(tabStopsFrom(option("Option1"), 5), order.mid(2) + order.mid(1, 1));
    }

    void settingsOpenBesideTheMainWindowWhereThereIsRoom()
    {
        QWidget anchor;
        anchor.setFixedSize(100, 100);
        anchor.move(10, 10);
        anchor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&anchor));
        QWidget beside;
        beside.setFixedSize(583, 267);
        popolun::ui::placeBeside(beside, anchor);
        QCOMPARE(beside.pos(), anchor.frameGeometry().bottomLeft() + QPoint(0, 1));

        // No room anywhere around a window as large as the screen: left where it was.
        anchor.setFixedSize(anchor.screen()->availableGeometry().size());
        anchor.move(anchor.screen()->availableGeometry().topLeft());
        QWidget untouched;
        untouched.setFixedSize(583, 267);
        const QPoint before = untouched.pos();
        popolun::ui::placeBeside(untouched, anchor);
        QCOMPARE(untouched.pos(), before);
    }

    void exitEndsTheProgramWithBothWindows()
    {
        QTest::mouseClick(button(*main, "Command4"), Qt::LeftButton);
        QTimer::singleShot(0, [this] { QTest::mouseClick(button(*main, "Command2"), Qt::LeftButton); });
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // only if exit did nothing
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!main->isVisible());
        QVERIFY(!main->settingsWindow().isVisible());
        QVERIFY(fs::is_empty(dir->path().toStdString()));
    }

    void helpOpensForThePressingWindowWhatLiesBesideTheProgram()
    {
        Form14& settings = main->settingsWindow();
        const auto pressBoth = [&] {
            QTest::mouseClick(button(*main, "Command5"), Qt::LeftButton);
            QTest::mouseClick(button(*main, "Command4"), Qt::LeftButton);
            QTest::mouseClick(button(settings, "Command2"), Qt::LeftButton);
            QVERIFY(main->isVisible() && settings.isVisible());
        };
        pressBoth();
        QVERIFY(help.calls.isEmpty()); // nothing to open

        const QString mainId = QString::number(main->winId());
        const QString settingsId = QString::number(settings.winId());
        const QString page = dir->filePath(QString::fromLatin1(popolun::kHelpPage));
        writeFile(page);
        pressBoth();
        QCOMPARE(help.calls, (QStringList{"document " + mainId + " " + page, "document " + settingsId + " " + page}));

        help.calls.clear();
        const QString helpFile = dir->filePath(QStringLiteral("WMV.hlp"));
        writeFile(helpFile);
        pressBoth();
        QCOMPARE(help.calls, (QStringList{"contents " + mainId, "document " + mainId + " " + helpFile,
                                          "contents " + settingsId, "document " + settingsId + " " + helpFile}));
        QCOMPARE(parameters(), (QStringList{".wmv", "320", "304", "false"}));
    }

private:
    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // A key for the focused control; with no focus anywhere, the test has failed already.
    static void press(Qt::Key key)
    {
        if (QWidget* focus = QApplication::focusWidget())
            QTest::keyClick(focus, key);
    }
    static void writeFile(const QString& path) { std::ofstream(path.toStdString()) << "?"; }
    // The controls the focus visits, starting at start, for the given number of Tab presses.
    static QStringList tabStopsFrom(QWidget* start, int presses)
    {
        start->setFocus();
        QStringList stops{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            stops << QApplication::focusWidget()->objectName();
        }
        return stops;
    }
    static QWidget* control(QWidget& window, const char* name)
    {
        auto* found = window.findChild<QWidget*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    static QPushButton* button(QWidget& window, const char* name)
    {
        return qobject_cast<QPushButton*>(control(window, name));
    }
    QLineEdit* edit(const char* name)
    {
        QWidget& window = std::string_view(name) == "Text1" ? static_cast<QWidget&>(*main) : main->settingsWindow();
        return qobject_cast<QLineEdit*>(control(window, name));
    }
    QRadioButton* option(const char* name)
    {
        return qobject_cast<QRadioButton*>(control(main->settingsWindow(), name));
    }
    QStringList parameters()
    {
        const auto& fields = main->session().main();
        QStringList values;
        for (int n : {4, 12, 14, 17})
            values << QString::fromStdString(fields.text(n));
        return values;
    }
    fs::path file(const char* folder, const char* name)
    {
        return fs::path(dir->path().toStdString()) / folder / name;
    }

    std::unique_ptr<QTemporaryDir> dir;
    RecordingHelp help;
    std::unique_ptr<Form13> main;
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
