#include "ui/images.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace {

QByteArray resource(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Decodes with the one reader of the given format. Left to guess, Qt would load every image
// plug-in ahead of that one in its list (SVG, GIF, ...) to ask each whether it can read the data.
QImage decode(QByteArray bytes, const char *format) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// Qt's ICO reader hands back a 24-bit image with every pixel opaque: it applies the icon's 1-bit
// transparency mask to palette images only. The mask is the last block of the image's data, which
// in a file of one image is the end of the file: a bit per pixel, rows padded to 32 bits and
// stored bottom-up, a set bit where the pixel is transparent.
QImage withTransparencyMask(const QImage &colours, const QByteArray &ico) {
    const int bytesPerRow = (colours.width() + 31) / 32 * 4;
    const qsizetype maskSize = qsizetype(bytesPerRow) * colours.height();
    if (colours.isNull() || ico.size() < maskSize) {
        return colours;
    }
    QImage mask(reinterpret_cast<const uchar *>(ico.constData() + ico.size() - maskSize),
                colours.width(), colours.height(), bytesPerRow, QImage::Format_Mono);
    mask.setColorTable({qRgba(0, 0, 0, 255), qRgba(0, 0, 0, 0)}); // opaque, transparent
    // Qt 6.9 named the upside-down copy flipped(); later releases deprecate mirrored().
#if QT_VERSION >= QT_VERSION_CHECK(6, 9, 0)
    const QImage topDown = mask.flipped(Qt::Vertical);
#else
    const QImage topDown = mask.mirrored();
#endif
    QImage image = colours.convertToFormat(QImage::Format_ARGB32);
    image.setAlphaChannel(topDown.convertToFormat(QImage::Format_Alpha8));
    return image;
}

} // namespace

QImage helmetImage() {
    const QByteArray ico = resource(QStringLiteral(":/images/helmet.ico"));
    return withTransparencyMask(decode(ico, "ico"), ico);
}

QImage enginePhoto() {
    return decode(resource(QStringLiteral(":/images/engine.jpg")), "jpeg");
}

QImage enginePhotoAtDoubleResolution() {
    return decode(resource(QStringLiteral(":/images/engine@2x.jpg")), "jpeg");
}
