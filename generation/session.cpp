#include "session.h"

namespace popolun {

Session::Session()
{
    // Each main parameter, whoever changes it, is pulled back from the settings.
    for (const SettingRow& row : kSettings)
        main_.field(row.main).onChange([this, &row] { pull(row); });
}

void Session::pull(const SettingRow& row)
{
    if (row.derived) {
        main_.setText(row.main, row.derived->rule(main_.text(settingRow(row.derived->from).main)));
        return;
    }
    const std::string& source = settings().field(row.setting).text();
    main_.setText(row.main, source);
    for (const SettingRow& derived : kSettings) {
        if (derived.derived && derived.derived->from == row.setting)
            main_.setText(derived.main, derived.derived->rule(source));
    }
}

SettingsFields& Session::settings()
{
    if (!settings_) {
        // Wired before loading, so the load step's changes reach the main fields.
        settings_ = std::make_unique<SettingsFields>();
        for (const SettingRow& row : kSettings) {
            Field& field = settings_->field(row.setting);
            field.onChange([this, &row, &field] { main_.setText(row.main, field.text()); });
        }
        settings_->load();
    }
    return *settings_;
}

void Session::load()
{
    for (const SettingRow& row : kSettings)
        main_.setText(row.main, "");
}

} // namespace popolun
