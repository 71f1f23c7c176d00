// Every parameter of the rules in force since 2019, with the year it took effect and, where
// announced, the last year it applies. A value holds from its year until the next entry of its
// list. To change a standard or a date, edit its list here.

#include "tax/current.hpp"
#include "tax/current/tables.hpp"

#include <array>
#include <stdexcept>
#include <string>

namespace tax::current {
namespace {

using detail::Yuan;

template <typename T>
struct Dated {
    int from;
    std::optional<int> until;  // the last year, where an end is announced
    T value;
};

// Each list starts in the first year, its years rise, and an entry ends before the next one.
template <typename T, std::size_t N>
consteval bool WellDated(const std::array<Dated<T>, N>& list) {
    if (N == 0 || list[0].from != kFirstYear) return false;
    for (std::size_t i = 0; i < N; ++i) {
        const std::optional<int> until = list[i].until;
        if (until && *until < list[i].from) return false;
        if (i + 1 < N &&
            (list[i + 1].from <= list[i].from || (until && *until >= list[i + 1].from)))
            return false;
    }
    return true;
}

// The entry in force in `year`, if any.
template <typename T, std::size_t N>
constexpr const Dated<T>* InForce(const std::array<Dated<T>, N>& list, int year) {
    const Dated<T>* found = nullptr;
    for (const Dated<T>& entry : list) {
        if (entry.from <= year) found = &entry;
    }
    if (found && found->until && year > *found->until) return nullptr;
    return found;
}

template <typename T, std::size_t N>
constexpr T ValueIn(const std::array<Dated<T>, N>& list, int year) {
    return InForce(list, year)->value;  // every list starts in the first year with no end
}

// clang-format off
// The tables have not changed since 2019.
constexpr std::array<Dated<Table>, 1> kAnnualTables{{{2019, {}, detail::kAnnualTable}}};
constexpr std::array<Dated<Table>, 1> kMonthlyTables{{{2019, {}, detail::kMonthlyTable}}};
constexpr std::array<Dated<Table>, 1> kLabourTables{{{2019, {}, detail::kLabourTable}}};
constexpr std::array<Dated<Table>, 1> kBusinessTables{{{2019, {}, detail::kBusinessTable}}};

constexpr std::array<Dated<Fen>, 1> kAnnualBasicDeduction{{{2019, {}, Yuan(60'000)}}};
// Counting the basic deduction from January for a first wage income of the year: from
// 2020-07-01, so in 2020 for a first month of July or later; then any month.
constexpr std::array<Dated<std::optional<int>>, 3> kFromJanuaryFirstMonth{{
    {2019, {}, std::nullopt},
    {2020, {}, 7},
    {2021, {}, 1},
}};
// The whole year's deduction from January for last year's employees of modest wages: last
// year's wages there at most this much.
constexpr std::array<Dated<std::optional<Fen>>, 2> kWholeYearWageLimit{{
    {2019, {}, std::nullopt},
    {2021, {}, Yuan(60'000)},
}};

constexpr std::array<Dated<Fen>, 1> kFixedExpensesUpTo{{{2019, {}, Yuan(4'000)}}};
constexpr std::array<Dated<Fen>, 1> kFixedExpenses{{{2019, {}, Yuan(800)}}};
constexpr std::array<Dated<int>, 1> kRemunerationPercent{{{2019, {}, 80}}};
constexpr std::array<Dated<int>, 1> kAuthorPercent{{{2019, {}, 70}}};
constexpr std::array<Dated<int>, 1> kAuthorRoyaltyRate{{{2019, {}, 20}}};
constexpr std::array<Dated<int>, 1> kFlatRate{{{2019, {}, 20}}};
constexpr std::array<Dated<Fen>, 1> kLotteryExemptUpTo{{{2019, {}, Yuan(10'000)}}};

// The special additional deductions, monthly unless said otherwise.
constexpr std::array<Dated<Fen>, 2> kChildEducation{{
    {2019, {}, Yuan(1'000)},
    {2023, {}, Yuan(2'000)},
}};
constexpr std::array<Dated<Fen>, 3> kInfantCare{{
    {2019, {}, Yuan(0)},
    {2022, {}, Yuan(1'000)},
    {2023, {}, Yuan(2'000)},
}};
constexpr std::array<Dated<Fen>, 1> kDegreeEducation{{{2019, {}, Yuan(400)}}};
constexpr std::array<Dated<Fen>, 1> kCertificateEducation{{{2019, {}, Yuan(3'600)}}};  // a year
constexpr std::array<Dated<Fen>, 1> kHousingLoan{{{2019, {}, Yuan(1'000)}}};
constexpr std::array<Dated<std::array<Fen, 3>>, 1> kRent{{
    {2019, {}, {Yuan(1'500), Yuan(1'100), Yuan(800)}},
}};
constexpr std::array<Dated<Fen>, 2> kElderlySupport{{
    {2019, {}, Yuan(2'000)},
    {2023, {}, Yuan(3'000)},
}};
constexpr std::array<Dated<Fen>, 2> kElderlyShareCap{{
    {2019, {}, Yuan(1'000)},
    {2023, {}, Yuan(1'500)},
}};
// Serious illness, a year's own payment: above the first, up to the second; settlement only.
constexpr std::array<Dated<std::array<Fen, 2>>, 1> kSeriousIllness{{
    {2019, {}, {Yuan(15'000), Yuan(80'000)}},
}};
constexpr std::array<Dated<std::optional<Fen>>, 2> kPersonalPensionCap{{  // a year
    {2019, {}, std::nullopt},
    {2022, {}, Yuan(12'000)},
}};

// Time-limited measures.
constexpr std::array<Dated<bool>, 1> kSeparateBonus{{{2019, 2027, true}}};
constexpr std::array<Dated<std::array<Fen, 2>>, 1> kWaiver{{  // income, payment
    {2019, 2027, {Yuan(120'000), Yuan(400)}},
}};
// clang-format on

static_assert(WellDated(kAnnualTables) && WellDated(kMonthlyTables) && WellDated(kLabourTables) &&
              WellDated(kBusinessTables));
static_assert(WellDated(kAnnualBasicDeduction) && WellDated(kFromJanuaryFirstMonth) &&
              WellDated(kWholeYearWageLimit));
static_assert(WellDated(kFixedExpensesUpTo) && WellDated(kFixedExpenses) &&
              WellDated(kRemunerationPercent) && WellDated(kAuthorPercent) &&
              WellDated(kAuthorRoyaltyRate) && WellDated(kFlatRate) &&
              WellDated(kLotteryExemptUpTo));
static_assert(WellDated(kChildEducation) && WellDated(kInfantCare) && WellDated(kDegreeEducation) &&
              WellDated(kCertificateEducation) && WellDated(kHousingLoan) && WellDated(kRent) &&
              WellDated(kElderlySupport) && WellDated(kElderlyShareCap) &&
              WellDated(kSeriousIllness) && WellDated(kPersonalPensionCap));
static_assert(WellDated(kSeparateBonus) && WellDated(kWaiver));
static_assert(kAnnualBasicDeduction[0].value % 12 == 0, "a whole monthly basic deduction");

constexpr Parameters Build(int year) {
    constexpr int kMonths = 12;
    const Fen annualBasic = ValueIn(kAnnualBasicDeduction, year);
    const std::array<Fen, 2> illness = ValueIn(kSeriousIllness, year);
    Parameters p{
        .year = year,
        .annual = ValueIn(kAnnualTables, year),
        .monthly = ValueIn(kMonthlyTables, year),
        .labour = ValueIn(kLabourTables, year),
        .business = ValueIn(kBusinessTables, year),
        .bonusMonths = kMonths,
        .annualBasicDeduction = annualBasic,
        .monthlyBasicDeduction = annualBasic / kMonths,
        .fromJanuaryFirstMonth = ValueIn(kFromJanuaryFirstMonth, year),
        .wholeYearBasic = ValueIn(kWholeYearWageLimit, year).has_value(),
        .wholeYearWageLimit = ValueIn(kWholeYearWageLimit, year),
        .fixedExpensesUpTo = ValueIn(kFixedExpensesUpTo, year),
        .fixedExpenses = ValueIn(kFixedExpenses, year),
        .remunerationPercent = ValueIn(kRemunerationPercent, year),
        .authorPercent = ValueIn(kAuthorPercent, year),
        .authorRoyaltyRate = ValueIn(kAuthorRoyaltyRate, year),
        .flatRate = ValueIn(kFlatRate, year),
        .lotteryExemptUpTo = ValueIn(kLotteryExemptUpTo, year),
        .childEducation = ValueIn(kChildEducation, year),
        .infantCare = ValueIn(kInfantCare, year),
        .degreeEducation = ValueIn(kDegreeEducation, year),
        .certificateEducation = ValueIn(kCertificateEducation, year),
        .housingLoan = ValueIn(kHousingLoan, year),
        .rent = ValueIn(kRent, year),
        .elderlySupport = ValueIn(kElderlySupport, year),
        .elderlyShareCap = ValueIn(kElderlyShareCap, year),
        .seriousIllnessAbove = illness[0],
        .seriousIllnessUpTo = illness[1],
        .personalPensionCap = ValueIn(kPersonalPensionCap, year),
        .separateBonus = std::nullopt,
        .waiver = std::nullopt,
    };
    if (const auto* bonus = InForce(kSeparateBonus, year); bonus && bonus->value) {
        p.separateBonus = TimeLimited{bonus->until};
    }
    if (const auto* waiver = InForce(kWaiver, year)) {
        p.waiver = Waiver{waiver->value[0], waiver->value[1], waiver->until};
    }
    return p;
}

constexpr std::array<Parameters, kLastYear - kFirstYear + 1> BuildAll() {
    std::array<Parameters, kLastYear - kFirstYear + 1> all{};
    for (int year = kFirstYear; year <= kLastYear; ++year) all[year - kFirstYear] = Build(year);
    return all;
}

constexpr std::array<Parameters, kLastYear - kFirstYear + 1> kYears = BuildAll();

}  // namespace

const Parameters& ParametersFor(int year) {
    if (year < kFirstYear || year > kLastYear) {
        throw std::out_of_range("no tax parameters for the year " + std::to_string(year));
    }
    return kYears[static_cast<std::size_t>(year - kFirstYear)];
}

}  // namespace tax::current
