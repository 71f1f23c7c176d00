#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

namespace current = tax::current;
using current::Fen;
using current::FormatYuan;

// What a month of the schedule shows, money as FormatYuan writes it.
struct ShownRow {
    int month;
    std::string income, basic, deductions, taxable;
    int rate;
    std::string quick, tax, withheld, net;
    bool operator==(const ShownRow&) const = default;
    friend void PrintTo(const ShownRow& r, std::ostream* os) {
        *os << r.month << ": " << r.income << " " << r.basic << " " << r.deductions << " "
            << r.taxable << " " << r.rate << "% " << r.quick << " " << r.tax << " " << r.withheld
            << " " << r.net;
    }
};

std::vector<ShownRow> Schedule(const current::WageInput& input) {
    std::vector<ShownRow> shown;
    for (const current::MonthRow& r : current::WageWithholding(input)) {
        shown.push_back({r.month, FormatYuan(r.cumulativeIncome), FormatYuan(r.cumulativeBasic),
                         FormatYuan(r.cumulativeDeductions), FormatYuan(r.cumulativeTaxable),
                         r.ratePercent, FormatYuan(r.quickDeduction), FormatYuan(r.cumulativeTax),
                         FormatYuan(r.withheld), FormatYuan(r.netPay)});
    }
    return shown;
}

Fen YearWithheld(const current::WageInput& input) {
    Fen total = 0;
    for (const current::MonthRow& r : current::WageWithholding(input)) total += r.withheld;
    return total;
}

constexpr current::WageInput kExample{2'000'000, 400'000, 200'000, 0, 1};

// April's cumulative taxable income lies on the first bound and still takes 3 %.
TEST(CurrentWages, ExampleYearFromJanuary) {
    const std::vector<ShownRow> rows = Schedule(kExample);
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0], (ShownRow{1, "20,000.00", "5,000.00", "6,000.00", "9,000.00", 3, "0.00",
                                 "270.00", "270.00", "15,730.00"}));
    EXPECT_EQ(rows[3], (ShownRow{4, "80,000.00", "20,000.00", "24,000.00", "36,000.00", 3, "0.00",
                                 "1,080.00", "270.00", "15,730.00"}));
    EXPECT_EQ(rows[4], (ShownRow{5, "100,000.00", "25,000.00", "30,000.00", "45,000.00", 10,
                                 "2,520.00", "1,980.00", "900.00", "15,100.00"}));
    EXPECT_EQ(rows[11], (ShownRow{12, "240,000.00", "60,000.00", "72,000.00", "108,000.00", 10,
                                  "2,520.00", "8,280.00", "900.00", "15,100.00"}));
    for (const ShownRow& r : rows) EXPECT_EQ(r.withheld, r.month <= 4 ? "270.00" : "900.00");
    EXPECT_EQ(FormatYuan(YearWithheld(kExample)), "8,280.00");
}

// Each row is taken at its bound by the lower rate: 300,000 in June at 20 %.
TEST(CurrentWages, YearCrossingFourRows) {
    const current::WageInput input{6'000'000, 500'000, 0, 0, 1};
    const std::vector<ShownRow> rows = Schedule(input);
    ASSERT_EQ(rows.size(), 12u);
    const int rates[] = {10, 10, 20, 20, 20, 20, 25, 25, 30, 30, 30, 30};
    const char* withheld[] = {"2,480.00",  "5,000.00",  "5,600.00",  "10,000.00",
                              "10,000.00", "10,000.00", "12,500.00", "12,500.00",
                              "14,000.00", "15,000.00", "15,000.00", "15,000.00"};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].rate, rates[i]) << rows[i].month;
        EXPECT_EQ(rows[i].withheld, withheld[i]) << rows[i].month;
    }
    EXPECT_EQ(rows[5].taxable, "300,000.00");
    EXPECT_EQ(rows[11].tax, "127,080.00");
    EXPECT_EQ(rows[11].net, "40,000.00");
    EXPECT_EQ(FormatYuan(YearWithheld(input)), "127,080.00");
}

TEST(CurrentWages, StartInJulyCountsMonthsWorked) {
    const std::vector<ShownRow> rows = Schedule({2'000'000, 400'000, 200'000, 0, 7});
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0], (ShownRow{7, "20,000.00", "5,000.00", "6,000.00", "9,000.00", 3, "0.00",
                                 "270.00", "270.00", "15,730.00"}));
    EXPECT_EQ(rows[5], (ShownRow{12, "120,000.00", "30,000.00", "36,000.00", "54,000.00", 10,
                                 "2,520.00", "2,880.00", "900.00", "15,100.00"}));
    EXPECT_EQ(rows[4].withheld, "900.00");
}

// Below the threshold the taxable income is shown negative and no row of the table applies.
TEST(CurrentWages, IncomeBelowTheDeductions) {
    const std::vector<ShownRow> rows = Schedule({300'000, 50'000, 0, 10'000, 11});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1], (ShownRow{12, "6,000.00", "10,000.00", "1,200.00", "-5,200.00", 0, "0.00",
                                 "0.00", "0.00", "2,500.00"}));
}

TEST(CurrentWages, FirstMonthOutsideTheYearGivesNoRows) {
    for (int month :
         {0, 13, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        EXPECT_TRUE(current::WageWithholding({2'000'000, 0, 0, 0, month}).empty()) << month;
    }
    EXPECT_EQ(current::WageWithholding({2'000'000, 0, 0, 0, 12}).size(), 1u);
}

TEST(CurrentWages, HugeWageIsClampedNotOverflowed) {
    constexpr Fen kMax = std::numeric_limits<Fen>::max();
    const std::vector<current::MonthRow> rows = current::WageWithholding({kMax, 0, 0, 0, 1});
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows[0].cumulativeIncome, kMax);
    EXPECT_EQ(rows[1].cumulativeIncome, kMax);
    EXPECT_EQ(rows[11].cumulativeTax, kMax);
    EXPECT_GT(rows[1].withheld, 0);
}

TEST(CurrentBonus, CombinedWithTheExampleYear) {
    const Fen annualTaxable = current::WageWithholding(kExample).back().cumulativeTaxable;
    EXPECT_EQ(FormatYuan(current::BonusSeparateTax(3'600'000)), "1,080.00");
    EXPECT_EQ(FormatYuan(current::BonusCombinedTax(annualTaxable, 3'600'000)), "3,600.00");
}

struct SettlementCase {
    const char* name;
    current::SettlementInput input;
    const char *taxable, *tax, *balance;
    bool waived;
};

// Waiver bounds: gross income 120,000 as entered (before the 80 %), payment 400; a refund is
// never waived. Author's remuneration leaves fractions of a fen: the tax is taken from the
// exact taxable income, the taxable income shown is rounded.
TEST(CurrentSettlement, TaxBalanceAndWaiver) {
    // clang-format off
    const SettlementCase cases[] = {
        {"example", {24'000'000, 1'000'000, 0, 0, 4'800'000, 2'400'000, 0, 988'000},
         "116,000.00", "9,080.00", "-800.00", false},
        {"wage year", {24'000'000, 0, 0, 0, 4'800'000, 2'400'000, 0, 828'000},
         "108,000.00", "8,280.00", "0.00", false},
        {"gross at limit", {12'000'000, 0, 0, 0, 0, 0, 0, 0}, "60,000.00", "3,480.00", "3,480.00", true},
        {"gross above", {12'000'001, 0, 0, 0, 0, 0, 0, 0}, "60,000.01", "3,480.00", "3,480.00", false},
        {"labour reduced", {10'000'000, 2'500'000, 0, 0, 0, 0, 0, 0},
         "60,000.00", "3,480.00", "3,480.00", false},
        {"labour at limit", {10'000'000, 2'000'000, 0, 0, 0, 0, 0, 0},
         "56,000.00", "3,080.00", "3,080.00", true},
        {"payment at limit", {20'000'000, 0, 0, 0, 0, 0, 0, 1'108'000},
         "140,000.00", "11,480.00", "400.00", true},
        {"payment above", {20'000'000, 0, 0, 0, 0, 0, 0, 1'107'999},
         "140,000.00", "11,480.00", "400.01", false},
        {"small refund", {12'000'000, 0, 0, 0, 0, 0, 0, 400'000}, "60,000.00", "3,480.00", "-520.00", false},
        {"half a fen up", {6'000'000, 0, 625, 0, 0, 0, 0, 0}, "3.50", "0.11", "0.11", true},
        {"just below half", {6'000'000, 0, 744, 0, 0, 0, 0, 0}, "4.17", "0.12", "0.12", true},
        {"just above half", {6'000'000, 0, 506, 0, 0, 0, 0, 0}, "2.83", "0.09", "0.09", true},
        {"shown down", {6'000'000, 0, 8, 0, 0, 0, 0, 0}, "0.04", "0.00", "0.00", false},
        {"shown up", {6'000'000, 0, 17, 0, 0, 0, 0, 0}, "0.10", "0.00", "0.00", false},
        {"negative", {0, 0, 17, 0, 0, 0, 0, 0}, "-59,999.90", "0.00", "0.00", false},
    };
    // clang-format on
    for (const SettlementCase& c : cases) {
        const current::Settlement s = current::AnnualSettlement(c.input);
        EXPECT_EQ(FormatYuan(s.taxable), c.taxable) << c.name;
        EXPECT_EQ(FormatYuan(s.tax), c.tax) << c.name;
        EXPECT_EQ(FormatYuan(s.balance), c.balance) << c.name;
        EXPECT_EQ(s.paymentWaived, c.waived) << c.name;
    }
}

TEST(CurrentSettlement, HugeIncomesAreClamped) {
    constexpr Fen kMax = std::numeric_limits<Fen>::max();
    const current::Settlement s = current::AnnualSettlement(
        {kMax, kMax, kMax, kMax, 0, 0, 0, std::numeric_limits<Fen>::min()});
    EXPECT_EQ(s.taxable, kMax);
    EXPECT_EQ(s.tax, kMax);
    EXPECT_EQ(s.balance, kMax);
    EXPECT_FALSE(s.paymentWaived);
}

}  // namespace
