#include "engine_art.h"

#include "raster.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

namespace {

// Design grid is the final 297 × 250 picture; it is rendered at twice that and
// box-filtered so the thin fins and bolt rims keep smooth edges.

const QColor outline(0x3a, 0x3f, 0x45);

// Bright band off-centre, as a round part lit from the upper left shows it.
QLinearGradient metalBands(QPointF from, QPointF to, QColor dark, QColor light) {
    QLinearGradient g(from, to);
    g.setColorAt(0.0, dark.darker(130));
    g.setColorAt(0.28, light);
    g.setColorAt(0.42, light.lighter(104));
    g.setColorAt(0.75, dark);
    g.setColorAt(1.0, dark.darker(150));
    return g;
}

void paintGroundShadow(QPainter &p) {
    QRadialGradient shade(QPointF(0, 0), 1.0);
    shade.setColorAt(0.0, QColor(0, 0, 0, 70));
    shade.setColorAt(0.6, QColor(0, 0, 0, 25));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.translate(150, 227);
    p.scale(128, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
}

void paintBolt(QPainter &p, QPointF centre, double radius) {
    QRadialGradient head(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    head.setColorAt(0.0, QColor(0xfb, 0xfb, 0xfb));
    head.setColorAt(0.5, QColor(0xa9, 0xae, 0xb3));
    head.setColorAt(1.0, QColor(0x4e, 0x53, 0x58));
    p.setPen(QPen(QColor(0x2c, 0x30, 0x34), 0.7));
    p.setBrush(head);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(0x30, 0x33, 0x37), 0.9));
    p.setBrush(QColor(0x5a, 0x5f, 0x64));
    p.drawEllipse(centre, radius * 0.38, radius * 0.38);
}

void paintExhaustStub(QPainter &p) {
    const QRectF pipe(206, 99, 42, 20);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(metalBands(pipe.topLeft(), pipe.bottomLeft(), QColor(0x6b, 0x5e, 0x55),
                          QColor(0xe9, 0xe2, 0xdb)));
    p.drawRect(pipe);

    // Heat tint on the stub just behind the flange.
    QLinearGradient tint(QPointF(206, 0), QPointF(248, 0));
    tint.setColorAt(0.0, QColor(0x8a, 0x5a, 0x9a, 90));
    tint.setColorAt(0.5, QColor(0xc0, 0x8a, 0x40, 60));
    tint.setColorAt(1.0, QColor(0xc0, 0x8a, 0x40, 0));
    p.fillRect(pipe.adjusted(0.5, 0.5, -0.5, -0.5), tint);

    const QRectF lip(244, 96, 8, 26);
    p.setBrush(metalBands(lip.topLeft(), lip.bottomLeft(), QColor(0x6f, 0x74, 0x79),
                          QColor(0xf0, 0xf2, 0xf4)));
    p.drawRoundedRect(lip, 2, 2);
    p.setBrush(QColor(0x23, 0x24, 0x26));
    p.drawEllipse(QRectF(247, 101, 4, 16));

    // Springs that hold the expansion chamber.
    p.setPen(QPen(QColor(0x55, 0x59, 0x5e), 1.2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        const double x = 216 + i * 5.5;
        p.drawArc(QRectF(x, 93, 5, 7), 0, 180 * 16);
        p.drawArc(QRectF(x, 118, 5, 7), 180 * 16, 180 * 16);
    }

    const QRectF flange(198, 93, 9, 32);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(metalBands(flange.topLeft(), flange.bottomLeft(), QColor(0x7a, 0x80, 0x86),
                          QColor(0xf2, 0xf4, 0xf6)));
    p.drawRoundedRect(flange, 1.5, 1.5);
    paintBolt(p, QPointF(202.5, 97), 2.2);
    paintBolt(p, QPointF(202.5, 121), 2.2);
}

QPainterPath casingPath() {
    QPainterPath c;
    c.moveTo(58, 134);
    c.cubicTo(90, 128, 150, 126, 228, 127);
    c.cubicTo(246, 127, 258, 140, 259, 162);
    c.cubicTo(260, 188, 252, 214, 232, 219);
    c.lineTo(150, 223);
    c.cubicTo(110, 224, 80, 222, 62, 214);
    c.cubicTo(46, 204, 42, 150, 58, 134);
    c.closeSubpath();
    return c;
}

void paintCasing(QPainter &p) {
    const QPainterPath casing = casingPath();
    QLinearGradient body(QPointF(0, 126), QPointF(0, 224));
    body.setColorAt(0.0, QColor(0xf1, 0xf3, 0xf5));
    body.setColorAt(0.18, QColor(0xd3, 0xd7, 0xdb));
    body.setColorAt(0.6, QColor(0xb0, 0xb6, 0xbc));
    body.setColorAt(1.0, QColor(0x79, 0x7f, 0x86));
    p.setPen(QPen(outline, 1.3));
    p.setBrush(body);
    p.drawPath(casing);

    p.save();
    p.setClipPath(casing);
    // Casting ribs and the split line between the two case halves.
    p.setPen(QPen(QColor(0x8d, 0x93, 0x99), 1.0));
    p.drawLine(QPointF(150, 140), QPointF(252, 140));
    p.setPen(QPen(QColor(0xf8, 0xf9, 0xfa), 1.0));
    p.drawLine(QPointF(150, 141.2), QPointF(252, 141.2));
    for (int i = 0; i < 3; ++i) {
        const double x = 168 + i * 13;
        QLinearGradient rib(QPointF(x - 3, 0), QPointF(x + 3, 0));
        rib.setColorAt(0.0, QColor(0xe8, 0xeb, 0xee));
        rib.setColorAt(1.0, QColor(0x8e, 0x94, 0x9a));
        p.setPen(QPen(QColor(0x80, 0x86, 0x8c), 0.7));
        p.setBrush(rib);
        p.drawRoundedRect(QRectF(x - 3, 150, 6, 58), 3, 3);
    }
    QLinearGradient lower(QPointF(0, 200), QPointF(0, 224));
    lower.setColorAt(0.0, QColor(0, 0, 0, 0));
    lower.setColorAt(1.0, QColor(0, 0, 0, 55));
    p.fillRect(QRectF(40, 200, 230, 26), lower);
    p.restore();

    const std::array bolts{QPointF(66, 140),  QPointF(120, 132), QPointF(150, 131),
                           QPointF(236, 134), QPointF(252, 160), QPointF(250, 196),
                           QPointF(228, 213), QPointF(196, 217), QPointF(152, 218),
                           QPointF(72, 210)};
    for (const QPointF &b : bolts)
        paintBolt(p, b, 3.0);

    // Gear-shift shaft sticking out of the case.
    const QRectF shaft(238, 170, 20, 8);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(metalBands(shaft.topLeft(), shaft.bottomLeft(), QColor(0x5a, 0x5e, 0x63),
                          QColor(0xe6, 0xe8, 0xea)));
    p.drawRect(shaft);
    p.setBrush(QColor(0x2b, 0x2e, 0x31));
    p.drawRoundedRect(QRectF(255, 164, 9, 20), 2, 2);
}

void paintCylinder(QPainter &p) {
    // Base flange where the barrel sits on the crankcase.
    const QRectF base(126, 122, 84, 10);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(metalBands(base.topLeft(), base.topRight(), QColor(0x85, 0x8b, 0x91),
                          QColor(0xf4, 0xf5, 0xf7)));
    p.drawRoundedRect(base, 2, 2);

    const QRectF barrel(136, 76, 64, 48);
    p.setBrush(metalBands(barrel.topLeft(), barrel.topRight(), QColor(0x7c, 0x83, 0x8a),
                          QColor(0xf0, 0xf3, 0xf5)));
    p.drawRect(barrel);

    // Water outlet and transfer bulges give the barrel some relief.
    p.setPen(QPen(QColor(0x6a, 0x70, 0x76), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(144, 86, 48, 28), 6, 6);
    p.setPen(QPen(QColor(0xfa, 0xfb, 0xfc, 200), 0.8));
    p.drawLine(QPointF(147, 87.2), QPointF(189, 87.2));

    for (const QPointF &nut : {QPointF(140, 118), QPointF(196, 118)})
        paintBolt(p, nut, 2.6);
}

void paintCylinderHead(QPainter &p) {
    const QColor blueDark(0x12, 0x2e, 0x78);
    const QColor blueLight(0x7f, 0xae, 0xf4);

    const QRectF core(132, 40, 72, 38);
    p.setPen(QPen(QColor(0x0c, 0x1c, 0x4a), 1.0));
    p.setBrush(metalBands(core.topLeft(), core.topRight(), blueDark, blueLight));
    p.drawRect(core);

    // Cooling fins, each a thin plate standing out on both sides.
    for (int i = 0; i < 6; ++i) {
        const double y = 42 + i * 6.2;
        const QRectF fin(124 - i * 0.4, y, 88 + i * 0.8, 3.6);
        p.setPen(QPen(QColor(0x0c, 0x1c, 0x4a), 0.8));
        p.setBrush(metalBands(fin.topLeft(), fin.topRight(), blueDark, blueLight));
        p.drawRoundedRect(fin, 1.6, 1.6);
        p.setPen(QPen(QColor(0xd6, 0xe6, 0xff, 200), 0.6));
        p.drawLine(QPointF(fin.left() + 3, y + 0.6), QPointF(fin.right() - 3, y + 0.6));
    }

    QPainterPath dome;
    dome.moveTo(138, 42);
    dome.cubicTo(142, 30, 194, 30, 198, 42);
    dome.closeSubpath();
    p.setPen(QPen(QColor(0x0c, 0x1c, 0x4a), 1.0));
    p.setBrush(metalBands(QPointF(138, 0), QPointF(198, 0), blueDark, blueLight));
    p.drawPath(dome);

    for (const QPointF &nut : {QPointF(134, 79), QPointF(202, 79)})
        paintBolt(p, nut, 2.4);
}

// Drawn before the exhaust and the casing so the lead disappears behind them
// towards the ignition, instead of ending in mid-air.
void paintPlugLead(QPainter &p) {
    QPainterPath lead;
    lead.moveTo(178, 13);
    lead.cubicTo(214, 4, 266, 12, 266, 50);
    lead.cubicTo(266, 80, 254, 100, 240, 132);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x0e, 0x0f, 0x10), 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(lead);
    p.setPen(QPen(QColor(0x70, 0x74, 0x78), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(lead.translated(-0.9, -0.9));
}

void paintSparkPlug(QPainter &p) {
    const QRectF hex(162, 29, 14, 6);
    p.setPen(QPen(outline, 0.8));
    p.setBrush(metalBands(hex.topLeft(), hex.topRight(), QColor(0x78, 0x7e, 0x84),
                          QColor(0xf5, 0xf6, 0xf7)));
    p.drawRect(hex);

    QPainterPath cap;
    cap.moveTo(160, 32);
    cap.lineTo(160, 16);
    cap.cubicTo(160, 8, 166, 5, 172, 6);
    cap.lineTo(180, 8);
    cap.cubicTo(184, 10, 184, 18, 180, 20);
    cap.lineTo(178, 20);
    cap.lineTo(178, 32);
    cap.closeSubpath();
    p.setPen(QPen(QColor(0x5a, 0x06, 0x06), 1.0));
    p.setBrush(metalBands(QPointF(160, 0), QPointF(184, 0), QColor(0xa5, 0x0d, 0x0b),
                          QColor(0xff, 0x6a, 0x55)));
    p.drawPath(cap);
    p.setPen(QPen(QColor(0x6e, 0x08, 0x08), 1.0));
    p.drawLine(QPointF(161, 24), QPointF(177, 24));
    p.drawLine(QPointF(161, 28), QPointF(177, 28));
}

void paintCarburettor(QPainter &p) {
    // Rubber intake manifold into the reed block.
    const QRectF manifold(112, 98, 26, 18);
    p.setPen(QPen(QColor(0x0a, 0x0a, 0x0a), 1.0));
    p.setBrush(metalBands(manifold.topLeft(), manifold.bottomLeft(), QColor(0x18, 0x19, 0x1a),
                          QColor(0x5c, 0x5f, 0x62)));
    p.drawRoundedRect(manifold, 3, 3);
    p.setPen(QPen(QColor(0x8a, 0x8e, 0x92), 1.2));
    p.drawLine(QPointF(120, 98.5), QPointF(120, 115.5));
    p.drawLine(QPointF(130, 98.5), QPointF(130, 115.5));

    const QRectF bowl(84, 108, 24, 16);
    p.setPen(QPen(outline, 1.0));
    p.setBrush(metalBands(bowl.topLeft(), bowl.topRight(), QColor(0x8e, 0x84, 0x6c),
                          QColor(0xf3, 0xee, 0xe0)));
    p.drawRoundedRect(bowl, 4, 4);

    const QRectF body(76, 94, 40, 22);
    p.setBrush(metalBands(body.topLeft(), body.bottomLeft(), QColor(0x8e, 0x84, 0x6c),
                          QColor(0xf6, 0xf2, 0xe6)));
    p.drawRoundedRect(body, 4, 4);

    const QRectF tower(87, 78, 20, 18);
    p.setBrush(metalBands(tower.topLeft(), tower.topRight(), QColor(0x8e, 0x84, 0x6c),
                          QColor(0xf6, 0xf2, 0xe6)));
    p.drawRect(tower);
    const QRectF towerCap(85, 74, 24, 6);
    p.setBrush(QColor(0x2a, 0x2c, 0x2f));
    p.drawRoundedRect(towerCap, 2, 2);

    // Throttle cable entering the top cap.
    QPainterPath cable;
    cable.moveTo(97, 74);
    cable.cubicTo(97, 62, 90, 56, 80, 54);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x15, 0x16, 0x17), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);

    QPainterPath bell;
    bell.moveTo(76, 97);
    bell.cubicTo(70, 96, 66, 90, 62, 88);
    bell.lineTo(62, 122);
    bell.cubicTo(66, 120, 70, 114, 76, 113);
    bell.closeSubpath();
    p.setPen(QPen(outline, 1.0));
    p.setBrush(metalBands(QPointF(0, 88), QPointF(0, 122), QColor(0x7a, 0x80, 0x86),
                          QColor(0xf6, 0xf7, 0xf8)));
    p.drawPath(bell);
    p.setBrush(QColor(0x20, 0x21, 0x23));
    p.drawEllipse(QRectF(59, 88, 6, 34));
}

void paintClutchCover(QPainter &p) {
    const QPointF centre(102, 170);
    const double radius = 52;

    // The cover stands proud of the case; a soft shadow below and to the
    // right says so.
    QRadialGradient drop(centre + QPointF(4, 5), radius + 6);
    drop.setColorAt(0.85, QColor(0, 0, 0, 70));
    drop.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(drop);
    p.drawEllipse(centre + QPointF(4, 5), radius + 6, radius + 6);

    QRadialGradient dish(centre - QPointF(18, 20), radius * 1.35, centre - QPointF(22, 24));
    dish.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    dish.setColorAt(0.3, QColor(0xd8, 0xdc, 0xe0));
    dish.setColorAt(0.7, QColor(0xa2, 0xa8, 0xae));
    dish.setColorAt(1.0, QColor(0x68, 0x6e, 0x74));
    p.setPen(QPen(outline, 1.4));
    p.setBrush(dish);
    p.drawEllipse(centre, radius, radius);

    // Raised ring: dark on the lower right, bright on the upper left.
    QConicalGradient ring(centre, 135);
    ring.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    ring.setColorAt(0.5, QColor(0x6a, 0x70, 0x76));
    ring.setColorAt(1.0, QColor(0xff, 0xff, 0xff));
    p.setPen(QPen(QBrush(ring), 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 38, 38);
    p.setPen(QPen(QColor(0x7a, 0x80, 0x86), 0.8));
    p.drawEllipse(centre, 36.4, 36.4);

    QRadialGradient hub(centre - QPointF(5, 6), 20);
    hub.setColorAt(0.0, QColor(0xf0, 0xf2, 0xf4));
    hub.setColorAt(0.6, QColor(0x8c, 0x92, 0x98));
    hub.setColorAt(1.0, QColor(0x4a, 0x4f, 0x54));
    p.setPen(QPen(outline, 1.1));
    p.setBrush(hub);
    p.drawEllipse(centre, 15, 15);
    p.setBrush(QColor(0x33, 0x37, 0x3b));
    p.drawEllipse(centre, 5, 5);

    for (int i = 0; i < 8; ++i) {
        const double angle = (i * 45.0 + 22.5) * std::numbers::pi / 180.0;
        paintBolt(p, centre + QPointF(std::cos(angle), std::sin(angle)) * 45.5, 3.1);
    }
}

void paintSprocket(QPainter &p) {
    const QPointF centre(226, 192);
    constexpr int teeth = 13;
    QPainterPath gear;
    for (int i = 0; i < teeth * 2; ++i) {
        const double angle = i * std::numbers::pi / teeth;
        const double r = (i % 2 == 0) ? 19.5 : 15.5;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * r;
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();

    QRadialGradient steel(centre - QPointF(6, 7), 26);
    steel.setColorAt(0.0, QColor(0xd8, 0xdb, 0xde));
    steel.setColorAt(0.55, QColor(0x6e, 0x73, 0x78));
    steel.setColorAt(1.0, QColor(0x2e, 0x31, 0x34));
    p.setPen(QPen(QColor(0x1c, 0x1e, 0x20), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(steel);
    p.drawPath(gear);

    p.setPen(QPen(QColor(0x26, 0x29, 0x2c), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 11, 11);
    QRadialGradient nut(centre - QPointF(2, 2), 8);
    nut.setColorAt(0.0, QColor(0xf2, 0xf3, 0xf4));
    nut.setColorAt(1.0, QColor(0x55, 0x5a, 0x5f));
    p.setBrush(nut);
    QPainterPath hexagon;
    for (int i = 0; i < 6; ++i) {
        const double angle = i * std::numbers::pi / 3.0;
        const QPointF point = centre + QPointF(std::cos(angle), std::sin(angle)) * 6.5;
        if (i == 0)
            hexagon.moveTo(point);
        else
            hexagon.lineTo(point);
    }
    hexagon.closeSubpath();
    p.drawPath(hexagon);
}

} // namespace

QImage drawEngine(QSize size) {
    constexpr int supersample = 2;
    QImage canvas(size * supersample, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);

    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(canvas.width() / 297.0, canvas.height() / 250.0);
    // Keeps the red cap out of the top row of 16 px JPEG blocks, whose chroma
    // would otherwise tint the white margin.
    painter.translate(0, 10);

    paintGroundShadow(painter);
    paintPlugLead(painter);
    paintExhaustStub(painter);
    paintCasing(painter);
    paintCylinder(painter);
    paintCylinderHead(painter);
    paintSparkPlug(painter);
    paintCarburettor(painter);
    paintClutchCover(painter);
    paintSprocket(painter);
    painter.end();

    return boxDownscale(canvas, supersample).convertToFormat(QImage::Format_RGB32);
}
