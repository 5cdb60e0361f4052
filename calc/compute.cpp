#include "calc/compute.h"

#include "calc/gear_sheet.h"
#include "runtime/number_text.h"

#include <utility>

namespace {

// Thrown by a step and caught in compute(), so that each step reads as the formula it is; it
// never leaves this file.
struct StepFailure {
    ComputeFailure failure;
};

[[noreturn]] void raiseArithmeticFault(ArithmeticFault fault, Field boxToCorrect) {
    throw StepFailure{{failureKind(fault), boxToCorrect, {}, std::nullopt}};
}

class Computation {
public:
    explicit Computation(GearSheet &sheet)
        : m_sheet(sheet) {}

    void run() {
        computeFinalRatio();
        computePrimaryRatio();
        computeGearboxRevolutions();
        for (int gear = 1; gear <= gearCount; ++gear) {
            computeGearRatio(gear);
        }
        for (int gear = 1; gear <= gearCount; ++gear) {
            computeSpeed(gear);
        }
    }

private:
    void computeFinalRatio() {
        const QString pinion = read(Field::txtPignone);
        const QString crown = read(Field::txtCorona);
        // The crown is converted before the pinion, so a bad crown is reported first.
        const double crownTeeth = number(crown, Field::txtCorona);
        const double pinionTeeth = number(pinion, Field::txtPignone);
        write(Field::lblFinale, divide(crownTeeth, pinionTeeth, Field::txtPignone));
    }

    void computePrimaryRatio() {
        const QString pinion = read(Field::Txt13);
        const QString crown = read(Field::Txt14);
        const double crownTeeth = number(crown, Field::Txt14);
        const double pinionTeeth = number(pinion, Field::Txt13);
        write(Field::lblP, divide(crownTeeth, pinionTeeth, Field::Txt13));
    }

    void computeGearboxRevolutions() {
        // A zero primary ratio comes from a crown of zero teeth: that is the box to correct.
        const QString ratio = read(Field::lblP);
        const QString engine = read(Field::txtGiri);
        // As in every step, the dividend's text is converted first.
        const double engineRpm = number(engine, Field::txtGiri);
        const double ratioValue = readBack(ratio, Field::lblP, Field::Txt14);
        write(Field::lblGc, divide(engineRpm, ratioValue, Field::Txt14));
    }

    void computeGearRatio(int gear) {
        const QString primary = read(primaryTeeth(gear));
        const QString secondary = read(secondaryTeeth(gear));
        const double secondaryTeethCount = number(secondary, secondaryTeeth(gear));
        const double primaryTeethCount = number(primary, primaryTeeth(gear));
        write(gearRatio(gear), divide(secondaryTeethCount, primaryTeethCount, primaryTeeth(gear)));
    }

    void computeSpeed(int gear) {
        const QString ratio = read(gearRatio(gear));
        const QString finalDrive = read(Field::lblFinale);
        const QString circumference = read(Field::txtCirco);
        const QString gearbox = read(Field::lblGc);

        const double gearboxRpm = readBack(gearbox, Field::lblGc, Field::txtGiri);
        const double ratioValue = readBack(ratio, gearRatio(gear), secondaryTeeth(gear));
        // Wheel revolutions per minute.
        double q = divide(gearboxRpm, ratioValue, secondaryTeeth(gear));
        q = divide(q, readBack(finalDrive, Field::lblFinale, Field::txtCorona), Field::txtCorona);
        // Centimetres per minute, then per hour, then kilometres per hour.
        double v = multiply(number(circumference, Field::txtCirco), q, Field::txtCirco);
        v = multiply(v, 60.0, Field::txtCirco);
        v = divide(v, 100000.0, Field::txtCirco);
        write(gearSpeed(gear), v);
    }

    QString read(Field field) const { return m_sheet.text(field); }

    static double number(const QString &text, Field field) {
        return converted(text, {FailureKind::ConversionError, field, text, std::nullopt});
    }

    // A result a later step reads back. Every text numberToText writes converts again, so no
    // input leads here; should one ever, the user is sent to the box behind the result, as a
    // label cannot be typed into.
    static double readBack(const QString &text, Field result, Field boxBehind) {
        return converted(text, {FailureKind::UnreadableResult, boxBehind, text, result});
    }

    static double converted(const QString &text, ComputeFailure ifNotANumber) {
        const std::optional<double> value = textToNumber(text);
        if (!value) {
            throw StepFailure{std::move(ifNotANumber)};
        }
        return *value;
    }

    static double divide(double dividend, double divisor, Field boxToCorrect) {
        return checked(checkedDivide(dividend, divisor), boxToCorrect);
    }

    static double multiply(double lhs, double rhs, Field boxToCorrect) {
        return checked(checkedMultiply(lhs, rhs), boxToCorrect);
    }

    static double checked(CheckedValue result, Field boxToCorrect) {
        if (result.fault) {
            raiseArithmeticFault(*result.fault, boxToCorrect);
        }
        return result.value;
    }

    void write(Field field, double value) { m_sheet.setText(field, numberToText(value)); }

    GearSheet &m_sheet;
};

} // namespace

FailureKind failureKind(ArithmeticFault fault) {
    switch (fault) {
    case ArithmeticFault::InvalidOperation:
        return FailureKind::InvalidOperation;
    case ArithmeticFault::DivisionByZero:
        return FailureKind::DivisionByZero;
    case ArithmeticFault::Overflow:
        return FailureKind::Overflow;
    }
    return FailureKind::InvalidOperation;
}

std::optional<ComputeFailure> compute(GearSheet &sheet) {
    try {
        Computation(sheet).run();
    } catch (const StepFailure &stop) {
        for (const Field field : resultFields()) {
            sheet.setText(field, QString());
        }
        return stop.failure;
    }
    return std::nullopt;
}
