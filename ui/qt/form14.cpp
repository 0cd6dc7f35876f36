#include "form14.h"

#include "looks.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace popolun::ui;

namespace {

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
    setAttribute(Qt::WA_QuitOnClose, false);
    const auto controls = looks::build(*this, popolun::layout::form14());
    text4_ = controls.get<QLineEdit>("Text4");
    text12_ = controls.get<QLineEdit>("Text12");
    option1_ = controls.get<QRadioButton>("Option1");
    option2_ = controls.get<QRadioButton>("Option2");

    bindField(*text4_, fields_.text4);
    bindField(*text12_, fields_.text12);
    showFieldsAndOptions();
    fields_.watchOptions([this] { showFieldsAndOptions(); });
    connect(option1_, &QRadioButton::clicked, this, [this] { fields_.clickOption1(); });
    connect(option2_, &QRadioButton::clicked, this, [this] { fields_.clickOption2(); });
    connect(controls.get<QPushButton>("Command1"), &QPushButton::clicked, this, &QWidget::hide);
    connect(controls.get<QPushButton>("Command2"), &QPushButton::clicked, this, &Form14::helpRequested);
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
