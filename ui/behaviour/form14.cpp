#include "form14.h"

#include "field_binding.h"
#include "form13.h"

#include <algorithm>

namespace popolun::ui {

namespace settings = layout::settings;

namespace {

// The settings and option buttons a control of the window shows: the
// control the layout names as the settings table names them.
const SettingRow* settingShownBy(layout::ControlId id)
{
    const std::string_view name = layout::control(layout::form14(), id).name;
    const auto* row = std::ranges::find(kSettings, name, &SettingRow::name);
    return row == std::end(kSettings) ? nullptr : row;
}

const OptionRow* optionShownBy(layout::ControlId id)
{
    const std::string_view name = layout::control(layout::form14(), id).name;
    const auto* row = std::ranges::find(kOptions, name, &OptionRow::name);
    return row == std::end(kOptions) ? nullptr : row;
}

} // namespace

Form14::~Form14() = default;

WindowView& Form14::view()
{
    if (!view_) {
        view_ = main_.toolkit().buildSettingsWindow(*this);
        SettingsFields& fields = main_.session().settings();
        for (const layout::Control& control : layout::form14().controls) {
            if (const SettingRow* row = settingShownBy(control.id))
                bindField(*view_, control.id, fields.field(row->setting));
        }
        showOptions();
        fields.watchOptions([this] { showOptions(); });
    }
    return *view_;
}

void Form14::clicked(layout::ControlId control)
{
    if (const OptionRow* option = optionShownBy(control)) {
        main_.session().settings().click(option->option);
        return;
    }
    switch (control) {
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
    if (const SettingRow* row = settingShownBy(control))
        main_.session().settings().field(row->setting).setText(text);
}

// Its values must last the whole run: closing only hides it, like "戻る".
void Form14::closeRequested() { view().hideWindow(); }

// The option buttons show the settings' selection; only the settings change it.
void Form14::showOptions()
{
    const SettingsFields& fields = main_.session().settings();
    for (const layout::Control& control : layout::form14().controls) {
        if (const OptionRow* option = optionShownBy(control.id))
            view_->setChecked(control.id, fields.selected(option->option));
    }
}

} // namespace popolun::ui
