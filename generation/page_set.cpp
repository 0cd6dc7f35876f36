#include "page_set.h"

#include <initializer_list>
#include <string_view>

namespace popolun {

using enum FieldId;

namespace {

void appendLine(std::string& out, std::initializer_list<std::string_view> parts)
{
    for (auto part : parts)
        out += part;
    out += "\r\n";
}

} // namespace

std::string composeRedirector(const Snapshot& f)
{
    std::string asx;
    appendLine(asx, {f[asxHead]});
    appendLine(asx, {f[asxBeforeName], f[name], f[extension], f[asxEnd]});
    return asx;
}

std::string composeLinkPage(const Snapshot& f)
{
    std::string link;
    appendLine(link, {f[linkHead]});
    appendLine(link, {f[linkBeforeName], f[name], f[linkAfterName]});
    return link;
}

std::string composeEmbedPage(const Snapshot& f)
{
    std::string embed;
    appendLine(embed, {f[embedHead]});
    appendLine(embed, {f[embedBody]});
    appendLine(embed, {f[objectBeforeWidth], f[width], f[objectBeforeHeight], f[height], f[objectEnd]});
    appendLine(embed, {f[autostartBefore], f[autostart], f[autostartEnd]});
    appendLine(embed, {f[urlBeforeName], f[name], f[urlAfterName]});
    appendLine(embed, {f[fallbackBeforeName], f[name], f[fallbackBeforeWidth], f[width], f[fallbackBeforeHeight],
                       f[height], f[fallbackEnd]});
    return embed;
}

PerPageFile composePageSet(const Snapshot& fields)
{
    PerPageFile texts;
    for (std::size_t i = 0; i < kPageFileCount; ++i)
        texts[i] = kPageFiles[i].compose(fields);
    return texts;
}

} // namespace popolun
