#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

class QPainter;

// Tone used for the shell outline; edge pixels of the icon are blended towards it when the alpha
// channel is reduced to a 1-bit mask.
inline constexpr QRgb helmetOutlineRgb = 0xff0b3a12;

// Paints the green full-face kart helmet, seen from the side and facing right, on a 100 × 100
// grid that the caller has scaled to the target. side is the size in pixels it will be seen at:
// it decides how much detail the drawing carries and how wide its lines are.
void paintHelmet(QPainter &painter, int side);

// The helmet as a side × side image on a transparent background, drawn supersampled and
// box-filtered down.
QImage drawHelmet(int side);

// The helmet as an SVG document of side × side pixels, painted by the same code as the images.
QByteArray drawHelmetSvg(int side);
