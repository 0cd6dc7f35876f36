#include "dropped_video.h"

#include "shown_text.h"

namespace popolun::ui {

namespace {

const std::string kNothingChanged = "何も変更していません。";

// The last part of a path, whichever separator the platform writes.
std::string fileName(const std::string& path)
{
#ifdef _WIN32
    const auto separator = path.find_last_of("\\/");
#else
    const auto separator = path.rfind('/');
#endif
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

DropReading readDroppedVideo(const std::vector<std::string>& items, DirectoryEntry::Kind (*kindOf)(const std::string&))
{
    if (items.size() != 1)
        return {{}, "ビデオファイルは一つだけにしてください（" + std::to_string(items.size()) + "個ありました）。"
                        + kNothingChanged};
    const std::string& item = items.front();
    const DirectoryEntry::Kind kind = kindOf(item);
    if (kind == DirectoryEntry::Kind::folder)
        return {{}, "「" + shownPath(item, pathSeparator()) + "」はフォルダーです。ビデオファイルを一つ選んでください。" + kNothingChanged};
    if (kind != DirectoryEntry::Kind::file)
        return {{}, "「" + shownPath(item, pathSeparator()) + "」はファイルではありません。ビデオファイルを一つ選んでください。" + kNothingChanged};

    const std::string name = fileName(item);
    // A leading dot starts a name ("/.mp4"), not an extension.
    const auto dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0)
        return {DroppedVideo{name, std::nullopt}, {}};
    return {DroppedVideo{name.substr(0, dot), name.substr(dot)}, {}};
}

} // namespace popolun::ui
