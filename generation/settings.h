#pragma once

#include "field_set.h"
#include "player_size.h"

#include <optional>
#include <string_view>

// The settings window's fields and option buttons as data: every setting's
// name in that window, the main window's field it reaches, and its values.
// The session wires them from here, the settings window shows them from
// here (its layout names the controls the same way), and the main window's
// parameters start as they do.
namespace popolun {

enum class Setting { extension, width, height, autostart };

struct SettingRow {
    Setting setting;
    std::string_view name; // the settings window's own name for the field
    FieldId main;          // every change goes there at once
    std::string_view created;               // in both windows, before any load step
    std::optional<std::string_view> loaded; // what the load step sets; nothing: it stays as created
    // Derived in the main window from another parameter by a rule, whatever
    // it is given there: the player height follows the width.
    struct Derivation {
        Setting from;
        std::string (*rule)(std::string_view);
    };
    std::optional<Derivation> derived = {};
};

inline constexpr SettingRow kSettings[] = {
    {Setting::extension, "Text4", FieldId::extension, ".wmv", std::nullopt},
    {Setting::width, "Text12", FieldId::width, "320", std::nullopt},
    {Setting::height, "Text14", FieldId::height, "304", "", SettingRow::Derivation{Setting::width, playerHeight}},
    {Setting::autostart, "Text17", FieldId::autostart, "true", "false"},
};

// The option buttons, one group: a click selects one and gives its setting its value.
enum class Option { on, off };

struct OptionRow {
    Option option;
    std::string_view name; // the settings window's own name for the button
    Setting sets;
    std::string_view value;
};

inline constexpr OptionRow kOptions[] = {
    {Option::on, "Option1", Setting::autostart, "true"},
    {Option::off, "Option2", Setting::autostart, "false"},
};
// The load step ends with a click on this one.
inline constexpr Option kLoadedOption = Option::off;

constexpr const SettingRow& settingRow(Setting setting) { return kSettings[static_cast<int>(setting)]; }
constexpr const OptionRow& optionRow(Option option) { return kOptions[static_cast<int>(option)]; }

constexpr bool rowsInEnumOrder()
{
    for (int i = 0; i < static_cast<int>(std::size(kSettings)); ++i) {
        if (static_cast<int>(kSettings[i].setting) != i)
            return false;
    }
    for (int i = 0; i < static_cast<int>(std::size(kOptions)); ++i) {
        if (static_cast<int>(kOptions[i].option) != i)
            return false;
    }
    return true;
}
static_assert(rowsInEnumOrder(), "each row stands at the place its setting or option says");

} // namespace popolun
