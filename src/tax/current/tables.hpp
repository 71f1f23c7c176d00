#pragma once
// The tables and constants of the rules in force today, as data, and the lookup of a row.

#include "tax/current/exact.hpp"

#include <array>
#include <span>

namespace tax::current::detail {

constexpr Fen Yuan(Fen yuan) { return yuan * 100; }

// A row of a progressive table: amount × rate - quick deduction. A bound belongs to the lower
// row; the last row takes everything above, so its upTo is never read.
struct Row {
    Fen upTo;
    int ratePercent;
    Fen quickDeduction;
};
inline constexpr Fen kAbove = 0;  // upTo of a last row

// Comprehensive income, annual (also the cumulative withholding table of wages).
inline constexpr std::array<Row, 7> kAnnualTable{{
    {Yuan(36'000), 3, Yuan(0)},
    {Yuan(144'000), 10, Yuan(2'520)},
    {Yuan(300'000), 20, Yuan(16'920)},
    {Yuan(420'000), 25, Yuan(31'920)},
    {Yuan(660'000), 30, Yuan(52'920)},
    {Yuan(960'000), 35, Yuan(85'920)},
    {kAbove, 45, Yuan(181'920)},
}};

// Monthly table, applied to the annual one-time bonus by the row of bonus / 12.
inline constexpr std::array<Row, 7> kMonthlyTable{{
    {Yuan(3'000), 3, Yuan(0)},
    {Yuan(12'000), 10, Yuan(210)},
    {Yuan(25'000), 20, Yuan(1'410)},
    {Yuan(35'000), 25, Yuan(2'660)},
    {Yuan(55'000), 30, Yuan(4'410)},
    {Yuan(80'000), 35, Yuan(7'160)},
    {kAbove, 45, Yuan(15'160)},
}};
inline constexpr int kBonusMonths = 12;

// Withholding on labour remuneration, by the taxable part of the payment.
inline constexpr std::array<Row, 3> kLabourTable{{
    {Yuan(20'000), 20, Yuan(0)},
    {Yuan(50'000), 30, Yuan(2'000)},
    {kAbove, 40, Yuan(7'000)},
}};

// Business income, annual.
inline constexpr std::array<Row, 5> kBusinessTable{{
    {Yuan(30'000), 5, Yuan(0)},
    {Yuan(90'000), 10, Yuan(1'500)},
    {Yuan(300'000), 20, Yuan(10'500)},
    {Yuan(500'000), 30, Yuan(40'500)},
    {kAbove, 35, Yuan(65'500)},
}};

// The taxable part of a remuneration or royalty payment: up to kFixedExpensesUpTo less
// kFixedExpenses, above it kRemunerationPercent of the payment.
inline constexpr Fen kFixedExpensesUpTo = Yuan(4'000);
inline constexpr Fen kFixedExpenses = Yuan(800);
inline constexpr int kRemunerationPercent = 80;
inline constexpr int kAuthorPercent = 70;  // of the taxable part of author's remuneration
inline constexpr int kAuthorRoyaltyRate = 20;

inline constexpr Fen kMonthlyBasicDeduction = Yuan(5'000);
inline constexpr Fen kAnnualBasicDeduction = Yuan(60'000);  // settlement and business
inline constexpr int kFlatRate = 20;                        // interest, dividends, incidental
inline constexpr Fen kLotteryExemptUpTo = Yuan(10'000);

// A positive settlement balance need not be paid up to either limit.
inline constexpr Fen kWaiverIncomeUpTo = Yuan(120'000);
inline constexpr Fen kWaiverPaymentUpTo = Yuan(400);

// The first row whose bound, times boundFactor, the amount does not exceed; else the last.
constexpr const Row& RowFor(std::span<const Row> table, Exact amount, Wide boundFactor = 1) {
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        if (amount <= Exact(table[i].upTo).Times(boundFactor)) return table[i];
    }
    return table.back();
}

constexpr Exact RowTax(const Row& row, Exact amount) {
    return amount.Percent(row.ratePercent) - Exact(row.quickDeduction);
}

// The tax of a taxable amount by a table, rounded to the fen: 0 (and no row) for 0 or less.
struct TableTax {
    const Row* row;
    Wide tax;
};
constexpr TableTax ByTable(std::span<const Row> table, Exact taxable) {
    if (taxable <= Exact()) return {nullptr, 0};
    const Row& row = RowFor(table, taxable);
    return {&row, RowTax(row, taxable).RoundedFen()};
}

}  // namespace tax::current::detail
