#include "help.h"
#include "messages.h"
#include "platform/desktop.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

namespace popolun {
namespace {

using testing::RecordingOpener;
using testing::TempDir;
namespace fs = std::filesystem;

constexpr char kSeparator = char(fs::path::preferred_separator);

// WMV.hlp wins where it lies beside the program, in the viewer or else by
// the desktop; otherwise the page; otherwise nothing.
TEST(Help, TheOldHelpFileThenThePageBesideTheProgramThenNothing)
{
    TempDir dir;
    const std::string directory = dir.utf8() + kSeparator + "ヘルプ";
    const fs::path folder = testing::fromUtf8(directory);
    fs::create_directory(folder);
    const auto calls = [&](bool hasViewer, std::uintptr_t window, const std::string& where) {
        RecordingOpener opener;
        opener.hasViewer = hasViewer;
        showHelp(window, where, opener);
        return opener.calls;
    };
    using Calls = std::vector<std::string>;
    fs::create_directory(folder / kHelpPage); // a folder is not the page
    EXPECT_EQ(calls(true, 1, directory), Calls{});
    fs::remove(folder / kHelpPage);
    testing::writeBytes(folder / kHelpPage, "<p>");
    EXPECT_EQ(calls(true, 3, directory), Calls{"document 3 " + directory + kSeparator + kHelpPage});
    EXPECT_EQ(calls(true, 3, ""), Calls{});
#ifndef _WIN32
    // Installed as a link to the page, it is the page.
    fs::rename(folder / kHelpPage, dir.path() / kHelpPage);
    fs::create_symlink(dir.path() / kHelpPage, folder / kHelpPage);
    EXPECT_EQ(calls(true, 3, directory), Calls{"document 3 " + directory + kSeparator + kHelpPage});
#endif
    testing::writeBytes(folder / "WMV.hlp", "?");
    EXPECT_EQ(calls(true, 42, directory), Calls{"contents 42"});
    EXPECT_EQ(calls(false, 7, directory), (Calls{"contents 7", "document 7 " + directory + kSeparator + "WMV.hlp"}));
}

#ifndef _WIN32
// The help page's tables of messages hold every sentence a message box can
// show, and nothing else: each cell of theirs is one of the program's
// sentences, with anything ("…", or the very name) where the sentence takes
// a name, a path or a number.
TEST(Help, ThePageExplainsEverySentenceAMessageBoxCanShow)
{
    std::ifstream page(POPOLUN_HELP_PAGE);
    std::stringstream html;
    html << page.rdbuf();
    const std::string text = html.str();
    std::vector<std::string> cells;
    const std::regex cell(R"(<td class="message">([\s\S]*?)</td>)");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), cell); it != std::sregex_iterator(); ++it) {
        std::string sentences = std::regex_replace((*it)[1].str(), std::regex(R"(\s*<br>\s*)"), "\n");
        for (const auto& [entity, character] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
            sentences = std::regex_replace(sentences, std::regex(entity), character);
        std::istringstream lines(sentences);
        for (std::string line; std::getline(lines, line);)
            cells.push_back(line);
    }
    std::set<std::string> explained;
    for (const std::string& each : cells) {
        bool known = false;
        for (int n = 0; n < kMessageCount; ++n) {
            const std::string sentence(popolun::sentence(Message(n)));
            const std::string pattern = std::regex_replace(
                std::regex_replace(sentence, std::regex(R"([.^$|()\[\]*+?\\])"), "\\$&"), std::regex(R"(\{\})"), ".+");
            if (std::regex_match(each, std::regex(pattern))) {
                known = true;
                explained.insert(sentence);
            }
        }
        EXPECT_TRUE(known) << "the page explains a sentence the program does not say: " << each;
    }
    for (int n = 0; n < kMessageCount; ++n)
        EXPECT_TRUE(explained.contains(std::string(sentence(Message(n))))) << "not explained: " << sentence(Message(n));
}

// The desktop's opener gets the path as one argument, whatever it holds, and
// the call returns while the opener still runs: the opener waits for the
// word the test gives only once the call has returned.
TEST(Help, TheDesktopOpenerGetsThePathWholeAndIsNotWaitedFor)
{
    TempDir dir;
    const std::string go = (dir.path() / "go").string(), seen = (dir.path() / "seen").string();
    testing::writeBytes(dir.path() / "xdg-open",
                        "#!/bin/sh\nfor i in $(seq 100); do [ -e '" + go + "' ] && break; sleep 0.1; done\n"
                        "[ -e '" + go + "' ] && when=after || when=before\n"
                        "printf '%s|%s|%s' \"$1\" \"$#\" $when > '" + seen + ".part' && mv '" + seen + ".part' '" + seen + "'\n");
    fs::permissions(dir.path() / "xdg-open", fs::perms::owner_all);
    const std::string path = dir.utf8() + "/a \"b\" $HOME `c` 頁.html";
    const std::string restore = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (dir.utf8() + ":" + restore).c_str(), 1);
    openWithDesktop(0, path);
    ::setenv("PATH", restore.c_str(), 1);
    testing::writeBytes(go, "");
    for (int i = 0; i < 300 && !fs::exists(seen); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(testing::readBytes(seen), path + "|1|after");
}
#endif

} // namespace
} // namespace popolun
