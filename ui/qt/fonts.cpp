#include "fonts.h"

#include "text.h"

#include <QFontDatabase>
#include <QStringList>

namespace popolun::qt {

QString face(layout::Face face)
{
    // Asking Qt for a family it does not have costs a fontconfig fallback
    // search for every script a window's text uses, so the stand-in is
    // chosen here, once: the IPA faces have the same metrics.
    static const QStringList installed = QFontDatabase::families();
    const auto choose = [](layout::Face wanted, std::initializer_list<QString> standIns) {
        const QString own = text(layout::faceName(wanted));
        if (installed.contains(own, Qt::CaseInsensitive))
            return own;
        for (const QString& standIn : standIns) {
            if (installed.contains(standIn, Qt::CaseInsensitive))
                return standIn;
        }
        return own;
    };
    static const QString pGothic =
        choose(layout::Face::pGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック")});
    static const QString gothic =
        choose(layout::Face::gothic, {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック")});
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
