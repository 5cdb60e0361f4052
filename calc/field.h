#pragma once

#include <QString>

#include <array>
#include <cstddef>

// The 33 named text fields of a gear sheet. The enumerators carry the window's control names,
// so the sheet and the window speak of the same things.
enum class Field {
    // Inputs: typed by the user or filled by a preset.
    txtGiri,
    txtCirco,
    txtPignone,
    txtCorona,
    Txt13,
    Txt14,
    Txt1,
    Txt2,
    Txt3,
    Txt4,
    Txt5,
    Txt6,
    Txt7,
    Txt8,
    Txt9,
    Txt10,
    Txt11,
    Txt12,
    // Results: written only by the computation.
    lblFinale,
    lblP,
    lblGc,
    lbl1,
    lbl2,
    lbl3,
    lbl4,
    lbl5,
    lbl6,
    lblA,
    LblB,
    LblC,
    LblD,
    LblE,
    LblF,
};

inline constexpr int inputFieldCount = 18;
inline constexpr int resultFieldCount = 15;
inline constexpr int gearCount = 6;

// All fields in declaration order: the 18 inputs, then the 15 results.
const std::array<Field, inputFieldCount + resultFieldCount> &allFields();
const std::array<Field, inputFieldCount> &inputFields();
const std::array<Field, resultFieldCount> &resultFields();

bool isInput(Field field);

// A field's place among the inputs (0 ... 17) or among the results (0 ... 14).
constexpr std::size_t inputIndex(Field field) {
    return static_cast<std::size_t>(field);
}
constexpr std::size_t resultIndex(Field field) {
    return static_cast<std::size_t>(field) - inputFieldCount;
}

// The control name ("txtGiri", "LblB", ...).
QString fieldName(Field field);

// What the window writes beside the field, for messages and screen readers: "Giri Motore",
// "Pign. Primaria", and for the gear grid "3° Marcia, Prim." and the like.
QString fieldCaption(Field field);

// Gear n (1 ... 6) of the grid: the teeth on the primary and the secondary shaft, its ratio and
// its speed.
Field primaryTeeth(int gear);
Field secondaryTeeth(int gear);
Field gearRatio(int gear);
Field gearSpeed(int gear);
