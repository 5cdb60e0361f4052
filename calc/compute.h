#pragma once

#include "calc/field.h"
#include "runtime/checked_arithmetic.h"

#include <QString>

#include <optional>

class GearSheet;

enum class FailureKind {
    ConversionError,  // a text that is not a number
    UnreadableResult, // a result whose shown text did not convert back
    InvalidOperation,
    DivisionByZero,
    Overflow,
};

// Why a computation stopped, and what the user has to correct.
struct ComputeFailure {
    FailureKind kind = FailureKind::ConversionError;
    // The input box to correct, never a result: for a conversion error the box whose text
    // failed, for an arithmetic fault the box behind the divisor (or txtCirco for an overflowing
    // speed), for an unreadable result the box behind its dividend.
    Field field = Field::txtGiri;
    // For a conversion error or an unreadable result, the text that failed.
    QString text;
    // For an unreadable result, the result whose text it was.
    std::optional<Field> result;

    bool operator==(const ComputeFailure &) const = default;
};

FailureKind failureKind(ArithmeticFault fault);

// Computes the final ratio, the primary ratio, the gearbox input revolutions, the six gear ratios
// and the six road speeds in km/h from the sheet's inputs and writes them into its result fields.
//
// Every intermediate a later step needs travels through its result field's text: the later step
// reads the caption back, so the rounding of the shown text carries on and two runs over the same
// inputs show the same texts.
//
// Returns nothing on success. On the first failure it stops, clears all fifteen result fields so
// that no stale or half-new result stays on show, and returns what went wrong.
std::optional<ComputeFailure> compute(GearSheet &sheet);
