#pragma once

#include <string>

namespace popolun {

// Modal message boxes: one OK button, no icon, the program's title.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Returns when the user has closed the box.
    virtual void show(const std::string& text) = 0;
};

} // namespace popolun
