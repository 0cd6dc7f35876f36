#pragma once

#include "platform/file_system.h"

#include <optional>
#include <string>
#include <vector>

namespace popolun::ui {

// What a video given to the program fills in: the name without its last
// extension, and that extension with its dot (none for a name without one).
struct DroppedVideo {
    std::string name;
    std::optional<std::string> extension;
};

// The videos dropped on the main window or named when the program starts
// (UTF-8 paths, or whatever text stood for an item that is no local file).
// Exactly one existing file gives what it fills in; anything else, the
// message that says why nothing changes. kindOf tells what a path names.
struct DropReading {
    std::optional<DroppedVideo> video;
    std::string message;
};
DropReading readDroppedVideo(const std::vector<std::string>& items,
                             DirectoryEntry::Kind (*kindOf)(const std::string&) = kindOfPath);

} // namespace popolun::ui
