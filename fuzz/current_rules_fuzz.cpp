// Feeds arbitrary text through ReadYuan, FormatYuan and every rule in force, in every tax year.
//
// The first byte chooses the year: 2019 + byte % 9. The rest is up to ten lines. A line that
// ReadYuan accepts is that amount; a line it refuses that is a whole decimal integer (such as
// "-9223372036854775808") is that many fen, which reaches negative amounts and amounts beyond
// what ReadYuan gives; any other line is 0. For every amount the rules must not crash, overflow
// or return a negative tax. Where all the amounts are within ReadYuan's range (or its
// negative), the rules must also keep the relations that hold between them: monotonic taxes
// with bounded marginal rates, withholding that sums to the year's cumulative tax whatever the
// months and the basic-deduction rule, a settlement that agrees with the schedule and with
// itself under both treatments of the bonus, text that reads back. Any violation aborts.

#include "tax/current.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace current = tax::current;
using current::Fen;

constexpr Fen kLargest = 100'000'000'000'000;  // what ReadYuan accepts at most
constexpr Fen kMax = std::numeric_limits<Fen>::max();
constexpr Fen kMin = std::numeric_limits<Fen>::min();

void Check(bool condition) {
    if (!condition) std::abort();
}

bool InRange(Fen x) { return -kLargest <= x && x <= kLargest; }

// ---- text ----------------------------------------------------------------------------------

// "12,345.67" or "-0.01": groups of three digits, two decimals.
bool WellFormed(std::string_view text) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || text.size() - point != 3) return false;
    for (std::size_t i = 0; i < point; ++i) {
        const bool commaPlace = (point - i) % 4 == 0;
        if (commaPlace != (text[i] == ',')) return false;
        if (!commaPlace && (text[i] < '0' || text[i] > '9')) return false;
    }
    const char first = text.front();
    return point > 0 && first != ',' && (first != '0' || point == 1) &&
           std::isdigit(static_cast<unsigned char>(text[point + 1])) &&
           std::isdigit(static_cast<unsigned char>(text[point + 2]));
}

std::string WithoutCommas(std::string text) {
    std::erase(text, ',');
    return text;
}

void CheckFormat(Fen x) {
    const std::string text = current::FormatYuan(x);
    Check(WellFormed(text));
    if (0 <= x && x <= kLargest) Check(current::ReadYuan(WithoutCommas(text)) == x);
    if (x < 0 && x != kMin) Check(text == "-" + current::FormatYuan(-x));
}

// The field as its own canonical "digits.dd", or "" when it is not digits with one optional
// point and at most two decimals (blanks taken out first).
std::string Canonical(std::string_view field) {
    std::string kept;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field.substr(i).starts_with("\u3000")) {
            i += 2;
        } else if (field[i] != ' ' && field[i] != '\t') {
            kept += field[i];
        }
    }
    if (kept.empty()) return "0.00";
    const std::size_t point = std::min(kept.find('.'), kept.size());
    std::string whole = kept.substr(0, point);
    std::string decimals = point < kept.size() ? kept.substr(point + 1) : "";
    const auto digits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return '0' <= c && c <= '9'; });
    };
    if (!digits(whole) || !digits(decimals) || decimals.size() > 2) return "";
    if (whole.empty() && decimals.empty()) return "";
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.empty()) whole = "0";
    decimals.resize(2, '0');
    return whole + "." + decimals;
}

// ReadYuan accepts exactly the well-formed fields up to 1,000,000,000,000 yuan, and reads
// the value that the field writes.
void CheckRead(std::string_view field, std::optional<Fen> read) {
    const std::string canonical = Canonical(field);
    const bool tooLarge =
        canonical.size() > 16 || (canonical.size() == 16 && canonical > "1000000000000.00");
    Check(read.has_value() == (!canonical.empty() && !tooLarge));
    if (read) Check(WithoutCommas(current::FormatYuan(*read)) == canonical);
}

Fen Amount(std::string_view field) {
    const std::optional<Fen> read = current::ReadYuan(field);
    CheckRead(field, read);
    if (read) return *read;
    Fen fen = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), fen);
    return error == std::errc() && end == field.data() + field.size() ? fen : 0;
}

// ---- rules of one amount -------------------------------------------------------------------

using current::Parameters;

struct SingleRule {
    std::function<Fen(const Parameters&, Fen)> tax;
    int marginalPercent;  // the highest rate the rule ever applies to one more fen
    bool monotonic;
};

Fen BusinessOf(const Parameters& p, Fen x) {
    return current::BusinessTax(p, x, 0, current::BusinessDeduction::None);
}
Fen LotteryPrize(const Parameters& p, Fen x) {
    return current::IncidentalTax(p, x, current::Prize::Lottery).tax;
}

std::array<SingleRule, 8> SingleRules() {
    return {{
        {current::AnnualTableTax, 45, true},
        {current::LabourWithholding, 32, true},  // 40 % of 80 %
        {current::AuthorWithholding, 14, true},  // 20 % of 70 %
        {current::RoyaltyWithholding, 20, true},
        {BusinessOf, 35, true},
        {current::InterestDividendTax, 20, true},
        {LotteryPrize, 20, false},               // the exemption ends at 10,000 yuan
        {current::BonusSeparateTax, 45, false},  // the tax jumps at every bound
    }};
}

void CheckSingleRules(const Parameters& p, Fen x) {
    static const std::array<SingleRule, 8> rules = SingleRules();
    for (const SingleRule& rule : rules) {
        const Fen tax = rule.tax(p, x);
        Check(tax >= 0);
        if (!InRange(x)) continue;
        Check(tax <= std::max<Fen>(x, 0));
        // Two roundings can add at most one fen to the exact difference.
        const Fen more = rule.tax(p, x + 100);
        if (rule.monotonic) {
            Check(tax <= rule.tax(p, x + 1) && more - tax <= rule.marginalPercent + 1);
        }
    }
    if (!InRange(x)) return;
    Check(current::AuthorWithholding(p, x) <= current::RoyaltyWithholding(p, x));
    const current::IncidentalResult plain = current::IncidentalTax(p, x, current::Prize::Other);
    const current::IncidentalResult lottery = current::IncidentalTax(p, x, current::Prize::Lottery);
    Check(!plain.exempt && plain.tax == current::InterestDividendTax(p, x));
    Check(lottery.exempt == (0 <= x && x <= 1'000'000));
    Check(lottery.tax == (lottery.exempt ? 0 : plain.tax));
    if (x >= 0) Check(current::BonusCombinedTax(p, 0, x) == current::AnnualTableTax(p, x));
}

void CheckBusiness(const Parameters& p, Fen revenue, Fen costs) {
    constexpr auto kNone = current::BusinessDeduction::None;
    const Fen withBasic =
        current::BusinessTax(p, revenue, costs, current::BusinessDeduction::Basic);
    const Fen without = current::BusinessTax(p, revenue, costs, kNone);
    Check(withBasic >= 0 && withBasic <= without);
    if (!InRange(revenue) || !InRange(costs)) return;
    Check(without == current::BusinessTax(p, revenue - costs, 0, kNone));
    Check(withBasic == current::BusinessTax(p, revenue - 6'000'000, costs, kNone));
    Check(current::BusinessTax(p, revenue, costs + 1, kNone) <= without);
}

void CheckBonusCombined(const Parameters& p, Fen annualTaxable, Fen bonus) {
    const Fen extra = current::BonusCombinedTax(p, annualTaxable, bonus);
    Check(extra >= 0);
    if (!InRange(annualTaxable) || !InRange(bonus)) return;
    Check(extra <= current::BonusCombinedTax(p, annualTaxable, bonus + 1));
    Check(bonus > 0 || extra == 0);
}

// ---- the withholding schedule --------------------------------------------------------------

using current::BasicDeduction;
using current::MonthIncome;
using current::MonthRow;
using current::PayrollYear;

constexpr BasicDeduction kBasicRules[] = {BasicDeduction::MonthsEmployed,
                                          BasicDeduction::FromJanuary, BasicDeduction::WholeYear};

// The annual table as the schedule shows its rows; a bound belongs to the lower row.
struct AnnualRow {
    Fen upTo;
    int ratePercent;
    Fen quickDeduction;
};
constexpr AnnualRow kAnnualRows[] = {
    {3'600'000, 3, 0},           {14'400'000, 10, 252'000},   {30'000'000, 20, 1'692'000},
    {42'000'000, 25, 3'192'000}, {66'000'000, 30, 5'292'000}, {96'000'000, 35, 8'592'000},
    {kMax, 45, 18'192'000},
};

bool IsTableRate(int percent) {
    if (percent == 0) return true;
    for (const AnnualRow& row : kAnnualRows) {
        if (percent == row.ratePercent) return true;
    }
    return false;
}

bool ShowsItsRow(const MonthRow& r) {
    if (r.cumulativeTaxable <= 0) return r.ratePercent == 0 && r.quickDeduction == 0;
    for (const AnnualRow& row : kAnnualRows) {
        if (r.cumulativeTaxable <= row.upTo) {
            return r.ratePercent == row.ratePercent && r.quickDeduction == row.quickDeduction;
        }
    }
    return false;
}

Fen CumulativeBasic(BasicDeduction basic, int firstMonth, int month) {
    switch (basic) {
    case BasicDeduction::MonthsEmployed: return 500'000 * (month - firstMonth + 1);
    case BasicDeduction::FromJanuary: return 500'000 * month;
    case BasicDeduction::WholeYear: return 6'000'000;
    }
    return -1;
}

// From January: from 2021, and in 2020 for a first month of July or later. The whole year's:
// from 2021, from January only.
bool AvailableIn(int year, BasicDeduction basic, int firstMonth) {
    if (firstMonth < 1 || firstMonth > 12) return false;
    switch (basic) {
    case BasicDeduction::MonthsEmployed: return true;
    case BasicDeduction::FromJanuary: return year >= 2021 || (year == 2020 && firstMonth >= 7);
    case BasicDeduction::WholeYear: return year >= 2021 && firstMonth == 1;
    }
    return false;
}

// The schedule against its months, summed here: rows exactly when the year runs from a first
// month to December under a rule the year has; each cumulative figure; and the withholding,
// which sums to the highest cumulative tax so far (the tax itself where it only grows).
std::vector<MonthRow> CheckSchedule(const Parameters& p, const PayrollYear& in, bool inRange) {
    const std::vector<MonthRow> rows = current::WageWithholding(p, in);
    const bool runsToDecember = 1 <= in.firstMonth && in.firstMonth <= 12 &&
                                in.months.size() == static_cast<std::size_t>(13 - in.firstMonth);
    const bool valid = runsToDecember && current::Available(p, in.basic, in.firstMonth);
    Check(current::Available(p, in.basic, in.firstMonth) ==
          AvailableIn(p.year, in.basic, in.firstMonth));
    Check(rows.size() == (valid ? in.months.size() : 0u));
    Fen income = 0, deductions = 0, relief = 0, withheld = 0, highest = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MonthRow& r = rows[i];
        const MonthIncome& m = in.months[i];
        Check(r.month == in.firstMonth + static_cast<int>(i));
        Check(r.withheld >= 0 && r.cumulativeTax >= 0 && IsTableRate(r.ratePercent));
        if (!inRange) continue;
        income += m.gross;
        deductions += m.exempt + m.special + m.additional + m.other + m.donation;
        relief += m.relief;
        Check(r.cumulativeIncome == income);
        Check(r.cumulativeBasic == CumulativeBasic(in.basic, in.firstMonth, r.month));
        Check(r.cumulativeDeductions == deductions);
        Check(r.cumulativeTaxable == income - r.cumulativeBasic - deductions);
        Check(ShowsItsRow(r));
        Check(r.cumulativeTax ==
              std::max<Fen>(0, current::AnnualTableTax(p, r.cumulativeTaxable) - relief));
        withheld += r.withheld;
        highest = std::max(highest, r.cumulativeTax);
        Check(withheld == highest);
        Check(r.netPay == m.gross - m.special - r.withheld);
    }
    return rows;
}

bool SameRow(const MonthRow& a, const MonthRow& b) {
    return a.month == b.month && a.cumulativeIncome == b.cumulativeIncome &&
           a.cumulativeBasic == b.cumulativeBasic &&
           a.cumulativeDeductions == b.cumulativeDeductions &&
           a.cumulativeTaxable == b.cumulativeTaxable && a.ratePercent == b.ratePercent &&
           a.quickDeduction == b.quickDeduction && a.cumulativeTax == b.cumulativeTax &&
           a.withheld == b.withheld && a.netPay == b.netPay;
}

// The same month every month (no exemption, donation or relief): every first month of the
// year and beyond it, every rule, and months that do not run to December. Counting the basic
// deduction from January never raises the tax, and from a first month of January it is
// counting the months employed.
void CheckSameEveryMonth(const Parameters& p, const MonthIncome& month, bool inRange) {
    for (int first = -1; first <= 13; ++first) {
        const std::size_t count = static_cast<std::size_t>(std::max(0, 13 - first));
        std::vector<std::vector<MonthRow>> byRule;
        for (BasicDeduction basic : kBasicRules) {
            byRule.push_back(CheckSchedule(p, {first, basic, std::vector(count, month)}, inRange));
            CheckSchedule(p, {first, basic, std::vector(count + 1, month)}, inRange);
            if (count > 0) CheckSchedule(p, {first, basic, std::vector(count - 1, month)}, inRange);
        }
        const std::vector<MonthRow>& employed = byRule[0];
        const std::vector<MonthRow>& january = byRule[1];
        if (!inRange || january.empty()) continue;
        for (std::size_t i = 0; i < january.size(); ++i) {
            Check(january[i].cumulativeTax <= employed[i].cumulativeTax);
            if (first == 1) Check(SameRow(january[i], employed[i]));
        }
    }
}

// Months that differ: month k takes its amounts from the input in rotation, the deductions
// and the relief scaled down so that some months are taxed.
std::vector<MonthIncome> VaryingMonths(std::span<const Fen> a, std::size_t count) {
    std::vector<MonthIncome> months;
    for (std::size_t k = 0; k < count; ++k) {
        const auto at = [&](std::size_t i) { return a[(k + i) % a.size()]; };
        months.push_back({.gross = at(0),
                          .exempt = at(1) / 10,
                          .special = at(2) / 5,
                          .additional = at(3) / 5,
                          .other = at(4) / 20,
                          .donation = at(5) / 20,
                          .relief = at(6) / 100});
    }
    return months;
}

// ---- the settlement ------------------------------------------------------------------------

using current::BonusTreatment;
using current::Settlement;
using current::SettlementInput;

bool SameSettlement(const Settlement& a, const Settlement& b) {
    return a.taxable == b.taxable && a.tax == b.tax && a.balance == b.balance &&
           a.paymentWaived == b.paymentWaived;
}

// A year from January settles to what its schedule withheld; the bonus merged costs what
// BonusCombinedTax says, taxed separately what BonusSeparateTax says.
void CheckYearAgainstSettlement(const Parameters& p, const PayrollYear& in, const MonthRow& dec,
                                Fen bonus) {
    SettlementInput year{.withheld = dec.cumulativeTax};
    Fen relief = 0;
    for (const MonthIncome& m : in.months) {
        year.wages += m.gross - m.exempt;
        year.special += m.special;
        year.additional += m.additional;
        year.other += m.other;
        year.donation += m.donation;
        relief += m.relief;
    }
    const Settlement separate = current::AnnualSettlement(p, year, BonusTreatment::Separate);
    Check(SameSettlement(separate, current::AnnualSettlement(p, year, BonusTreatment::Merged)));
    Check(separate.taxable == dec.cumulativeTaxable);
    Check(std::max<Fen>(0, separate.tax - relief) == dec.cumulativeTax);
    if (relief == 0) Check(separate.balance == 0 && !separate.paymentWaived);
    if (bonus <= 0) return;

    SettlementInput withBonus = year;
    withBonus.bonus = bonus;
    const Fen extra = current::BonusCombinedTax(p, dec.cumulativeTaxable, bonus);
    withBonus.withheld = separate.tax + extra;
    const Settlement merged = current::AnnualSettlement(p, withBonus, BonusTreatment::Merged);
    Check(merged.taxable == dec.cumulativeTaxable + bonus);
    Check(merged.tax == separate.tax + extra);
    Check(merged.balance == 0 && !merged.paymentWaived);
    const Settlement apart = current::AnnualSettlement(p, withBonus, BonusTreatment::Separate);
    Check(apart.taxable == dec.cumulativeTaxable);
    Check(apart.tax == separate.tax + current::BonusSeparateTax(p, bonus));
}

void CheckSettlement(const Parameters& p, const SettlementInput& in, BonusTreatment treatment,
                     bool inRange) {
    const Settlement s = current::AnnualSettlement(p, in, treatment);
    Check(s.tax >= 0);
    Check(!s.paymentWaived || s.balance > 0);
    if (!inRange) return;
    const bool merged = treatment == BonusTreatment::Merged;
    Check(s.balance == s.tax - in.withheld);
    const Fen gross = in.wages + in.labour + in.author + in.royalty + (merged ? in.bonus : 0);
    Check(s.paymentWaived ==
          (s.balance > 0 && p.waiver.has_value() && (gross <= 12'000'000 || s.balance <= 40'000)));
    // The shown taxable income is within half a fen of the exact one the tax is taken from.
    const Fen annualTax = merged ? s.tax : s.tax - current::BonusSeparateTax(p, in.bonus);
    Check(current::AnnualTableTax(p, s.taxable - 1) <= annualTax);
    Check(annualTax <= current::AnnualTableTax(p, s.taxable + 1));
    if (in.labour % 5 == 0 && in.royalty % 5 == 0 && in.author % 25 == 0) {
        Check(annualTax == current::AnnualTableTax(p, s.taxable));  // the exact figure is whole
    }
    SettlementInput more = in;
    ++more.wages;
    Check(current::AnnualSettlement(p, more, treatment).tax >= s.tax);
    more = in;
    ++more.special;
    Check(current::AnnualSettlement(p, more, treatment).tax <= s.tax);
    more = in;
    ++more.donation;
    Check(current::AnnualSettlement(p, more, treatment).tax <= s.tax);
}

// Merged is the bonus added to the wages; separate is the year without it plus the bonus's
// own tax; with no bonus the two agree.
void CheckTreatments(const Parameters& p, const SettlementInput& in) {
    const Settlement separate = current::AnnualSettlement(p, in, BonusTreatment::Separate);
    const Settlement merged = current::AnnualSettlement(p, in, BonusTreatment::Merged);
    SettlementInput noBonus = in;
    noBonus.bonus = 0;
    const Settlement without = current::AnnualSettlement(p, noBonus, BonusTreatment::Separate);
    Check(SameSettlement(without, current::AnnualSettlement(p, noBonus, BonusTreatment::Merged)));
    if (in.bonus == 0) Check(SameSettlement(separate, merged));
    Check(separate.taxable == without.taxable);
    Check(separate.tax == without.tax + current::BonusSeparateTax(p, in.bonus));
    SettlementInput inWages = noBonus;
    inWages.wages += in.bonus;
    Check(SameSettlement(merged, current::AnnualSettlement(p, inWages, BonusTreatment::Separate)));
}

constexpr std::size_t kAmounts = 10;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const int year = current::kFirstYear + (size > 0 ? data[0] % 9 : 0);
    const current::Parameters& p = current::ParametersFor(year);
    Check(p.year == year);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    text.remove_prefix(std::min<std::size_t>(1, text.size()));
    std::array<Fen, kAmounts> a{};
    for (Fen& amount : a) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        amount = Amount(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    const bool allInRange = std::all_of(a.begin(), a.end(), InRange);

    for (Fen x : a) {
        CheckFormat(x);
        CheckSingleRules(p, x);
    }
    CheckBusiness(p, a[0], a[1]);
    CheckBonusCombined(p, a[0], a[4]);

    // Lines 1 to 4 are a month's gross, special, additional and other deductions, line 5 a
    // bonus; all ten, in order, are a settlement's (wages to bonus); all of them in rotation
    // are the months that differ.
    const MonthIncome same{.gross = a[0], .special = a[1], .additional = a[2], .other = a[3]};
    CheckSameEveryMonth(p, same, allInRange);
    for (BasicDeduction basic : kBasicRules) {
        for (int first = 1; first <= 12; ++first) {
            const PayrollYear varying{first, basic,
                                      VaryingMonths(a, static_cast<std::size_t>(13 - first))};
            const std::vector<MonthRow> rows = CheckSchedule(p, varying, allInRange);
            if (allInRange && first == 1 && !rows.empty()) {
                CheckYearAgainstSettlement(p, varying, rows.back(), 0);
            }
        }
        const PayrollYear fromJanuary{1, basic, std::vector(12, same)};
        const std::vector<MonthRow> rows = current::WageWithholding(p, fromJanuary);
        if (allInRange && !rows.empty()) {
            CheckYearAgainstSettlement(p, fromJanuary, rows.back(), std::max<Fen>(a[4], 0));
        }
    }

    const SettlementInput settlement{a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9]};
    CheckSettlement(p, settlement, BonusTreatment::Separate, allInRange);
    CheckSettlement(p, settlement, BonusTreatment::Merged, allInRange);
    if (allInRange) CheckTreatments(p, settlement);
    CheckFormat(kMin);
    CheckFormat(kMax);
    return 0;
}
