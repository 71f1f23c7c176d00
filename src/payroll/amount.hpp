#pragma once
// The cells of a payroll file that are numbers: amounts in yuan and months, and the plain
// figures the withholding columns are written in.

#include "tax/current.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace payroll {

using tax::current::Fen;

// The cell's amount exactly as tax::current::ReadYuan reads it (an empty cell is 0; no sign,
// grouping or exponent). Plain decimals such as "1234.56", most cells of a large file, are
// read here without ReadYuan's copy of the text; everything else goes to ReadYuan.
std::optional<Fen> ReadAmount(std::string_view cell);

// A month from 1 to 12: one or two ASCII digits ("3", "03"), with blanks (space, tab,
// ideographic space) around them ignored.
std::optional<int> ReadMonth(std::string_view cell);

// Two decimals, no grouping, "-" before a negative amount: "1234.56", "-800.00", "0.00".
// Every Fen has its text, INT64_MIN included.
void AppendPlainYuan(std::string& out, Fen amount);
std::string PlainYuan(Fen amount);

}  // namespace payroll
