#pragma once

#include <QColor>
#include <QString>

#include <optional>

// What the desktop itself says of the looks the design names but leaves to the system.

// The face of the desktop's dialogs, in which the design's boxes were drawn at 8 points: on
// Windows the face its dialog font "MS Shell Dlg 2" stands for (Tahoma), elsewhere the
// desktop's sans serif.
QString dialogFontFamily();

// Where the captions' face "Comic Sans MS" is missing, Comic Neue, the free face drawn after it,
// stands in rather than whatever face the toolkit would pick, which cuts the captions short in
// their boxes. On Windows (Wine has no Comic Sans MS) the toolkit is told so; on Linux the
// fontconfig alias that comes with Comic Neue says it already.
void standInForMissingFaces();

// The system colour of an inactive window's border, where the platform has one (Windows): the
// background the design gives the boxes the presets fill and the result labels.
std::optional<QColor> inactiveBorderColour();
