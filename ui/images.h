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

// The first image of an ICO file. A 24-bit bitmap with its 1-bit transparency mask, as the
// helmet is, is read here: Qt's ICO reader would leave the transparent area black, as it reads
// the mask only for images of up to 8 bits per pixel, and loading it costs the start-up a
// plug-in. Any other layout goes to Qt's reader.
QImage decodeIco(const QByteArray &ico);
