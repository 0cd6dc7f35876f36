// Text: the encodings under every name and page, the names the writer
// refuses, and how messages show them.
#include "failure_messages.h"
#include "name_check.h"
#include "platform/encoding.h"
#include "shown_text.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace popolun {
namespace {

// Strict UTF-8, the shortest form of a scalar value only: the decoder refuses
// everything else, and so the encoder does too, alone or amid good text.
TEST(Utf8, OverlongSurrogateOutOfRangeAndTruncatedFormsAreRefused)
{
    for (const std::string bad : {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF", "\xF0\x80\x80\xAF",
                                  "\xF0\x8F\xBF\xBF", "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80",
                                  "\xF7\xBF\xBF\xBF", "\xF8\x88\x80\x80\x80", "\xFF", "\x80", "\xC3", "\xE3\x81",
                                  "\xF0\x9F\x98", "\xC3(", "\xE3\x81" "a"}) {
        for (const std::string& text : {bad, "a" + bad, bad + "a", "\xE3\x81\x82" + bad}) {
            EXPECT_FALSE(decodeUtf8(text)) << ::testing::PrintToString(text);
            EXPECT_FALSE(encodeCp932(text)) << ::testing::PrintToString(text);
        }
    }
    // Cut short inside a longer text: nothing past the end is read.
    const std::string_view whole = "\xF0\x9F\x98\x80";
    for (std::size_t cut = 1; cut < whole.size(); ++cut)
        EXPECT_FALSE(decodeUtf8(whole.substr(0, cut))) << cut;
    // The edges of each length, both ways.
    const std::pair<char32_t, std::string> edges[] = {
        {0x7F, "\x7F"}, {0x80, "\xC2\x80"}, {0x7FF, "\xDF\xBF"}, {0x800, "\xE0\xA0\x80"}, {0xD7FF, "\xED\x9F\xBF"},
        {0xE000, "\xEE\x80\x80"}, {0xFFFF, "\xEF\xBF\xBF"}, {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& [c, text] : edges) {
        EXPECT_EQ(encodeUtf8(c), text);
        EXPECT_EQ(decodeUtf8("a" + text + "b"), (std::u32string{U'a', c, U'b'}));
    }
}

TEST(Cp932, TextMixesAsciiAndJapaneseAndOneCharacterWithoutAFormRefusesAll)
{
    EXPECT_EQ(encodeCp932("bb.wmv"), "bb.wmv");
    EXPECT_EQ(encodeCp932("10\u301C20\u2212\u2212\u30D3x"), "10\x81\x60" "20\x81\x7C\x81\x7C\x83\x72x");
    for (const char* text : {"\u301C\u00E9", "\u00E9\u301C", "\u30D3\U000E0041", "a\u00A5b"})
        EXPECT_FALSE(encodeCp932(text)) << text;
}

// Every character, one at a time: no two characters share a form except
// the seven input twins (what Japanese input on Linux gives, and what
// Windows input gives), so no character is quietly written as another.
TEST(Cp932, EveryCharacterHasOneExactFormOrNone)
{
    std::map<std::string, std::vector<char32_t>> owners;
    for (char32_t c = 0; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 0x1FF) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (const auto form = encodeCp932(encodeUtf8(c)))
            owners[*form].push_back(c);
    }
    std::set<std::vector<char32_t>> sharing;
    for (const auto& [form, characters] : owners) {
        if (characters.size() > 1)
            sharing.insert(characters);
    }
    EXPECT_EQ(sharing, (std::set<std::vector<char32_t>>{{0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2},
                                                          {0x2014, 0x2015}, {0x2016, 0x2225}, {0x2212, 0xFF0D},
                                                          {0x301C, 0xFF5E}}));
    EXPECT_GT(owners.size(), 7000u) << "the Japanese characters have their forms";
}

// What neither encoder writes comes in ranges; each is refused at both of
// its ends and between, alone and amid text that has a form.
TEST(Cp932, EveryRefusedRangeIsRefusedAtBothEnds)
{
    const std::pair<char32_t, char32_t> refused[] = {
        {0x0080, 0x0080},   // Windows would write the lone byte 0x80
        {0x00A5, 0x00A5},   // YEN SIGN: glibc would write 0x5C, Windows's "\"
        {0x203E, 0x203E},   // OVERLINE: glibc would write 0x7E, Windows's "~"
        {0xF8F0, 0xF8F3},   // Windows would write the lone bytes 0xA0, 0xFD to 0xFF
        {0xE0000, 0xE007F}, // tags: glibc would drop them without a word
    };
    for (const auto& [first, last] : refused) {
        for (const char32_t c : {first, char32_t(first + (last - first) / 2), last}) {
            EXPECT_FALSE(encodeCp932(encodeUtf8(c))) << std::hex << unsigned(c);
            EXPECT_FALSE(encodeCp932("a" + encodeUtf8(c) + "\u52D5")) << std::hex << unsigned(c);
        }
    }
    EXPECT_EQ(encodeCp932("\x7F\u00A7"), "\x7F\x81\x98"); // beside them: DEL, SECTION SIGN
}

TEST(BaseName, ControlCharactersAreRefusedToTheEndsOfTheirRanges)
{
    for (const char32_t c : {0x00, 0x01, 0x1F, 0x7F, 0x80, 0x85, 0x9F}) {
        const std::string name = "a" + encodeUtf8(c) + "b";
        EXPECT_EQ(checkBaseName(name, false).problem, NameProblem::controlCharacter) << std::hex << unsigned(c);
    }
    for (const char32_t c : {0x20, 0x7E, 0xA0})
        EXPECT_NE(checkBaseName("a" + encodeUtf8(c) + "b", false).problem, NameProblem::controlCharacter) << unsigned(c);
}

TEST(BaseName, OrdinaryNamesOfEveryKindPass)
{
    for (const char* name : {"bb", "  ", " bb", "my video", "動画", "ｂｂ", "ﾋﾞﾃﾞｵ", "a.b", "bb.", "...", "con", "-x", "~",
                             ".popolun", ".popolun-staging"})
        EXPECT_EQ(checkBaseName(name, false).problem, NameProblem::none) << name;
}

TEST(BaseName, NamesThatLeaveTheirFolderOrBreakThePagesAreRefused)
{
    const std::pair<const char*, NameProblem> cases[] = {
        {"a/b", NameProblem::separator},     {"..\\x", NameProblem::separator},
        {"/", NameProblem::separator},       {".", NameProblem::dotName},
        {"..", NameProblem::dotName},        {"a<b", NameProblem::reservedCharacter},
        {"a>b", NameProblem::reservedCharacter}, {"c:", NameProblem::reservedCharacter},
        {"\"q\"", NameProblem::reservedCharacter}, {"a|b", NameProblem::reservedCharacter},
        {"what?", NameProblem::reservedCharacter}, {"*", NameProblem::reservedCharacter},
        {"tab\there", NameProblem::controlCharacter}, {"new\nline", NameProblem::controlCharacter},
        {"del\x7F", NameProblem::controlCharacter}, {"c1\u0085", NameProblem::controlCharacter},
        {"caf\u00E9", NameProblem::noCp932Form}, {"bad\xFF", NameProblem::invalidText},
        // The writer's staging folders, in any case, so that no page set can take such a name.
        {".popolun-staging-1-2-3", NameProblem::stagingName}, {".Popolun-STAGING-", NameProblem::stagingName},
    };
    for (const auto& [name, problem] : cases)
        EXPECT_EQ(checkBaseName(name, false).problem, problem) << name;
    EXPECT_EQ(checkBaseName("caf\u00E9", false).character, "\u00E9");
}

// A refused name's message, word for word: what in it is refused, and that nothing was made.
TEST(BaseName, EachRefusalIsToldWordForWord)
{
    const std::tuple<std::string, bool, const char*> cases[] = {
        {"a\\b", false, "名前に「/」や「\\」は使えません。"},
        {"..", false, "「.」や「..」は名前に使えません。"},
        {"a?b", false, "名前に「?」は使えません（< > : \" | ? * は使えません）。"},
        {"a\tb", false, "名前に制御文字が入っています。"},
        {"a\xFF", false, "名前の文字を読み取れません。"},
        {"bb ", true, "名前の最後に点や空白は使えません。"},
        {"Com1.txt", true, "「Com1.txt」は名前に使えません。"},
        {"caf\u00E9", false, "名前の「\u00E9」はShift_JISで書けない文字です。"},
        {std::string(251, 'a'), false, "名前が長すぎます。あと2文字短くしてください。"},
        {".Popolun-STAGING-1", false, "「.popolun-staging-」で始まる名前は、このプログラムが作業用のフォルダーに使うため使えません。"},
    };
    for (const auto& [name, windows, told] : cases)
        EXPECT_EQ(describeNameProblem(checkBaseName(name, windows)), std::string(told) + "何も作成していません。") << name;
}

TEST(BaseName, WindowsAlsoRefusesDeviceNamesAndTrailingDotsOrSpaces)
{
    for (const char* name : {"con", "CON", "nul.txt", "aux .txt", "Com1", "lpt9", "aux ", "bb.", "bb ", "   "})
        EXPECT_NE(checkBaseName(name, true).problem, NameProblem::none) << name;
    for (const char* name : {"console", "com0", "com10", "bb", " bb", "b.b"})
        EXPECT_EQ(checkBaseName(name, true).problem, NameProblem::none) << name;
}

TEST(ShownText, LongNamesAndPathsKeepTheirEndsAndNeverSplitACharacter)
{
    EXPECT_EQ(shownName("動画"), "動画");
    const std::string fits = std::string(56, 'a') + "動画20"; // just as long as a name is shown whole
    EXPECT_EQ(shownName(fits), fits);
    EXPECT_NE(shownName(fits + "2"), fits + "2");
    const std::string name = std::string(100, 'a') + "動画2026";
    EXPECT_EQ(shownName(name), std::string(29, 'a') + "…" + std::string(24, 'a') + "動画2026");

    const std::string deep = "C:\\Users\\taro\\OneDrive\\" + std::string(60, 'x') + "\\ドキュメント\\ホームページ\\bb";
    EXPECT_EQ(shownPath(deep, '\\'), "C:\\Users\\…\\ホームページ\\bb");
    EXPECT_EQ(shownPath("/home/taro/" + std::string(50, 'y') + "/" + std::string(50, 'y') + "/site/bb", '/'),
              "/home/…/site/bb");
    EXPECT_EQ(shownPath("\\\\server\\share\\" + std::string(80, 'z') + "\\site\\bb", '\\'),
              "\\\\server\\share\\…\\site\\bb");
    EXPECT_EQ(shownPath("C:\\Users\\taro\\bb", '\\'), "C:\\Users\\taro\\bb");
    std::string folders;
    for (int i = 0; i < 31; ++i)
        folders += "動"; // three bytes, one character
    const std::string full = "C:\\Users\\" + folders + "\\" + folders + "\\site\\bb";
    EXPECT_EQ(shownPath(full, '\\'), full); // just as many characters as a path is shown whole with
    EXPECT_EQ(shownPath("C:\\Users\\a" + full.substr(9), '\\'), "C:\\Users\\…\\site\\bb");
    // Long, but with nothing between the front and the last two parts to
    // leave out: whole; with one part there, that one goes.
    const std::string y(50, 'y'), z(40, 'z');
    EXPECT_EQ(shownPath("C:\\Users\\" + y + "\\" + z, '\\'), "C:\\Users\\" + y + "\\" + z);
    EXPECT_EQ(shownPath("C:\\Users\\" + y + "\\" + z + "\\bb", '\\'), "C:\\Users\\…\\" + z + "\\bb");
    // A long last part is shortened as a name, so the whole stays short.
    EXPECT_EQ(shownPath("C:\\p\\" + name, '\\'), "C:\\p\\" + shownName(name));
}

TEST(ShownText, ANameTooLongForItsFilesIsRefusedWithHowMuchShorter)
{
    // NAME01.htm may be 255 UTF-16 units on Windows, 255 bytes elsewhere.
    EXPECT_EQ(checkBaseName(std::string(249, 'a'), false).problem, NameProblem::none);
    EXPECT_EQ(checkBaseName(std::string(250, 'a'), false).excess, 1u);
    std::string japanese;
    for (int i = 0; i < 84; ++i)
        japanese += "動"; // three bytes, one UTF-16 unit
    EXPECT_EQ(checkBaseName(japanese, true).problem, NameProblem::none);
    const NameCheck onLinux = checkBaseName(japanese, false); // 252 + 6 bytes
    EXPECT_EQ(onLinux.problem, NameProblem::tooLong);
    EXPECT_EQ(onLinux.excess, 1u);
    EXPECT_NE(describeNameProblem(onLinux).find("あと1文字短く"), std::string::npos);
    EXPECT_EQ(checkBaseName(std::string(300, 'b'), true).excess, 51u);
    std::string pairs;
    for (int i = 0; i < 125; ++i)
        pairs += "\U0001F600"; // two UTF-16 units
    EXPECT_EQ(checkBaseName(pairs, true).excess, 1u);
}

TEST(ShownText, MissingHelpNamesBothFilesAndWhereTheyWereLookedFor)
{
    EXPECT_EQ(describeMissingHelp("/opt/popolun"),
              "ヘルプが見つかりません。「WMV.hlp」も「popolun-help.html」も、プログラムのフォルダー「/opt/popolun」にありません。");
}

} // namespace
} // namespace popolun
