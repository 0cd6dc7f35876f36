#include "help.h"

#include "platform/desktop.h"
#include "platform/module1.h"

#include <filesystem>
#include <system_error>

namespace popolun {

namespace {

namespace fs = std::filesystem;

class SystemHelpOpener final : public HelpOpener {
public:
    bool helpContents(std::uintptr_t window) override { return Module1::openHelpContents(window); }
    void document(std::uintptr_t window, const std::string& path) override { openWithDesktop(window, path); }
};

// Paths are UTF-8 here; a plain std::string would mean the ANSI code page on Windows.
fs::path fromUtf8(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string toUtf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool isFile(const fs::path& path)
{
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

} // namespace

HelpOpener& systemHelpOpener()
{
    static SystemHelpOpener opener;
    return opener;
}

bool showHelp(std::uintptr_t window, const std::string& programDirectory, HelpOpener& opener)
{
    if (programDirectory.empty())
        return false;
    const fs::path directory = fromUtf8(programDirectory);
    const fs::path helpFile = directory / Module1::kHelpFile;
    if (isFile(helpFile)) {
        if (!opener.helpContents(window))
            opener.document(window, toUtf8(helpFile));
        return true;
    }
    const fs::path page = directory / kHelpPage;
    if (!isFile(page))
        return false;
    opener.document(window, toUtf8(page));
    return true;
}

} // namespace popolun
