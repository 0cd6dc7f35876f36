#include "platform/encoding.h"

#include <gtest/gtest.h>

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
}

} // namespace
} // namespace popolun
