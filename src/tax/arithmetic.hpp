#pragma once
// Shared ground of every rule: the arithmetic error and the checked
// double/single operations through which all tax arithmetic runs.

#include <stdexcept>

namespace tax {

// Raised by every arithmetic step whose result leaves the double range or is
// invalid, by a conversion to single precision beyond its range, and by
// ReadAmount for a number beyond the double range.
class ArithmeticError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace checked {

// Each returns the IEEE double result of one operation, or raises
// ArithmeticError when that result is infinite or NaN.
double Add(double a, double b);
double Sub(double a, double b);
double Mul(double a, double b);

// Round to the nearest single-precision value. A magnitude that rounds beyond
// the largest single raises ArithmeticError, as does NaN; a magnitude below the
// smallest single becomes the nearest subnormal or zero without error.
float ToSingle(double value);

}  // namespace checked
}  // namespace tax
