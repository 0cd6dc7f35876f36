#include "field_set.h"

#include <utility>

namespace popolun {

namespace {

// UTF-8 source text; the values are exactly what the pages need, inner quotes,
// spaces and line breaks included.
constexpr std::pair<FieldId, const char*> kInitialTexts[] = {
    {FieldId::name, ""},
    {FieldId::asxHead, R"(<ASX Version ="3.0"><Entry>)"},
    {FieldId::asxBeforeName, R"(<Ref href ="./)"},
    {FieldId::extension, ".wmv"},
    {FieldId::asxEnd, R"("></Entry></ASX>)"},
    {FieldId::linkHead, "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>"},
    {FieldId::linkBeforeName, R"(<P align="center"><B><A href="./)"},
    {FieldId::linkAfterName, ".asx\" target=\"_self\">ここをクリックしてください。</A></B></P>\r\n'</BODY></HTML>"},
    {FieldId::embedHead, R"(<html><head><title>enbedsampl</title><meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">)"},
    {FieldId::embedBody, R"(</head><body bgcolor="#FFFFFF" text="#000000">)"},
    {FieldId::objectBeforeWidth, R"(<OBJECT ID="Player" width=")"},
    {FieldId::width, "320"},
    {FieldId::objectBeforeHeight, R"(" height=")"},
    {FieldId::height, "304"},
    {FieldId::objectEnd, R"("CLASSID="CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6">)"},
    {FieldId::autostartBefore, R"(<PARAM name="autoStart" value=")"},
    {FieldId::autostart, "true"},
    {FieldId::autostartEnd, R"(">)"},
    {FieldId::urlBeforeName, R"(<PARAM name="URL" value="./)"},
    {FieldId::urlAfterName, R"(.asx">)"},
    {FieldId::fallbackBeforeName, R"(<embed src="./)"},
    {FieldId::fallbackBeforeWidth, R"(.asx" autostart="false" width=)"},
    {FieldId::fallbackBeforeHeight, " height="},
    {FieldId::fallbackEnd, "></embed></OBJECT>\r\n</body></html>\r\n"},
};

constexpr bool inFieldOrder()
{
    int n = 1;
    for (const auto& [id, text] : kInitialTexts) {
        if (static_cast<int>(id) != n++)
            return false;
    }
    return n == kFieldCount + 1;
}
static_assert(inFieldOrder(), "one initial text for each field, in field order");

} // namespace

FieldSet::FieldSet()
{
    for (const auto& [id, text] : kInitialTexts)
        field(id).setText(text);
}

Snapshot FieldSet::snapshot() const
{
    Snapshot values;
    for (const auto& [id, unused] : kInitialTexts)
        values[id] = text(id);
    return values;
}

} // namespace popolun
