#pragma once

#include <QColor>
#include <QString>

#include <optional>

// What the desktop itself says of the looks the design names but leaves to the system.

// The face of the desktop's dialogs, in which the design's boxes were drawn at 8 points: on
// Windows the face its dialog font "MS Shell Dlg 2" stands for (Tahoma), elsewhere the
// desktop's sans serif.
QString dialogFontFamily();

// The system colour of an inactive window's border, where the platform has one (Windows): the
// background the design gives the boxes the presets fill and the result labels.
std::optional<QColor> inactiveBorderColour();
