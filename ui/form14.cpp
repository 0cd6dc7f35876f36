#include "form14.h"

#include "help.h"
#include "looks.h"
#include "option_button.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace popolun::ui;

namespace {

QLineEdit* makeField(QWidget* parent, const char* name, const QRect& box)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(box);
    return field;
}

QRadioButton* makeOption(QWidget* parent, const char* name, const QString& caption, const QRect& box)
{
    auto* option = new OptionButton(caption, parent);
    option->setAutoExclusive(false);
    option->setObjectName(QString::fromLatin1(name));
    option->setGeometry(box);
    return option;
}

void bindField(QLineEdit& edit, popolun::Field& field)
{
    edit.setText(QString::fromStdString(field.text()));
    QObject::connect(&edit, &QLineEdit::textEdited,
                     [&field](const QString& text) { field.setText(text.toStdString()); });
    field.watch([&edit, &field] {
        const QString text = QString::fromStdString(field.text());
        if (edit.text() != text)
            edit.setText(text);
    });
}

} // namespace

Form14::Form14(popolun::SettingsFields& fields, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , fields_(fields)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("一発ポポルン　ベーシック版　設定"));
    setFixedSize(583, 267);
    setAutoFillBackground(true); // the dialog colour
    setAttribute(Qt::WA_QuitOnClose, false);

    looks::makeLabel(this, "Label6", QStringLiteral("①"), {16, 16, 49, 41})->setFont(looks::gothic(18, true));
    looks::makeLabel(this, "Label1", QStringLiteral("asxの設定　拡張子"), {128, 24, 145, 17})
        ->setFont(looks::pGothic(9.75, true));
    looks::makeLabel(this, "Label2", QStringLiteral("拡張子の前に必ず点を入れてください。avi、ｍｐｇの時"), {80, 64, 177, 25})
        ->setFont(looks::pGothic(9, true));
    looks::makeLabel(this, "Label8", QStringLiteral("②"), {288, 16, 57, 41})->setFont(looks::gothic(18, true));
    looks::makeLabel(this, "Label4", QStringLiteral("幅"), {280, 64, 25, 25});

    looks::makePicture(this, "Image1", QStringLiteral(":/pictures/illustration.png"), {304, 96, 137, 94});
    auto* label5 = looks::makeLabel(this, "Label5", QStringLiteral("高さ"), {400, 120, 41, 25});
    label5->setAutoFillBackground(true);

    auto* frame1 = new QGroupBox(QStringLiteral("大きさ"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(448, 40, 129, 113);
    looks::makeLabel(frame1, "Label7",
                     QStringLiteral("160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まります。"),
                     {8, 24, 105, 81});

    looks::makeLabel(this, "Label3", QStringLiteral("オート起動"), {272, 208, 65, 25});

    text4_ = makeField(this, "Text4", {144, 144, 57, 25});
    text4_->setFont(looks::pGothic(12, true));
    text12_ = makeField(this, "Text12", {312, 64, 33, 25});
    option1_ = makeOption(this, "Option1", QStringLiteral("オン"), {344, 200, 89, 33});
    option2_ = makeOption(this, "Option2", QStringLiteral("オフ"), {344, 232, 105, 33});
    auto* command1 = looks::makeButton(this, "Command1", QStringLiteral("戻る"), {24, 208, 49, 25}, QColor(255, 128, 0));
    command1->setFont(looks::gothic(9, true));
    auto* command2 = looks::makeButton(this, "Command2", QStringLiteral("?"), {72, 208, 49, 25}, QColor(255, 255, 0));
    command2->setFont(looks::pGothic(9.75, true));

    setTabOrder(text4_, text12_);
    setTabOrder(text12_, option1_);
    setTabOrder(option1_, option2_);
    setTabOrder(option2_, command1);
    setTabOrder(command1, command2);

    bindField(*text4_, fields_.text4);
    bindField(*text12_, fields_.text12);
    showFieldsAndOptions();
    fields_.watchOptions([this] { showFieldsAndOptions(); });
    connect(option1_, &QRadioButton::clicked, this, [this] { fields_.clickOption1(); });
    connect(option2_, &QRadioButton::clicked, this, [this] { fields_.clickOption2(); });
    connect(command1, &QPushButton::clicked, this, &QWidget::hide);
    connect(command2, &QPushButton::clicked, this, [this] { openHelp(*this); });
}

void Form14::showFieldsAndOptions()
{
    option1_->setChecked(fields_.option1Selected());
    option2_->setChecked(fields_.option2Selected());
}

void Form14::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}
