#include "page_set_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace popolun {
namespace {

using testing::expectedAsx;
using testing::expectedEmbed;
using testing::expectedLink;
using testing::readBytes;
namespace fs = std::filesystem;

class Writer : public ::testing::Test {
protected:
    CreateResult create(const std::string& name) { return button.press(nativeFileSystem(), dir.utf8(), name); }
    fs::path file(const std::string& folder, const std::string& name) const
    {
        return dir.path() / testing::fromUtf8(folder) / testing::fromUtf8(name);
    }

    testing::TempDir dir;
    testing::CreateButton button;
};

// The worked example byte for byte; a Japanese name (with U+FF5E, the tilde
// Windows input gives) in code page 932 inside the pages and in the
// platform's own spelling outside; spaces alone where Windows rules do not apply.
TEST_F(Writer, PagesComeOutByteForByteWithTheNameInCp932)
{
    std::vector<std::pair<std::string, std::string>> names = {
        {"bb", "bb"}, {"動画～ビデオ", "\x93\xae\x89\xe6\x81\x60\x83\x72\x83\x66\x83\x49"}};
    if (!usesWindowsNameRules())
        names.push_back({"  ", "  "});
    for (const auto& [name, inPage] : names) {
        EXPECT_EQ(create(name), CreateResult::saved) << name;
        EXPECT_EQ(button.said(), "保存しました。");
        EXPECT_EQ(readBytes(file(name, name + ".asx")), expectedAsx(inPage));
        EXPECT_EQ(readBytes(file(name, name + ".htm")), expectedLink(inPage));
        EXPECT_EQ(readBytes(file(name, name + "01.htm")), expectedEmbed(inPage));
    }
    EXPECT_EQ(expectedAsx("bb").size() + expectedLink("bb").size() + expectedEmbed("bb").size(), 67u + 156u + 432u);
    EXPECT_EQ(testing::treeContents(dir.path()).size(), 4 * names.size()); // each folder and three files only
}

// When several things are wrong at once, the message is about the first of
// them in the order the user can mend them: the name (what lets it name no
// folder before what lets it name no page), then the width, then the
// settings' text; and nothing is made.
TEST_F(Writer, OfSeveralProblemsTheFirstIsTheOneSaid)
{
    const std::string tooLong(300, 'a');
    struct Case {
        std::string name, width, extension;
        bool windowsRules;
        std::string said;
    };
    const Case cases[] = {
        {"", "abc", ".w\u00E9", false, "記入しましょう。"},
        {"\u00E9/x", "abc", ".w\u00E9", false, "「/」や「\\」"},
        {"\u00E9*", "320", ".wmv", false, "「*」は使えません"},
        {"*" + tooLong, "320", ".wmv", false, "「*」は使えません"},
        {"\t" + tooLong, "320", ".wmv", false, "制御文字"},
        {tooLong + "\u00E9", "320", ".wmv", false, "長すぎます"},
        {".popolun-staging-\u00E9", "320", ".wmv", false, "作業用のフォルダー"},
        {"caf\u00E9.", "320", ".wmv", true, "名前の「\u00E9」はShift_JIS"},
        {"CON.", "320", ".wmv", true, "最後に点や空白"},
        {"bb", "abc", ".w\u00E9", false, "幅は半角数字"},
        {"bb", "320", ".w\u00E9", false, "設定の「\u00E9」はShift_JIS"},
    };
    auto& settings = button.session.settings();
    for (const Case& each : cases) {
        settings.field(Setting::width).setText(each.width);
        settings.field(Setting::extension).setText(each.extension);
        button.session.main().setText(FieldId::name, each.name);
        button.shown.clear();
        const CreateResult result = PageSetWriter(nativeFileSystem(), dir.utf8(), button, pathSeparator(),
                                                  each.windowsRules)
                                        .create(button.session.main().snapshot());
        EXPECT_EQ(result, each.name.empty() ? CreateResult::nameEmpty : CreateResult::refused) << each.name;
        EXPECT_NE(button.said().find(each.said), std::string::npos) << each.name << ": " << button.said();
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

} // namespace
} // namespace popolun
