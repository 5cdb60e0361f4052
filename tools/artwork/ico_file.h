#pragma once

#include <QBitArray>
#include <QByteArray>
#include <QColor>
#include <QImage>

// A colour bitmap with a 1-bit transparency mask, which is all that the
// classic 24-bit ICO layout can carry.
struct MaskedBitmap {
    QImage colour;         // Format_RGB32
    QBitArray transparent; // row-major, top row first
};

// A 1-bit mask cannot keep antialiased edges, so pixels that survive the
// alpha threshold are composited onto the fringe colour (a dark outline tone
// looks like part of the drawing, black would look like a dirty halo).
MaskedBitmap flattenForMask(const QImage &premultiplied, QColor fringe, int alphaThreshold);

// Encodes a single-image ICO: BITMAPINFOHEADER, 24 bpp BI_RGB XOR bitmap and
// AND mask. Qt's own ICO writer only produces 32 bpp images.
QByteArray encodeIco24(const MaskedBitmap &bitmap);
