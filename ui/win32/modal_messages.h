#pragma once

#include "messages.h"
#include "win32.h"

namespace popolun::win32 {

// The writer's messages as message boxes: one OK button, no icon, the
// program's title, owned by the main window. The settings window waits too.
class ModalMessages final : public MessageSink {
public:
    ModalMessages(HWND owner, HWND alsoWaiting) : owner_(owner), alsoWaiting_(alsoWaiting) {}
    void show(const std::string& text) override;

private:
    HWND owner_;
    HWND alsoWaiting_;
};

} // namespace popolun::win32
