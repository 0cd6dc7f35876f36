#include "form13.h"

#include "application_setup.h"
#include "form14.h"
#include "help.h"
#include "looks.h"
#include "modal_messages.h"
#include "page_set_writer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

using namespace popolun::ui;

Form13::Form13(std::string programDirectory, QWidget* parent)
    : QWidget(parent)
    , programDirectory_(std::move(programDirectory))
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("ポポルン　ベーシック版"));
    setFixedSize(434, 323);
    // The window's text-area background, white by default.
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::Base));
    setPalette(background);
    setAutoFillBackground(true);

    looks::makePicture(this, "Image2", QStringLiteral(":/pictures/banner.png"), {40, 0, 356, 84});

    auto* label7 = looks::makeLabel(this, "Label7", QStringLiteral("例：bb.wmvは”ｂｂ”と記入。"), {152, 104, 177, 25});
    label7->setFont(looks::pGothic(9.75));
    looks::fillLabel(*label7, palette().color(QPalette::Base), palette().color(QPalette::Text));

    auto* label8 = looks::makeLabel(this, "Label8", QString(), {0, 264, 433, 57});
    looks::fillLabel(*label8, QColor(192, 192, 255), palette().color(QPalette::WindowText));

    text1_ = new QLineEdit(this);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setGeometry(176, 128, 97, 33);
    text1_->setMaxLength(std::numeric_limits<int>::max());
    text1_->setToolTip(QStringLiteral("ビデオファイルの拡張子抜きファイル名を記入"));

    auto* command1 = looks::makeButton(this, "Command1", QStringLiteral("一発作成"), {168, 184, 121, 49}, QColor(192, 255, 192));
    command1->setToolTip(QStringLiteral("フォルダーとasxファイル、ｈｔｍファイル二個自動作成"));

    auto* command5 = looks::makeButton(this, "Command5", QStringLiteral("?"), {256, 288, 49, 25}, QColor(255, 255, 0));
    command5->setFont(looks::pGothic(9.75, true));

    auto* command2 = looks::makeButton(this, "Command2", QStringLiteral("終了"), {304, 288, 57, 25}, QColor(0, 255, 0));
    command2->setFont(looks::pGothic(9, true));
    command2->setToolTip(QStringLiteral("終了"));

    auto* command4 = looks::makeButton(this, "Command4", QStringLiteral("設定"), {360, 288, 49, 25}, QColor(255, 128, 255));
    command4->setFont(looks::pGothic(9, true));
    command4->setToolTip(QStringLiteral("通常設定不要　ビデオ拡張子がavi、mpg、の時　使用。"));

    setTabOrder(text1_, command1);
    setTabOrder(command1, command2);
    setTabOrder(command2, command4);
    setTabOrder(command4, command5);

    // The name field is the one field shown; only typing changes it.
    connect(text1_, &QLineEdit::textChanged, this,
            [this](const QString& text) { session_.main().setText(1, text.toStdString()); });
    connect(command1, &QPushButton::clicked, this, &Form13::createPageSet);
    connect(command2, &QPushButton::clicked, this, &QWidget::close);
    connect(command4, &QPushButton::clicked, this, &Form13::showSettings);
    connect(command5, &QPushButton::clicked, this, [this] { openHelp(*this); });

    session_.load();
    form14_ = std::make_unique<Form14>(session_.settings());
    text1_->setFocus();
}

Form13::~Form13() = default;

void Form13::createPageSet()
{
    ModalMessages messages(*this);
    popolun::PageSetWriter writer(popolun::nativeFileSystem(), programDirectory_, messages);
    writer.create(session_.main().snapshot());
}

void Form13::showSettings()
{
    show();
    // Both windows stay in use: the first time, keep the settings off this one.
    if (!settingsShownBefore_)
        placeBeside(*form14_, *this);
    settingsShownBefore_ = true;
    form14_->show();
    form14_->raise();
    form14_->activateWindow();
}

void Form13::closeEvent(QCloseEvent* event)
{
    // The program never runs on without its main window: the settings go too.
    form14_->hide();
    event->accept();
    QCoreApplication::quit();
}
