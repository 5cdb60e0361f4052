#include "engine_art.h"
#include "helmet_art.h"
#include "ico_file.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QTextStream>

namespace {

constexpr int iconSide = 32;
constexpr qint64 iconFileBytes = 3262;
constexpr QSize engineSize(297, 250);
constexpr int engineJpegQuality = 85;

QTextStream &err() {
    static QTextStream stream(stderr);
    return stream;
}

bool writeHelmet(const QString &path) {
    const MaskedBitmap bitmap =
        flattenForMask(drawHelmet(iconSide), QColor::fromRgb(helmetOutlineRgb), 96);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        err() << "cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    const QByteArray bytes = encodeIco24(bitmap);
    return file.write(bytes) == bytes.size();
}

bool writeEngine(const QString &path) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(engineJpegQuality);
    if (!writer.write(drawEngine(engineSize))) {
        err() << "cannot write " << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    return true;
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

// Qt decodes the colour bitmap but, for 24 bpp entries, ignores the AND mask,
// so the mask is checked straight from the bytes and the colours through Qt.
bool verifyHelmet(const QString &path) {
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

    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.size() != QSize(iconSide, iconSide)) {
        err() << path << ": unreadable or wrong size (" << reader.errorString() << ")" << Qt::endl;
        return false;
    }

    // Masked pixels are black and visible ones never are, so the decoded
    // colours must agree with the mask everywhere; a flipped or shifted mask
    // cannot pass.
    int masked = 0;
    for (int y = 0; y < iconSide; ++y) {
        for (int x = 0; x < iconSide; ++x) {
            const bool clear = maskBitSet(bytes, x, y);
            const bool black = (image.pixel(x, y) & 0xffffff) == 0;
            if (clear != black) {
                err() << path << ": mask and colours disagree at " << x << "," << y << Qt::endl;
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

bool verifyEngine(const QString &path) {
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.size() != engineSize || QImageReader::imageFormat(path) != "jpeg") {
        err() << path << ": unreadable or wrong size (" << reader.errorString() << ")" << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        err() << "usage: dentaro-artwork <output-dir>" << Qt::endl;
        return 2;
    }

    const QDir outDir(args.at(1));
    if (!QDir().mkpath(outDir.path())) {
        err() << "cannot create " << outDir.path() << Qt::endl;
        return 1;
    }
    const QString helmetPath = outDir.filePath(QStringLiteral("helmet.ico"));
    const QString enginePath = outDir.filePath(QStringLiteral("engine.jpg"));

    if (!writeHelmet(helmetPath) || !writeEngine(enginePath))
        return 1;
    if (!verifyHelmet(helmetPath) || !verifyEngine(enginePath))
        return 1;
    return 0;
}
