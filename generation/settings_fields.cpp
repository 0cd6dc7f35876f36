#include "settings_fields.h"

namespace popolun {

SettingsFields::SettingsFields()
{
    for (const SettingRow& row : kSettings)
        field(row.setting).setText(std::string(row.created));
}

void SettingsFields::load()
{
    for (const SettingRow& row : kSettings) {
        if (row.loaded)
            field(row.setting).setText(std::string(*row.loaded));
    }
    click(kLoadedOption);
}

void SettingsFields::click(Option option)
{
    bool changed = false;
    for (const OptionRow& row : kOptions) {
        const bool now = row.option == option;
        changed |= selected(row.option) != now;
        selected_.at(static_cast<std::size_t>(row.option)) = now;
    }
    if (changed) {
        for (const auto& watcher : optionWatchers_)
            watcher();
    }
    const OptionRow& row = optionRow(option);
    field(row.sets).setText(std::string(row.value));
}

} // namespace popolun
