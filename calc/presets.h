#pragma once

#include "calc/field.h"

#include <QString>

#include <array>
#include <cstdint>
#include <span>

class GearSheet;

// The stock gearing of one kart engine: the teeth for Txt1 ... Txt14 in that order (the primary
// shaft of gears 1 to 6, the secondary shaft of gears 1 to 6, then the primary drive's pinion and
// crown).
struct EnginePreset {
    const char *caption; // UTF-8, the caption of the button that applies it
    std::array<std::int16_t, 14> teeth;
};

// Txt1 ... Txt14: the boxes a row fills, in the order it lists its teeth.
std::span<const Field, 14> presetFields();

// The six engines, in the order of their buttons Command1 ... Command6.
std::span<const EnginePreset> enginePresets();

inline constexpr std::int16_t standardCircumference = 88; // centimetres

// Writes the row's fourteen tooth counts into Txt1 ... Txt14, in that order. Nothing else on the
// sheet changes: the user's own boxes and any results on show stay as they are.
void applyPreset(GearSheet &sheet, const EnginePreset &preset);

// Writes the standard tyre circumference into txtCirco and touches nothing else.
void applyStandardCircumference(GearSheet &sheet);
