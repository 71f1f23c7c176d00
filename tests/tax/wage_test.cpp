#include "tax/tax.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <utility>

namespace {

using tax::ArithmeticError;
using tax::Edition;

struct WageCase {
    Edition edition;
    double gross, housing, medical, pension;
    const char* taxable;  // as the taxable-income field shows it
    const char* tax;      // as the tax field and the tax box show it
    const char* net;      // as the net-income box shows it
    friend void PrintTo(const WageCase& c, std::ostream* os) {
        *os << (c.edition == tax::Edition::OldRules ? "old " : "new ") << c.gross << '-'
            << c.housing << '-' << c.medical << '-' << c.pension;
    }
};

// The thresholds as the rules state them, independently of the library.
double StatedThreshold(Edition edition) { return edition == Edition::OldRules ? 2000 : 3500; }

// The one place that knows them, and the text the threshold field starts with.
TEST(Threshold, IsTheEditionsOwnAndShowsAsAWholeNumber) {
    const std::pair<Edition, const char*> kCases[] = {{Edition::OldRules, "2000"},
                                                      {Edition::NewRules, "3500"}};
    for (const auto& [edition, text] : kCases) {
        EXPECT_EQ(tax::Threshold(edition), StatedThreshold(edition)) << text;
        EXPECT_EQ(tax::FormatAmount(tax::Threshold(edition)), text);
    }
}

class WageSectionComputes : public testing::TestWithParam<WageCase> {};

TEST_P(WageSectionComputes, TaxableIncomeTaxAndNetIncome) {
    const WageCase& c = GetParam();
    const tax::WageOutcome out = tax::WageSection(c.gross, c.housing, c.medical, c.pension,
                                                  StatedThreshold(c.edition), c.edition);
    EXPECT_EQ(tax::FormatDoubleAmount(out.taxable), c.taxable) << c.gross;
    EXPECT_EQ(tax::FormatDoubleAmount(out.tax), c.tax) << c.gross;
    EXPECT_EQ(tax::FormatAmount(out.netIncome), c.net) << c.gross;
}

constexpr Edition kOld = Edition::OldRules;
constexpr Edition kNew = Edition::NewRules;

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, WageSectionComputes,
    // clang-format off
    testing::Values(
        WageCase{kOld, 2500, 0, 0, 0, "500", "25", "2475"},
        WageCase{kOld, 4000, 0, 0, 0, "2000", "175", "3825"},
        WageCase{kOld, 5000, 0, 0, 0, "3000", "325", "4675"},
        WageCase{kOld, 7000, 0, 0, 0, "5000", "625", "6375"},
        WageCase{kOld, 8000, 500, 200, 300, "5000", "625", "6375"},
        WageCase{kOld, 22000, 0, 0, 0, "20000", "3625", "18375"},
        WageCase{kOld, 102000, 0, 0, 0, "100000", "29625", "72375"},
        WageCase{kOld, 102001, 0, 0, 0, "100001", "29625.45", "72375.55"},
        WageCase{kOld, 35333.33, 0, 0, 0, "33333.33", "6958.3325", "28375"},
        WageCase{kOld, 2000, 0, 0, 0, "0", "0", "2000"},
        WageCase{kOld, 1500, 0, 0, 0, "0", "0", "1500"},
        WageCase{kOld, 0, 0, 0, 0, "0", "0", "0"},
        WageCase{kOld, 1000, 1500, 0, 0, "0", "0", "-500"},
        WageCase{kNew, 5000, 0, 0, 0, "1500", "45", "4955"},
        WageCase{kNew, 8000, 0, 0, 0, "4500", "345", "7655"},
        WageCase{kNew, 8000, 500, 200, 300, "3500", "245", "6755"},
        WageCase{kNew, 83500, 0, 0, 0, "80000", "22495", "61005"},
        WageCase{kNew, 83501, 0, 0, 0, "80001", "22495.45", "61005.55"},
        WageCase{kNew, 33500.3, 0, 0, 0, "30000.3", "6495.075", "27005.22"},
        WageCase{kNew, 3000, 0, 0, 0, "0", "0", "3000"},
        WageCase{kNew, 1000, 1500, 0, 0, "0", "0", "-500"}));
// clang-format on

TEST(WageSalaryTax, TableOnlyWithoutTheZeroRule) {
    EXPECT_EQ(tax::WageSalaryTax(-500, kOld), -500 * 0.45 - 15375);
    EXPECT_EQ(tax::WageSalaryTax(-500, kNew), -500 * 0.45 - 13505);
    EXPECT_EQ(tax::WageSalaryTax(0, kOld), 0);
    EXPECT_EQ(tax::WageSalaryTax(500, kOld), 25);
    EXPECT_EQ(tax::WageSalaryTax(1500, kNew), 45);
    // The upper bound of every row, and one unit in the last place above it.
    const double oldBounds[] = {500, 2000, 5000, 20000, 40000, 60000, 80000, 100000};
    const double oldTaxes[] = {25, 175, 625, 3625, 8625, 14625, 21625, 29625};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(tax::WageSalaryTax(oldBounds[i], kOld), oldTaxes[i]) << oldBounds[i];
        EXPECT_NEAR(tax::WageSalaryTax(std::nextafter(oldBounds[i], 1e9), kOld), oldTaxes[i], 1e-6);
    }
    const double newBounds[] = {1500, 4500, 9000, 35000, 55000, 80000};
    const double newTaxes[] = {45, 345, 1245, 7745, 13745, 22495};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tax::WageSalaryTax(newBounds[i], kNew), newTaxes[i]) << newBounds[i];
        EXPECT_NEAR(tax::WageSalaryTax(std::nextafter(newBounds[i], 1e9), kNew), newTaxes[i], 1e-6);
    }
}

// The net income is computed, and may overflow, before the zero rule.
TEST(WageSection, OverflowAtEachStep) {
    const double big = std::numeric_limits<double>::max();
    for (Edition e : {kOld, kNew}) {
        const double t = StatedThreshold(e);
        // The subtractions of the contributions.
        EXPECT_THROW(tax::WageSection(big, -big, 0, 0, t, e), ArithmeticError);
        EXPECT_THROW(tax::WageSection(big, 0, -big, 0, t, e), ArithmeticError);
        EXPECT_THROW(tax::WageSection(big, 0, 0, -big, t, e), ArithmeticError);
        EXPECT_THROW(tax::WageSection(-big, 0, 0, 0, big, e), ArithmeticError);
        // The net income beyond the single range, above and below zero.
        EXPECT_THROW(tax::WageSection(1e39, 0, 0, 0, t, e), ArithmeticError);
        EXPECT_THROW(tax::WageSection(6.2e38, 0, 0, 0, t, e), ArithmeticError);
        EXPECT_NO_THROW(tax::WageSection(6.1e38, 0, 0, 0, t, e));
        EXPECT_THROW(tax::WageSection(-1e39, 0, 0, 0, t, e), ArithmeticError);
        // The zero rule's own net income beyond the single range.
        EXPECT_THROW(tax::WageSection(1e39, 0, 0, 0, 2e39, e), ArithmeticError);
        const tax::WageOutcome small = tax::WageSection(1e38, 0, 0, 0, 2e38, e);
        EXPECT_EQ(small.tax, 0);
        EXPECT_EQ(small.netIncome, 1e38f);
    }
}

TEST(WageSection, ZeroRuleGivesPositiveZeros) {
    const tax::WageOutcome out = tax::WageSection(2000, 0, 0, 0, 2000, kOld);
    EXPECT_FALSE(std::signbit(out.taxable));
    EXPECT_FALSE(std::signbit(out.tax));
    EXPECT_EQ(tax::FormatDoubleAmount(out.taxable), "0");
}

}  // namespace
