#pragma once
// Tax on one payment for labour services; the same in both editions.

namespace tax {

float LabourRemunerationTax(double payment);

}  // namespace tax
