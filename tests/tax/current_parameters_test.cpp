// The parameters of each tax year: the years that have them, and the standards that changed
// between them, as the rules read them. The figures every year shares are tried through the
// rules themselves (current_rules_test.cpp, current_comprehensive_test.cpp).

#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <stdexcept>

namespace {

namespace current = tax::current;
using current::Fen;
using current::ParametersFor;

TEST(CurrentParametersFor, OnlyTheYearsOfTheRules) {
    for (int year : {2018, 2028, 0, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(year);
        EXPECT_THROW(ParametersFor(year), std::out_of_range);
    }
    EXPECT_EQ(current::kFirstYear, 2019);
    EXPECT_EQ(current::kLastYear, 2027);
}

struct YearRow {
    int year;
    Fen childEducation, infantCare, elderlySupport, elderlyShareCap;
    std::optional<Fen> personalPensionCap;
    std::optional<int> fromJanuaryFirstMonth;
    bool wholeYearBasic;
};

// clang-format off
const YearRow kYears[] = {
    // year  children  infants   elderly   share     pension        January  whole year
    {2019, 100'000, 0,       200'000, 100'000, std::nullopt,  std::nullopt, false},
    {2020, 100'000, 0,       200'000, 100'000, std::nullopt,  7,            false},
    {2021, 100'000, 0,       200'000, 100'000, std::nullopt,  1,            true},
    {2022, 100'000, 100'000, 200'000, 100'000, 1'200'000,     1,            true},
    {2023, 200'000, 200'000, 300'000, 150'000, 1'200'000,     1,            true},
    {2024, 200'000, 200'000, 300'000, 150'000, 1'200'000,     1,            true},
    {2025, 200'000, 200'000, 300'000, 150'000, 1'200'000,     1,            true},
    {2026, 200'000, 200'000, 300'000, 150'000, 1'200'000,     1,            true},
    {2027, 200'000, 200'000, 300'000, 150'000, 1'200'000,     1,            true},
};
// clang-format on

TEST(CurrentParametersFor, StandardsByYear) {
    for (const YearRow& r : kYears) {
        SCOPED_TRACE(r.year);
        const current::Parameters& p = ParametersFor(r.year);
        EXPECT_EQ(p.year, r.year);
        EXPECT_EQ(&ParametersFor(r.year), &p);  // one object a year, safe to keep
        EXPECT_EQ(p.childEducation, r.childEducation);
        EXPECT_EQ(p.infantCare, r.infantCare);
        EXPECT_EQ(p.elderlySupport, r.elderlySupport);
        EXPECT_EQ(p.elderlyShareCap, r.elderlyShareCap);
        EXPECT_EQ(p.personalPensionCap, r.personalPensionCap);
        EXPECT_EQ(p.fromJanuaryFirstMonth, r.fromJanuaryFirstMonth);
        EXPECT_EQ(p.wholeYearBasic, r.wholeYearBasic);
        // The rule and its limit come together.
        EXPECT_EQ(p.wholeYearWageLimit,
                  r.wholeYearBasic ? std::optional<Fen>(6'000'000) : std::nullopt);
        // Both measures are announced to the end of 2027.
        EXPECT_EQ(p.separateBonus.value_or(current::TimeLimited{}).lastYear, 2027);
        const current::Waiver none{0, 0, std::nullopt};
        EXPECT_EQ(p.waiver.value_or(none).lastYear, 2027);
        EXPECT_EQ(p.waiver.value_or(none).incomeUpTo, 12'000'000);
        EXPECT_EQ(p.waiver.value_or(none).paymentUpTo, 40'000);
    }
}

}  // namespace
