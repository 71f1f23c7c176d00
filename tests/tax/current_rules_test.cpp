// The rules of one amount, one payment or one year's business, by tax year. The tables are the
// same in every year from 2019, so the rows spread over all of them. Each table is tried one fen
// below, on and one fen above every bound and inside every row; then the rounding of half a fen
// (up) and of figures just below it, and amounts far beyond what ReadYuan gives (exact, clamped
// only where the figure leaves Fen's range).

#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <span>

namespace {

namespace current = tax::current;
using current::Fen;
using current::FormatYuan;
using current::ParametersFor;
using Prize = current::Prize;

constexpr Fen kMax = std::numeric_limits<Fen>::max();
constexpr Fen kMin = std::numeric_limits<Fen>::min();
constexpr current::BusinessDeduction kNone = current::BusinessDeduction::None;
constexpr current::BusinessDeduction kBasic = current::BusinessDeduction::Basic;

// A rule of one amount: in `year`, `amount` is taxed `tax` (as FormatYuan writes it).
struct AmountRow {
    int year;
    Fen amount;
    const char* tax;
};
using AmountRule = Fen (*)(const current::Parameters&, Fen);

void ExpectRows(AmountRule rule, std::span<const AmountRow> rows) {
    for (const AmountRow& r : rows) {
        SCOPED_TRACE(testing::Message() << r.year << ", " << FormatYuan(r.amount));
        EXPECT_EQ(FormatYuan(rule(ParametersFor(r.year), r.amount)), r.tax);
    }
}

// clang-format off
// The annual table; its rows meet at every bound, so only a value inside a row tells its rate.
const AmountRow kAnnualTable[] = {
    {2019, -1, "0.00"},                              {2020, 0, "0.00"},
    {2021, 16, "0.00"},                              {2022, 17, "0.01"},
    {2023, 3'600'004, "1,080.00"},                   {2024, 3'600'005, "1,080.01"},
    {2025, 3'599'999, "1,080.00"},                   {2026, 3'600'000, "1,080.00"},
    {2027, 3'600'001, "1,080.00"},                   {2019, 10'800'000, "8,280.00"},
    {2020, 14'399'999, "11,880.00"},                 {2021, 14'400'000, "11,880.00"},
    {2022, 14'400'001, "11,880.00"},                 {2023, 20'000'000, "23,080.00"},
    {2024, 29'999'999, "43,080.00"},                 {2025, 30'000'000, "43,080.00"},
    {2026, 30'000'001, "43,080.00"},                 {2027, 30'000'002, "43,080.01"},
    {2019, 35'000'000, "55,580.00"},                 {2020, 41'999'999, "73,080.00"},
    {2021, 42'000'000, "73,080.00"},                 {2022, 42'000'001, "73,080.00"},
    {2023, 50'000'000, "97,080.00"},                 {2024, 65'999'999, "145,080.00"},
    {2025, 66'000'000, "145,080.00"},                {2026, 66'000'001, "145,080.00"},
    {2027, 80'000'000, "194,080.00"},                {2019, 95'999'999, "250,080.00"},
    {2020, 96'000'000, "250,080.00"},                {2021, 96'000'001, "250,080.00"},
    {2022, 100'000'000, "268,080.00"},
    {2023, 100'000'000'000'000, "449,999,818,080.00"},
    {2024, kMax, "41,505,174,165,664,571.13"},       {2025, kMin, "0.00"},
};

// The bonus by the monthly row of bonus / 12: the tax jumps at 12 × every monthly bound.
const AmountRow kBonusSeparate[] = {
    {2019, -100, "0.00"},                            {2020, 0, "0.00"},
    {2021, 16, "0.00"},                              {2022, 17, "0.01"},
    {2023, 3'599'999, "1,080.00"},                   {2024, 3'600'000, "1,080.00"},
    {2025, 3'600'001, "3,390.00"},                   {2026, 3'600'005, "3,390.01"},
    {2027, 6'000'000, "5,790.00"},                   {2019, 14'399'999, "14,190.00"},
    {2020, 14'400'000, "14,190.00"},                 {2021, 14'400'001, "27,390.00"},
    {2022, 29'999'999, "58,590.00"},                 {2023, 30'000'000, "58,590.00"},
    {2024, 30'000'001, "72,340.00"},                 {2025, 41'999'999, "102,340.00"},
    {2026, 42'000'000, "102,340.00"},                {2027, 42'000'001, "121,590.00"},
    {2019, 65'999'999, "193,590.00"},                {2020, 66'000'000, "193,590.00"},
    {2021, 66'000'001, "223,840.00"},                {2022, 95'999'999, "328,840.00"},
    {2023, 96'000'000, "328,840.00"},                {2024, 96'000'001, "416,840.00"},
    {2025, kMax, "41,505,174,165,831,331.13"},
};

// Up to 4,000 yuan less 800, above it 80 %; then 20 % to 20,000 taxable (a payment of 25,000),
// 30 % to 50,000 (62,500), 40 % above.
const AmountRow kLabour[] = {
    {2019, -1, "0.00"},                              {2020, 79'999, "0.00"},
    {2021, 80'000, "0.00"},                          {2022, 80'001, "0.00"},
    {2023, 80'003, "0.01"},                          {2024, 300'000, "440.00"},
    {2025, 399'999, "640.00"},                       {2026, 400'000, "640.00"},
    {2027, 400'001, "640.00"},                       {2019, 2'000'000, "3,200.00"},
    {2020, 2'499'999, "4,000.00"},                   {2021, 2'500'000, "4,000.00"},
    {2022, 2'500'001, "4,000.00"},                   {2023, 3'000'000, "5,200.00"},
    {2024, 6'249'999, "13,000.00"},                  {2025, 6'250'000, "13,000.00"},
    {2026, 6'250'001, "13,000.00"},                  {2027, 10'000'000, "25,000.00"},
};

// The same expenses, then 70 % of the rest at 20 %: 400,058 fen is taxed 448.06496 yuan exactly,
// 400,067 fen 448.07504.
const AmountRow kAuthor[] = {
    {2019, -1, "0.00"},                              {2020, 80'000, "0.00"},
    {2021, 80'001, "0.00"},                          {2022, 80'004, "0.01"},
    {2023, 100'000, "28.00"},                        {2024, 399'999, "448.00"},
    {2025, 400'000, "448.00"},                       {2026, 400'001, "448.00"},
    {2027, 400'058, "448.06"},                       {2019, 400'067, "448.08"},
    {2020, 500'000, "560.00"},
};

const AmountRow kRoyalty[] = {
    {2019, -1, "0.00"},                              {2020, 80'000, "0.00"},
    {2021, 80'003, "0.01"},                          {2022, 100'000, "40.00"},
    {2023, 399'999, "640.00"},                       {2024, 400'000, "640.00"},
    {2025, 400'001, "640.00"},                       {2026, 500'000, "800.00"},
};

const AmountRow kInterestDividend[] = {
    {2019, -500, "0.00"},                            {2020, 0, "0.00"},
    {2021, 1, "0.00"},                               {2022, 2, "0.00"},
    {2023, 3, "0.01"},                               {2024, 12'345, "24.69"},
    {2025, 10'000, "20.00"},                         {2026, 1'000'000, "2,000.00"},
    {2027, 100'000'000'000'000, "200,000,000,000.00"},
};
// clang-format on

TEST(CurrentAnnualTableTax, ByYear) { ExpectRows(current::AnnualTableTax, kAnnualTable); }
TEST(CurrentBonusSeparateTax, ByYear) { ExpectRows(current::BonusSeparateTax, kBonusSeparate); }
TEST(CurrentLabourWithholding, ByYear) { ExpectRows(current::LabourWithholding, kLabour); }
TEST(CurrentAuthorWithholding, ByYear) { ExpectRows(current::AuthorWithholding, kAuthor); }
TEST(CurrentRoyaltyWithholding, ByYear) { ExpectRows(current::RoyaltyWithholding, kRoyalty); }
TEST(CurrentInterestDividendTax, ByYear) {
    ExpectRows(current::InterestDividendTax, kInterestDividend);
}

struct CombinedRow {
    int year;
    Fen annualTaxable, bonus;
    const char* extra;
};

// The extra annual tax of the bonus added to the year's taxable income, which may be negative
// (deductions above the wages) and absorb part of the bonus.
// clang-format off
const CombinedRow kBonusCombined[] = {
    {2019, 10'800'000, 3'600'000, "3,600.00"},       {2020, 0, 3'600'000, "1,080.00"},
    {2021, -3'000'000, 3'600'000, "180.00"},         {2022, -3'600'000, 3'600'000, "0.00"},
    {2023, 10'800'000, 0, "0.00"},                   {2024, 10'800'000, -1, "0.00"},
    {2025, 3'599'999, 1, "0.00"},                    {2026, 3'600'000, 5, "0.01"},
    {2027, -2'400'000, 6'000'000, "1,080.00"},       {2019, 22'800'000, 3'600'000, "7,200.00"},
    {2020, 14'000'000, 800'000, "1,200.00"},         {2021, kMin, kMax, "0.00"},
    {2022, kMax, kMax, "41,505,174,165,846,491.13"},
};
// clang-format on

TEST(CurrentBonusCombinedTax, ByYear) {
    for (const CombinedRow& r : kBonusCombined) {
        SCOPED_TRACE(testing::Message() << r.year << ", " << FormatYuan(r.annualTaxable) << " + "
                                        << FormatYuan(r.bonus));
        EXPECT_EQ(
            FormatYuan(current::BonusCombinedTax(ParametersFor(r.year), r.annualTaxable, r.bonus)),
            r.extra);
    }
}

struct BusinessRow {
    int year;
    Fen revenue, costs;
    current::BusinessDeduction deduction;
    const char* tax;
};

// clang-format off
const BusinessRow kBusiness[] = {
    {2019, -1, 0, kNone, "0.00"},                    {2020, 0, 0, kNone, "0.00"},
    {2021, 9, 0, kNone, "0.00"},                     {2022, 10, 0, kNone, "0.01"},
    {2023, 2'999'999, 0, kNone, "1,500.00"},         {2024, 3'000'000, 0, kNone, "1,500.00"},
    {2025, 3'000'001, 0, kNone, "1,500.00"},         {2026, 5'000'000, 0, kNone, "3,500.00"},
    {2027, 8'999'999, 0, kNone, "7,500.00"},         {2019, 9'000'000, 0, kNone, "7,500.00"},
    {2020, 9'000'001, 0, kNone, "7,500.00"},         {2021, 20'000'000, 0, kNone, "29,500.00"},
    {2022, 29'999'999, 0, kNone, "49,500.00"},       {2023, 30'000'000, 0, kNone, "49,500.00"},
    {2024, 30'000'001, 0, kNone, "49,500.00"},       {2025, 40'000'000, 0, kNone, "79,500.00"},
    {2026, 49'999'999, 0, kNone, "109,500.00"},      {2027, 50'000'000, 0, kNone, "109,500.00"},
    {2019, 50'000'001, 0, kNone, "109,500.00"},      {2020, 60'000'000, 0, kNone, "144,500.00"},
    {2021, 50'000'000, 38'000'000, kNone, "13,500.00"},
    {2022, 38'000'000, 50'000'000, kNone, "0.00"},
    {2023, 50'000'000, 38'000'000, kBasic, "4,500.00"},
    {2024, 6'000'000, 0, kBasic, "0.00"},            {2025, 6'000'010, 0, kBasic, "0.01"},
    {2026, 9'000'000, 0, kBasic, "1,500.00"},        {2027, 56'000'001, 0, kBasic, "109,500.00"},
    {2019, kMax, kMin, kNone, "64,563,604,257,917,930.65"},
};
// clang-format on

TEST(CurrentBusinessTax, ByYear) {
    for (const BusinessRow& r : kBusiness) {
        SCOPED_TRACE(testing::Message()
                     << r.year << ", " << FormatYuan(r.revenue) << " less " << FormatYuan(r.costs)
                     << (r.deduction == kBasic ? " less the basic deduction" : ""));
        EXPECT_EQ(FormatYuan(
                      current::BusinessTax(ParametersFor(r.year), r.revenue, r.costs, r.deduction)),
                  r.tax);
    }
}

struct IncidentalRow {
    int year;
    Fen income;
    Prize prize;
    const char* tax;
    bool exempt;
};

// A single lottery prize of 0 to 10,000 yuan is exempt; above that the whole prize is taxed.
// clang-format off
const IncidentalRow kIncidental[] = {
    {2019, 0, Prize::Lottery, "0.00", true},         {2020, 999'999, Prize::Lottery, "0.00", true},
    {2021, 1'000'000, Prize::Lottery, "0.00", true},
    {2022, 1'000'001, Prize::Lottery, "2,000.00", false},
    {2023, 1'000'000, Prize::Other, "2,000.00", false},
    {2024, 0, Prize::Other, "0.00", false},          {2025, -1, Prize::Lottery, "0.00", false},
    {2026, -1, Prize::Other, "0.00", false},
    {2027, 5'000'000, Prize::Lottery, "10,000.00", false},
    {2019, 3, Prize::Other, "0.01", false},
};
// clang-format on

TEST(CurrentIncidentalTax, ByYear) {
    for (const IncidentalRow& r : kIncidental) {
        SCOPED_TRACE(testing::Message() << r.year << ", " << FormatYuan(r.income)
                                        << (r.prize == Prize::Lottery ? " lottery" : ""));
        const current::IncidentalResult result =
            current::IncidentalTax(ParametersFor(r.year), r.income, r.prize);
        EXPECT_EQ(FormatYuan(result.tax), r.tax);
        EXPECT_EQ(result.exempt, r.exempt);
    }
}

}  // namespace
