#include "session.h"

#include "player_size.h"

namespace popolun {

using enum FieldId;

Session::Session()
{
    // Each main parameter, whoever changes it, is pulled back from the settings;
    // the height always follows the width.
    main_.field(extension).onChange([this] { main_.setText(extension, settings().text4.text()); });
    main_.field(autostart).onChange([this] { main_.setText(autostart, settings().text17.text()); });
    main_.field(width).onChange([this] {
        main_.setText(width, settings().text12.text());
        main_.setText(height, playerHeight(settings().text12.text()));
    });
    main_.field(height).onChange([this] { main_.setText(height, playerHeight(main_.text(width))); });
}

SettingsFields& Session::settings()
{
    if (!settings_) {
        // Wired before loading, so the load step's changes reach the main fields.
        settings_ = std::make_unique<SettingsFields>();
        wireSettings(*settings_);
        settings_->load();
    }
    return *settings_;
}

void Session::wireSettings(SettingsFields& settings)
{
    settings.text4.onChange([this, &settings] { main_.setText(extension, settings.text4.text()); });
    settings.text12.onChange([this, &settings] { main_.setText(width, settings.text12.text()); });
    settings.text14.onChange([this, &settings] { main_.setText(height, settings.text14.text()); });
    settings.text17.onChange([this, &settings] { main_.setText(autostart, settings.text17.text()); });
}

void Session::load()
{
    for (const FieldId parameter : {extension, autostart, width, height})
        main_.setText(parameter, "");
}

} // namespace popolun
