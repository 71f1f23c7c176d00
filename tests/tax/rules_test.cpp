#include "tax/tax.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

namespace {

using tax::ArithmeticError;
using tax::Edition;

// One table of worked values for every single-precision rule, bounds and
// either side of them included.
struct RuleCase {
    const char* rule;
    std::function<float(double)> tax;
    double income;
    float expected;
};

std::vector<RuleCase> WorkedValues() {
    auto labour = [](double x) { return tax::LabourRemunerationTax(x); };
    auto oldBusiness = [](double x) { return tax::BusinessIncomeTax(x, Edition::OldRules); };
    auto newBusiness = [](double x) { return tax::BusinessIncomeTax(x, Edition::NewRules); };
    auto author = [](double x) { return tax::AuthorRemunerationTax(x); };
    auto royalty = [](double x) { return tax::RoyaltyTax(x); };
    auto interest = [](double x) { return tax::InterestDividendTax(x); };
    auto incidental = [](double x) { return tax::IncidentalIncomeTax(x).tax; };
    // clang-format off
    return {
        {"labour", labour, 0, 0},          {"labour", labour, 500, 0},
        {"labour", labour, 800, 0},        {"labour", labour, 800.5, 0.1f},
        {"labour", labour, 3000, 440},     {"labour", labour, 4000, 640},
        {"labour", labour, 5000, 800},     {"labour", labour, 25000, 4000},
        {"labour", labour, 30000, 5200},   {"labour", labour, 62500, 13000},
        {"labour", labour, 100000, 25000}, {"labour", labour, -100, 0},
        {"labour", labour, 1e38, static_cast<float>(13000 + (1e38 * 0.8 - 50000) * 0.4)},
        {"old business", oldBusiness, 3000, 150},    {"old business", oldBusiness, 5000, 250},
        {"old business", oldBusiness, 7000, 450},    {"old business", oldBusiness, 10000, 750},
        {"old business", oldBusiness, 20000, 2750},  {"old business", oldBusiness, 30000, 4750},
        {"old business", oldBusiness, 50000, 10750}, {"old business", oldBusiness, 60000, 14250},
        {"old business", oldBusiness, 0, 0},         {"old business", oldBusiness, -1, 0},
        {"new business", newBusiness, 10000, 500},   {"new business", newBusiness, 15000, 750},
        {"new business", newBusiness, 20000, 1250},  {"new business", newBusiness, 30000, 2250},
        {"new business", newBusiness, 45000, 5250},  {"new business", newBusiness, 60000, 8250},
        {"new business", newBusiness, 80000, 14250}, {"new business", newBusiness, 100000, 20250},
        {"new business", newBusiness, 150000, 37750}, {"new business", newBusiness, -5, 0},
        {"author", author, 0, 0},          {"author", author, 800, 0},
        {"author", author, 800.5, 0.07f},  {"author", author, 1000, 28},
        {"author", author, 3000, 308},     {"author", author, 4000, 448},
        {"author", author, 4000.5, 448.056f}, {"author", author, 4001, 448.112f},
        {"author", author, 5000, 560},     {"author", author, 20000, 2240},
        {"author", author, -100, 0},
        {"royalty", royalty, 0, 0},        {"royalty", royalty, 800, 0},
        {"royalty", royalty, 800.5, 0.1f}, {"royalty", royalty, 1000, 40},
        {"royalty", royalty, 3000, 440},   {"royalty", royalty, 4000, 640},
        {"royalty", royalty, 4000.5, 640.08f}, {"royalty", royalty, 4001, 640.16f},
        {"royalty", royalty, 5000, 800},   {"royalty", royalty, 20000, 3200},
        {"royalty", royalty, -100, 0},
        {"interest", interest, 0, 0},      {"interest", interest, 0.01, 0.002f},
        {"interest", interest, 123.45, 24.69f}, {"interest", interest, 1000, 200},
        {"interest", interest, 10000, 2000}, {"interest", interest, 10000.5, 2000.1f},
        {"interest", interest, 20000, 4000}, {"interest", interest, -5, 0},
        {"interest", interest, -50, 0},    {"interest", interest, -1e300, 0},
        {"incidental", incidental, 0, 0},  {"incidental", incidental, 123.45, 0},
        {"incidental", incidental, 10000, 0}, {"incidental", incidental, 10000.5, 2000.1f},
        {"incidental", incidental, 10001, 2000.2f}, {"incidental", incidental, 20000, 4000},
        {"incidental", incidental, -5, 0},
    };
    // clang-format on
}

TEST(Rules, WorkedValues) {
    for (const RuleCase& c : WorkedValues()) {
        EXPECT_EQ(c.tax(c.income), c.expected) << c.rule << " of " << c.income;
    }
}

TEST(Rules, IncidentalExemptionCoversZeroToTenThousand) {
    struct Case {
        double income;
        bool exempt;
    };
    for (const Case c :
         {Case{0, true}, Case{-0.0, true}, Case{123.45, true}, Case{10000, true},
          Case{10000.5, false}, Case{-5, false}, Case{-1e-300, false}, Case{1e30, false}}) {
        EXPECT_EQ(tax::IncidentalIncomeTax(c.income).exempt, c.exempt) << c.income;
    }
}

TEST(Rules, EditionsOnlyDifferWhereTheirTablesDo) {
    for (double x : {-1.0, 0.0, 1000.0, 4999.99, 5000.0}) {
        EXPECT_EQ(tax::BusinessIncomeTax(x, Edition::OldRules),
                  tax::BusinessIncomeTax(x, Edition::NewRules))
            << x;
    }
    EXPECT_NE(tax::BusinessIncomeTax(20000, Edition::OldRules),
              tax::BusinessIncomeTax(20000, Edition::NewRules));
}

// Each formula is evaluated in the order written, never with a folded
// constant such as x * 0.16 in place of (x * 0.8) * 0.2.
TEST(Rules, FormulasKeepTheirOrderOfOperations) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> amount(4000, 25000);
    for (int i = 0; i < 100000; ++i) {
        const double x = std::round(amount(random) * 100) / 100;
        const float written = static_cast<float>((x * 0.8) * 0.2);
        ASSERT_EQ(tax::LabourRemunerationTax(x), written) << x;
        ASSERT_EQ(tax::RoyaltyTax(x), written) << x;
        ASSERT_EQ(tax::AuthorRemunerationTax(x), static_cast<float>(((x * 0.8) * 0.2) * 0.7));
    }
    const double x = 20000.01;
    EXPECT_EQ(tax::BusinessIncomeTax(x, Edition::NewRules),
              static_cast<float>(750 + (x - 15000) * 0.1));
}

// Beyond the single range the conversion fails before the zero rule, so a
// huge negative amount fails just like a huge positive one.
TEST(Rules, OverflowOfTheSingleConversion) {
    const std::vector<std::pair<const char*, std::function<void(double)>>> rules = {
        {"labour", [](double x) { tax::LabourRemunerationTax(x); }},
        {"old business", [](double x) { tax::BusinessIncomeTax(x, Edition::OldRules); }},
        {"new business", [](double x) { tax::BusinessIncomeTax(x, Edition::NewRules); }},
        {"author", [](double x) { tax::AuthorRemunerationTax(x); }},
        {"royalty", [](double x) { tax::RoyaltyTax(x); }},
        {"incidental", [](double x) { tax::IncidentalIncomeTax(x); }},
    };
    for (const auto& [name, rule] : rules) {
        EXPECT_THROW(rule(1e40), ArithmeticError) << name;
        EXPECT_THROW(rule(-1e40), ArithmeticError) << name;
        EXPECT_THROW(rule(1.7e308), ArithmeticError) << name;
        EXPECT_NO_THROW(rule(1e38)) << name;
    }
    EXPECT_THROW(tax::InterestDividendTax(1e40), ArithmeticError);
    EXPECT_EQ(tax::InterestDividendTax(-1e40), 0);  // no product is formed
    EXPECT_NO_THROW(tax::AuthorRemunerationTax(3e39));
    EXPECT_THROW(tax::AuthorRemunerationTax(3.1e39), ArithmeticError);
    EXPECT_NO_THROW(tax::RoyaltyTax(2.1e39));
    EXPECT_THROW(tax::RoyaltyTax(2.2e39), ArithmeticError);
    EXPECT_NO_THROW(tax::IncidentalIncomeTax(1.7e39));
    EXPECT_THROW(tax::IncidentalIncomeTax(1.71e39), ArithmeticError);
}

TEST(Rules, TaxIsNeverNegativeNorAboveTheIncome) {
    std::mt19937_64 random(12);
    std::uniform_real_distribution<double> magnitude(-3, 12);
    for (int i = 0; i < 100000; ++i) {
        const double x = std::pow(10.0, magnitude(random)) * (i % 4 == 0 ? -1 : 1);
        for (float t :
             {tax::LabourRemunerationTax(x), tax::BusinessIncomeTax(x, Edition::OldRules),
              tax::BusinessIncomeTax(x, Edition::NewRules), tax::AuthorRemunerationTax(x),
              tax::RoyaltyTax(x), tax::InterestDividendTax(x), tax::IncidentalIncomeTax(x).tax}) {
            ASSERT_GE(t, 0) << x;
            ASSERT_LE(t, std::max(x, 0.0) * 1.0000001) << x;
        }
    }
}

// At every shared bound the two rows give the same figure, so the tax only
// grows with the income: checked one fen either side of every bound.
TEST(Rules, NoJumpsAtTheBounds) {
    auto rising = [](const char* name, auto rule, std::initializer_list<double> bounds) {
        for (double b : bounds) {
            EXPECT_LE(rule(b - 0.01), rule(b)) << name << " at " << b;
            EXPECT_LE(rule(b), rule(b + 0.01)) << name << " at " << b;
            EXPECT_NEAR(rule(b + 0.01), rule(b - 0.01), 0.01) << name << " at " << b;
        }
    };
    rising("labour", tax::LabourRemunerationTax, {800, 4000, 25000, 62500});
    rising("author", tax::AuthorRemunerationTax, {800, 4000});
    rising("royalty", tax::RoyaltyTax, {800, 4000});
    rising("old business", [](double x) { return tax::BusinessIncomeTax(x, Edition::OldRules); },
           {5000, 10000, 30000, 50000});
    rising("new business", [](double x) { return tax::BusinessIncomeTax(x, Edition::NewRules); },
           {15000, 30000, 60000, 100000});
}

}  // namespace
