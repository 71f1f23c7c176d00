// Planning over the rules in force: the bonus dead zones, the best split of a year's pay and
// the gross a take-home needs, each against a search over every candidate.

#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

namespace current = tax::current;
using current::Fen;
using current::FormatYuan;

const current::Parameters& Year2026() { return current::ParametersFor(2026); }

Fen Kept(Fen bonus) { return bonus - current::BonusSeparateTax(Year2026(), bonus); }

struct ZoneRow {
    const char* from;  // the zone as the page shows it
    const char* to;
    Fen better;
};

// Each zone starts a fen above its bound × 12 and ends where the bonus keeps as much as the
// bound does: checked a fen below, on and above each end.
TEST(BonusDeadZone, SixZonesEachEndingWhereTheBonusKeepsAsMuch) {
    // clang-format off
    const ZoneRow zones[] = {
        {"36,000.01", "38,566.66", 3'600'000},      {"144,000.01", "160,499.99", 14'400'000},
        {"300,000.01", "318,333.32", 30'000'000},   {"420,000.01", "447,499.99", 42'000'000},
        {"660,000.01", "706,538.45", 66'000'000},   {"960,000.01", "1,119,999.99", 96'000'000},
    };
    // clang-format on
    for (const ZoneRow& row : zones) {
        SCOPED_TRACE(row.from);
        const std::optional<current::BonusZone> zone =
            current::BonusDeadZone(Year2026(), row.better + 1);
        ASSERT_TRUE(zone);
        EXPECT_EQ(FormatYuan(zone->from), row.from);
        EXPECT_EQ(FormatYuan(zone->to), row.to);
        EXPECT_EQ(zone->better, row.better);
        for (Fen bonus : {zone->from, zone->to, (zone->from + zone->to) / 2}) {
            EXPECT_EQ(current::BonusDeadZone(Year2026(), bonus)->to, zone->to) << bonus;
            EXPECT_LT(Kept(bonus), Kept(zone->better)) << bonus;
        }
        EXPECT_FALSE(current::BonusDeadZone(Year2026(), zone->better));
        EXPECT_FALSE(current::BonusDeadZone(Year2026(), zone->to + 1));
        EXPECT_GE(Kept(zone->to + 1), Kept(zone->better));
    }
    EXPECT_FALSE(current::BonusDeadZone(Year2026(), 0));
    EXPECT_FALSE(current::BonusDeadZone(Year2026(), -1));
    EXPECT_FALSE(current::BonusDeadZone(Year2026(), 1'000'000));
}

TEST(BonusDeadZone, ThirtyEightThousandKeepsFiveHundredTenLessThanTheBound) {
    const std::optional<current::BonusZone> zone = current::BonusDeadZone(Year2026(), 3'800'000);
    ASSERT_TRUE(zone);
    EXPECT_EQ(FormatYuan(Kept(zone->better) - Kept(3'800'000)), "510.00");
    EXPECT_EQ(FormatYuan(Kept(3'800'000)), "34,410.00");
}

struct Split {
    Fen bonus, totalTax;
};

Split Exhaustive(Fen package, Fen deductions) {
    const current::Parameters& p = Year2026();
    Split best{0, current::AnnualTableTax(p, package - deductions)};
    for (Fen bonus = 100; bonus <= package; bonus += 100) {
        const Fen tax = current::AnnualTableTax(p, package - bonus - deductions) +
                        current::BonusSeparateTax(p, bonus);
        if (tax < best.totalTax) best = {bonus, tax};
    }
    return best;
}

// Packages chosen so that whole stretches of bonuses tie (both taxes at 3 %, or the wages
// untaxed), fen amounts that are not whole yuan, and deductions above the package.
TEST(BestBonusSplit, AgreesWithEveryWholeYuanBonus) {
    std::vector<std::pair<Fen, Fen>> cases = {
        {3'600'000, 0},
        {3'600'099, 0},
        {40'000'000, 10'000'000},
        {0, 0},
        {99, 0},
        {100, 0},
        {5'000'000, 9'000'000},
        {18'000'000, 0},
        {50'000'000, -100},
        {12'345'678, 3'141},
    };
    std::mt19937_64 random(2026);
    for (int i = 0; i < 200; ++i) {
        const Fen package = static_cast<Fen>(random() % (i % 5 ? 200'000 : 150'000'000));
        cases.emplace_back(package, static_cast<Fen>(random() % 30'000'000) - 1'000'000);
    }
    for (const auto& [package, deductions] : cases) {
        SCOPED_TRACE(std::to_string(package) + " less " + std::to_string(deductions));
        const current::BonusSplit split = current::BestBonusSplit(Year2026(), package, deductions);
        const Split expected = Exhaustive(package, deductions);
        EXPECT_EQ(split.bonus, expected.bonus);
        EXPECT_EQ(split.totalTax, expected.totalTax);
    }
}

TEST(BestBonusSplit, FourHundredThousandWithAHundredThousandOfDeductions) {
    const current::BonusSplit split = current::BestBonusSplit(Year2026(), 40'000'000, 10'000'000);
    EXPECT_EQ(FormatYuan(split.bonus), "144,000.00");
    EXPECT_EQ(FormatYuan(split.totalTax), "28,470.00");
    EXPECT_EQ(FormatYuan(current::AnnualTableTax(Year2026(), 30'000'000)), "43,080.00");
}

// Far beyond the amounts a field takes, the candidates stay few and the answer exact.
TEST(BestBonusSplit, HugePackagesNeedNoSearch) {
    const current::BonusSplit split =
        current::BestBonusSplit(Year2026(), 100'000'000'000'000, 6'000'000);
    EXPECT_EQ(split.bonus % 100, 0);
    EXPECT_EQ(split.totalTax,
              current::AnnualTableTax(Year2026(), 100'000'000'000'000 - split.bonus - 6'000'000) +
                  current::BonusSeparateTax(Year2026(), split.bonus));
    for (Fen other : {split.bonus - 100, split.bonus + 100}) {
        EXPECT_GE(current::AnnualTableTax(Year2026(), 100'000'000'000'000 - other - 6'000'000) +
                      current::BonusSeparateTax(Year2026(), other),
                  split.totalTax);
    }
}

Fen YearNet(const current::Parameters& p, current::PayrollYear year, Fen gross) {
    for (current::MonthIncome& month : year.months) month.gross = gross;
    Fen net = 0;
    for (const current::MonthRow& row : current::WageWithholding(p, year)) net += row.netPay;
    return net;
}

current::PayrollYear Shape(int firstMonth, current::BasicDeduction basic, Fen special,
                           Fen additional) {
    return {firstMonth, basic,
            std::vector<current::MonthIncome>(static_cast<std::size_t>(13 - firstMonth),
                                              {.special = special, .additional = additional})};
}

struct NetRow {
    int year, firstMonth;
    current::BasicDeduction basic;
    Fen special, additional, averageNet;
    const char* gross;
};

// The least gross: its year nets at least the target on average, a fen less does not.
TEST(GrossForNet, TheLeastGrossThatNetsTheAverage) {
    using enum current::BasicDeduction;
    // clang-format off
    const NetRow rows[] = {
        {2026, 1, MonthsEmployed, 400'000, 200'000, 1'500'000, "19,655.56"},
        {2026, 1, MonthsEmployed, 0, 0, 500'000, "5,000.00"},
        {2026, 7, FromJanuary, 0, 0, 1'000'000, "10,000.00"},
        {2026, 7, MonthsEmployed, 0, 0, 1'000'000, "10,154.64"},
        {2022, 1, WholeYear, 100'000, 0, 3'000'000, "35,786.67"},
        {2019, 12, MonthsEmployed, 0, 0, 123'456'789, "1,909,814.34"},
    };
    // clang-format on
    for (const NetRow& row : rows) {
        SCOPED_TRACE(row.gross);
        const current::Parameters& p = current::ParametersFor(row.year);
        const current::PayrollYear shape =
            Shape(row.firstMonth, row.basic, row.special, row.additional);
        const std::optional<Fen> gross = current::GrossForNet(p, shape, row.averageNet);
        ASSERT_TRUE(gross);
        EXPECT_EQ(FormatYuan(*gross), row.gross);
        const Fen months = 13 - row.firstMonth;
        EXPECT_GE(YearNet(p, shape, *gross), row.averageNet * months);
        EXPECT_LT(YearNet(p, shape, *gross - 1), row.averageNet * months);
    }
}

TEST(GrossForNet, NothingWhereNoScheduleOrNoGrossReachesIt) {
    const current::Parameters& p = Year2026();
    using enum current::BasicDeduction;
    EXPECT_FALSE(current::GrossForNet(p, Shape(2, WholeYear, 0, 0), 100));
    EXPECT_FALSE(current::GrossForNet(p, {1, MonthsEmployed, {}}, 100));
    EXPECT_FALSE(current::GrossForNet(p, Shape(1, MonthsEmployed, 0, 0), 100'000'000'000'000));
    EXPECT_FALSE(
        current::GrossForNet(current::ParametersFor(2019), Shape(7, FromJanuary, 0, 0), 1));
    EXPECT_EQ(current::GrossForNet(p, Shape(1, MonthsEmployed, 50'000, 0), -50'000), 0);
    EXPECT_EQ(current::GrossForNet(p, Shape(1, MonthsEmployed, 50'000, 0), -49'999), 1);
}

}  // namespace
