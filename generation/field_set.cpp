#include "field_set.h"

#include "settings.h"

#include <utility>

namespace popolun {

namespace {

// The fixed fragments, UTF-8; the values are exactly what the pages need,
// inner quotes, spaces and line breaks included. The four parameters start
// as the settings do (settings.h).
constexpr std::pair<FieldId, const char*> kFragments[] = {
    {FieldId::name, ""},
    {FieldId::asxHead, R"(<ASX Version ="3.0"><Entry>)"},
    {FieldId::asxBeforeName, R"(<Ref href ="./)"},
    {FieldId::asxEnd, R"("></Entry></ASX>)"},
    {FieldId::linkHead, "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>"},
    {FieldId::linkBeforeName, R"(<P align="center"><B><A href="./)"},
    {FieldId::linkAfterName, ".asx\" target=\"_self\">ここをクリックしてください。</A></B></P>\r\n'</BODY></HTML>"},
    {FieldId::embedHead, R"(<html><head><title>enbedsampl</title><meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">)"},
    {FieldId::embedBody, R"(</head><body bgcolor="#FFFFFF" text="#000000">)"},
    {FieldId::objectBeforeWidth, R"(<OBJECT ID="Player" width=")"},
    {FieldId::objectBeforeHeight, R"(" height=")"},
    {FieldId::objectEnd, R"("CLASSID="CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6">)"},
    {FieldId::autostartBefore, R"(<PARAM name="autoStart" value=")"},
    {FieldId::autostartEnd, R"(">)"},
    {FieldId::urlBeforeName, R"(<PARAM name="URL" value="./)"},
    {FieldId::urlAfterName, R"(.asx">)"},
    {FieldId::fallbackBeforeName, R"(<embed src="./)"},
    {FieldId::fallbackBeforeWidth, R"(.asx" autostart="false" width=)"},
    {FieldId::fallbackBeforeHeight, " height="},
    {FieldId::fallbackEnd, "></embed></OBJECT>\r\n</body></html>\r\n"},
};

constexpr bool everyFieldOnce()
{
    int seen[kFieldCount + 1] = {};
    for (const auto& [id, text] : kFragments)
        ++seen[static_cast<int>(id)];
    for (const SettingRow& row : kSettings)
        ++seen[static_cast<int>(row.main)];
    for (int n = 1; n <= kFieldCount; ++n) {
        if (seen[n] != 1)
            return false;
    }
    return true;
}
static_assert(everyFieldOnce(), "each field starts as a fragment or as a setting, once");

} // namespace

FieldSet::FieldSet()
{
    for (const auto& [id, text] : kFragments)
        field(id).setText(text);
    for (const SettingRow& row : kSettings)
        field(row.main).setText(std::string(row.created));
}

Snapshot FieldSet::snapshot() const
{
    Snapshot values;
    for (int n = 1; n <= kFieldCount; ++n)
        values[FieldId(n)] = text(FieldId(n));
    return values;
}

} // namespace popolun
