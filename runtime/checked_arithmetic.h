#pragma once

#include <optional>

// The floating-point faults that stop a computation. Inexact results and underflow are not
// faults: a speed of 41.80338 km/h is as exact as a mechanic needs.
enum class ArithmeticFault {
    InvalidOperation, // 0 / 0
    DivisionByZero,   // a finite non-zero number divided by zero
    Overflow,         // a finite operation whose result no double can hold
};

// A result or the fault that prevented it.
struct CheckedValue {
    double value = 0.0;
    std::optional<ArithmeticFault> fault;
};

// Both operate on finite operands; a non-finite operand is reported as an invalid operation.
CheckedValue checkedDivide(double dividend, double divisor);
CheckedValue checkedMultiply(double lhs, double rhs);
