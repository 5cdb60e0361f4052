#pragma once

#include <QImage>

// Averages factor × factor blocks of premultiplied pixels. Unlike
// QImage::scaled() the result does not depend on the Qt version, so the
// generated files stay byte-identical from one build to the next.
QImage boxDownscale(const QImage &source, int factor);
