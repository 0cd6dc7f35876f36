#pragma once

#include "help.h"
#include "message_sink.h"
#include "messages.h"
#include "page_set.h"
#include "page_set_writer.h"
#include "platform/file_system.h"
#include "session.h"

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace popolun::testing {

// A fresh directory that is removed again with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path as the core takes it: UTF-8.
    std::string utf8() const;

private:
    std::filesystem::path path_;
};

// Everything below root, relative path (UTF-8) to contents; directories are
// "<dir>", links "<link>" and their target, and links are not followed.
std::map<std::string, std::string> treeContents(const std::filesystem::path& root);

std::filesystem::path fromUtf8(const std::string& utf8);
std::string toUtf8(const std::filesystem::path& path);
std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

// The files of a page set, for a base name (and extension) already in code page 932.
std::string expectedAsx(const std::string& name, const std::string& extension = ".wmv");
std::string expectedLink(const std::string& name);
std::string expectedEmbed(const std::string& name, const std::string& width = "320",
                          const std::string& height = "304", const std::string& autostart = "false");

// The four parameters of the main window: extension, width, height, autostart.
inline std::vector<std::string> parameters(const Session& session)
{
    const auto& main = session.main();
    return {main.text(FieldId::extension), main.text(FieldId::width), main.text(FieldId::height),
            main.text(FieldId::autostart)};
}

// The file-system calls of a run that saves: the listing for leftovers, the
// staging folder, open, write, flush and close of each file, the staging
// folder's flush, the rename and the program folder's flush.
inline constexpr int kCallsAFile = 4;
inline constexpr int kCallsOfARun = 2 + kCallsAFile * int(kPageFileCount) + 3;

// A process id no process has: above any pid_max, and no Windows process id.
inline constexpr unsigned long kNoProcess = 2147483644;

// The main window's create button: a started session, the name typed, and
// what the last press said (message boxes recorded, not shown).
struct CreateButton final : MessageSink {
    CreateButton() { session.load(); }
    CreateResult press(FileSystem& fileSystem, const std::string& directory, const std::string& name,
                       const Processes& processes = nativeProcesses())
    {
        shown.clear();
        session.main().setText(FieldId::name, name);
        return PageSetWriter(fileSystem, directory, *this, pathSeparator(), usesWindowsNameRules(), processes)
            .create(session.main().snapshot());
    }
    void show(const std::string& text) override { shown.push_back(text); }
    // The one message of the last press, or how many there were.
    std::string said() const { return shown.size() == 1 ? shown[0] : std::to_string(shown.size()) + " messages"; }

    Session session;
    std::vector<std::string> shown;
};

// Records what the "?" buttons ask for, as "contents WINDOW" and "document
// WINDOW PATH"; the system help viewer is there or not as the test says.
struct RecordingOpener final : HelpOpener {
    bool hasViewer = true;
    std::vector<std::string> calls;

    bool helpContents(std::uintptr_t window) override
    {
        calls.push_back("contents " + std::to_string(window));
        return hasViewer;
    }
    void document(std::uintptr_t window, const std::string& path) override
    {
        calls.push_back("document " + std::to_string(window) + " " + path);
    }
};

} // namespace popolun::testing
