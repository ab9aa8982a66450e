#pragma once

#include "core/absorber.h"

#include <cmath>

namespace absorber::detail {

// IEEE arithmetic that remembers the first fault it would have raised.
// Every calculation stops at its first fault, so the operands of a checked
// operation are finite; the status an operation raises on finite operands
// can then be read off its result: NaN is an invalid operation, an infinity
// is an overflow, or a division by zero when the divisor was zero. Reading
// it off the value keeps the checks exact under any compiler, where the
// floating-point status register is easily reordered away.
class Checked {
public:
    double add(double a, double b) { return note(a + b, false); }
    double sub(double a, double b) { return note(a - b, false); }
    double mul(double a, double b) { return note(a * b, false); }
    double div(double a, double b) { return note(a / b, b == 0.0); }

    bool failed() const { return fault_ != Outcome::completed; }
    Outcome fault() const { return fault_; }

private:
    double note(double result, bool zeroDivisor)
    {
        if (fault_ == Outcome::completed) {
            if (std::isnan(result))
                fault_ = Outcome::invalidOperation;
            else if (std::isinf(result))
                fault_ = zeroDivisor ? Outcome::divisionByZero : Outcome::overflow;
        }
        return result;
    }

    Outcome fault_ = Outcome::completed;
};

}  // namespace absorber::detail
