#pragma once

#include <QColor>
#include <QImage>

// Tone used for the shell outline; edge pixels of the icon are blended towards
// it when the alpha channel is reduced to a 1-bit mask.
inline constexpr QRgb helmetOutlineRgb = 0xff0b3a12;

// Green full-face kart helmet seen from the side, facing right, on a
// transparent background. Drawn supersampled and box-filtered down to side px.
QImage drawHelmet(int side);
