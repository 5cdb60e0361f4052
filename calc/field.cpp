#include "calc/field.h"

#include <cassert>

namespace {

constexpr int count = inputFieldCount + resultFieldCount;

struct FieldInfo {
    Field field;
    const char *name;
    const char *caption; // UTF-8
};

// One row per field, in enumeration order.
constexpr std::array<FieldInfo, count> fieldTable{{
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

constexpr bool tableInEnumOrder() {
    for (int i = 0; i < count; ++i) {
        if (static_cast<int>(fieldTable[i].field) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableInEnumOrder());

const FieldInfo &info(Field field) {
    return fieldTable[static_cast<std::size_t>(field)];
}

template<std::size_t N>
constexpr std::array<Field, N> fieldsFrom(int first) {
    std::array<Field, N> fields{};
    for (std::size_t i = 0; i < N; ++i) {
        fields[i] = static_cast<Field>(first + static_cast<int>(i));
    }
    return fields;
}

Field offset(Field first, int gear) {
    assert(gear >= 1 && gear <= gearCount);
    return static_cast<Field>(static_cast<int>(first) + gear - 1);
}

} // namespace

const std::array<Field, count> &allFields() {
    static constexpr auto fields = fieldsFrom<count>(0);
    return fields;
}

const std::array<Field, inputFieldCount> &inputFields() {
    static constexpr auto fields = fieldsFrom<inputFieldCount>(0);
    return fields;
}

const std::array<Field, resultFieldCount> &resultFields() {
    static constexpr auto fields = fieldsFrom<resultFieldCount>(inputFieldCount);
    return fields;
}

bool isInput(Field field) {
    return static_cast<int>(field) < inputFieldCount;
}

QString fieldName(Field field) {
    return QString::fromLatin1(info(field).name);
}

QString fieldCaption(Field field) {
    return QString::fromUtf8(info(field).caption);
}

Field primaryTeeth(int gear) {
    return offset(Field::Txt1, gear);
}

Field secondaryTeeth(int gear) {
    return offset(Field::Txt7, gear);
}

Field gearRatio(int gear) {
    return offset(Field::lbl1, gear);
}

Field gearSpeed(int gear) {
    return offset(Field::lblA, gear);
}
