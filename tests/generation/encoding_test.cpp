#include "platform/encoding.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
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

} // namespace
} // namespace popolun
