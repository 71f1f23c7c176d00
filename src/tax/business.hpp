#pragma once
// Yearly tax on business and contracting income.

#include "tax/edition.hpp"

namespace tax {

float BusinessIncomeTax(double taxable, Edition edition);

}  // namespace tax
