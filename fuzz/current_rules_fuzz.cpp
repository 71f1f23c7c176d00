// Feeds arbitrary text through ReadYuan, FormatYuan and every rule in force today.
//
// The input is up to eight lines. A line that ReadYuan accepts is that amount; a line it
// refuses that is a whole decimal integer (such as "-9223372036854775808") is that many fen,
// which reaches negative amounts and amounts beyond what ReadYuan gives; any other line is 0.
// For every amount the rules must not crash, overflow or return a negative tax. Where all the
// amounts involved are within ReadYuan's range (or its negative), the rules must also keep the
// relations that hold between them: monotonic taxes with bounded marginal rates, withholding
// that sums to the year's cumulative tax, a settlement that agrees with the schedule, text that
// reads back. Any violation aborts.

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

struct SingleRule {
    std::function<Fen(Fen)> tax;
    int marginalPercent;  // the highest rate the rule ever applies to one more fen
    bool monotonic;
};

std::array<SingleRule, 8> SingleRules() {
    return {{
        {current::AnnualTableTax, 45, true},
        {current::LabourWithholding, 32, true},  // 40 % of 80 %
        {current::AuthorWithholding, 14, true},  // 20 % of 70 %
        {current::RoyaltyWithholding, 20, true},
        {[](Fen x) { return current::BusinessTax(x, 0, false); }, 35, true},
        {current::InterestDividendTax, 20, true},
        {[](Fen x) { return current::IncidentalTax(x, true).tax; }, 20, false},  // exemption
        {current::BonusSeparateTax, 45, false},  // the tax jumps at every bound
    }};
}

void CheckSingleRules(Fen x) {
    static const std::array<SingleRule, 8> rules = SingleRules();
    for (const SingleRule& rule : rules) {
        const Fen tax = rule.tax(x);
        Check(tax >= 0);
        if (!InRange(x)) continue;
        Check(tax <= std::max<Fen>(x, 0));
        // Two roundings can add at most one fen to the exact difference.
        const Fen more = rule.tax(x + 100);
        if (rule.monotonic) Check(tax <= rule.tax(x + 1) && more - tax <= rule.marginalPercent + 1);
    }
    if (!InRange(x)) return;
    Check(current::AuthorWithholding(x) <= current::RoyaltyWithholding(x));
    const current::IncidentalResult plain = current::IncidentalTax(x, false);
    const current::IncidentalResult lottery = current::IncidentalTax(x, true);
    Check(!plain.exempt && plain.tax == current::InterestDividendTax(x));
    Check(lottery.exempt == (0 <= x && x <= 1'000'000));
    Check(lottery.tax == (lottery.exempt ? 0 : plain.tax));
    if (x >= 0) Check(current::BonusCombinedTax(0, x) == current::AnnualTableTax(x));
}

void CheckBusiness(Fen revenue, Fen costs) {
    const Fen withBasic = current::BusinessTax(revenue, costs, true);
    const Fen without = current::BusinessTax(revenue, costs, false);
    Check(withBasic >= 0 && withBasic <= without);
    if (!InRange(revenue) || !InRange(costs)) return;
    Check(without == current::BusinessTax(revenue - costs, 0, false));
    Check(withBasic == current::BusinessTax(revenue - 6'000'000, costs, false));
    Check(current::BusinessTax(revenue, costs + 1, false) <= without);
}

void CheckBonusCombined(Fen annualTaxable, Fen bonus) {
    const Fen extra = current::BonusCombinedTax(annualTaxable, bonus);
    Check(extra >= 0);
    if (!InRange(annualTaxable) || !InRange(bonus)) return;
    Check(extra <= current::BonusCombinedTax(annualTaxable, bonus + 1));
    Check(bonus > 0 || extra == 0);
}

// ---- the withholding schedule and the settlement -------------------------------------------

bool IsTableRate(int percent) {
    for (int rate : {0, 3, 10, 20, 25, 30, 35, 45}) {
        if (percent == rate) return true;
    }
    return false;
}

// December's row of a year from January, for the cross-checks with the settlement.
std::optional<current::MonthRow> CheckSchedule(const current::WageInput& in, bool inRange) {
    const std::vector<current::MonthRow> rows = current::WageWithholding(in);
    const bool inYear = 1 <= in.firstMonth && in.firstMonth <= 12;
    Check(rows.size() == (inYear ? static_cast<std::size_t>(13 - in.firstMonth) : 0u));
    Fen withheldSoFar = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const current::MonthRow& r = rows[i];
        const Fen months = static_cast<Fen>(i) + 1;
        Check(r.month == in.firstMonth + static_cast<int>(i));
        Check(r.withheld >= 0 && r.cumulativeTax >= 0 && IsTableRate(r.ratePercent));
        if (!inRange) continue;
        withheldSoFar += r.withheld;
        Check(r.cumulativeIncome == in.monthlyGross * months);
        Check(r.cumulativeBasic == 500'000 * months);
        Check(r.cumulativeDeductions == (in.special + in.additional + in.other) * months);
        Check(r.cumulativeTaxable ==
              r.cumulativeIncome - r.cumulativeBasic - r.cumulativeDeductions);
        Check(r.cumulativeTax == current::AnnualTableTax(r.cumulativeTaxable));
        Check((r.ratePercent == 0) == (r.cumulativeTaxable <= 0));
        Check(withheldSoFar == r.cumulativeTax);
        Check(r.netPay == in.monthlyGross - in.special - r.withheld);
    }
    if (rows.empty() || in.firstMonth != 1) return std::nullopt;
    return rows.back();
}

// A year of wages settles to the tax its schedule withheld, and adding the bonus to it costs
// what BonusCombinedTax says.
void CheckScheduleAgainstSettlement(const current::WageInput& in, const current::MonthRow& dec,
                                    Fen bonus) {
    const current::SettlementInput year{
        12 * in.monthlyGross, 0, 0, 0, 12 * in.special, 12 * in.additional, 12 * in.other,
        dec.cumulativeTax};
    const current::Settlement settled = current::AnnualSettlement(year);
    Check(settled.taxable == dec.cumulativeTaxable && settled.tax == dec.cumulativeTax);
    Check(settled.balance == 0 && !settled.paymentWaived);
    if (bonus <= 0) return;
    current::SettlementInput withBonus = year;
    withBonus.wages += bonus;
    Check(current::BonusCombinedTax(dec.cumulativeTaxable, bonus) ==
          current::AnnualSettlement(withBonus).tax - settled.tax);
}

void CheckSettlement(const current::SettlementInput& in, bool inRange) {
    const current::Settlement s = current::AnnualSettlement(in);
    Check(s.tax >= 0);
    Check(!s.paymentWaived || s.balance > 0);
    if (!inRange) return;
    Check(s.balance == s.tax - in.withheld);
    const Fen gross = in.wages + in.labour + in.author + in.royalty;
    Check(s.paymentWaived == (s.balance > 0 && (gross <= 12'000'000 || s.balance <= 40'000)));
    // The shown taxable income is within half a fen of the exact one the tax is taken from.
    Check(current::AnnualTableTax(s.taxable - 1) <= s.tax);
    Check(s.tax <= current::AnnualTableTax(s.taxable + 1));
    if (in.labour % 5 == 0 && in.royalty % 5 == 0 && in.author % 25 == 0) {
        Check(s.tax == current::AnnualTableTax(s.taxable));  // the exact figure is whole fen
    }
    current::SettlementInput more = in;
    ++more.wages;
    Check(current::AnnualSettlement(more).tax >= s.tax);
    more = in;
    ++more.special;
    Check(current::AnnualSettlement(more).tax <= s.tax);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::array<Fen, 8> a{};
    for (Fen& amount : a) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        amount = Amount(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    const bool allInRange = std::all_of(a.begin(), a.end(), InRange);

    for (Fen x : a) {
        CheckFormat(x);
        CheckSingleRules(x);
    }
    CheckBusiness(a[0], a[1]);
    CheckBonusCombined(a[0], a[4]);
    for (int month = -1; month <= 13; ++month) {
        const current::WageInput wages{a[0], a[1], a[2], a[3], month};
        const auto december = CheckSchedule(wages, allInRange);
        if (december && allInRange) CheckScheduleAgainstSettlement(wages, *december, a[4]);
    }
    CheckSettlement({a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]}, allInRange);
    CheckFormat(kMin);
    CheckFormat(kMax);
    return 0;
}
