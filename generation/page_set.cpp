#include "page_set.h"

#include <initializer_list>
#include <string_view>

namespace popolun {

namespace {

void appendLine(std::string& out, std::initializer_list<std::string_view> parts)
{
    for (auto part : parts)
        out += part;
    out += "\r\n";
}

} // namespace

PageSetText composePageSet(const Snapshot& fields)
{
    const auto t = [&fields](int n) -> std::string_view { return fields[static_cast<std::size_t>(n - 1)]; };
    const std::string_view name = t(1);

    PageSetText page;
    appendLine(page.asx, {t(2)});
    appendLine(page.asx, {t(3), name, t(4), t(5)});

    appendLine(page.link, {t(6)});
    appendLine(page.link, {t(7), name, t(8)});

    appendLine(page.embed, {t(9)});
    appendLine(page.embed, {t(10)});
    appendLine(page.embed, {t(11), t(12), t(13), t(14), t(15)});
    appendLine(page.embed, {t(16), t(17), t(18)});
    appendLine(page.embed, {t(19), name, t(20)});
    appendLine(page.embed, {t(21), name, t(22), t(12), t(23), t(14), t(24)});
    return page;
}

} // namespace popolun
