#pragma once

#include "field_set.h"
#include "settings_fields.h"

#include <memory>

namespace popolun {

// The main window's field set and the settings window's fields, tied
// together row by row of the settings table: every settings edit reaches
// the main fields at once, and a derived parameter (the height) always
// follows what it derives from (the width).
class Session {
public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    FieldSet& main() { return main_; }
    const FieldSet& main() const { return main_; }

    // The settings fields; the first access creates them and runs their load
    // step, as opening a hidden settings window would.
    SettingsFields& settings();

    // The main window's load step: empties the parameters, whose handlers
    // pull them back from the settings.
    void load();

private:
    void pull(const SettingRow& row);

    FieldSet main_;
    std::unique_ptr<SettingsFields> settings_;
};

} // namespace popolun
