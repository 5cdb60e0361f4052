#pragma once

#include "calc/gear_sheet.h"
#include "calc/presets.h"

#include <QString>

// The sheet a mechanic fills for the worked example: "Tm K8" gearing, 14000 rpm, an 88 cm tyre
// and a 17/30 chain drive.
inline MemorySheet workedExampleSheet() {
    MemorySheet sheet;
    applyPreset(sheet, enginePresets()[1]);
    sheet.setText(Field::txtGiri, QStringLiteral("14000"));
    sheet.setText(Field::txtCirco, QStringLiteral("88"));
    sheet.setText(Field::txtPignone, QStringLiteral("17"));
    sheet.setText(Field::txtCorona, QStringLiteral("30"));
    return sheet;
}
