#pragma once
// One tax year's parameters of the rules in force since 2019: every rate, bound, standard and
// date that a rule applies or a text states. ParametersFor (tax/current.hpp) gives them; their
// history, year by year, is written once in parameters.cpp.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tax::current {

using Fen = std::int64_t;  // 0.01 yuan
inline constexpr int kFirstYear = 2019, kLastYear = 2027;

// A row of a progressive table: amount × rate - quick deduction. A bound belongs to the lower
// row; the last row takes everything above, so its upTo is never read.
struct Bracket {
    Fen upTo;
    int ratePercent;
    Fen quickDeduction;
};
using Table = std::span<const Bracket>;

// A measure announced for a limited time: the last year it applies, where an end is announced.
struct TimeLimited {
    std::optional<int> lastYear;
};

// A positive settlement balance need not be paid when the year's comprehensive income is at
// most incomeUpTo, or the balance at most paymentUpTo.
struct Waiver {
    Fen incomeUpTo, paymentUpTo;
    std::optional<int> lastYear;
};

struct Parameters {
    int year;

    // The tables: comprehensive income, annual (also the cumulative withholding of wages); the
    // monthly table, which the annual one-time bonus taxed separately is looked up in by
    // bonus / bonusMonths; withholding on labour remuneration; business income, annual.
    Table annual, monthly, labour, business;
    int bonusMonths;

    // The basic deduction: a year's (the settlement, business income, and every month of the
    // WholeYear rule) and a month's (the cumulative withholding).
    Fen annualBasicDeduction, monthlyBasicDeduction;
    // The earliest first month for which the basic deduction may be counted from January
    // (BasicDeduction::FromJanuary); none in a year without that rule.
    std::optional<int> fromJanuaryFirstMonth;
    // BasicDeduction::WholeYear, for last year's wages from the same employer up to
    // wholeYearWageLimit; neither in a year without that rule.
    bool wholeYearBasic;
    std::optional<Fen> wholeYearWageLimit;

    // Labour remuneration, author's remuneration and royalties: a payment up to
    // fixedExpensesUpTo less fixedExpenses, above it remunerationPercent of it; author's
    // remuneration then authorPercent of that, at authorRoyaltyRate like royalties.
    Fen fixedExpensesUpTo, fixedExpenses;
    int remunerationPercent, authorPercent, authorRoyaltyRate;
    int flatRate;           // interest, dividends and incidental income
    Fen lotteryExemptUpTo;  // a single lottery prize up to this is exempt

    // The special additional deductions, monthly standards unless said otherwise.
    Fen childEducation;        // each child in education
    Fen infantCare;            // each child under 3; 0 in a year without it
    Fen degreeEducation;       // continuing education for a degree
    Fen certificateEducation;  // a year's, in the year a vocational certificate is obtained
    Fen housingLoan;           // first-home loan interest
    std::array<Fen, 3> rent;   // by city tier
    Fen elderlySupport;        // an only child, in full
    Fen elderlyShareCap;       // a sibling's agreed share at most
    Fen seriousIllnessAbove, seriousIllnessUpTo;  // a year's own payment, settlement only
    std::optional<Fen> personalPensionCap;        // a year's contributions

    std::optional<TimeLimited> separateBonus;  // the annual one-time bonus taxed separately
    std::optional<Waiver> waiver;              // of a small settlement payment
};

}  // namespace tax::current
