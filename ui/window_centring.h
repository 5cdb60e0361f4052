#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where the frame's top-left corner goes so that a window of the given client size, inside a
// frame with the given margins, stands in the middle of the available area.
QPoint centredFramePosition(QSize client, QMargins frame, QRect available);

// Places a top-level window, frame included as far as it is known, in the middle of the
// available area of the screen it is on.
void centreOnScreen(QWidget &window);

// Centres a top-level window and shows it. A window manager adds its frame only once the
// window is shown; the first time the window moves with a frame around it, it is centred again,
// frame included. Without a window manager the client area stays centred.
void showCentred(QWidget &window);
