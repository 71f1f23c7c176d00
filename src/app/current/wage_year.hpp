#pragma once
// The wage page's year in the figures other pages take from it: the settlement's incomes and
// deductions, and the planner's deductions.

#include "tax/current/parameters.hpp"

#include <optional>

class QWidget;

namespace app::current {

class WagePage;

using tax::current::Fen;

// The year's sums: wages are gross less the exempt income; basic is the basic deduction the
// withholding counted by December; withheld is what the schedule withholds.
struct WageYearTotals {
    Fen wages = 0, basic = 0, special = 0, additional = 0, other = 0, donation = 0, withheld = 0;
};

// The year the wage page has worked out; nullopt, reported over `asking`, before it has worked
// one out.
std::optional<WageYearTotals> WageYearOf(const WagePage& wages, QWidget& asking);

}  // namespace app::current
