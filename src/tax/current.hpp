#pragma once
// The rules in force today for resident individuals: the tables in force since 2019-01-01 and
// the deduction standards raised from 2023-01-01.
//
// Money is exact: amounts are whole fen, rates whole percents, and every formula is evaluated
// exactly (fractions of a fen included) before its tax figure is rounded to the fen, half up.
// Nothing here uses floating point.
//
// Range: ReadYuan yields 0 to 10^14 fen. For those amounts and their negatives every figure
// is exact. Every rule is also defined for any other Fen: intermediate figures are held in
// 128 bits, which no input can overflow, and a figure beyond Fen's range is clamped to
// INT64_MIN or INT64_MAX (only inputs far above 10^14 fen can get there).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tax::current {

using Fen = std::int64_t;  // 0.01 yuan

// Field text in yuan: ASCII digits with at most one "." and at most two decimals ("1." and
// ".5" are accepted). Spaces, tabs and ideographic spaces (U+3000, typed by Chinese input
// methods) are ignored wherever they stand; an empty or blank text is 0. Anything else (a
// sign, an exponent, grouping, full-width digits) and amounts above 1,000,000,000,000 yuan
// give nullopt.
std::optional<Fen> ReadYuan(std::string_view text);

// Two decimals, "," between groups of three digits, "-" before a negative amount:
// "15,730.00", "-800.00", "0.00". Every Fen has its text, INT64_MIN included.
std::string FormatYuan(Fen amount);

// The annual table of comprehensive income; 0 for taxable <= 0.
Fen AnnualTableTax(Fen taxable);

struct WageInput {
    Fen monthlyGross, special, additional, other;
    int firstMonth;  // 1 to 12; any other month gives no rows
};

// One month of the cumulative withholding schedule. cumulativeTaxable is shown as computed,
// negative where the deductions exceed the income; such a month has no row of the table
// (ratePercent and quickDeduction 0) and a cumulative tax of 0.
struct MonthRow {
    int month;
    Fen cumulativeIncome, cumulativeBasic, cumulativeDeductions, cumulativeTaxable;
    int ratePercent;
    Fen quickDeduction, cumulativeTax, withheld, netPay;
};

// Rows from the first month to December. A month withholds its cumulative tax less what the
// earlier months withheld, never less than 0; netPay is gross - special - withheld.
std::vector<MonthRow> WageWithholding(const WageInput& input);

// The annual one-time bonus taxed on its own: the row of bonus / 12 in the monthly table,
// then bonus × rate - quick deduction. 0 for bonus <= 0.
Fen BonusSeparateTax(Fen bonus);

// The extra annual tax when the bonus is added to the year's taxable income instead:
// AnnualTableTax(annualTaxable + bonus) - AnnualTableTax(annualTaxable). 0 for bonus <= 0.
Fen BonusCombinedTax(Fen annualTaxable, Fen bonus);  // extra annual tax if combined

// Withholding on one payment: up to 4,000 yuan less 800, above it × 80 %, then each rule's
// rates. 0 when that taxable amount is 0 or less.
Fen LabourWithholding(Fen income);
Fen AuthorWithholding(Fen income);
Fen RoyaltyWithholding(Fen income);

// Annual business income: revenue - costs, less 60,000 yuan with basicDeduction (a person
// without comprehensive income). No reliefs. 0 when the taxable amount is 0 or less.
Fen BusinessTax(Fen revenue, Fen costs, bool basicDeduction);

// 20 % of the whole income; 0 for income <= 0. No exemptions.
Fen InterestDividendTax(Fen income);

struct IncidentalResult {
    Fen tax;
    bool exempt;  // a single lottery prize of 0 to 10,000 yuan
};
// 20 % of the whole income, or nothing for an exempt lottery prize; 0 for income < 0.
IncidentalResult IncidentalTax(Fen income, bool lotteryPrize);

struct SettlementInput {
    Fen wages, labour, author, royalty, special, additional, other, withheld;
};

// taxable is the exact taxable income (author's remuneration × 56 % can leave fractions of a
// fen) rounded half away from zero for display, and negative where the deductions exceed the
// income; tax is computed from the exact figure. balance = tax - withheld: negative is a
// refund, positive a payment, and paymentWaived says that a positive balance need not be
// paid (gross comprehensive income as entered at most 120,000 yuan, or the payment at most
// 400 yuan).
struct Settlement {
    Fen taxable, tax, balance;
    bool paymentWaived;
};
Settlement AnnualSettlement(const SettlementInput& input);

}  // namespace tax::current
