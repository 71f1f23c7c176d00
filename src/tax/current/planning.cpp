// Planning over the rules: the gross a take-home needs, the bonus dead zones, and the split of
// a year's pay between wages and the bonus that costs the least tax.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

#include <limits>

namespace tax::current {
namespace {

using detail::Exact;
using detail::Wide;

constexpr Fen kLargestAmount = 100'000'000'000'000;  // what ReadYuan accepts at most
constexpr Fen kYuan = 100;

// ---- take-home to gross --------------------------------------------------------------------

// Whether a monthly gross takes the year's net pay to the target; nullopt without rows.
class NetTarget {
public:
    NetTarget(const Parameters& p, const PayrollYear& shape, Fen averageNet)
        : p_(p), year_(shape), target_(Wide{averageNet} * static_cast<Wide>(shape.months.size())) {}

    std::optional<bool> reachedAt(Fen gross) {
        for (MonthIncome& month : year_.months) month.gross = gross;
        const std::vector<MonthRow> rows = WageWithholding(p_, year_);
        if (rows.empty()) return std::nullopt;
        Wide net = 0;
        for (const MonthRow& row : rows) net += row.netPay;
        return net >= target_;
    }

private:
    const Parameters& p_;
    PayrollYear year_;
    Wide target_;
};

// ---- the bonus -----------------------------------------------------------------------------

Wide BonusKept(const Parameters& p, Fen bonus) { return Wide{bonus} - BonusSeparateTax(p, bonus); }

// The bonuses whose tax is looked up in one row of the monthly table: above `below`, up to
// `upTo` (bonus / 12 on the row's bound), both 12 × bounds.
struct BonusRow {
    Fen below, upTo;
};

// The row a positive bonus falls in.
BonusRow BonusRowOf(const Parameters& p, Fen bonus) {
    Fen below = 0;
    for (std::size_t i = 0; i + 1 < p.monthly.size(); ++i) {
        const Fen bound = p.monthly[i].upTo * p.bonusMonths;
        if (bonus <= bound) return {below, bound};
        below = bound;
    }
    return {below, std::numeric_limits<Fen>::max() / 2};
}

// The largest bonus in (first - 1, last] that keeps less than `kept`, given that `first` does:
// what a bonus keeps never falls within a row, as a fen more adds at most a fen of tax.
Fen LastKeepingLess(const Parameters& p, Fen first, Fen last, Wide kept) {
    if (BonusKept(p, last) < kept) return last;
    while (last - first > 1) {  // first keeps less, last does not
        const Fen middle = first + (last - first) / 2;
        (BonusKept(p, middle) < kept ? first : last) = middle;
    }
    return first;
}

// The bonuses at which either tax changes its row, whole yuan or not: the monthly bounds × 12,
// and where the wages' taxable income crosses a bound of the annual table or 0.
std::vector<Wide> BreakPoints(const Parameters& p, Wide wagesTaxableWithoutBonus) {
    std::vector<Wide> points;
    for (std::size_t i = 0; i + 1 < p.monthly.size(); ++i) {
        points.push_back(Wide{p.monthly[i].upTo} * p.bonusMonths);
    }
    points.push_back(wagesTaxableWithoutBonus);
    for (std::size_t i = 0; i + 1 < p.annual.size(); ++i) {
        points.push_back(wagesTaxableWithoutBonus - p.annual[i].upTo);
    }
    return points;
}

Wide FloorToYuan(Wide fen) {
    const Wide yuan = fen >= 0 ? fen / kYuan : -((-fen + kYuan - 1) / kYuan);
    return yuan * kYuan;
}

}  // namespace

// What the year nets is non-decreasing in the gross: a fen more in every month adds n fen of
// pay and, at rates of at most 45 %, at most 0.45 n fen and a rounding fen to any month's
// cumulative tax. So the least gross is found by halving.
std::optional<Fen> GrossForNet(const Parameters& p, const PayrollYear& shape, Fen averageNet) {
    NetTarget target(p, shape, averageNet);
    const std::optional<bool> atMost = target.reachedAt(kLargestAmount);
    if (!atMost || !*atMost) return std::nullopt;
    if (*target.reachedAt(0)) return 0;
    Fen tooLittle = 0, enough = kLargestAmount;
    while (enough - tooLittle > 1) {
        const Fen middle = tooLittle + (enough - tooLittle) / 2;
        (*target.reachedAt(middle) ? enough : tooLittle) = middle;
    }
    return enough;
}

// Above each bound × 12 the bonus's whole amount moves to a higher rate at once, so a bonus
// just above keeps less than the bound itself, until the extra amount makes up for it.
std::optional<BonusZone> BonusDeadZone(const Parameters& p, Fen bonus) {
    if (bonus <= 0) return std::nullopt;
    const BonusRow row = BonusRowOf(p, bonus);
    if (row.below == 0) return std::nullopt;
    const Wide kept = BonusKept(p, row.below);
    const Fen first = row.below + 1;
    if (BonusKept(p, first) >= kept) return std::nullopt;
    const Fen last = LastKeepingLess(p, first, row.upTo, kept);
    if (bonus > last) return std::nullopt;
    return BonusZone{first, last, row.below};
}

// Between two break points both taxes are linear in the bonus, and at whole yuan neither
// rounds differently along the way (a whole-percent rate of whole yuan is whole fen), so the
// least total lies at the first or last whole yuan next to a break point, or at an end.
BonusSplit BestBonusSplit(const Parameters& p, Fen package, Fen annualDeductions) {
    const Wide taxableWithoutBonus = Wide{package} - annualDeductions;
    const auto totalTax = [&](Wide bonus) {
        const Fen bonusTax = p.separateBonus ? BonusSeparateTax(p, static_cast<Fen>(bonus)) : 0;
        const Wide wagesTaxable = taxableWithoutBonus - (p.separateBonus ? bonus : 0);
        return detail::ByTable(p.annual, Exact(wagesTaxable)).tax + bonusTax;
    };
    const Wide largest = package > 0 && p.separateBonus ? FloorToYuan(package) : 0;
    std::vector<Wide> candidates{0, largest};
    for (const Wide point : BreakPoints(p, taxableWithoutBonus)) {
        const Wide yuan = FloorToYuan(point);
        for (const Wide bonus : {yuan - kYuan, yuan, yuan + kYuan, yuan + 2 * kYuan}) {
            if (0 <= bonus && bonus <= largest) candidates.push_back(bonus);
        }
    }
    Wide best = 0, least = totalTax(0);
    for (const Wide bonus : candidates) {
        const Wide tax = totalTax(bonus);
        if (tax < least || (tax == least && bonus < best)) {
            best = bonus;
            least = tax;
        }
    }
    return {detail::ClampToFen(best), detail::ClampToFen(least)};
}

}  // namespace tax::current
