#include "pictures.h"

#include "picture_names.h"

#include <QResource>

#include <cstdio>
#include <cstring>

namespace popolun::qt {

namespace {

// A PAM file as shown_pictures writes it (RGB or RGB_ALPHA, MAXVAL 255),
// read in place: the image shares the bytes compiled into the program.
QImage readPam(const QString& path)
{
    const QResource resource(path);
    const QByteArray bytes = resource.uncompressedData();
    const qsizetype end = bytes.indexOf("ENDHDR\n");
    if (end < 0 || end > 100)
        return {};
    int width = 0, height = 0, depth = 0;
    char type[16] = {};
    const QByteArray header = bytes.left(end);
    if (std::sscanf(header.constData(), "P7 WIDTH %d HEIGHT %d DEPTH %d MAXVAL 255 TUPLTYPE %15s", &width, &height,
                    &depth, type)
            != 4
        || width <= 0 || height <= 0 || depth != (std::strcmp(type, "RGB_ALPHA") == 0 ? 4 : 3)
        || bytes.size() - (end + 7) < qsizetype(width) * height * depth)
        return {};
    const QImage image(reinterpret_cast<const uchar*>(bytes.constData() + end + 7), width, height, width * depth,
                       depth == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    // Compressed, the bytes would not outlive this call.
    return resource.compressionAlgorithm() == QResource::NoCompression ? image : image.copy();
}

} // namespace

QPixmap picture(layout::Picture picture, qreal devicePixelRatio)
{
    const QString path = QStringLiteral(":/pictures/") + pictureName(picture);
    // Other ratios scale the drawn picture, as QLabel always did.
    if (devicePixelRatio != 1 && devicePixelRatio != 2)
        return QPixmap(path + QStringLiteral(".png"));
    const QString shown = devicePixelRatio == 2 ? QStringLiteral("@2x.pam") : QStringLiteral(".pam");
    QPixmap pixmap = QPixmap::fromImage(readPam(path + shown));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon icon() { return QIcon(QPixmap::fromImage(readPam(QStringLiteral(":/pictures/icon.pam")))); }

} // namespace popolun::qt
