#pragma once

#include <QRect>

#include <cstddef>
#include <span>
#include <variant>

// The design of the main window as data: every control with its name, kind, caption, container,
// geometry and look group, in creation order. The window is built from this table alone.

enum class ControlKind { Label, TextBox, Button, Frame, PictureBox, Line };

// Controls of one group share font and colours.
enum class LookGroup {
    CaptionLabel,
    LargeCaptionLabel,
    ResultLabel,
    PresetInput,
    UserInput,
    CommandButton,
    SmallCommandButton,
    Frame,
    Plain, // the picture box and the rules: the toolkit's own look
};
inline constexpr std::size_t lookGroupCount = static_cast<std::size_t>(LookGroup::Plain) + 1;

// Lengths are in twips, as the window was drawn: 1/1440 inch, 15 to a pixel at 96 dpi.
inline constexpr int twipsPerPixel = 15;

constexpr int toPixels(int twips) {
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

// Where a control lies within its container, in twips.
struct Bounds {
    int left, top, width, height;
};

// A rule's two ends within its container, in twips, as the design draws it: from one point to
// the other.
struct RuleEnds {
    int x1, y1, x2, y2;
};

struct ControlDescription {
    const char *name; // the objectName
    ControlKind kind;
    const char *caption;   // UTF-8; empty for text boxes, result labels, rules and the picture
    const char *container; // "ve" for the window, "frmCambio" for the gear grid
    std::variant<Bounds, RuleEnds> geometry; // RuleEnds for a Line, Bounds for every other kind
    LookGroup look;
};

inline constexpr const char *windowName = "ve";
inline constexpr const char *windowCaption = "Dentaro v.2.0";
inline constexpr int clientWidthTwips = 13230;
inline constexpr int clientHeightTwips = 10875;

std::span<const ControlDescription> windowDesign();

// The controls Tab visits, in order; Tab after the last returns to the first.
std::span<const char *const> focusOrder();

// The geometry of a control in pixels within its container. A rule becomes a one-pixel-thick
// strip from one end point to the other.
QRect pixelGeometry(const ControlDescription &control);
