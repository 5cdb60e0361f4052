#pragma once

#include "calc/field.h"
#include "runtime/checked_arithmetic.h"

#include <QString>

#include <optional>

class GearSheet;

enum class FailureKind {
    ConversionError, // a text that is not a number
    InvalidOperation,
    DivisionByZero,
    Overflow,
};

// Why a computation stopped, and what the user has to correct.
struct ComputeFailure {
    FailureKind kind = FailureKind::ConversionError;
    // The input box to correct: for a conversion error the box whose text failed, for an
    // arithmetic fault the box behind the divisor (or txtCirco for an overflowing speed).
    Field field = Field::txtGiri;
    // For a conversion error, the text that failed.
    QString text;

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
