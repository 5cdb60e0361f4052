#include "calc/presets.h"

#include "calc/gear_sheet.h"
#include "runtime/number_text.h"

namespace {

// "Tm K8", "Tm K9" and "Tm K9b" share one gearbox and one primary drive.
constexpr std::array<std::int16_t, 14> tmGearing{13, 16, 18, 22, 22, 27, 33,
                                                 29, 27, 27, 23, 25, 19, 75};

constexpr std::array<EnginePreset, 6> presets{{
    {"Tm Kv95", {13, 16, 18, 23, 22, 23, 33, 30, 28, 29, 24, 22, 20, 73}},
    {"Tm K8", tmGearing},
    {"Tm K9", tmGearing},
    {"Vortex RVS", {13, 15, 16, 19, 24, 23, 33, 28, 24, 24, 26, 22, 15, 59}},
    {"Pavesi 25°", {15, 19, 21, 23, 25, 27, 32, 29, 26, 24, 22, 21, 18, 75}},
    {"Tm K9b", tmGearing},
}};

constexpr std::array<Field, 14> rowFields{
    Field::Txt1, Field::Txt2, Field::Txt3,  Field::Txt4,  Field::Txt5,  Field::Txt6,  Field::Txt7,
    Field::Txt8, Field::Txt9, Field::Txt10, Field::Txt11, Field::Txt12, Field::Txt13, Field::Txt14,
};

} // namespace

std::span<const Field, 14> presetFields() {
    return rowFields;
}

std::span<const EnginePreset> enginePresets() {
    return presets;
}

void applyPreset(GearSheet &sheet, const EnginePreset &preset) {
    for (std::size_t i = 0; i < rowFields.size(); ++i) {
        sheet.setText(rowFields[i], wholeToText(preset.teeth[i]));
    }
}

void applyStandardCircumference(GearSheet &sheet) {
    sheet.setText(Field::txtCirco, wholeToText(standardCircumference));
}
