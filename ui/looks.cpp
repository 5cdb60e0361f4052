#include "ui/looks.h"

#include "ui/system_look.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array colourGroups{QPalette::Active, QPalette::Inactive};

double linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QColor mix(const QColor &from, const QColor &to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

QFont captionFont(qreal points) {
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(points);
    font.setBold(true);
    font.setItalic(false);
    return font;
}

// Keeps a group's text role as the palette has it unless it falls short on the group's
// background; only then is the role set.
void keepReadable(QPalette &colours, const QPalette &palette, QPalette::ColorRole text,
                  QPalette::ColorRole background) {
    for (const QPalette::ColorGroup group : colourGroups) {
        const QColor ink = palette.color(group, text);
        const QColor readable = readableOn(ink, palette.color(group, background));
        if (readable != ink) {
            colours.setColor(group, text, readable);
        }
    }
}

void wearFilledBackground(QPalette &colours, const QPalette &palette,
                          QPalette::ColorRole background) {
    for (const QPalette::ColorGroup group : colourGroups) {
        colours.setColor(group, background, filledBackground(palette, group));
        // A label writes in WindowText; on this background the text is the palette's Text.
        if (background == QPalette::Window) {
            colours.setColor(group, QPalette::WindowText, palette.color(group, QPalette::Text));
        }
    }
}

QPalette groupColours(LookGroup group, const QPalette &palette) {
    QPalette colours; // no role set: what is not set below follows the window
    switch (group) {
    case LookGroup::CaptionLabel:
    case LookGroup::LargeCaptionLabel:
    case LookGroup::Frame:
        keepReadable(colours, palette, QPalette::WindowText, QPalette::Window);
        break;
    case LookGroup::CommandButton:
    case LookGroup::SmallCommandButton:
        keepReadable(colours, palette, QPalette::ButtonText, QPalette::Button);
        break;
    case LookGroup::UserInput:
        keepReadable(colours, palette, QPalette::Text, QPalette::Base);
        break;
    case LookGroup::ResultLabel:
        wearFilledBackground(colours, palette, QPalette::Window);
        break;
    case LookGroup::PresetInput:
        wearFilledBackground(colours, palette, QPalette::Base);
        break;
    case LookGroup::Plain:
        break;
    }
    return colours;
}

} // namespace

QFont windowFont() {
    QFont font(dialogFontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    // Set explicitly, or the controls inside the frame would inherit its bold.
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

double relativeLuminance(const QColor &colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &text, const QColor &background) {
    if (contrastRatio(text, background) >= minimumContrast) {
        return text;
    }
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(black, background) >= contrastRatio(white, background) ? black : white;
}

QColor filledBackground(const QPalette &palette, QPalette::ColorGroup group) {
    return filledBackground(palette, group, inactiveBorderColour());
}

QColor filledBackground(const QPalette &palette, QPalette::ColorGroup group,
                        const std::optional<QColor> &systemColour) {
    const QColor text = palette.color(group, QPalette::Text);
    const QColor userBase = palette.color(group, QPalette::Base);
    const QColor grey = systemColour.value_or(
        mix(palette.color(group, QPalette::Window), palette.color(group, QPalette::Dark), 1.0 / 3));

    struct Demand {
        double contrast;
        bool keepApart;
    };
    // From the most wished for to the least; the last is always met, since black or white
    // contrasts by at least 4.58 with any colour.
    constexpr std::array demands{Demand{comfortableContrast, true},
                                 Demand{comfortableContrast, false},
                                 Demand{minimumContrast, false}};
    constexpr int steps = 64;
    const std::array ends{QColor(Qt::black), QColor(Qt::white)};
    for (const Demand &demand : demands) {
        for (int step = 0; step <= steps; ++step) {
            for (const QColor &end : ends) {
                const QColor candidate = mix(grey, end, static_cast<double>(step) / steps);
                if (contrastRatio(candidate, text) >= demand.contrast &&
                    (!demand.keepApart ||
                     contrastRatio(candidate, userBase) >= minimumSeparation)) {
                    return candidate;
                }
            }
        }
    }
    return readableOn(ends[0], text);
}

WindowLooks::WindowLooks(const QPalette &palette) {
    standInForMissingFaces();
    const QFont small = captionFont(8.25);
    const QFont large = captionFont(14.25);
    const QFont plain = windowFont();
    for (std::size_t i = 0; i < lookGroupCount; ++i) {
        switch (static_cast<LookGroup>(i)) {
        case LookGroup::CaptionLabel:
        case LookGroup::SmallCommandButton:
            m_fonts[i] = small;
            break;
        case LookGroup::LargeCaptionLabel:
        case LookGroup::CommandButton:
        case LookGroup::Frame:
            m_fonts[i] = large;
            break;
        case LookGroup::ResultLabel:
        case LookGroup::PresetInput:
        case LookGroup::UserInput:
        case LookGroup::Plain:
            // Set on each control, or those inside the frame would take the frame's large bold.
            m_fonts[i] = plain;
            break;
        }
    }
    deriveColours(palette);
}

void WindowLooks::dress(QWidget *control, LookGroup group) {
    control->setFont(font(group));
    if (colours(group).resolveMask() != 0) {
        control->setPalette(colours(group));
    }
    if (group != LookGroup::Plain) {
        m_dressed.emplace_back(control, group);
    }
}

void WindowLooks::followPalette(const QPalette &palette) {
    deriveColours(palette);
    // Also where a group now sets no role: that returns its controls to the window's colours.
    for (const auto &[control, group] : m_dressed) {
        control->setPalette(colours(group));
    }
}

void WindowLooks::deriveColours(const QPalette &palette) {
    for (std::size_t i = 0; i < lookGroupCount; ++i) {
        m_colours[i] = groupColours(static_cast<LookGroup>(i), palette);
    }
}
