#pragma once
// The rules in force since 2019-01-01 for resident individuals, each a function of one tax
// year's parameters (tax/current/parameters.hpp), for the years kFirstYear to kLastYear.
//
// Money is exact: amounts are whole fen, rates whole percents, and every formula is evaluated
// exactly (fractions of a fen included) before its tax figure is rounded to the fen, half up.
// Nothing here uses floating point.
//
// Range: ReadYuan yields 0 to 10^14 fen. For those amounts and their negatives every figure
// is exact. Every rule is also defined for any other Fen: intermediate figures are held in
// 128 bits, which no input can overflow, and a figure beyond Fen's range is clamped to
// INT64_MIN or INT64_MAX (only inputs far above 10^14 fen can get there).

#include "tax/current/parameters.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tax::current {

// The year's parameters; throws std::out_of_range outside kFirstYear to kLastYear.
const Parameters& ParametersFor(int year);

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
Fen AnnualTableTax(const Parameters&, Fen taxable);

// How much basic deduction the cumulative withholding counts by month m:
// MonthsEmployed: the monthly deduction × the months from firstMonth through m;
// FromJanuary: the monthly deduction × m, for a first wage income of the year (from 2021, and
// in 2020 for a first month of July or later);
// WholeYear: the year's deduction in every month, for an employee paid by the same employer in
// every month of the previous year with at most Parameters::wholeYearWageLimit of wages there
// (from 2021, with firstMonth 1).
enum class BasicDeduction { MonthsEmployed, FromJanuary, WholeYear };
bool Available(const Parameters&, BasicDeduction, int firstMonth);

// One month's pay: gross (all of it, the exempt part included), exempt (its tax-exempt part),
// special (the employee's social insurance and housing fund), additional (special additional
// deductions claimed this month; a late claim brings the earlier months' amounts in the month
// it is made), other (personal pension, enterprise annuity, commercial health insurance and
// the like), donation (the allowable donation), relief (tax reduction).
struct MonthIncome {
    Fen gross = 0, exempt = 0, special = 0, additional = 0, other = 0, donation = 0, relief = 0;
};
struct PayrollYear {
    int firstMonth = 1;
    BasicDeduction basic = BasicDeduction::MonthsEmployed;
    std::vector<MonthIncome> months;  // months[0] is firstMonth, up to December
};

// One month of the cumulative withholding schedule. cumulativeDeductions is the sum so far of
// exempt + special + additional + other + donation; cumulativeTaxable is shown as computed,
// negative where the deductions exceed the income, and such a month has no row of the table
// (ratePercent and quickDeduction 0). cumulativeTax is the table's tax less the cumulative
// relief, not below 0.
struct MonthRow {
    int month;
    Fen cumulativeIncome, cumulativeBasic, cumulativeDeductions, cumulativeTaxable;
    int ratePercent;
    Fen quickDeduction, cumulativeTax, withheld, netPay;
};

// Rows from the first month to December. A month withholds its cumulative tax less what the
// earlier months withheld, never less than 0; netPay is gross - special - withheld. No rows
// for a year whose months do not run from firstMonth (1 to 12) to December, or whose basic
// deduction the year does not have.
std::vector<MonthRow> WageWithholding(const Parameters&, const PayrollYear&);

// The annual one-time bonus taxed on its own: the row of bonus / 12 in the monthly table,
// then bonus × rate - quick deduction. 0 for bonus <= 0. The formula is the same in every
// year; whether the year offers it is Parameters::separateBonus.
Fen BonusSeparateTax(const Parameters&, Fen bonus);

// The extra annual tax when the bonus is added to the year's taxable income instead:
// AnnualTableTax(annualTaxable + bonus) - AnnualTableTax(annualTaxable). 0 for bonus <= 0.
Fen BonusCombinedTax(const Parameters&, Fen annualTaxable, Fen bonus);

// Withholding on one payment: up to 4,000 yuan less 800, above it × 80 %, then each rule's
// rates. 0 when that taxable amount is 0 or less.
Fen LabourWithholding(const Parameters&, Fen income);
Fen AuthorWithholding(const Parameters&, Fen income);
Fen RoyaltyWithholding(const Parameters&, Fen income);

// Annual business income: revenue - costs, less the year's basic deduction with Basic (a
// person without comprehensive income). No reliefs. 0 when the taxable amount is 0 or less.
enum class BusinessDeduction { None, Basic };  // Basic: less 60,000 a year
Fen BusinessTax(const Parameters&, Fen revenue, Fen costs, BusinessDeduction);

// 20 % of the whole income; 0 for income <= 0. No exemptions.
Fen InterestDividendTax(const Parameters&, Fen income);

enum class Prize { Other, Lottery };
struct IncidentalResult {
    Fen tax;
    bool exempt;  // a single lottery prize of 0 to 10,000 yuan
};
// 20 % of the whole income, or nothing for an exempt lottery prize; 0 for income < 0.
IncidentalResult IncidentalTax(const Parameters&, Fen income, Prize);

// A year's comprehensive income and what it is reduced by. withheld is everything withheld in
// the year, the bonus's withholding included.
struct SettlementInput {
    Fen wages = 0, labour = 0, author = 0, royalty = 0, special = 0, additional = 0, other = 0,
        donation = 0, withheld = 0, bonus = 0;
};

// Separate: the bonus is taxed by BonusSeparateTax and its tax added to tax; taxable excludes
// it, and the waiver's income limit counts the four comprehensive incomes only. Merged: the
// bonus is added to the wages first. A year without separate taxation merges either way.
enum class BonusTreatment { Separate, Merged };

// taxable is the exact taxable income (author's remuneration × 56 % can leave fractions of a
// fen) rounded half away from zero for display, and negative where the deductions exceed the
// income; tax is computed from the exact figure. balance = tax - withheld: negative is a
// refund, positive a payment, and paymentWaived says that a positive balance need not be paid
// (the year's waiver: gross comprehensive income as entered at most 120,000 yuan, or the
// payment at most 400 yuan).
struct Settlement {
    Fen taxable, tax, balance;
    bool paymentWaived;
};
Settlement AnnualSettlement(const Parameters&, const SettlementInput&, BonusTreatment);

enum class RentTier { None, Tier1, Tier2, Tier3 };  // 1,500 / 1,100 / 800 a month
struct AdditionalClaims {
    int childrenInEducation = 0, childrenUnder3 = 0;
    int childSharePercent = 100;   // 100 or 50, the claimant's share
    bool degreeEducation = false;  // continuing education for a degree
    bool housingLoan = false;      // first-home loan interest
    RentTier rent = RentTier::None;
    bool onlyChild = false;  // elderly support in full
    Fen elderlyShare = 0;    // otherwise the agreed monthly share
};
// The month's total by the year's standards; nullopt when the claims cannot go together
// (housing loan with rent, a share other than 100 or 50, a negative count, an elderly share
// below 0 or above the year's cap).
std::optional<Fen> MonthlyAdditionalDeduction(const Parameters&, const AdditionalClaims&);

// ---- planning ------------------------------------------------------------------------------

// The least monthly gross G (the same in every month of `shape`, whose other amounts are kept)
// whose schedule's netPay, summed over the months, is at least averageNet × the number of
// months; nullopt where the schedule gives no rows or no G up to 10^14 fen reaches it.
std::optional<Fen> GrossForNet(const Parameters&, const PayrollYear& shape, Fen averageNet);

// The dead zone that holds `bonus`, if any: every bonus from `from` to `to` (inclusive, fen)
// leaves strictly less after its separate tax than the bonus `better` (the bound just below
// them) leaves after its own.
struct BonusZone {
    Fen from, to, better;
};
std::optional<BonusZone> BonusDeadZone(const Parameters&, Fen bonus);

// Of the whole-yuan bonuses (multiples of 100 fen, as bonuses are set) from 0 to package, the
// one whose total tax is least: AnnualTableTax(package - bonus - annualDeductions) +
// BonusSeparateTax(bonus); the smallest such bonus, and that total. In a year without separate
// taxation the bonus is merged, so no bonus (0) is best.
struct BonusSplit {
    Fen bonus, totalTax;
};
BonusSplit BestBonusSplit(const Parameters&, Fen package, Fen annualDeductions);

}  // namespace tax::current
