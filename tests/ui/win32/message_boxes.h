#pragma once

#include "win32.h"

#include <functional>
#include <string>
#include <vector>

namespace popolun::testing {

// Answers the message boxes an action opens: records each one's text and
// form, then presses its one button.
class MessageBoxes {
public:
    struct Box {
        std::wstring text;
        std::wstring caption;
        HWND owner = nullptr;
        int buttons = 0;
        bool icon = false;
        // Whether another window of the program took input while the box was up.
        bool othersEnabled = false;
    };

    void answerDuring(const std::function<void()>& action);

    std::vector<Box> seen;
};

} // namespace popolun::testing
