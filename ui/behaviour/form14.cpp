#include "form14.h"

#include "field_binding.h"
#include "form13.h"

namespace popolun::ui {

namespace settings = layout::settings;

Form14::~Form14() = default;

WindowView& Form14::view()
{
    if (!view_) {
        view_ = main_.toolkit().buildSettingsWindow(*this);
        SettingsFields& fields = main_.session().settings();
        bindField(*view_, settings::extension, fields.text4);
        bindField(*view_, settings::width, fields.text12);
        showOptions();
        fields.watchOptions([this] { showOptions(); });
    }
    return *view_;
}

void Form14::clicked(layout::ControlId control)
{
    SettingsFields& fields = main_.session().settings();
    switch (control) {
    case settings::on:
        fields.clickOption1();
        break;
    case settings::off:
        fields.clickOption2();
        break;
    case settings::back:
        main_.view().showWindow();
        view().hideWindow();
        break;
    case settings::help:
        main_.showHelpFor(view());
        break;
    default:
        break;
    }
}

void Form14::edited(layout::ControlId control, const std::string& text)
{
    SettingsFields& fields = main_.session().settings();
    if (control == settings::extension)
        fields.text4.setText(text);
    else if (control == settings::width)
        fields.text12.setText(text);
}

// Its values must last the whole run: closing only hides it, like "戻る".
void Form14::closeRequested() { view().hideWindow(); }

// The option buttons show the settings' selection; only the settings change it.
void Form14::showOptions()
{
    const SettingsFields& fields = main_.session().settings();
    view_->setChecked(settings::on, fields.option1Selected());
    view_->setChecked(settings::off, fields.option2Selected());
}

} // namespace popolun::ui
