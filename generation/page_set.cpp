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

PageSetText composePageSet(const Snapshot& f)
{
    using enum FieldId;
    PageSetText page;
    appendLine(page.asx, {f[asxHead]});
    appendLine(page.asx, {f[asxBeforeName], f[name], f[extension], f[asxEnd]});

    appendLine(page.link, {f[linkHead]});
    appendLine(page.link, {f[linkBeforeName], f[name], f[linkAfterName]});

    appendLine(page.embed, {f[embedHead]});
    appendLine(page.embed, {f[embedBody]});
    appendLine(page.embed, {f[objectBeforeWidth], f[width], f[objectBeforeHeight], f[height], f[objectEnd]});
    appendLine(page.embed, {f[autostartBefore], f[autostart], f[autostartEnd]});
    appendLine(page.embed, {f[urlBeforeName], f[name], f[urlAfterName]});
    appendLine(page.embed, {f[fallbackBeforeName], f[name], f[fallbackBeforeWidth], f[width], f[fallbackBeforeHeight],
                            f[height], f[fallbackEnd]});
    return page;
}

} // namespace popolun
