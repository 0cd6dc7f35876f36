#include "help.h"

#include "platform/desktop.h"
#include "platform/file_system.h"
#include "platform/module1.h"

namespace popolun {

namespace {

class SystemHelpOpener final : public HelpOpener {
public:
    bool helpContents(std::uintptr_t window) override { return Module1::openHelpContents(window); }
    void document(std::uintptr_t window, const std::string& path) override { openWithDesktop(window, path); }
};

bool isFile(const std::string& path) { return kindOfPath(path) == DirectoryEntry::Kind::file; }

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
    const std::string helpFile = programDirectory + pathSeparator() + Module1::kHelpFile;
    if (isFile(helpFile)) {
        if (!opener.helpContents(window))
            opener.document(window, helpFile);
        return true;
    }
    const std::string page = programDirectory + pathSeparator() + kHelpPage;
    if (!isFile(page))
        return false;
    opener.document(window, page);
    return true;
}

} // namespace popolun
