#include "ui/images.h"

#include <QFile>

#include <cstdint>

namespace {

QByteArray resource(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t little(const QByteArray &bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

} // namespace

QImage withIcoMask(const QByteArray &ico, const QImage &decoded) {
    constexpr qsizetype directoryEnd = 6 + 16;
    if (ico.size() < directoryEnd || decoded.isNull()) {
        return decoded;
    }
    const qsizetype offset = little(ico, 18, 4);
    if (offset + 40 > ico.size()) {
        return decoded;
    }
    const qsizetype headerSize = little(ico, offset, 4);
    const int width = static_cast<int>(little(ico, offset + 4, 4));
    const int height = static_cast<int>(little(ico, offset + 8, 4)) / 2; // colours and mask
    const int bits = static_cast<int>(little(ico, offset + 14, 2));
    const qsizetype colourRow = ((width * bits + 31) / 32) * 4;
    const qsizetype maskRow = ((width + 31) / 32) * 4;
    const qsizetype maskStart = offset + headerSize + colourRow * height;
    if (QSize(width, height) != decoded.size() || maskStart + maskRow * height > ico.size()) {
        return decoded;
    }

    QImage image = decoded.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up; a set bit marks a transparent pixel.
        const qsizetype row = maskStart + (height - 1 - y) * maskRow;
        for (int x = 0; x < width; ++x) {
            if (static_cast<std::uint8_t>(ico[row + x / 8]) & (0x80 >> (x % 8))) {
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
            }
        }
    }
    return image;
}

QImage helmetImage() {
    const QByteArray ico = resource(QStringLiteral(":/images/helmet.ico"));
    return withIcoMask(ico, QImage::fromData(ico, "ICO"));
}

QImage enginePhoto() {
    return QImage::fromData(resource(QStringLiteral(":/images/engine.jpg")), "JPG");
}

QImage enginePhotoAtDoubleResolution() {
    return QImage::fromData(resource(QStringLiteral(":/images/engine@2x.jpg")), "JPG");
}
