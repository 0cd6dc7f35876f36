#pragma once

#include "help.h"
#include "messages.h"
#include "page_set_writer.h"
#include "platform/file_system.h"
#include "session.h"

#include <filesystem>
#include <functional>
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

// The main window's create button: a started session, the name typed, and
// what the last press said (message boxes recorded, not shown).
struct CreateButton final : MessageSink {
    CreateButton() { session.load(); }
    CreateResult press(FileSystem& fileSystem, const std::string& directory, const std::string& name)
    {
        shown.clear();
        session.main().setText(FieldId::name, name);
        return PageSetWriter(fileSystem, directory, *this).create(session.main().snapshot());
    }
    void show(const std::string& text) override { shown.push_back(text); }
    // The one message of the last press, or how many there were.
    std::string said() const { return shown.size() == 1 ? shown[0] : std::to_string(shown.size()) + " messages"; }

    Session session;
    std::vector<std::string> shown;
};

// The native file system with one hook around every call, for the layers
// that watch calls, fail them or stop the process at one.
class PassThroughFileSystem : public FileSystem {
public:
    enum class Call { makeDirectory, openNewFile, write, flush, close, flushDirectory, rename, list, removeFile,
                      removeDirectory };

    using Path = const std::string&;
// Each call goes through around(), then on to the native file system.
#define POPOLUN_PASS(call, path, ...) \
    { return around(Call::call, path, [&] { return nativeFileSystem().__VA_ARGS__; }); }
    FsResult makeDirectory(Path p) override POPOLUN_PASS(makeDirectory, p, makeDirectory(p))
    FsResult openNewFile(Path p, FileHandle& h) override POPOLUN_PASS(openNewFile, p, openNewFile(p, h))
    FsResult write(FileHandle h, std::string_view bytes) override POPOLUN_PASS(write, {}, write(h, bytes))
    FsResult flush(FileHandle h) override POPOLUN_PASS(flush, {}, flush(h))
    FsResult close(FileHandle h) override POPOLUN_PASS(close, {}, close(h))
    FsResult flushDirectory(Path p) override POPOLUN_PASS(flushDirectory, p, flushDirectory(p))
    FsResult renameNoReplace(Path from, Path to) override POPOLUN_PASS(rename, to, renameNoReplace(from, to))
    FsResult listDirectory(Path p, std::vector<DirectoryEntry>& in, std::string_view start = {}) override
        POPOLUN_PASS(list, p, listDirectory(p, in, start))
    FsResult removeFile(Path p) override POPOLUN_PASS(removeFile, p, removeFile(p))
    FsResult removeDirectory(Path p) override POPOLUN_PASS(removeDirectory, p, removeDirectory(p))
#undef POPOLUN_PASS

protected:
    // Runs each call in its place, before and after it: `path` is the folder
    // or file it names (a rename's new name; empty for a handle's calls), and
    // pass() makes the call.
    virtual FsResult around(Call, const std::string& path, const std::function<FsResult()>& pass) { return pass(); }
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
