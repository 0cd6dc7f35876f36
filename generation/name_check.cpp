#include "name_check.h"

#include "page_set.h"
#include "platform/encoding.h"
#include "utf8.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace popolun {

namespace {

bool isControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F); }

bool isReserved(char32_t c)
{
    constexpr std::u32string_view reserved = U"<>:\"|?*";
    return reserved.find(c) != std::u32string_view::npos;
}

bool isDeviceName(std::string_view name)
{
    // The part before the first dot counts: "con.txt" is the console too.
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    static constexpr std::array<std::string_view, 6> plain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(plain.begin(), plain.end(), stem) != plain.end())
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT"))
        && stem[3] >= '1' && stem[3] <= '9';
}

bool startsLikeStaging(std::string_view name)
{
    return name.size() >= kStagingPrefix.size()
        && std::equal(kStagingPrefix.begin(), kStagingPrefix.end(), name.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// A character's length where the file system counts: UTF-16 units on
// Windows, UTF-8 bytes elsewhere.
std::size_t units(char32_t c, bool windowsRules) { return windowsRules ? (c > 0xFFFF ? 2 : 1) : encodeUtf8(c).size(); }

// How many characters the name must lose for its longest file, NAME01.htm, to fit.
std::size_t excessLength(const std::u32string& name, bool windowsRules)
{
    std::size_t total = std::ranges::max(kPageFiles, {}, [](const PageFile& file) { return file.ending.size(); }).ending.size();
    for (char32_t c : name)
        total += units(c, windowsRules);
    std::size_t excess = 0;
    for (auto it = name.rbegin(); it != name.rend() && total > kLongestFileName; ++it, ++excess)
        total -= units(*it, windowsRules);
    return excess;
}

} // namespace

std::string firstCharacterWithoutCp932Form(std::string_view text)
{
    const auto codePoints = decodeUtf8(text);
    if (!codePoints)
        return "?";
    for (char32_t c : *codePoints) {
        const std::string one = encodeUtf8(c);
        if (!encodeCp932(one))
            return one;
    }
    return {};
}

NameCheck checkBaseName(std::string_view name, bool windowsRules)
{
    const auto codePoints = decodeUtf8(name);
    if (!codePoints)
        return {NameProblem::invalidText, {}};
    if (name == "." || name == "..")
        return {NameProblem::dotName, std::string(name)};
    for (char32_t c : *codePoints) {
        if (c == U'/' || c == U'\\')
            return {NameProblem::separator, encodeUtf8(c)};
        if (isReserved(c))
            return {NameProblem::reservedCharacter, encodeUtf8(c)};
        if (isControl(c))
            return {NameProblem::controlCharacter, {}};
    }
    if (const std::size_t excess = excessLength(*codePoints, windowsRules); excess > 0)
        return {NameProblem::tooLong, {}, excess};
    if (startsLikeStaging(name))
        return {NameProblem::stagingName, std::string(kStagingPrefix)};
    if (!encodeCp932(name))
        return {NameProblem::noCp932Form, firstCharacterWithoutCp932Form(name)};
    if (windowsRules) {
        if (name.back() == '.' || name.back() == ' ')
            return {NameProblem::trailingDotOrSpace, std::string(1, name.back())};
        if (isDeviceName(name))
            return {NameProblem::deviceName, std::string(name)};
    }
    return {};
}

} // namespace popolun
