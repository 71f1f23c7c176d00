#include "tax/labour.hpp"

#include "tax/arithmetic.hpp"

namespace tax {
namespace {

// Rows test the payment while the rates apply to its taxable part: the
// payment less 800 up to 4000, and 80 % of it above.
double LabourTable(double x) {
    using namespace checked;
    if (0 <= x && x <= 800) return 0;
    if (800 <= x && x <= 4000) return Mul(Sub(x, 800), 0.2);
    if (4000 <= x && x <= 25000) return Mul(Mul(x, 0.8), 0.2);
    if (25000 <= x && x <= 62500) return Add(4000, Mul(Sub(Mul(x, 0.8), 20000), 0.3));
    return Add(13000, Mul(Sub(Mul(x, 0.8), 50000), 0.4));
}

}  // namespace

float LabourRemunerationTax(double payment) {
    const float tax = checked::ToSingle(LabourTable(payment));
    return payment <= 0 ? 0.0f : tax;
}

}  // namespace tax
