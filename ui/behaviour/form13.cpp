#include "form13.h"

#include "dropped_video.h"
#include "failure_messages.h"
#include "field_binding.h"
#include "page_set_writer.h"

namespace popolun::ui {

namespace main = layout::main;

Form13::Form13(Toolkit& toolkit, std::string programDirectory, HelpOpener& help, FileSystem& fileSystem)
    : toolkit_(toolkit)
    , programDirectory_(std::move(programDirectory))
    , help_(help)
    , fileSystem_(fileSystem)
    , settings_(std::make_unique<Form14>(*this))
    , view_(toolkit.buildMainWindow(*this))
{
    session_.load();
    bindField(*view_, main::name, session_.main().field(FieldId::name));
}

Form13::~Form13()
{
    // The settings window goes first: it may be owned by this one.
    settings_.reset();
}

void Form13::start(const std::vector<std::string>& arguments)
{
    view_->showWindow();
    if (!arguments.empty())
        dropped(arguments);
}

void Form13::clicked(layout::ControlId control)
{
    switch (control) {
    case main::create:
        createPageSet();
        break;
    case main::exit:
        end();
        break;
    case main::settings:
        showSettings();
        break;
    case main::help:
        showHelpFor(*view_);
        break;
    default:
        break;
    }
}

void Form13::edited(layout::ControlId control, const std::string& text)
{
    // The name field is the one field shown; only typing changes it.
    if (control == main::name)
        session_.main().setText(FieldId::name, text);
}

void Form13::dropped(const std::vector<std::string>& items)
{
    const DropReading reading = readDroppedVideo(items);
    if (!reading.video) {
        toolkit_.showMessage(*view_, reading.message);
        return;
    }
    session_.main().setText(FieldId::name, reading.video->name);
    if (reading.video->extension)
        session_.settings().field(Setting::extension).setText(*reading.video->extension);
    view_->showWindow();
    view_->focusAndSelect(main::name);
}

void Form13::createPageSet()
{
    MessagesOver messages(toolkit_, *view_);
    PageSetWriter(fileSystem_, programDirectory_, messages).create(session_.main().snapshot());
}

// Both windows stay shown and in use.
void Form13::showSettings()
{
    view_->showWindow();
    settings_->view().showWindow();
}

void Form13::showHelpFor(WindowView& window)
{
    if (!showHelp(window.nativeHandle(), programDirectory_, help_))
        toolkit_.showMessage(window, describeMissingHelp(programDirectory_));
}

// The program never runs on without its main window: the settings go too,
// shown or hidden; nothing is asked and nothing is saved.
void Form13::end()
{
    if (settings_->built())
        settings_->view().hideWindow();
    view_->hideWindow();
    toolkit_.quit();
}

} // namespace popolun::ui
