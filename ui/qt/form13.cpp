#include "form13.h"

#include "application_setup.h"
#include "form14.h"
#include "looks.h"
#include "modal_messages.h"
#include "page_set_writer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

using namespace popolun::ui;

Form13::Form13(std::string programDirectory, popolun::HelpOpener& help, QWidget* parent)
    : QWidget(parent)
    , programDirectory_(std::move(programDirectory))
    , help_(help)
{
    const auto controls = looks::build(*this, popolun::layout::form13());
    text1_ = controls.get<QLineEdit>("Text1");
    const auto button = [&](const char* name) { return controls.get<QPushButton>(name); };

    // The name field is the one field shown; only typing changes it.
    connect(text1_, &QLineEdit::textChanged, this,
            [this](const QString& text) { session_.main().setText(FieldId::name, text.toStdString()); });
    connect(button("Command1"), &QPushButton::clicked, this, &Form13::createPageSet);
    connect(button("Command2"), &QPushButton::clicked, this, &QWidget::close);
    connect(button("Command4"), &QPushButton::clicked, this, &Form13::showSettings);
    connect(button("Command5"), &QPushButton::clicked, this, [this] { showHelp(*this); });

    session_.load();
    text1_->setFocus();
}

Form13::~Form13() = default;

Form14& Form13::settingsWindow()
{
    if (!form14_) {
        form14_ = std::make_unique<Form14>(session_.settings());
        connect(form14_.get(), &Form14::helpRequested, this, [this] { showHelp(*form14_); });
    }
    return *form14_;
}

void Form13::createPageSet()
{
    ModalMessages messages(*this);
    popolun::PageSetWriter writer(popolun::nativeFileSystem(), programDirectory_, messages);
    writer.create(session_.main().snapshot());
}

void Form13::showSettings()
{
    show();
    Form14& settings = settingsWindow();
    // Both windows stay in use: the first time, keep the settings off this one.
    if (!settingsShownBefore_)
        placeBeside(settings, *this);
    settingsShownBefore_ = true;
    settings.show();
    settings.raise();
    settings.activateWindow();
}

void Form13::showHelp(QWidget& window)
{
    popolun::showHelp(static_cast<std::uintptr_t>(window.winId()), programDirectory_, help_);
}

void Form13::closeEvent(QCloseEvent* event)
{
    // The program never runs on without its main window: the settings go too.
    if (form14_)
        form14_->hide();
    event->accept();
    QCoreApplication::quit();
}
