#pragma once
// The texts of the current-rules window that state a tax year's figures: hints, notes, the
// business page's check box and the lottery exemption's box. Every figure in them comes from the
// year's Parameters, so a year shows its own standards and nothing of another year's.

#include "tax/current.hpp"

#include <QString>

namespace app::current {

using tax::current::Fen;
using tax::current::Parameters;

// A standard as the texts state it: whole yuan without decimals ("2,000"), otherwise as an
// amount ("2,000.50").
QString StandardText(Fen amount);

// Wages.
QString WageAdditionalHint(const Parameters& p);
QString WageOtherHint(const Parameters& p);
QString WageNote(const Parameters& p);

// The basic deduction's rules as the wage page offers them: each one's title, its line of
// explanation, and why the year or the first month does not allow it (empty where it does).
QString BasicTitle(tax::current::BasicDeduction rule);
QString BasicExplanation(const Parameters& p, tax::current::BasicDeduction rule);
QString BasicUnavailable(const Parameters& p, tax::current::BasicDeduction rule, int firstMonth);

// The special additional deductions item by item, monthly: each item's standard in the year,
// or why the year has none.
QString ChildEducationStandard(const Parameters& p);
QString InfantCareStandard(const Parameters& p);
QString DegreeEducationStandard(const Parameters& p);
QString HousingLoanStandard(const Parameters& p);
QString RentTierText(const Parameters& p, int tier);  // 0 to 2, by city
QString OnlyChildStandard(const Parameters& p);
QString ElderlyShareStandard(const Parameters& p);
QString ElderlyShareAboveCap(const Parameters& p);

// The annual one-time bonus.
QString BonusSeparateNote(const Parameters& p);
// The comparison's text where the year has no separate taxation: there is nothing to choose.
QString BonusWithoutChoice();
// The bonuses above which a dead zone begins, and what such a zone is.
QString BonusDeadZoneNote(const Parameters& p);

// Labour remuneration; author's remuneration and royalties.
QString LabourNote(const Parameters& p);
QString AuthorRoyaltyNote(const Parameters& p);

// Business income.
QString BusinessBasicDeductionText(const Parameters& p);
QString BusinessNote(const Parameters& p);

// Interest, dividends and incidental income.
QString InterestIncidentalNote(const Parameters& p);
QString LotteryNote(const Parameters& p);
QString LotteryExemptText(const Parameters& p);

// The annual settlement.
QString SettlementAdditionalHint(const Parameters& p);
QString SettlementOtherHint(const Parameters& p);
QString SettlementNote(const Parameters& p);
QString SettlementWaiverNote(const Parameters& p);
// The waiver, as the conclusion of a waived payment names it; empty in a year without one.
QString WaiverText(const Parameters& p);

}  // namespace app::current
