#pragma once

#include <QImage>

// The window's two images, decoded from the copies built into the program.

// The 32 x 32 helmet, transparent outside its outline.
QImage helmetImage();

// The 297 x 250 photo of the engine.
QImage enginePhoto();

// The same photo drawn at twice the resolution, 594 x 500, for screens with more than one device
// pixel to a logical pixel.
QImage enginePhotoAtDoubleResolution();
