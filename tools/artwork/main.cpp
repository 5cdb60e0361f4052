#include "engine_art.h"
#include "helmet_art.h"
#include "ico_file.h"
#include "raster.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

namespace {

constexpr int iconSide = 32;
constexpr qint64 iconFileBytes = 3262;
constexpr QSize engineSize(297, 250);
constexpr int engineJpegQuality = 85;
// The sizes of the hicolor icon theme that desktops ask for, from menus to software centres.
constexpr std::array themeSizes{16, 22, 24, 32, 48, 64, 128, 256};
// The scalable icon carries the detail of the largest bitmap.
constexpr int svgSide = 256;
constexpr QStringView iconName = u"org.dentaro.Dentaro";

QTextStream &err() {
    static QTextStream stream(stderr);
    return stream;
}

QTextStream &out() {
    static QTextStream stream(stdout);
    return stream;
}

bool writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        err() << "cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

bool writeImage(const QString &path, const QImage &image, const char *format, int quality = -1) {
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        err() << "cannot write " << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    return true;
}

// The 32 px helmet that the ICO can carry: 24-bit colour and a 1-bit mask.
MaskedBitmap maskedHelmet() {
    return flattenForMask(drawHelmet(iconSide), QColor::fromRgb(helmetOutlineRgb), 96);
}

// The masked helmet as an image with alpha, so that the 32 px PNG shows exactly what the ICO
// shows, hard edges included.
QImage withMaskAsAlpha(const MaskedBitmap &bitmap) {
    QImage image = bitmap.colour.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (bitmap.transparent.testBit(y * image.width() + x))
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

QImage themeIcon(int side) {
    return side == iconSide ? withMaskAsAlpha(maskedHelmet())
                            : drawHelmet(side).convertToFormat(QImage::Format_ARGB32);
}

QString themeIconPath(const QDir &iconDir, int side) {
    return iconDir.filePath(QStringLiteral("%1x%1/%2.png").arg(side).arg(iconName));
}

QString svgIconPath(const QDir &iconDir) {
    return iconDir.filePath(QStringLiteral("scalable/%1.svg").arg(iconName));
}

bool writeIcons(const QDir &imageDir, const QDir &iconDir) {
    if (!writeBytes(imageDir.filePath(QStringLiteral("helmet.ico")), encodeIco24(maskedHelmet())))
        return false;
    for (const int side : themeSizes) {
        const QString path = themeIconPath(iconDir, side);
        if (!QDir().mkpath(QFileInfo(path).path()) || !writeImage(path, themeIcon(side), "png"))
            return false;
    }
    const QString svgPath = svgIconPath(iconDir);
    return QDir().mkpath(QFileInfo(svgPath).path()) && writeBytes(svgPath, drawHelmetSvg(svgSide));
}

bool writeEngines(const QDir &imageDir) {
    return writeImage(imageDir.filePath(QStringLiteral("engine.jpg")), drawEngine(engineSize),
                      "jpeg", engineJpegQuality) &&
           writeImage(imageDir.filePath(QStringLiteral("engine@2x.jpg")),
                      drawEngine(engineSize * 2), "jpeg", engineJpegQuality);
}

quint32 readLittleEndian(const QByteArray &bytes, int offset, int width) {
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(bytes.at(offset + i));
    return value;
}

bool maskBitSet(const QByteArray &bytes, int x, int y) {
    constexpr int maskOffset = 6 + 16 + 40 + iconSide * iconSide * 3;
    constexpr int maskRowBytes = 4;
    const int storedRow = iconSide - 1 - y;
    const auto byte = static_cast<quint8>(bytes.at(maskOffset + storedRow * maskRowBytes + x / 8));
    return (byte & (0x80 >> (x % 8))) != 0;
}

QImage readImage(const QString &path, const char *format, QSize size) {
    QImageReader reader(path, format);
    QImage image = reader.read();
    if (image.size() != size) {
        err() << path << ": unreadable or not " << size.width() << "x" << size.height() << " ("
              << reader.errorString() << ")" << Qt::endl;
        return {};
    }
    return image;
}

// Qt decodes the colour bitmap but, for 24 bpp entries, ignores the AND mask, so the mask is
// checked straight from the bytes and the colours through Qt. Also checks that the 32 px theme
// icon is the ICO's image, pixel for pixel.
bool verifyHelmet(const QString &path, const QString &themePath) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        err() << "cannot read back " << path << Qt::endl;
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != iconFileBytes) {
        err() << path << ": expected " << iconFileBytes << " bytes, got " << bytes.size()
              << Qt::endl;
        return false;
    }
    constexpr int infoHeader = 6 + 16;
    if (readLittleEndian(bytes, infoHeader + 4, 4) != iconSide ||
        readLittleEndian(bytes, infoHeader + 8, 4) != 2 * iconSide ||
        readLittleEndian(bytes, infoHeader + 14, 2) != 24) {
        err() << path << ": unexpected bitmap header" << Qt::endl;
        return false;
    }

    const QImage image = readImage(path, "ico", QSize(iconSide, iconSide));
    const QImage theme = readImage(themePath, "png", QSize(iconSide, iconSide));
    if (image.isNull() || theme.isNull())
        return false;

    // Masked pixels are black and visible ones never are, so the decoded colours must agree with
    // the mask everywhere; a flipped or shifted mask cannot pass.
    int masked = 0;
    for (int y = 0; y < iconSide; ++y) {
        for (int x = 0; x < iconSide; ++x) {
            const bool clear = maskBitSet(bytes, x, y);
            const bool black = (image.pixel(x, y) & 0xffffff) == 0;
            if (clear != black) {
                err() << path << ": mask and colours disagree at " << x << "," << y << Qt::endl;
                return false;
            }
            const QRgb expected = clear ? qRgba(0, 0, 0, 0) : (image.pixel(x, y) | 0xff000000);
            if (theme.pixel(x, y) != expected) {
                err() << themePath << ": differs from " << path << " at " << x << "," << y
                      << Qt::endl;
                return false;
            }
            masked += clear ? 1 : 0;
        }
    }
    if (!maskBitSet(bytes, 0, 0) || masked == iconSide * iconSide) {
        err() << path << ": implausible transparency mask" << Qt::endl;
        return false;
    }
    return true;
}

// Every theme icon has an alpha channel, clear corners and an opaque middle.
bool verifyThemeIcon(const QString &path, int side) {
    const QImage image = readImage(path, "png", QSize(side, side));
    if (image.isNull())
        return false;
    const int last = side - 1;
    bool clearCorners = true;
    for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
        clearCorners = clearCorners && qAlpha(image.pixel(corner)) == 0;
    if (!image.hasAlphaChannel() || !clearCorners ||
        qAlpha(image.pixel(side / 2, side / 2)) != 255) {
        err() << path << ": not a helmet on a transparent background" << Qt::endl;
        return false;
    }
    return true;
}

struct Difference {
    double mean = 0; // over all pixels, of the largest difference in any channel
    int largest = 0; // in any channel of any pixel
};

// Compares premultiplied values, so that the colour of a pixel that is all but transparent,
// which nobody sees, does not count.
Difference difference(const QImage &a, const QImage &b) {
    const QImage left = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage right = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Difference result;
    double sum = 0;
    for (int y = 0; y < left.height(); ++y) {
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y);
            const QRgb q = right.pixel(x, y);
            const int worst =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            sum += worst;
            result.largest = std::max(result.largest, worst);
        }
    }
    result.mean = sum / (double(left.width()) * left.height());
    return result;
}

// QSvgGenerator silently drops what SVG Tiny cannot say (clip paths, for one), so the SVG is
// rendered back and compared with the bitmap of the same size. Antialiasing makes edge pixels
// differ by up to a quarter of the range; a shape that went missing or spills over its outline
// differs by more.
bool verifySvg(const QString &path) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        err() << path << ": not a valid SVG" << Qt::endl;
        return false;
    }
    QImage rendered(svgSide, svgSide, QImage::Format_ARGB32_Premultiplied);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    renderer.render(&painter);
    painter.end();
    const int largest = difference(rendered, drawHelmet(svgSide)).largest;
    if (largest >= 64) {
        err() << path << ": renders differently from the " << svgSide << " px icon (by " << largest
              << " of 255)" << Qt::endl;
        return false;
    }
    return true;
}

// The double-resolution picture must be the same drawing: reduced to the designed size it
// matches the designed picture up to the JPEG's losses.
bool verifyEngines(const QString &path, const QString &doublePath) {
    if (QImageReader::imageFormat(path) != "jpeg" ||
        QImageReader::imageFormat(doublePath) != "jpeg") {
        err() << path << " or " << doublePath << ": not JPEG" << Qt::endl;
        return false;
    }
    const QImage picture = readImage(path, "jpeg", engineSize);
    const QImage doubled = readImage(doublePath, "jpeg", engineSize * 2);
    if (picture.isNull() || doubled.isNull())
        return false;
    const double mean = difference(boxDownscale(doubled, 2), picture).mean;
    if (mean > 4.0) {
        err() << doublePath << ": not the drawing of " << path << " (mean difference " << mean
              << " of 255)" << Qt::endl;
        return false;
    }
    return true;
}

bool verifyAll(const QDir &imageDir, const QDir &iconDir) {
    for (const int side : themeSizes) {
        if (!verifyThemeIcon(themeIconPath(iconDir, side), side))
            return false;
    }
    return verifyHelmet(imageDir.filePath(QStringLiteral("helmet.ico")),
                        themeIconPath(iconDir, iconSide)) &&
           verifySvg(svgIconPath(iconDir)) &&
           verifyEngines(imageDir.filePath(QStringLiteral("engine.jpg")),
                         imageDir.filePath(QStringLiteral("engine@2x.jpg")));
}

bool drawAll(const QDir &imageDir, const QDir &iconDir) {
    for (const QDir &dir : {imageDir, iconDir}) {
        if (!QDir().mkpath(dir.path())) {
            err() << "cannot create " << dir.path() << Qt::endl;
            return false;
        }
    }
    return writeIcons(imageDir, iconDir) && writeEngines(imageDir) && verifyAll(imageDir, iconDir);
}

// How far a shipped image may stand from the one drawn now, in the largest difference of any
// channel of any pixel and in the mean over all pixels (both of 255), where the bytes differ.
struct Tolerance {
    int largest = 0;
    double mean = 0;
};

// PNG and ICO are lossless and the drawing is the same on every Qt release: the pixels must be
// the same. A JPEG encoder may round differently from one libjpeg release to the next, by a few
// levels; a changed drawing differs by far more where it changed. The SVG's text differs between
// Qt releases (spacing, closed paths), so it is rendered and compared as the scalable icon shows.
constexpr Tolerance losslessTolerance{0, 0};
constexpr Tolerance jpegTolerance{16, 1.0};
constexpr Tolerance svgTolerance{4, 0.05};

Tolerance toleranceFor(const QString &suffix) {
    if (suffix == QStringLiteral("jpg"))
        return jpegTolerance;
    if (suffix == QStringLiteral("svg"))
        return svgTolerance;
    return losslessTolerance;
}

// The 32 px ICO as Windows shows it, its mask turned into transparency (Qt's reader ignores it).
QImage icoWithMask(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    QImage image = readImage(path, "ico", QSize(iconSide, iconSide));
    if (bytes.size() != iconFileBytes || image.isNull())
        return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < iconSide; ++y) {
        for (int x = 0; x < iconSide; ++x) {
            if (maskBitSet(bytes, x, y))
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return image;
}

QImage renderedSvg(const QString &path) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(svgSide, svgSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QImage decoded(const QString &path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix == QStringLiteral("svg"))
        return renderedSvg(path);
    if (suffix == QStringLiteral("ico"))
        return icoWithMask(path);
    return QImageReader(path).read();
}

QByteArray contents(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether the shipped file is the drawn one: the same bytes, or the same picture within the
// tolerance of its format.
bool matches(const QString &drawn, const QString &shipped) {
    if (contents(drawn) == contents(shipped)) {
        out() << shipped << ": the same bytes" << Qt::endl;
        return true;
    }
    const Tolerance tolerance = toleranceFor(QFileInfo(shipped).suffix());
    const QImage now = decoded(drawn);
    const QImage then = decoded(shipped);
    if (then.isNull() || then.size() != now.size()) {
        err() << shipped << ": unreadable, or not the " << now.width() << "x" << now.height()
              << " the tool draws" << Qt::endl;
        return false;
    }
    const Difference d = difference(now, then);
    if (d.largest > tolerance.largest || d.mean > tolerance.mean) {
        err() << shipped << ": not what tools/artwork draws now: differs by up to " << d.largest
              << " of 255 (mean " << d.mean << "), where " << tolerance.largest << " (mean "
              << tolerance.mean << ") is allowed" << Qt::endl;
        return false;
    }
    out() << shipped << ": other bytes, the same picture (differs by up to " << d.largest
          << " of 255, mean " << d.mean << ")" << Qt::endl;
    return true;
}

QStringList filesUnder(const QDir &dir) {
    const QDir root(dir.absolutePath());
    QStringList files;
    QDirIterator it(root.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(root.relativeFilePath(it.next()));
    files.sort();
    return files;
}

// Draws everything afresh into a folder of its own and holds the shipped folders to it: every
// file the tool draws is shipped, every shipped file is drawn, and each is what the tool draws.
bool checkShipped(const QDir &shippedImages, const QDir &shippedIcons) {
    const QTemporaryDir drawn;
    const QDir imageDir(drawn.filePath(QStringLiteral("images")));
    const QDir iconDir(drawn.filePath(QStringLiteral("icons")));
    if (!drawn.isValid() || !drawAll(imageDir, iconDir))
        return false;
    bool same = true;
    for (const auto &[drawnDir, shippedDir] :
         {std::pair{imageDir, shippedImages}, std::pair{iconDir, shippedIcons}}) {
        const QStringList drawnFiles = filesUnder(drawnDir);
        const QStringList shippedFiles = filesUnder(shippedDir);
        for (const QString &file : shippedFiles) {
            if (!drawnFiles.contains(file)) {
                err() << shippedDir.filePath(file)
                      << ": shipped, but tools/artwork draws no such file" << Qt::endl;
                same = false;
            }
        }
        for (const QString &file : drawnFiles) {
            if (!shippedFiles.contains(file)) {
                err() << shippedDir.filePath(file) << ": drawn by tools/artwork, but not shipped"
                      << Qt::endl;
                same = false;
            } else if (!matches(drawnDir.filePath(file), shippedDir.filePath(file))) {
                same = false;
            }
        }
    }
    return same;
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() == 4 && args.at(1) == QStringLiteral("--check"))
        return checkShipped(QDir(args.at(2)), QDir(args.at(3))) ? 0 : 1;
    if (args.size() != 3) {
        err() << "usage: dentaro-artwork <image-dir> <icon-dir>\n"
                 "       dentaro-artwork --check <shipped-image-dir> <shipped-icon-dir>"
              << Qt::endl;
        return 2;
    }
    return drawAll(QDir(args.at(1)), QDir(args.at(2))) ? 0 : 1;
}
