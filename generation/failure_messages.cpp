#include "failure_messages.h"

#include "help.h"
#include "messages.h"
#include "platform/module1.h"
#include "shown_text.h"

namespace popolun {

namespace {

std::string shown(const std::string& path) { return shownPath(path, pathSeparator()); }

std::string reason(const FsResult& result)
{
    switch (result.error) {
    case FsError::none: return {};
    case FsError::alreadyExists: return say(Message::reasonTaken);
    case FsError::notFound: return say(Message::reasonNotFound);
    case FsError::accessDenied: return say(Message::reasonAccessDenied);
    case FsError::readOnly: return say(Message::reasonReadOnly);
    case FsError::noSpace: return say(Message::reasonNoSpace);
    case FsError::nameTooLong: return say(Message::reasonNameTooLong);
    case FsError::invalidName: return say(Message::reasonInvalidName);
    case FsError::ioError: return say(Message::reasonIoError);
    case FsError::other: break;
    }
    return say(Message::reasonSystem, {result.systemText});
}

std::string nothingMade(Message message, std::initializer_list<std::string_view> parts = {})
{
    return say(message, parts) + say(Message::nothingMade);
}

std::string describeRemoval(const std::vector<std::string>& notRemoved)
{
    if (notRemoved.empty())
        return say(Message::removed);
    std::string list;
    for (const auto& path : notRemoved)
        list += "「" + shown(path) + "」";
    return say(Message::notRemoved, {list});
}

} // namespace

std::string describeNameProblem(const NameCheck& check)
{
    switch (check.problem) {
    case NameProblem::none: return {};
    case NameProblem::separator: return nothingMade(Message::separator);
    case NameProblem::dotName: return nothingMade(Message::dotName);
    case NameProblem::reservedCharacter: return nothingMade(Message::reservedCharacter, {check.character});
    case NameProblem::controlCharacter: return nothingMade(Message::controlCharacter);
    case NameProblem::invalidText: return nothingMade(Message::invalidText);
    case NameProblem::noCp932Form: return nothingMade(Message::nameWithoutCp932Form, {check.character});
    case NameProblem::trailingDotOrSpace: return nothingMade(Message::trailingDotOrSpace);
    case NameProblem::deviceName: return nothingMade(Message::deviceName, {shownName(check.character)});
    case NameProblem::tooLong: return nothingMade(Message::tooLong, {std::to_string(check.excess)});
    case NameProblem::stagingName: return nothingMade(Message::stagingName, {check.character});
    }
    return {};
}

std::string describeWidthProblem() { return nothingMade(Message::widthNotANumber); }

std::string describeSettingWithoutCp932Form(const std::string& character)
{
    return nothingMade(Message::settingWithoutCp932Form, {character});
}

std::string describeFolderExists(const std::string& folder, const std::vector<std::string>& notRemoved)
{
    // A file or a link of that name stops the folder just as well; say neither.
    const std::string message = say(Message::nameTaken, {shown(folder)});
    return notRemoved.empty() ? message : message + describeRemoval(notRemoved);
}

std::string describeProgramDirectoryUnknown() { return nothingMade(Message::programDirectoryUnknown); }

std::string describeFolderFailure(const std::string& folder, const FsResult& result)
{
    return say(Message::folderNotMade, {shown(folder)}) + reason(result) + say(Message::nothingMade);
}

std::string describeStepFailure(WriteStep step, const std::string& fullPath, const FsResult& result,
                                const std::vector<std::string>& notRemoved)
{
    Message what = Message::fileNotWritten;
    switch (step) {
    case WriteStep::write: what = Message::fileNotWritten; break;
    case WriteStep::flush: what = Message::fileNotFlushed; break;
    case WriteStep::rename: what = Message::notRenamed; break;
    case WriteStep::flushFolder: what = Message::folderNotFlushed; break;
    }
    return say(what, {shown(fullPath)}) + reason(result) + describeRemoval(notRemoved);
}

std::string describeMissingHelp(const std::string& programDirectory)
{
    return say(Message::helpMissing, {Module1::kHelpFile, kHelpPage, shown(programDirectory)});
}

} // namespace popolun
