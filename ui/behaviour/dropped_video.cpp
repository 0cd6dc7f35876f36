#include "dropped_video.h"

#include "messages.h"
#include "shown_text.h"

namespace popolun::ui {

DropReading readDroppedVideo(const std::vector<std::string>& items, DirectoryEntry::Kind (*kindOf)(const std::string&))
{
    if (items.size() != 1)
        return {{}, say(Message::notOneVideo, {std::to_string(items.size())}) + say(Message::nothingChanged)};
    const std::string& item = items.front();
    const DirectoryEntry::Kind kind = kindOf(item);
    if (kind == DirectoryEntry::Kind::folder)
        return {{}, say(Message::droppedFolder, {shownPath(item, pathSeparator())}) + say(Message::nothingChanged)};
    if (kind != DirectoryEntry::Kind::file)
        return {{}, say(Message::droppedNotAFile, {shownPath(item, pathSeparator())}) + say(Message::nothingChanged)};

    const std::string name = lastPathPart(item);
    // A leading dot starts a name ("/.mp4"), not an extension.
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {DroppedVideo{name, std::nullopt}, {}};
    return {DroppedVideo{name.substr(0, dot), name.substr(dot)}, {}};
}

} // namespace popolun::ui
