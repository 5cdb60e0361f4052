#pragma once

#include <QImage>
#include <QSize>

// Shifter-kart two-stroke engine, side view, cut out on a white background.
QImage drawEngine(QSize size);
