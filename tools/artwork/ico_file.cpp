#include "ico_file.h"

#include <cstdint>

namespace {

void appendU8(QByteArray &out, std::uint8_t value) {
    out.append(static_cast<char>(value));
}

void appendU16(QByteArray &out, std::uint16_t value) {
    appendU8(out, static_cast<std::uint8_t>(value & 0xff));
    appendU8(out, static_cast<std::uint8_t>(value >> 8));
}

void appendU32(QByteArray &out, std::uint32_t value) {
    appendU16(out, static_cast<std::uint16_t>(value & 0xffff));
    appendU16(out, static_cast<std::uint16_t>(value >> 16));
}

int alignedRowBytes(int bits) {
    return ((bits + 31) / 32) * 4;
}

} // namespace

MaskedBitmap flattenForMask(const QImage &premultiplied, QColor fringe, int alphaThreshold) {
    const QImage src = premultiplied.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    MaskedBitmap result{QImage(src.size(), QImage::Format_RGB32),
                        QBitArray(qsizetype{src.width()} * src.height())};

    for (int y = 0; y < src.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(src.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(result.colour.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb p = in[x];
            const int alpha = qAlpha(p);
            if (alpha < alphaThreshold) {
                // Windows XORs the colour over the desktop where the mask is
                // set, so anything other than black would tint it.
                out[x] = qRgb(0, 0, 0);
                result.transparent.setBit(y * src.width() + x);
                continue;
            }
            const auto over = [alpha](int premultipliedChannel, int backing) {
                return premultipliedChannel + (backing * (255 - alpha) + 127) / 255;
            };
            const QRgb solid = qRgb(over(qRed(p), fringe.red()), over(qGreen(p), fringe.green()),
                                    over(qBlue(p), fringe.blue()));
            // Keeps pure black reserved for masked pixels, so a loader that
            // ignores the AND mask can still recover it by colour key.
            out[x] = (solid & 0xffffff) == 0 ? qRgb(0, 0, 1) : solid;
        }
    }
    return result;
}

QByteArray encodeIco24(const MaskedBitmap &bitmap) {
    const int width = bitmap.colour.width();
    const int height = bitmap.colour.height();
    const int colourRow = alignedRowBytes(width * 24);
    const int maskRow = alignedRowBytes(width);
    const int headerBytes = 40;
    const int imageBytes = colourRow * height + maskRow * height;
    const int directoryBytes = 6 + 16;

    QByteArray out;
    out.reserve(directoryBytes + headerBytes + imageBytes);

    appendU16(out, 0); // reserved
    appendU16(out, 1); // resource type: icon
    appendU16(out, 1); // image count

    // A 256 px icon is stored as 0; nothing here gets that large.
    appendU8(out, static_cast<std::uint8_t>(width));
    appendU8(out, static_cast<std::uint8_t>(height));
    appendU8(out, 0);   // no palette
    appendU8(out, 0);   // reserved
    appendU16(out, 1);  // planes
    appendU16(out, 24); // bits per pixel
    appendU32(out, static_cast<std::uint32_t>(headerBytes + imageBytes));
    appendU32(out, static_cast<std::uint32_t>(directoryBytes));

    appendU32(out, headerBytes);
    appendU32(out, static_cast<std::uint32_t>(width));
    // Height counts the colour bitmap and the mask stacked on top of each other.
    appendU32(out, static_cast<std::uint32_t>(height * 2));
    appendU16(out, 1);
    appendU16(out, 24);
    appendU32(out, 0); // BI_RGB
    appendU32(out, static_cast<std::uint32_t>(imageBytes));
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);
    appendU32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(bitmap.colour.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            appendU8(out, static_cast<std::uint8_t>(qBlue(row[x])));
            appendU8(out, static_cast<std::uint8_t>(qGreen(row[x])));
            appendU8(out, static_cast<std::uint8_t>(qRed(row[x])));
        }
        for (int pad = width * 3; pad < colourRow; ++pad)
            appendU8(out, 0);
    }

    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < width; ++x) {
            if (bitmap.transparent.testBit(y * width + x))
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}
