#include "helmet_art.h"

#include "raster.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// All shapes use a 100 × 100 design grid; 3 units are about one pixel of the
// 32 px icon, which is the scale the line widths are chosen for.

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

void paintShell(QPainter &painter, const QPainterPath &shell) {
    QRadialGradient body(QPointF(38, 26), 78, QPointF(34, 22));
    body.setColorAt(0.0, QColor(0xa6, 0xf0, 0x7a));
    body.setColorAt(0.22, QColor(0x52, 0xc4, 0x3c));
    body.setColorAt(0.55, QColor(0x22, 0x94, 0x2a));
    body.setColorAt(0.85, QColor(0x15, 0x64, 0x1c));
    body.setColorAt(1.0, QColor(0x0f, 0x4a, 0x16));
    painter.fillPath(shell, body);

    painter.save();
    painter.setClipPath(shell);

    painter.fillPath(stripePath(), QColor(0xf4, 0xf6, 0xf2));

    // The lower rim reads as the rubber neck trim and gives the shell a base.
    QPainterPath rim;
    rim.moveTo(8, 76);
    rim.cubicTo(20, 87, 34, 82, 47, 83);
    rim.cubicTo(56, 84, 62, 88, 70, 90);
    painter.setPen(QPen(QColor(0x1c, 0x22, 0x1e), 6.5, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(rim);

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
    painter.fillPath(chin, chinLight);

    // Seam between the chin guard and the cheek.
    QPainterPath seam;
    seam.moveTo(64, 64);
    seam.cubicTo(62, 72, 62, 80, 64, 88);
    painter.setPen(QPen(QColor(0x0f, 0x4a, 0x16), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(seam);
    painter.setPen(QPen(QColor(0xa8, 0xee, 0x88, 160), 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(seam.translated(1.8, 0));

    // Breath vents on the chin guard.
    painter.setPen(QPen(QColor(0x10, 0x2a, 0x14), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(80, 70), QPointF(88, 69));
    painter.drawLine(QPointF(80, 76), QPointF(87, 75.5));

    QRadialGradient shine(QPointF(36, 22), 18);
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.translate(36, 22);
    painter.rotate(-28);
    painter.scale(1.0, 0.45);
    painter.translate(-36, -22);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shine);
    painter.drawEllipse(QPointF(36, 22), 18, 18);
    painter.restore();
}

void paintVisor(QPainter &painter, const QPainterPath &shell) {
    // The shell outline is drawn over the visor afterwards, so the visor reads
    // as sitting inside the shell rather than sticking out of it.
    const QPainterPath visor = visorPath().intersected(shell);

    QLinearGradient glass(QPointF(60, 31), QPointF(66, 63));
    glass.setColorAt(0.0, QColor(0xf2, 0xf6, 0xfa));
    glass.setColorAt(0.35, QColor(0xc9, 0xd3, 0xde));
    glass.setColorAt(1.0, QColor(0x8a, 0x98, 0xa9));
    painter.fillPath(visor, glass);

    painter.save();
    painter.setClipPath(visor);
    QPainterPath streak;
    streak.moveTo(52, 43);
    streak.cubicTo(62, 37, 78, 35, 94, 38);
    streak.cubicTo(80, 39, 66, 41, 54, 47);
    streak.closeSubpath();
    painter.fillPath(streak, QColor(255, 255, 255, 230));
    painter.restore();

    painter.setPen(QPen(QColor(0x45, 0x50, 0x5c), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(visor);

    // Shadow the visor casts on the top of the chin guard.
    painter.save();
    painter.setClipPath(shell);
    painter.setPen(QPen(QColor(0x0e, 0x3e, 0x14, 200), 2.0, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(63, 64.6), QPointF(98, 62.6));
    painter.restore();

    QRadialGradient pivot(QPointF(46, 51), 4.5, QPointF(45, 50));
    pivot.setColorAt(0.0, QColor(0x9a, 0xa2, 0xab));
    pivot.setColorAt(1.0, QColor(0x2e, 0x33, 0x38));
    painter.setPen(QPen(QColor(0x1e, 0x22, 0x26), 1.2));
    painter.setBrush(pivot);
    painter.drawEllipse(QPointF(46, 51), 4.2, 4.2);
}

} // namespace

QImage drawHelmet(int side) {
    constexpr int supersample = 8;
    QImage canvas(side * supersample, side * supersample, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(canvas.width() / 100.0, canvas.height() / 100.0);

    const QPainterPath shell = shellPath();
    paintShell(painter, shell);
    paintVisor(painter, shell);

    painter.setPen(
        QPen(QColor::fromRgb(helmetOutlineRgb), 4.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shell);
    painter.end();

    return boxDownscale(canvas, supersample);
}
