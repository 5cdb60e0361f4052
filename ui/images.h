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

// Applies the 1-bit transparency mask of the first image of an ICO file to its decoded colours.
// Qt's ICO reader reads the mask only for images of up to 8 bits per pixel; for 24-bit images
// it would leave the transparent area black. Returns the image unchanged if the file is not laid
// out as expected.
QImage withIcoMask(const QByteArray &ico, const QImage &decoded);
