// Build tool: writes each picture of the windows at the size it is shown,
// and at twice that for high-DPI screens, scaled exactly as QLabel scales a
// picture to fill its box, and the icon as it is, all as uncompressed PAM
// that the windows read without decoding (popolun::qt::picture).
//
// shown_pictures SOURCE_DIR OUTPUT_DIR

#include "picture_names.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>

#include <cstdio>

namespace {

bool writePam(const QImage& picture, const QString& path)
{
    const bool alpha = picture.hasAlphaChannel();
    const QImage pixels = picture.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(QStringLiteral("P7\nWIDTH %1\nHEIGHT %2\nDEPTH %3\nMAXVAL 255\nTUPLTYPE %4\nENDHDR\n")
                  .arg(pixels.width())
                  .arg(pixels.height())
                  .arg(alpha ? 4 : 3)
                  .arg(alpha ? QStringLiteral("RGB_ALPHA") : QStringLiteral("RGB"))
                  .toLatin1());
    const qsizetype row = qsizetype(pixels.width()) * (alpha ? 4 : 3);
    for (int y = 0; y < pixels.height(); ++y)
        out.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), row);
    return out.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: shown_pictures SOURCE_DIR OUTPUT_DIR\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    bool ok = output.mkpath(QStringLiteral("."));

    using popolun::layout::Kind;
    for (const popolun::layout::Window* window : {&popolun::layout::form13(), &popolun::layout::form14()}) {
        for (const popolun::layout::Control& control : window->controls) {
            if (control.kind != Kind::picture)
                continue;
            const QString name = popolun::qt::pictureName(control.picture);
            // What QLabel does with a picture that fills its box: the pixmap's
            // image, smoothly scaled to the box in device pixels.
            const QImage original = QPixmap(source.filePath(name + QStringLiteral(".png"))).toImage();
            const QSize box(control.box.width, control.box.height);
            ok = !original.isNull() && ok;
            for (const int scale : {1, 2}) {
                const QImage shown = original.scaled(box * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                ok = writePam(shown, output.filePath(name + (scale == 1 ? QString() : QStringLiteral("@2x"))
                                                     + QStringLiteral(".pam")))
                  && ok;
            }
        }
    }
    const QImage icon(source.filePath(QStringLiteral("icon.png")));
    ok = !icon.isNull() && writePam(icon, output.filePath(QStringLiteral("icon.pam"))) && ok;
    if (!ok)
        std::fprintf(stderr, "shown_pictures: could not read or write a picture\n");
    return ok ? 0 : 1;
}
