#include "session.h"

#include "player_size.h"

namespace popolun {

namespace {
constexpr int kExtension = 4;
constexpr int kWidth = 12;
constexpr int kHeight = 14;
constexpr int kAutoStart = 17;
} // namespace

Session::Session()
{
    main_.field(kExtension).onChange([this] {
        main_.setText(kExtension, settings().text4.text());
    });
    main_.field(kAutoStart).onChange([this] {
        main_.setText(kAutoStart, settings().text17.text());
    });
    main_.field(kWidth).onChange([this] {
        main_.setText(kWidth, settings().text12.text());
        main_.setText(kHeight, playerHeight(settings().text12.text()));
    });
    main_.field(kHeight).onChange([this] {
        main_.setText(kHeight, playerHeight(main_.text(kWidth)));
    });
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
    settings.text4.onChange([this, &settings] { main_.setText(kExtension, settings.text4.text()); });
    settings.text12.onChange([this, &settings] { main_.setText(kWidth, settings.text12.text()); });
    settings.text14.onChange([this, &settings] { main_.setText(kHeight, settings.text14.text()); });
    settings.text17.onChange([this, &settings] { main_.setText(kAutoStart, settings.text17.text()); });
}

void Session::load()
{
    main_.setText(kExtension, "");
    main_.setText(kAutoStart, "");
    main_.setText(kWidth, "");
    main_.setText(kHeight, "");
}

} // namespace popolun
