#include "field_set.h"

namespace popolun {

namespace {

// UTF-8 source text; the values are exactly what the pages need, inner quotes,
// spaces and line breaks included.
const std::array<std::string, kFieldCount> kInitialTexts = {
    "",                                                          // Text1  base name
    R"(<ASX Version ="3.0"><Entry>)",                            // Text2
    R"(<Ref href ="./)",                                         // Text3
    ".wmv",                                                      // Text4  extension
    R"("></Entry></ASX>)",                                       // Text5
    "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>",                  // Text6
    R"(<P align="center"><B><A href="./)",                       // Text7
    ".asx\" target=\"_self\">ここをクリックしてください。</A></B></P>\r\n'</BODY></HTML>", // Text8
    R"(<html><head><title>enbedsampl</title><meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">)", // Text9
    R"(</head><body bgcolor="#FFFFFF" text="#000000">)",         // Text10
    R"(<OBJECT ID="Player" width=")",                            // Text11
    "320",                                                       // Text12 width
    R"(" height=")",                                             // Text13
    "304",                                                       // Text14 height
    R"("CLASSID="CLSID:6BF52A52-394A-11d3-B153-00C04F79FAA6">)", // Text15
    R"(<PARAM name="autoStart" value=")",                        // Text16
    "true",                                                      // Text17 autostart
    R"(">)",                                                     // Text18
    R"(<PARAM name="URL" value="./)",                            // Text19
    R"(.asx">)",                                                 // Text20
    R"(<embed src="./)",                                         // Text21
    R"(.asx" autostart="false" width=)",                         // Text22
    " height=",                                                  // Text23
    "></embed></OBJECT>\r\n</body></html>\r\n",                  // Text24
};

} // namespace

FieldSet::FieldSet()
{
    for (int n = 1; n <= kFieldCount; ++n)
        field(n).setText(initialText(n));
}

const std::string& FieldSet::initialText(int n)
{
    return kInitialTexts.at(static_cast<std::size_t>(n - 1));
}

Snapshot FieldSet::snapshot() const
{
    Snapshot values;
    for (int n = 1; n <= kFieldCount; ++n)
        values[static_cast<std::size_t>(n - 1)] = text(n);
    return values;
}

} // namespace popolun
