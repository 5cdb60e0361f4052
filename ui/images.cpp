#include "ui/images.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <cstdint>

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

std::uint32_t little(const QByteArray &bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

} // namespace

QImage decodeIco(const QByteArray &ico) {
    // The directory: 6 bytes, then one 16-byte entry whose last field is the image's offset.
    constexpr qsizetype directoryEnd = 6 + 16;
    const qsizetype offset = ico.size() >= directoryEnd ? little(ico, 18, 4) : 0;
    if (offset < directoryEnd || offset + 40 > ico.size()) {
        return decode(ico, "ico");
    }
    const qsizetype headerSize = little(ico, offset, 4);
    const int width = static_cast<int>(little(ico, offset + 4, 4));
    const int height = static_cast<int>(little(ico, offset + 8, 4)) / 2; // colours and mask
    const int bits = static_cast<int>(little(ico, offset + 14, 2));
    const std::uint32_t compression = little(ico, offset + 16, 4);
    const qsizetype colourRow = ((width * 24 + 31) / 32) * 4;
    const qsizetype maskRow = ((width + 31) / 32) * 4;
    const qsizetype colourStart = offset + headerSize;
    const qsizetype maskStart = colourStart + colourRow * height;
    if (bits != 24 || compression != 0 || width <= 0 || width > 256 || height <= 0 ||
        height > 256 || maskStart + maskRow * height > ico.size()) {
        return decode(ico, "ico");
    }

    QImage image(width, height, QImage::Format_ARGB32);
    const auto byte = [&ico](qsizetype at) {
        return static_cast<std::uint8_t>(ico[at]);
    };
    for (int y = 0; y < height; ++y) {
        // Rows are stored bottom-up, colours as blue, green, red; a set mask bit marks a
        // transparent pixel.
        const qsizetype colours = colourStart + (height - 1 - y) * colourRow;
        const qsizetype mask = maskStart + (height - 1 - y) * maskRow;
        for (int x = 0; x < width; ++x) {
            const qsizetype at = colours + 3 * x;
            const bool clear = byte(mask + x / 8) & (0x80 >> (x % 8));
            image.setPixel(x, y,
                           clear ? qRgba(0, 0, 0, 0) : qRgb(byte(at + 2), byte(at + 1), byte(at)));
        }
    }
    return image;
}

QImage helmetImage() {
    return decodeIco(resource(QStringLiteral(":/images/helmet.ico")));
}

QImage enginePhoto() {
    return decode(resource(QStringLiteral(":/images/engine.jpg")), "jpeg");
}

QImage enginePhotoAtDoubleResolution() {
    return decode(resource(QStringLiteral(":/images/engine@2x.jpg")), "jpeg");
}
