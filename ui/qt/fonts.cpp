#include "fonts.h"

#include "text.h"

#include <QFontDatabase>
#include <QStringList>

namespace popolun::qt {

QString face(layout::Face face)
{
    // Asking Qt for a family it does not have costs a fontconfig fallback
    // search for every script a window's text uses, so the face is chosen
    // here, once for each.
    static const QStringList installed = QFontDatabase::families();
    const auto choose = [](layout::Face wanted) {
        return text(layout::chosenFace(wanted, [](std::string_view family) {
            return installed.contains(text(family), Qt::CaseInsensitive);
        }));
    };
    static const QString pGothic = choose(layout::Face::pGothic), gothic = choose(layout::Face::gothic);
    switch (face) {
    case layout::Face::pGothic:
        return pGothic;
    case layout::Face::gothic:
        return gothic;
    case layout::Face::windowDefault:
        break;
    }
    return {};
}

QFont font(const layout::Font& spec)
{
    QFont font(face(spec.face));
    font.setPointSizeF(spec.points);
    font.setWeight(spec.bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace popolun::qt
