#include "tax/arithmetic.hpp"

#include <cmath>
#include <limits>

namespace tax::checked {
namespace {

double Finite(double result, const char* operation) {
    if (!std::isfinite(result)) {
        throw ArithmeticError(std::string("arithmetic overflow in ") + operation);
    }
    return result;
}

// The smallest magnitude that rounds to infinity in single precision: the
// largest single plus half of its last unit, 2^128 - 2^103 (exact in double).
constexpr double kSingleOverflow = 0x1.ffffffp+127;

}  // namespace

double Add(double a, double b) { return Finite(a + b, "addition"); }
double Sub(double a, double b) { return Finite(a - b, "subtraction"); }
double Mul(double a, double b) { return Finite(a * b, "multiplication"); }

float ToSingle(double value) {
    if (std::isnan(value) || std::fabs(value) >= kSingleOverflow) {
        throw ArithmeticError("value beyond the single-precision range");
    }
    return static_cast<float>(value);  // round to nearest, subnormals kept
}

}  // namespace tax::checked
