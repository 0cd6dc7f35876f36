#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Every sentence a message box of the program can show, in one table
// (messages.cpp), which the help page explains row by row. "{}" marks where
// a name, a path, a character or a number goes.
namespace popolun {

enum class Message {
    saved,
    enterName,
    nothingMade,
    // The name
    separator,
    dotName,
    reservedCharacter,
    controlCharacter,
    invalidText,
    trailingDotOrSpace,
    deviceName,
    nameWithoutCp932Form,
    tooLong,
    stagingName,
    // The settings
    widthNotANumber,
    settingWithoutCp932Form,
    // The disk
    programDirectoryUnknown,
    nameTaken,
    folderNotMade,
    fileNotWritten,
    fileNotFlushed,
    notRenamed,
    folderNotFlushed,
    removed,
    notRemoved,
    // Why the disk said no
    reasonTaken,
    reasonNotFound,
    reasonAccessDenied,
    reasonReadOnly,
    reasonNoSpace,
    reasonNameTooLong,
    reasonInvalidName,
    reasonIoError,
    reasonSystem,
    // A video given to the program
    notOneVideo,
    droppedFolder,
    droppedNotAFile,
    nothingChanged,
    // Help
    helpMissing,
};
inline constexpr int kMessageCount = static_cast<int>(Message::helpMissing) + 1;

// The sentence as the table has it, "{}" and all.
std::string_view sentence(Message message);

// The sentence with each "{}" replaced by the next part.
std::string say(Message message, std::initializer_list<std::string_view> parts = {});

} // namespace popolun
