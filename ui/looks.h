#pragma once

#include "ui/window_design.h"

#include <QColor>
#include <QFont>
#include <QPalette>

#include <array>
#include <optional>
#include <utility>
#include <vector>

class QWidget;

// The least contrast between any text of the window and what it stands on (WCAG level AA).
inline constexpr double minimumContrast = 4.5;
// What the filled boxes' own background keeps with the text: above the minimum, so that the
// antialiased strokes of small text still reach the minimum on screen.
inline constexpr double comfortableContrast = 5.0;
// How far the filled boxes' background keeps from the boxes the user types into, as a contrast
// ratio: enough to tell the two kinds apart at a glance.
inline constexpr double minimumSeparation = 1.25;

// The relative luminance of a colour (WCAG 2): 0 for black, 1 for white.
double relativeLuminance(const QColor &colour);

// The contrast ratio of two colours (WCAG 2), from 1 (the same) to 21 (black and white).
double contrastRatio(const QColor &a, const QColor &b);

// The text colour, or black or white if the text colour does not stand out from the background
// by the minimum contrast: one of the two always does.
QColor readableOn(const QColor &text, const QColor &background);

// The background of the boxes the presets fill and of the result labels, which tells the user
// "filled for you": the system's inactive-border colour where the platform has one (Windows),
// else the desktop's counterpart of it, a third of the way from the window's colour to the
// style's dark shade (Qt's light palette gives (212, 212, 212), a dark scheme a grey just off its
// dark window). When that colour would not give the palette's Text a comfortable contrast, or
// would come too close to the Base of the boxes the user types into, it moves the least way
// towards black or white that satisfies both; failing that, the comfortable contrast alone;
// failing that, the minimum.
QColor filledBackground(const QPalette &palette, QPalette::ColorGroup group,
                        const std::optional<QColor> &systemColour);
// The same from the system colour the platform has now.
QColor filledBackground(const QPalette &palette, QPalette::ColorGroup group);

// The window's own face, which its boxes and result labels wear: the desktop's dialog face at
// 8 points, which fits their 19 and 17 pixels.
QFont windowFont();

// The fonts and colours of the window's look groups. Each group's font and palette are built once
// and shared by its controls; the palettes carry only the roles the group sets, so every other
// colour keeps following the desktop. When the desktop's palette changes, followPalette derives
// the colours again and gives them to every control already dressed.
class WindowLooks {
public:
    explicit WindowLooks(const QPalette &palette);

    // Gives a control its group's font and colours, and remembers it for later palette changes.
    void dress(QWidget *control, LookGroup group);
    void followPalette(const QPalette &palette);

    const QFont &font(LookGroup group) const { return m_fonts[index(group)]; }
    const QPalette &colours(LookGroup group) const { return m_colours[index(group)]; }

private:
    static std::size_t index(LookGroup group) { return static_cast<std::size_t>(group); }
    void deriveColours(const QPalette &palette);

    std::array<QFont, lookGroupCount> m_fonts;
    std::array<QPalette, lookGroupCount> m_colours;
    std::vector<std::pair<QWidget *, LookGroup>> m_dressed;
};
