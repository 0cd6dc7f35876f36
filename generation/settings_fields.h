#pragma once

#include "field.h"
#include "settings.h"

#include <array>
#include <functional>
#include <vector>

namespace popolun {

// The settings window's fields (settings.h): extension and width typed by
// the user, height and autostart never shown, and the option buttons, at
// most one selected.
class SettingsFields {
public:
    SettingsFields();

    Field& field(Setting setting) { return fields_.at(static_cast<std::size_t>(setting)); }
    const Field& field(Setting setting) const { return fields_.at(static_cast<std::size_t>(setting)); }
    bool selected(Option option) const { return selected_.at(static_cast<std::size_t>(option)); }

    // The load step, run once when the window is created.
    void load();

    // A click on an option button: selects it alone, then sets its setting.
    void click(Option option);

    // Views: run whenever the selection changes.
    void watchOptions(std::function<void()> watcher) { optionWatchers_.push_back(std::move(watcher)); }

private:
    std::array<Field, std::size(kSettings)> fields_;
    std::array<bool, std::size(kOptions)> selected_{};
    std::vector<std::function<void()>> optionWatchers_;
};

} // namespace popolun
