// cp932_table write FILE: every character's form in code page 932 as this
// build's encoder writes it, a line "XXXXXX BYTES" (hex) for each that has one.
// cp932_table check FILE: this build's encoder against a table another build
// wrote (the Windows build's against the Linux one's): the same bytes for
// every character, and no form where the table has none.
#include "platform/encoding.h"
#include "utf8.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

std::string hex(const std::string& bytes)
{
    std::string out;
    char two[3];
    for (const unsigned char byte : bytes) {
        std::snprintf(two, sizeof two, "%02X", byte);
        out += two;
    }
    return out;
}

// Every Unicode scalar value's form, for those that have one.
std::map<char32_t, std::string> forms()
{
    std::map<char32_t, std::string> all;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        if (const auto form = popolun::encodeCp932(popolun::encodeUtf8(c)))
            all[c] = hex(*form);
    }
    return all;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "write" && mode != "check") {
        std::fputs("usage: cp932_table write|check FILE (scripts/test-windows writes the Linux table)\n", stderr);
        return 2;
    }
    const auto mine = forms();
    if (mode == "write") {
        std::ofstream out(argv[2]);
        for (const auto& [c, form] : mine)
            out << std::hex << std::uppercase << unsigned(c) << ' ' << form << '\n';
        return out ? 0 : 1;
    }
    std::ifstream in(argv[2]);
    std::map<char32_t, std::string> theirs;
    unsigned c = 0;
    std::string form;
    while (in >> std::hex >> c >> form)
        theirs[char32_t(c)] = form;
    if (theirs.size() < 7000) {
        std::fprintf(stderr, "cp932_table: %s holds %zu forms; not a table of the other build\n", argv[2], theirs.size());
        return 1;
    }
    int differing = 0;
    for (char32_t each = 0; each <= 0x10FFFF; ++each) {
        const auto formIn = [each](const std::map<char32_t, std::string>& table) {
            const auto found = table.find(each);
            return found == table.end() ? std::string("none") : found->second;
        };
        const std::string here = formIn(mine), there = formIn(theirs);
        if (here != there && ++differing <= 20)
            std::fprintf(stderr, "U+%04X: %s here, %s in the table\n", unsigned(each), here.c_str(), there.c_str());
    }
    std::printf("cp932_table: %zu forms here, %zu in the table, %d characters differ\n", mine.size(), theirs.size(),
                differing);
    return differing == 0 ? 0 : 1;
}
