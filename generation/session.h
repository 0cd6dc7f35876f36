#pragma once

#include "field_set.h"
#include "settings_fields.h"

#include <memory>

namespace popolun {

// The main window's field set and the settings window's fields, tied together
// by their change handlers: every settings edit reaches the main fields at
// once, and the main height always follows the main width.
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
    bool settingsCreated() const { return settings_ != nullptr; }

    // The main window's load step: empties the four parameters, whose
    // handlers pull them back from the settings.
    void load();

private:
    void wireSettings(SettingsFields& settings);

    FieldSet main_;
    std::unique_ptr<SettingsFields> settings_;
};

} // namespace popolun
