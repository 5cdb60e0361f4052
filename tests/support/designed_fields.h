#pragma once

#include "calc/field.h"

#include <array>

// The 33 fields as the window's drawing names and captions them, written out here apart from the
// program's own table: what the window writes beside a field is what messages and screen readers
// call it. A box's caption is its label; one in the gear grid is its row's and its column's.

struct DesignedField {
    Field field;
    const char *name; // the control's objectName
    const char *caption;
};

// The boxes the user types into, in the order of the input fields.
inline constexpr std::array<DesignedField, 18> designedBoxes{{
    {Field::txtGiri, "txtGiri", "Giri Motore"},
    {Field::txtCirco, "txtCirco", "Circonferenza Gomma"},
    {Field::txtPignone, "txtPignone", "Pignone"},
    {Field::txtCorona, "txtCorona", "Corona"},
    {Field::Txt13, "Txt13", "Pign. Primaria"},
    {Field::Txt14, "Txt14", "Cor. Primaria"},
    {Field::Txt1, "Txt1", "1° Marcia, Prim."},
    {Field::Txt2, "Txt2", "2° Marcia, Prim."},
    {Field::Txt3, "Txt3", "3° Marcia, Prim."},
    {Field::Txt4, "Txt4", "4° Marcia, Prim."},
    {Field::Txt5, "Txt5", "5° Marcia, Prim."},
    {Field::Txt6, "Txt6", "6° Marcia, Prim."},
    {Field::Txt7, "Txt7", "1° Marcia, Sec."},
    {Field::Txt8, "Txt8", "2° Marcia, Sec."},
    {Field::Txt9, "Txt9", "3° Marcia, Sec."},
    {Field::Txt10, "Txt10", "4° Marcia, Sec."},
    {Field::Txt11, "Txt11", "5° Marcia, Sec."},
    {Field::Txt12, "Txt12", "6° Marcia, Sec."},
}};

// The labels the computation writes its results into.
inline constexpr std::array<DesignedField, 15> designedResults{{
    {Field::lblFinale, "lblFinale", "Rapporto Finale"},
    {Field::lblP, "lblP", "Primaria"},
    {Field::lblGc, "lblGc", "Giri Cambio"},
    {Field::lbl1, "lbl1", "1° Marcia, Rapp.Sec./Prim."},
    {Field::lbl2, "lbl2", "2° Marcia, Rapp.Sec./Prim."},
    {Field::lbl3, "lbl3", "3° Marcia, Rapp.Sec./Prim."},
    {Field::lbl4, "lbl4", "4° Marcia, Rapp.Sec./Prim."},
    {Field::lbl5, "lbl5", "5° Marcia, Rapp.Sec./Prim."},
    {Field::lbl6, "lbl6", "6° Marcia, Rapp.Sec./Prim."},
    {Field::lblA, "lblA", "1° Marcia, Velocità Km/h"},
    {Field::LblB, "LblB", "2° Marcia, Velocità Km/h"},
    {Field::LblC, "LblC", "3° Marcia, Velocità Km/h"},
    {Field::LblD, "LblD", "4° Marcia, Velocità Km/h"},
    {Field::LblE, "LblE", "5° Marcia, Velocità Km/h"},
    {Field::LblF, "LblF", "6° Marcia, Velocità Km/h"},
}};
