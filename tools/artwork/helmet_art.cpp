#include "helmet_art.h"

#include "raster.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// All shapes use a 100 × 100 design grid. The line widths were chosen for the 32 px icon, where
// 3 units are about one pixel; other sizes keep the shapes and adapt what they draw on them.

// How much of the drawing a helmet of one size carries. Widths are in design units.
struct Detail {
    double shellOutline = 4.4;
    double visorOutline = 2.4;
    bool stripe = true;
    // Seam and breath vents of the chin guard, and the visor's pivot.
    bool fittings = true;
};

// Below 32 px the stripe and the fittings shrink to smudges, so they go, and the outlines keep
// about a pixel's width so the silhouette and the visor stay sharp. Above 64 px the lines of
// the 32 px design would look heavy and are thinned.
Detail detailFor(int side) {
    Detail detail;
    if (side < 32) {
        detail.shellOutline = 110.0 / side;
        detail.visorOutline = 75.0 / side;
        detail.stripe = false;
        detail.fittings = false;
    } else if (side > 64) {
        detail.shellOutline = 2.6;
        detail.visorOutline = 1.5;
    }
    return detail;
}

QPainterPath shellPath() {
    QPainterPath p;
    p.moveTo(12, 79);
    p.cubicTo(2, 62, 3, 31, 25, 17);
    p.cubicTo(40, 7, 64, 5, 79, 13);
    p.cubicTo(89, 19, 94, 30, 95, 42);
    p.cubicTo(96, 50, 96, 58, 97, 66);
    p.cubicTo(98, 74, 97, 81, 93, 85);
    p.cubicTo(88, 90, 79, 91, 71, 89);
    p.cubicTo(62, 87, 56, 83, 47, 82);
    p.cubicTo(35, 81, 22, 86, 12, 79);
    p.closeSubpath();
    return p;
}

QPainterPath visorPath() {
    QPainterPath p;
    p.moveTo(41, 48);
    p.cubicTo(46, 39, 60, 33, 75, 32);
    p.cubicTo(86, 31, 93, 34, 96, 40);
    p.lineTo(97, 60);
    p.lineTo(62, 62);
    p.cubicTo(53, 62, 46, 60, 42, 55);
    p.cubicTo(40, 52, 40, 50, 41, 48);
    p.closeSubpath();
    return p;
}

QPainterPath stripePath() {
    QPainterPath p;
    p.moveTo(40, 54);
    p.cubicTo(30, 56, 16, 60, 5, 68);
    p.lineTo(5, 76);
    p.cubicTo(17, 67, 30, 63, 42, 61);
    p.closeSubpath();
    return p;
}

QPainterPath stroked(const QPainterPath &path, double width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(path);
}

// Nothing here clips: QSvgGenerator drops clip paths, so whatever must stay inside the shell or
// the visor is intersected with it instead.
void paintShell(QPainter &painter, const QPainterPath &shell, const Detail &detail) {
    QRadialGradient body(QPointF(38, 26), 78, QPointF(34, 22));
    body.setColorAt(0.0, QColor(0xa6, 0xf0, 0x7a));
    body.setColorAt(0.22, QColor(0x52, 0xc4, 0x3c));
    body.setColorAt(0.55, QColor(0x22, 0x94, 0x2a));
    body.setColorAt(0.85, QColor(0x15, 0x64, 0x1c));
    body.setColorAt(1.0, QColor(0x0f, 0x4a, 0x16));
    painter.fillPath(shell, body);

    if (detail.stripe)
        painter.fillPath(stripePath().intersected(shell), QColor(0xf4, 0xf6, 0xf2));

    // The lower rim reads as the rubber neck trim and gives the shell a base.
    QPainterPath rim;
    rim.moveTo(8, 76);
    rim.cubicTo(20, 87, 34, 82, 47, 83);
    rim.cubicTo(56, 84, 62, 88, 70, 90);
    painter.fillPath(stroked(rim, 6.5).intersected(shell), QColor(0x1c, 0x22, 0x1e));

    // The chin guard bulges forward, so it catches more light than the cheek.
    QPainterPath chin;
    chin.moveTo(64, 62);
    chin.lineTo(100, 60);
    chin.lineTo(100, 95);
    chin.lineTo(64, 92);
    chin.cubicTo(61, 80, 61, 70, 64, 62);
    QRadialGradient chinLight(QPointF(80, 70), 20);
    chinLight.setColorAt(0.0, QColor(0x8c, 0xe6, 0x66, 170));
    chinLight.setColorAt(0.6, QColor(0x6c, 0xd4, 0x4c, 70));
    chinLight.setColorAt(1.0, QColor(0x6c, 0xd4, 0x4c, 0));
    painter.fillPath(chin.intersected(shell), chinLight);

    if (detail.fittings) {
        // Seam between the chin guard and the cheek.
        QPainterPath seam;
        seam.moveTo(64, 64);
        seam.cubicTo(62, 72, 62, 80, 64, 88);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0x0f, 0x4a, 0x16), 2.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(seam);
        painter.setPen(QPen(QColor(0xa8, 0xee, 0x88, 160), 1.2, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(seam.translated(1.8, 0));

        // Breath vents on the chin guard.
        painter.setPen(QPen(QColor(0x10, 0x2a, 0x14), 2.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(80, 70), QPointF(88, 69));
        painter.drawLine(QPointF(80, 76), QPointF(87, 75.5));
    }

    // An ellipse squashed and tilted along the crown; the shell is mapped into the ellipse's
    // own coordinates so that the gradient follows the squash.
    QTransform squash;
    squash.translate(36, 22);
    squash.rotate(-28);
    squash.scale(1.0, 0.45);
    squash.translate(-36, -22);
    QRadialGradient shine(QPointF(36, 22), 18);
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    QPainterPath glint;
    glint.addEllipse(QPointF(36, 22), 18, 18);
    painter.save();
    painter.setTransform(squash, true);
    painter.fillPath(glint.intersected(squash.inverted().map(shell)), shine);
    painter.restore();
}

void paintVisor(QPainter &painter, const QPainterPath &shell, const Detail &detail) {
    // The shell outline is drawn over the visor afterwards, so the visor reads as sitting inside
    // the shell rather than sticking out of it.
    const QPainterPath visor = visorPath().intersected(shell);

    QLinearGradient glass(QPointF(60, 31), QPointF(66, 63));
    glass.setColorAt(0.0, QColor(0xf2, 0xf6, 0xfa));
    glass.setColorAt(0.35, QColor(0xc9, 0xd3, 0xde));
    glass.setColorAt(1.0, QColor(0x8a, 0x98, 0xa9));
    painter.fillPath(visor, glass);

    QPainterPath streak;
    streak.moveTo(52, 43);
    streak.cubicTo(62, 37, 78, 35, 94, 38);
    streak.cubicTo(80, 39, 66, 41, 54, 47);
    streak.closeSubpath();
    painter.fillPath(streak.intersected(visor), QColor(255, 255, 255, 230));

    painter.setPen(QPen(QColor(0x45, 0x50, 0x5c), detail.visorOutline, Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(visor);

    // Shadow the visor casts on the top of the chin guard.
    QPainterPath shadow;
    shadow.moveTo(63, 64.6);
    shadow.lineTo(98, 62.6);
    painter.fillPath(stroked(shadow, 2.0).intersected(shell), QColor(0x0e, 0x3e, 0x14, 200));

    if (detail.fittings) {
        QRadialGradient pivot(QPointF(46, 51), 4.5, QPointF(45, 50));
        pivot.setColorAt(0.0, QColor(0x9a, 0xa2, 0xab));
        pivot.setColorAt(1.0, QColor(0x2e, 0x33, 0x38));
        painter.setPen(QPen(QColor(0x1e, 0x22, 0x26), 1.2));
        painter.setBrush(pivot);
        painter.drawEllipse(QPointF(46, 51), 4.2, 4.2);
    }
}

// Fits the helmet into side × side pixels. Below 32 px a pixel is a large part of the drawing,
// so the outline's outermost points are moved onto pixel edges: the top, bottom and sides of the
// silhouette then fill whole pixels instead of fading out over two.
QTransform designToPixels(int side, const Detail &detail) {
    const double scale = side / 100.0;
    QTransform fit = QTransform::fromScale(scale, scale);
    if (side >= 32)
        return fit;
    QPainterPathStroker outline;
    outline.setWidth(detail.shellOutline);
    outline.setJoinStyle(Qt::RoundJoin);
    const QRectF drawn = fit.mapRect(outline.createStroke(shellPath()).boundingRect());
    const auto snap = [side](double from, double to) {
        const double lower = std::clamp(std::round(from), 0.0, double(side));
        const double upper = std::clamp(std::round(to), 0.0, double(side));
        const double stretch = (upper - lower) / (to - from);
        return std::pair(stretch, lower - from * stretch);
    };
    const auto [sx, dx] = snap(drawn.left(), drawn.right());
    const auto [sy, dy] = snap(drawn.top(), drawn.bottom());
    return fit * QTransform(sx, 0, 0, sy, dx, dy);
}

} // namespace

void paintHelmet(QPainter &painter, int side) {
    const Detail detail = detailFor(side);
    painter.save();
    painter.setTransform(designToPixels(side, detail), true);

    const QPainterPath shell = shellPath();
    paintShell(painter, shell, detail);
    paintVisor(painter, shell, detail);

    painter.setPen(QPen(QColor::fromRgb(helmetOutlineRgb), detail.shellOutline, Qt::SolidLine,
                        Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shell);
    painter.restore();
}

QImage drawHelmet(int side) {
    constexpr int supersample = 8;
    QImage canvas(side * supersample, side * supersample, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(supersample, supersample);
    paintHelmet(painter, side);
    painter.end();

    return boxDownscale(canvas, supersample);
}

QByteArray drawHelmetSvg(int side) {
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(QSize(side, side));
    // At 96 dpi the size, which the generator writes in millimetres, is side CSS pixels.
    generator.setResolution(96);
    generator.setViewBox(QRectF(0, 0, side, side));
    generator.setTitle(QStringLiteral("Dentaro"));
    generator.setDescription(QStringLiteral("Green full-face kart helmet facing right"));

    QPainter painter(&generator);
    painter.setRenderHint(QPainter::Antialiasing);
    paintHelmet(painter, side);
    painter.end();
    return svg.data();
}
