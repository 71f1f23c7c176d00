#pragma once
// The progressive tables of the rules in force, as data, and the lookup of a row.

#include "tax/current/exact.hpp"

#include <array>
#include <span>

namespace tax::current::detail {

constexpr Fen Yuan(Fen yuan) { return yuan * 100; }

inline constexpr Fen kAbove = 0;  // upTo of a last row

// The tables as they have stood since 2019; parameters.cpp dates them.
// Comprehensive income, annual (also the cumulative withholding table of wages).
inline constexpr std::array<Bracket, 7> kAnnualTable{{
    {Yuan(36'000), 3, Yuan(0)},
    {Yuan(144'000), 10, Yuan(2'520)},
    {Yuan(300'000), 20, Yuan(16'920)},
    {Yuan(420'000), 25, Yuan(31'920)},
    {Yuan(660'000), 30, Yuan(52'920)},
    {Yuan(960'000), 35, Yuan(85'920)},
    {kAbove, 45, Yuan(181'920)},
}};

// Monthly table, applied to the annual one-time bonus by the row of bonus / 12.
inline constexpr std::array<Bracket, 7> kMonthlyTable{{
    {Yuan(3'000), 3, Yuan(0)},
    {Yuan(12'000), 10, Yuan(210)},
    {Yuan(25'000), 20, Yuan(1'410)},
    {Yuan(35'000), 25, Yuan(2'660)},
    {Yuan(55'000), 30, Yuan(4'410)},
    {Yuan(80'000), 35, Yuan(7'160)},
    {kAbove, 45, Yuan(15'160)},
}};

// Withholding on labour remuneration, by the taxable part of the payment.
inline constexpr std::array<Bracket, 3> kLabourTable{{
    {Yuan(20'000), 20, Yuan(0)},
    {Yuan(50'000), 30, Yuan(2'000)},
    {kAbove, 40, Yuan(7'000)},
}};

// Business income, annual.
inline constexpr std::array<Bracket, 5> kBusinessTable{{
    {Yuan(30'000), 5, Yuan(0)},
    {Yuan(90'000), 10, Yuan(1'500)},
    {Yuan(300'000), 20, Yuan(10'500)},
    {Yuan(500'000), 30, Yuan(40'500)},
    {kAbove, 35, Yuan(65'500)},
}};

// The first row whose bound, times boundFactor, the amount does not exceed; else the last.
constexpr const Bracket& RowFor(Table table, Exact amount, Wide boundFactor = 1) {
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        if (amount <= Exact(table[i].upTo).Times(boundFactor)) return table[i];
    }
    return table.back();
}

constexpr Exact RowTax(const Bracket& row, Exact amount) {
    return amount.Percent(row.ratePercent) - Exact(row.quickDeduction);
}

// The tax of a taxable amount by a table, rounded to the fen: 0 (and no row) for 0 or less.
struct TableTax {
    const Bracket* row;
    Wide tax;
};
constexpr TableTax ByTable(Table table, Exact taxable) {
    if (taxable <= Exact()) return {nullptr, 0};
    const Bracket& row = RowFor(table, taxable);
    return {&row, RowTax(row, taxable).RoundedFen()};
}

}  // namespace tax::current::detail
