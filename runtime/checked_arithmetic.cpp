#include "runtime/checked_arithmetic.h"

#include <cmath>

namespace {

// Classifies a result computed from finite operands: NaN means the operation was invalid,
// infinity that it overflowed.
CheckedValue classify(double result) {
    if (std::isnan(result)) {
        return {0.0, ArithmeticFault::InvalidOperation};
    }
    if (std::isinf(result)) {
        return {0.0, ArithmeticFault::Overflow};
    }
    return {result, std::nullopt};
}

bool finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

} // namespace

CheckedValue checkedDivide(double dividend, double divisor) {
    if (!finite(dividend, divisor)) {
        return {0.0, ArithmeticFault::InvalidOperation};
    }
    // Tested before dividing, so no division by zero is ever executed.
    if (divisor == 0.0) {
        return {0.0, dividend == 0.0 ? ArithmeticFault::InvalidOperation
                                     : ArithmeticFault::DivisionByZero};
    }
    return classify(dividend / divisor);
}

CheckedValue checkedMultiply(double lhs, double rhs) {
    if (!finite(lhs, rhs)) {
        return {0.0, ArithmeticFault::InvalidOperation};
    }
    return classify(lhs * rhs);
}
