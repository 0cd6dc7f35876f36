#include "settings_fields.h"

namespace popolun {

void SettingsFields::load()
{
    text4.setText(".wmv");
    text12.setText("320");
    text14.setText("");
    text17.setText("false");
    select(false, option2_);
    // Selecting "オフ" counts as a click on it.
    clickOption2();
}

void SettingsFields::clickOption1()
{
    select(true, false);
    text17.setText("true");
}

void SettingsFields::clickOption2()
{
    select(false, true);
    text17.setText("false");
}

void SettingsFields::select(bool option1, bool option2)
{
    if (option1 == option1_ && option2 == option2_)
        return;
    option1_ = option1;
    option2_ = option2;
    for (const auto& watcher : optionWatchers_)
        watcher();
}

} // namespace popolun
