#include "raster.h"

QImage boxDownscale(const QImage &source, int factor) {
    const QImage src = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = src.width() / factor;
    const int height = src.height() / factor;
    const int area = factor * factor;
    QImage out(width, height, QImage::Format_ARGB32_Premultiplied);

    for (int y = 0; y < height; ++y) {
        auto *target = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < width; ++x) {
            int a = 0;
            int r = 0;
            int g = 0;
            int b = 0;
            for (int dy = 0; dy < factor; ++dy) {
                const auto *row =
                    reinterpret_cast<const QRgb *>(src.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb p = row[x * factor + dx];
                    a += qAlpha(p);
                    r += qRed(p);
                    g += qGreen(p);
                    b += qBlue(p);
                }
            }
            const auto mean = [area](int sum) {
                return (sum + area / 2) / area;
            };
            target[x] = qRgba(mean(r), mean(g), mean(b), mean(a));
        }
    }
    return out;
}
