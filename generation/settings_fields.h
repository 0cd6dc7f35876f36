#pragma once

#include "field.h"

#include <functional>

namespace popolun {

// The settings window's fields: extension Text4 and width Text12 (typed by the
// user), height Text14 and autostart Text17 (never shown), and the pair of
// option buttons Option1 "オン" / Option2 "オフ", at most one selected.
class SettingsFields {
public:
    Field text4{".wmv"};
    Field text12{"320"};
    Field text14{"304"};
    Field text17{"true"};

    bool option1Selected() const { return option1_; }
    bool option2Selected() const { return option2_; }

    // The load step, run once when the window is created.
    void load();

    // Clicks on the option buttons: select the button, then set Text17.
    void clickOption1();
    void clickOption2();

    // Views: run whenever the selection changes.
    void watchOptions(std::function<void()> watcher) { optionWatchers_.push_back(std::move(watcher)); }

private:
    void select(bool option1, bool option2);

    bool option1_ = false;
    bool option2_ = false;
    std::vector<std::function<void()>> optionWatchers_;
};

} // namespace popolun
