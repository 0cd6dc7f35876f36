#include "platform/encoding.h"
#include "utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

namespace popolun {
namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

TEST(Cp932, WritesJapaneseAsWindowsDoes)
{
    EXPECT_EQ(encodeCp932("bb.wmv"), "bb.wmv");
    EXPECT_EQ(encodeCp932("ビデオ"), bytes({0x83, 0x72, 0x83, 0x66, 0x83, 0x49}));
    EXPECT_EQ(encodeCp932("ｂｂ"), bytes({0x82, 0x82, 0x82, 0x82}));
    EXPECT_EQ(encodeCp932("ｱ"), bytes({0xB1}));     // half-width katakana: one byte
    EXPECT_EQ(encodeCp932("①"), bytes({0x87, 0x40})); // NEC special row
    EXPECT_EQ(encodeCp932("髙"), bytes({0xFB, 0xFC})); // IBM extension
}

TEST(Cp932, LinuxInputCharactersGetTheBytesWindowsWrites)
{
    // What Japanese input on Linux produces, and the Windows twin of each.
    const std::pair<const char*, const char*> twins[] = {
        {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"}, {"\u00A2", "\uFFE0"}, {"\u00A3", "\uFFE1"},
        {"\u00AC", "\uFFE2"}, {"\u2016", "\u2225"}, {"\u2014", "\u2015"},
    };
    const std::string expected[] = {
        bytes({0x81, 0x60}), bytes({0x81, 0x7C}), bytes({0x81, 0x91}), bytes({0x81, 0x92}),
        bytes({0x81, 0xCA}), bytes({0x81, 0x61}), bytes({0x81, 0x5C}),
    };
    for (std::size_t i = 0; i < std::size(twins); ++i) {
        EXPECT_EQ(encodeCp932(twins[i].first), expected[i]) << i;
        EXPECT_EQ(encodeCp932(twins[i].second), expected[i]) << i;
    }
}

TEST(Cp932, RefusesWhatItCannotWriteExactly)
{
    // No approximations: "é" must not quietly become "e".
    for (const char* text : {"caf\u00E9", "\u00A5", "\u203E", "\U0001F600", "\u4E02", "a\xFF", "\xC0\xAF", "\xED\xA0\x80"})
        EXPECT_FALSE(encodeCp932(text)) << text;
    // Linux drops tag characters silently; Windows gives U+0080 and U+F8F0..U+F8F3
    // single bytes that are no Shift_JIS character. Neither is a form.
    for (const char* text : {"a\U000E0041", "\U000E007F", "\u0080", "x\uF8F0", "\uF8F3"})
        EXPECT_FALSE(encodeCp932(text)) << text;
}

TEST(Cp932, TwinsMixWithOtherTextAndDoNotHideARefusal)
{
    EXPECT_EQ(encodeCp932("10\u301C20\u2212\u2212\u30D3x"),
              "10" + bytes({0x81, 0x60}) + "20" + bytes({0x81, 0x7C, 0x81, 0x7C, 0x83, 0x72}) + "x");
    EXPECT_FALSE(encodeCp932("\u301C\u00E9"));
    EXPECT_FALSE(encodeCp932("\u00E9\u301C"));
}

bool isShiftJis(std::string_view b)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(b[i]); };
    if (b.size() == 1)
        return at(0) <= 0x7F || (at(0) >= 0xA1 && at(0) <= 0xDF);
    return b.size() == 2 && ((at(0) >= 0x81 && at(0) <= 0x9F) || (at(0) >= 0xE0 && at(0) <= 0xFC))
        && at(1) >= 0x40 && at(1) <= 0xFC && at(1) != 0x7F;
}

// Every character, one at a time: each form is one Shift_JIS character, and
// no two characters share one except the seven input twins, so no character
// is quietly written as another. The count and digest of the whole table
// were taken from the Linux build; the Windows build must give the same.
TEST(Cp932, EveryCharacterHasOneExactFormOrNoneTheSameOnEveryPlatform)
{
    std::vector<char32_t> characters;
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (c < 0xD800 || c > 0xDFFF)
            characters.push_back(c);
    }
    for (char32_t c = 0xE0000; c <= 0xE01FF; ++c)
        characters.push_back(c);
    for (char32_t c : {0x10000, 0x1F600, 0x20000, 0x20B9F, 0x2A6D6, 0xF0000, 0x10FFFF})
        characters.push_back(c);

    std::map<std::string, std::vector<char32_t>> owners;
    std::size_t withForm = 0;
    std::uint64_t digest = 0xcbf29ce484222325u; // FNV-1a over "code point, form" in order
    const auto mix = [&](unsigned char byte) { digest = (digest ^ byte) * 0x100000001b3u; };
    for (char32_t c : characters) {
        const auto form = encodeCp932(encodeUtf8(c));
        for (int shift = 0; shift < 32; shift += 8)
            mix(static_cast<unsigned char>(c >> shift));
        if (!form) {
            mix(0xFF);
            continue;
        }
        ++withForm;
        EXPECT_TRUE(isShiftJis(*form)) << std::hex << "U+" << static_cast<unsigned>(c);
        owners[*form].push_back(c);
        mix(static_cast<unsigned char>(form->size()));
        for (char byte : *form)
            mix(static_cast<unsigned char>(byte));
    }

    const std::map<char32_t, char32_t> twins = {
        {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015},
        {0x2016, 0x2225}, {0x2212, 0xFF0D}, {0x301C, 0xFF5E},
    };
    std::size_t shared = 0;
    for (const auto& [form, sharing] : owners) {
        if (sharing.size() < 2)
            continue;
        ++shared;
        const auto twin = twins.find(sharing[0]);
        EXPECT_TRUE(sharing.size() == 2 && twin != twins.end() && twin->second == sharing[1])
            << std::hex << "U+" << static_cast<unsigned>(sharing[0]) << " and U+"
            << static_cast<unsigned>(sharing[1]) << " share a form";
    }
    EXPECT_EQ(shared, twins.size());
    EXPECT_EQ(withForm, 9404u);
    EXPECT_EQ(digest, 0x3ad60dc2dfcb14dau);
}

} // namespace
} // namespace popolun
