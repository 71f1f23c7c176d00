#pragma once
// Turning field text into amounts and amounts into the text the windows show.

#include <string>
#include <string_view>

namespace tax {

// The number that `text` (UTF-8) starts with, 0 when there is none.
double ReadAmount(std::string_view text);

// UTF-8 text of `amount` rounded to single precision, 7 significant digits.
std::string FormatAmount(double amount);

// Text of `amount` with 15 significant digits and no single rounding.
std::string FormatDoubleAmount(double amount);

}  // namespace tax
