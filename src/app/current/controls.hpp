#pragma once
// The pages and controls of the current-rules window by typed ids: each control's page, kind and
// object name, written once here. A page creates a control by its id, the window hands it out by
// its id, and a misspelt id does not compile. The checks at the end run wherever this header is
// compiled.

#include <algorithm>
#include <cstddef>
#include <iterator>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;

namespace app::current {

enum class PageId {
    Wage,
    Bonus,
    Labour,
    AuthorRoyalty,
    Business,
    InterestIncidental,
    Settlement,
    BonusPlan,
};
inline constexpr std::size_t kPageCount = static_cast<std::size_t>(PageId::BonusPlan) + 1;

// Page by page, in the order each page creates them.
// clang-format off
enum class Control {
    WageGross, WageSpecial, WageAdditional, WageAdditionalItems, WageOther, WageFirstMonth,
    WageBasicMonthsEmployed, WageBasicFromJanuary, WageBasicWholeYear, WageCalculate,
    WageFirstWithheld, WageFirstNetPay, WageYearWithheld, WageAnnualTaxable, WageTargetNet,
    WageGrossForNet, WageNeededGross, WageTargetFirstNetPay, WageTargetDecemberNetPay,
    WageMonths, WageImportCsv, WageExportCsv, WageSchedule,
    BonusAmount, BonusCalculate, BonusSeparateTax, BonusCombinedTax, BonusWageAnnualTaxable,
    BonusLower, BonusDeadZone,
    LabourIncome, LabourCalculate, LabourTax,
    AuthorIncome, RoyaltyIncome, AuthorRoyaltyCalculate, AuthorTax, RoyaltyTax,
    BusinessRevenue, BusinessCosts, BusinessBasicDeduction, BusinessCalculate, BusinessTax,
    InterestIncome, IncidentalIncome, LotteryPrize, InterestIncidentalCalculate, InterestTax,
    IncidentalTax,
    SettlementWages, SettlementLabour, SettlementAuthor, SettlementRoyalty, SettlementBonus,
    SettlementSpecial, SettlementAdditional, SettlementOther, SettlementDonation,
    SettlementWithheld, SettlementFromWages, SettlementCalculate,
    SettlementSeparateTaxable, SettlementMergedTaxable, SettlementSeparateTax, SettlementMergedTax,
    SettlementSeparateBalance, SettlementMergedBalance, SettlementSeparateConclusion,
    SettlementMergedConclusion, SettlementBetter,
    BonusPlanPay, BonusPlanDeductions, BonusPlanFromWages, BonusPlanCalculate, BonusPlanBest,
    BonusPlanBestTotal, BonusPlanNoBonusTotal, BonusPlanEnteredTotal, BonusPlanConclusion,
    BonusPlanAlternatives,
};
// clang-format on
inline constexpr std::size_t kControlCount =
    static_cast<std::size_t>(Control::BonusPlanAlternatives) + 1;

// Amount: a field to type an amount into; Result: a read-only field the page writes.
enum class Kind { Amount, Result, Check, Radio, Number, Table, Button };

struct PageRow {
    PageId id;
    const char* name;   // the object name
    const char* title;  // the tab's, with its mnemonic
};

struct ControlRow {
    Control id;
    PageId page;
    Kind kind;
    const char* name;  // the object name, unique on its page
};

namespace controls {

using C = Control;
using P = PageId;
inline constexpr auto kAmount = Kind::Amount;
inline constexpr auto kResult = Kind::Result;
inline constexpr auto kButton = Kind::Button;

// Alt and the digit bring a page to the front, as Ctrl+Tab steps through them.
// clang-format off
inline constexpr PageRow kPages[] = {
    {P::Wage,               "wagePage",               "&1 工资薪金"},
    {P::Bonus,              "bonusPage",              "&2 全年一次性奖金"},
    {P::Labour,             "labourPage",             "&3 劳务报酬"},
    {P::AuthorRoyalty,      "authorRoyaltyPage",      "&4 稿酬、特许权使用费"},
    {P::Business,           "businessPage",           "&5 经营所得"},
    {P::InterestIncidental, "interestIncidentalPage", "&6 利息股息红利、偶然所得"},
    {P::Settlement,         "settlementPage",         "&7 年度汇算"},
    {P::BonusPlan,          "bonusPlanPage",          "&8 奖金筹划"},
};

inline constexpr ControlRow kControls[] = {
    {C::WageGross,                   P::Wage,               kAmount,       "gross"},
    {C::WageSpecial,                 P::Wage,               kAmount,       "special"},
    {C::WageAdditional,              P::Wage,               kAmount,       "additional"},
    {C::WageAdditionalItems,         P::Wage,               kButton,       "additionalItems"},
    {C::WageOther,                   P::Wage,               kAmount,       "other"},
    {C::WageFirstMonth,              P::Wage,               Kind::Number,  "firstMonth"},
    {C::WageBasicMonthsEmployed,     P::Wage,               Kind::Radio,   "basicMonthsEmployed"},
    {C::WageBasicFromJanuary,        P::Wage,               Kind::Radio,   "basicFromJanuary"},
    {C::WageBasicWholeYear,          P::Wage,               Kind::Radio,   "basicWholeYear"},
    {C::WageCalculate,               P::Wage,               kButton,       "calculate"},
    {C::WageFirstWithheld,           P::Wage,               kResult,       "firstWithheld"},
    {C::WageFirstNetPay,             P::Wage,               kResult,       "firstNetPay"},
    {C::WageYearWithheld,            P::Wage,               kResult,       "yearWithheld"},
    {C::WageAnnualTaxable,           P::Wage,               kResult,       "annualTaxable"},
    {C::WageTargetNet,               P::Wage,               kAmount,       "targetNet"},
    {C::WageGrossForNet,             P::Wage,               kButton,       "grossForNet"},
    {C::WageNeededGross,             P::Wage,               kResult,       "neededGross"},
    {C::WageTargetFirstNetPay,       P::Wage,               kResult,       "targetFirstNetPay"},
    {C::WageTargetDecemberNetPay,    P::Wage,               kResult,       "targetDecemberNetPay"},
    {C::WageMonths,                  P::Wage,               Kind::Table,   "months"},
    {C::WageImportCsv,               P::Wage,               kButton,       "importCsv"},
    {C::WageExportCsv,               P::Wage,               kButton,       "exportCsv"},
    {C::WageSchedule,                P::Wage,               Kind::Table,   "schedule"},

    {C::BonusAmount,                 P::Bonus,              kAmount,       "bonus"},
    {C::BonusCalculate,              P::Bonus,              kButton,       "calculate"},
    {C::BonusSeparateTax,            P::Bonus,              kResult,       "separateTax"},
    {C::BonusCombinedTax,            P::Bonus,              kResult,       "combinedTax"},
    {C::BonusWageAnnualTaxable,      P::Bonus,              kResult,       "wageAnnualTaxable"},
    {C::BonusLower,                  P::Bonus,              kResult,       "lower"},
    {C::BonusDeadZone,               P::Bonus,              kResult,       "deadZone"},

    {C::LabourIncome,                P::Labour,             kAmount,       "income"},
    {C::LabourCalculate,             P::Labour,             kButton,       "calculate"},
    {C::LabourTax,                   P::Labour,             kResult,       "tax"},

    {C::AuthorIncome,                P::AuthorRoyalty,      kAmount,       "author"},
    {C::RoyaltyIncome,               P::AuthorRoyalty,      kAmount,       "royalty"},
    {C::AuthorRoyaltyCalculate,      P::AuthorRoyalty,      kButton,       "calculate"},
    {C::AuthorTax,                   P::AuthorRoyalty,      kResult,       "authorTax"},
    {C::RoyaltyTax,                  P::AuthorRoyalty,      kResult,       "royaltyTax"},

    {C::BusinessRevenue,             P::Business,           kAmount,       "revenue"},
    {C::BusinessCosts,               P::Business,           kAmount,       "costs"},
    {C::BusinessBasicDeduction,      P::Business,           Kind::Check,   "basicDeduction"},
    {C::BusinessCalculate,           P::Business,           kButton,       "calculate"},
    {C::BusinessTax,                 P::Business,           kResult,       "tax"},

    {C::InterestIncome,              P::InterestIncidental, kAmount,       "interest"},
    {C::IncidentalIncome,            P::InterestIncidental, kAmount,       "incidental"},
    {C::LotteryPrize,                P::InterestIncidental, Kind::Check,   "lotteryPrize"},
    {C::InterestIncidentalCalculate, P::InterestIncidental, kButton,       "calculate"},
    {C::InterestTax,                 P::InterestIncidental, kResult,       "interestTax"},
    {C::IncidentalTax,               P::InterestIncidental, kResult,       "incidentalTax"},

    {C::SettlementWages,             P::Settlement,         kAmount,       "wages"},
    {C::SettlementLabour,            P::Settlement,         kAmount,       "labour"},
    {C::SettlementAuthor,            P::Settlement,         kAmount,       "author"},
    {C::SettlementRoyalty,           P::Settlement,         kAmount,       "royalty"},
    {C::SettlementBonus,             P::Settlement,         kAmount,       "bonus"},
    {C::SettlementSpecial,           P::Settlement,         kAmount,       "special"},
    {C::SettlementAdditional,        P::Settlement,         kAmount,       "additional"},
    {C::SettlementOther,             P::Settlement,         kAmount,       "other"},
    {C::SettlementDonation,          P::Settlement,         kAmount,       "donation"},
    {C::SettlementWithheld,          P::Settlement,         kAmount,       "withheld"},
    {C::SettlementFromWages,         P::Settlement,         kButton,       "fromWages"},
    {C::SettlementCalculate,         P::Settlement,         kButton,       "calculate"},
    {C::SettlementSeparateTaxable,   P::Settlement,         kResult,       "separateTaxable"},
    {C::SettlementMergedTaxable,     P::Settlement,         kResult,       "mergedTaxable"},
    {C::SettlementSeparateTax,       P::Settlement,         kResult,       "separateTax"},
    {C::SettlementMergedTax,         P::Settlement,         kResult,       "mergedTax"},
    {C::SettlementSeparateBalance,   P::Settlement,         kResult,       "separateBalance"},
    {C::SettlementMergedBalance,     P::Settlement,         kResult,       "mergedBalance"},
    {C::SettlementSeparateConclusion, P::Settlement,        kResult,       "separateConclusion"},
    {C::SettlementMergedConclusion,  P::Settlement,         kResult,       "mergedConclusion"},
    {C::SettlementBetter,            P::Settlement,         kResult,       "better"},

    {C::BonusPlanPay,                P::BonusPlan,          kAmount,       "pay"},
    {C::BonusPlanDeductions,         P::BonusPlan,          kAmount,       "deductions"},
    {C::BonusPlanFromWages,          P::BonusPlan,          kButton,       "fromWages"},
    {C::BonusPlanCalculate,          P::BonusPlan,          kButton,       "calculate"},
    {C::BonusPlanBest,               P::BonusPlan,          kResult,       "bestBonus"},
    {C::BonusPlanBestTotal,          P::BonusPlan,          kResult,       "bestTotal"},
    {C::BonusPlanNoBonusTotal,       P::BonusPlan,          kResult,       "noBonusTotal"},
    {C::BonusPlanEnteredTotal,       P::BonusPlan,          kResult,       "enteredTotal"},
    {C::BonusPlanConclusion,         P::BonusPlan,          kResult,       "conclusion"},
    {C::BonusPlanAlternatives,       P::BonusPlan,          Kind::Table,   "alternatives"},
};
// clang-format on

// The name of a page's "计算" button.
inline constexpr const char* kCalculateName = "calculate";

constexpr bool SameText(const char* a, const char* b) {
    for (; *a && *a == *b; ++a, ++b) {
    }
    return *a == *b;
}

constexpr bool RowsInOrderOfTheirIds() {
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        if (static_cast<std::size_t>(kControls[i].id) != i) return false;
    }
    for (std::size_t i = 0; i < std::size(kPages); ++i) {
        if (static_cast<std::size_t>(kPages[i].id) != i) return false;
    }
    return std::size(kControls) == kControlCount && std::size(kPages) == kPageCount;
}
static_assert(RowsInOrderOfTheirIds(),
              "kPages and kControls hold every id once, in the order of PageId and Control");

// findChild by a page and a name finds exactly the control meant.
constexpr bool NamesUniqueOnTheirPages() {
    for (std::size_t i = 0; i < std::size(kControls); ++i) {
        if (!*kControls[i].name) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (kControls[j].page == kControls[i].page &&
                SameText(kControls[j].name, kControls[i].name)) {
                return false;
            }
        }
    }
    return true;
}
static_assert(NamesUniqueOnTheirPages(), "each object name once on its page");

// The window presses a page's "计算" on Enter: every page has one, and only that button bears
// its name.
constexpr bool OneCalculateButtonAPage() {
    for (const PageRow& page : kPages) {
        int buttons = 0;
        for (const ControlRow& row : kControls) {
            const bool named = SameText(row.name, kCalculateName);
            if (named && row.kind != Kind::Button) return false;
            if (row.page == page.id && named) ++buttons;
        }
        if (buttons != 1) return false;
    }
    return true;
}
static_assert(OneCalculateButtonAPage(), "every page has one button named calculate");

}  // namespace controls

constexpr const ControlRow& RowOf(Control id) {
    return controls::kControls[static_cast<std::size_t>(id)];
}
constexpr const PageRow& RowOf(PageId id) { return controls::kPages[static_cast<std::size_t>(id)]; }
constexpr PageId PageOf(Control id) { return RowOf(id).page; }
constexpr Kind KindOf(Control id) { return RowOf(id).kind; }

constexpr Control CalculateOf(PageId page) {
    const auto* row = std::find_if(
        std::begin(controls::kControls), std::end(controls::kControls), [page](const auto& r) {
            return r.page == page && controls::SameText(r.name, controls::kCalculateName);
        });
    return row->id;
}

// The widget each kind is.
template <Kind>
struct WidgetOfKind;
template <>
struct WidgetOfKind<Kind::Amount> {
    using Type = QLineEdit;
};
template <>
struct WidgetOfKind<Kind::Result> {
    using Type = QLineEdit;
};
template <>
struct WidgetOfKind<Kind::Check> {
    using Type = QCheckBox;
};
template <>
struct WidgetOfKind<Kind::Radio> {
    using Type = QRadioButton;
};
template <>
struct WidgetOfKind<Kind::Number> {
    using Type = QSpinBox;
};
template <>
struct WidgetOfKind<Kind::Table> {
    using Type = QTableView;
};
template <>
struct WidgetOfKind<Kind::Button> {
    using Type = QPushButton;
};
template <Control id>
using WidgetOf = typename WidgetOfKind<KindOf(id)>::Type;

// A control id that must be of `kind`, checked where it is written: a page that creates a
// control of another kind under that id does not compile.
void ControlOfAnotherKind();  // never defined: reaching it in a constant evaluation fails it
template <Kind kind>
struct IdOf {
    consteval IdOf(Control control) : id(control) {
        if (KindOf(control) != kind) ControlOfAnotherKind();
    }
    Control id;
};

}  // namespace app::current
