// Comprehensive income by tax year: the cumulative withholding of wages, which basic-deduction
// rule a payroll year may use, the annual settlement with the bonus either way, and the monthly
// special additional deduction by each year's standards.

#include "tax/current.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

namespace current = tax::current;
using current::Fen;
using current::FormatYuan;
using current::ParametersFor;
using Basic = current::BasicDeduction;
using Treatment = current::BonusTreatment;
using current::RentTier;

constexpr Fen kMax = std::numeric_limits<Fen>::max();
constexpr Fen kMin = std::numeric_limits<Fen>::min();

// ---- the withholding schedule --------------------------------------------------------------

// What a month of the schedule shows, money as FormatYuan writes it.
struct ShownRow {
    int month;
    std::string income, basic, deductions, taxable;
    int rate;
    std::string quick, tax, withheld, net;
    bool operator==(const ShownRow&) const = default;
    friend void PrintTo(const ShownRow& r, std::ostream* os) {
        *os << r.month << ": " << r.income << " " << r.basic << " " << r.deductions << " "
            << r.taxable << " " << r.rate << "% " << r.quick << " " << r.tax << " " << r.withheld
            << " " << r.net;
    }
};

ShownRow Shown(const current::MonthRow& r) {
    return {r.month,
            FormatYuan(r.cumulativeIncome),
            FormatYuan(r.cumulativeBasic),
            FormatYuan(r.cumulativeDeductions),
            FormatYuan(r.cumulativeTaxable),
            r.ratePercent,
            FormatYuan(r.quickDeduction),
            FormatYuan(r.cumulativeTax),
            FormatYuan(r.withheld),
            FormatYuan(r.netPay)};
}

// `count` months paid alike, one after another from the first month.
struct Run {
    int count;
    current::MonthIncome month;
};

current::PayrollYear Payroll(int firstMonth, Basic basic, std::initializer_list<Run> runs) {
    current::PayrollYear year{firstMonth, basic, {}};
    for (const Run& run : runs) {
        year.months.insert(year.months.end(), static_cast<std::size_t>(run.count), run.month);
    }
    return year;
}

constexpr current::MonthIncome kExample{
    .gross = 2'000'000, .special = 400'000, .additional = 200'000};
constexpr current::MonthIncome kTenThousand{.gross = 1'000'000};
constexpr Basic kMonths = Basic::MonthsEmployed, kJanuary = Basic::FromJanuary,
                kWholeYear = Basic::WholeYear;

struct WageCase {
    const char* name;
    int year;
    current::PayrollYear payroll;
    std::vector<const char*> withheld;  // each month's, from the first month to December
    const char* yearWithheld;
    std::vector<ShownRow> shown;  // some months in full
};

// clang-format off
const WageCase kWages[] = {
    // April's cumulative taxable income lies on the first bound and still takes 3 %.
    {"example", 2019, Payroll(1, kMonths, {{12, kExample}}),
     {"270.00", "270.00", "270.00", "270.00", "900.00", "900.00",
      "900.00", "900.00", "900.00", "900.00", "900.00", "900.00"}, "8,280.00",
     {{1, "20,000.00", "5,000.00", "6,000.00", "9,000.00", 3, "0.00", "270.00", "270.00",
       "15,730.00"},
      {4, "80,000.00", "20,000.00", "24,000.00", "36,000.00", 3, "0.00", "1,080.00", "270.00",
       "15,730.00"},
      {5, "100,000.00", "25,000.00", "30,000.00", "45,000.00", 10, "2,520.00", "1,980.00",
       "900.00", "15,100.00"},
      {12, "240,000.00", "60,000.00", "72,000.00", "108,000.00", 10, "2,520.00", "8,280.00",
       "900.00", "15,100.00"}}},
    {"example", 2027, Payroll(1, kMonths, {{12, kExample}}),
     {"270.00", "270.00", "270.00", "270.00", "900.00", "900.00",
      "900.00", "900.00", "900.00", "900.00", "900.00", "900.00"}, "8,280.00", {}},
    // From January both rules count the same months.
    {"example, basic from January", 2023, Payroll(1, kJanuary, {{12, kExample}}),
     {"270.00", "270.00", "270.00", "270.00", "900.00", "900.00",
      "900.00", "900.00", "900.00", "900.00", "900.00", "900.00"}, "8,280.00",
     {{12, "240,000.00", "60,000.00", "72,000.00", "108,000.00", 10, "2,520.00", "8,280.00",
       "900.00", "15,100.00"}}},
    // The whole year's deduction from January defers the tax, never changes the year's.
    {"example, whole year", 2021, Payroll(1, kWholeYear, {{12, kExample}}),
     {"0.00", "0.00", "0.00", "0.00", "300.00", "420.00",
      "560.00", "1,400.00", "1,400.00", "1,400.00", "1,400.00", "1,400.00"}, "8,280.00",
     {{1, "20,000.00", "60,000.00", "6,000.00", "-46,000.00", 0, "0.00", "0.00", "0.00",
       "16,000.00"},
      {12, "240,000.00", "60,000.00", "72,000.00", "108,000.00", 10, "2,520.00", "8,280.00",
       "1,400.00", "14,600.00"}}},
    // Each row is taken at its bound by the lower rate: 300,000 in June at 20 %.
    {"four rows crossed", 2020,
     Payroll(1, kMonths, {{12, {.gross = 6'000'000, .special = 500'000}}}),
     {"2,480.00", "5,000.00", "5,600.00", "10,000.00", "10,000.00", "10,000.00",
      "12,500.00", "12,500.00", "14,000.00", "15,000.00", "15,000.00", "15,000.00"}, "127,080.00",
     {{6, "360,000.00", "30,000.00", "30,000.00", "300,000.00", 20, "16,920.00", "43,080.00",
       "10,000.00", "45,000.00"},
      {12, "720,000.00", "60,000.00", "60,000.00", "600,000.00", 30, "52,920.00", "127,080.00",
       "15,000.00", "40,000.00"}}},
    {"from July", 2021, Payroll(7, kMonths, {{6, kExample}}),
     {"270.00", "270.00", "270.00", "270.00", "900.00", "900.00"}, "2,880.00",
     {{7, "20,000.00", "5,000.00", "6,000.00", "9,000.00", 3, "0.00", "270.00", "270.00",
       "15,730.00"},
      {12, "120,000.00", "30,000.00", "36,000.00", "54,000.00", 10, "2,520.00", "2,880.00",
       "900.00", "15,100.00"}}},
    // A first job in July: the deduction counted from January leaves nothing to withhold.
    {"from July, basic from January", 2026, Payroll(7, kJanuary, {{6, kTenThousand}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, "0.00",
     {{7, "10,000.00", "35,000.00", "0.00", "-25,000.00", 0, "0.00", "0.00", "0.00",
       "10,000.00"},
      {12, "60,000.00", "60,000.00", "0.00", "0.00", 0, "0.00", "0.00", "0.00", "10,000.00"}}},
    {"from July, basic from January", 2020, Payroll(7, kJanuary, {{6, kTenThousand}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, "0.00", {}},
    {"from July, months employed", 2026, Payroll(7, kMonths, {{6, kTenThousand}}),
     {"150.00", "150.00", "150.00", "150.00", "150.00", "150.00"}, "900.00",
     {{7, "10,000.00", "5,000.00", "0.00", "5,000.00", 3, "0.00", "150.00", "150.00",
       "9,850.00"},
      {12, "60,000.00", "30,000.00", "0.00", "30,000.00", 3, "0.00", "900.00", "150.00",
       "9,850.00"}}},
    {"December alone, basic from January", 2021, Payroll(12, kJanuary, {{1, {.gross = 7'000'000}}}),
     {"300.00"}, "300.00",
     {{12, "70,000.00", "60,000.00", "0.00", "10,000.00", 3, "0.00", "300.00", "300.00",
       "69,700.00"}}},
    // Nothing until the year's wages pass 60,000 yuan in November.
    {"whole year", 2021, Payroll(1, kWholeYear, {{12, {.gross = 600'000}}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
      "0.00", "0.00", "0.00", "0.00", "180.00", "180.00"}, "360.00",
     {{10, "60,000.00", "60,000.00", "0.00", "0.00", 0, "0.00", "0.00", "0.00", "6,000.00"},
      {11, "66,000.00", "60,000.00", "0.00", "6,000.00", 3, "0.00", "180.00", "180.00",
       "5,820.00"},
      {12, "72,000.00", "60,000.00", "0.00", "12,000.00", 3, "0.00", "360.00", "180.00",
       "5,820.00"}}},
    {"whole year", 2027, Payroll(1, kWholeYear, {{12, {.gross = 600'000}}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
      "0.00", "0.00", "0.00", "0.00", "180.00", "180.00"}, "360.00", {}},
    // Below the deductions the taxable income is shown negative and no row of the table applies.
    {"below the deductions", 2022,
     Payroll(11, kMonths, {{2, {.gross = 300'000, .special = 50'000, .other = 10'000}}}),
     {"0.00", "0.00"}, "0.00",
     {{12, "6,000.00", "10,000.00", "1,200.00", "-5,200.00", 0, "0.00", "0.00", "0.00",
       "2,500.00"}}},
    {"below the deductions", 2024,
     Payroll(1, kMonths, {{12, {.gross = 300'000, .special = 50'000}}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
      "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, "0.00",
     {{1, "3,000.00", "5,000.00", "500.00", "-2,500.00", 0, "0.00", "0.00", "0.00", "2,500.00"},
      {12, "36,000.00", "60,000.00", "6,000.00", "-30,000.00", 0, "0.00", "0.00", "0.00",
       "2,500.00"}}},
    {"3,000 a month", 2023, Payroll(1, kMonths, {{12, {.gross = 300'000}}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
      "0.00", "0.00", "0.00", "0.00", "0.00", "0.00"}, "0.00",
     {{12, "36,000.00", "60,000.00", "0.00", "-24,000.00", 0, "0.00", "0.00", "0.00",
       "3,000.00"}}},
    {"30,000 a month", 2020,
     Payroll(1, kMonths, {{12, {.gross = 3'000'000, .special = 400'000, .additional = 200'000}}}),
     {"570.00", "710.00", "1,900.00", "1,900.00", "1,900.00", "1,900.00",
      "1,900.00", "2,700.00", "3,800.00", "3,800.00", "3,800.00", "3,800.00"}, "28,680.00",
     {{12, "360,000.00", "60,000.00", "72,000.00", "228,000.00", 20, "16,920.00", "28,680.00",
       "3,800.00", "22,200.00"}}},
    // 3 % of 15,000.50 is 450.015.
    {"half a fen up", 2025, Payroll(1, kMonths, {{12, {.gross = 2'000'050}}}),
     {"450.02", "450.01", "1,080.12", "1,500.05", "1,500.05", "1,500.05",
      "1,500.05", "1,500.05", "1,500.05", "2,100.55", "3,000.10", "3,000.10"}, "19,081.20",
     {{1, "20,000.50", "5,000.00", "0.00", "15,000.50", 3, "0.00", "450.02", "450.02",
       "19,550.48"}}},
    {"a raise in April", 2024,
     Payroll(1, kJanuary,
             {{3, kExample}, {9, {.gross = 3'000'000, .special = 400'000, .additional = 200'000}}}),
     {"270.00", "270.00", "270.00", "1,270.00", "1,900.00", "1,900.00",
      "1,900.00", "1,900.00", "1,900.00", "3,500.00", "3,800.00", "3,800.00"}, "22,680.00",
     {{4, "90,000.00", "20,000.00", "24,000.00", "46,000.00", 10, "2,520.00", "2,080.00",
       "1,270.00", "24,730.00"},
      {12, "330,000.00", "60,000.00", "72,000.00", "198,000.00", 20, "16,920.00", "22,680.00",
       "3,800.00", "22,200.00"}}},
    // January to April's additional deductions claimed with May's: the year ends as the example.
    {"a late claim in May", 2025,
     Payroll(1, kMonths,
             {{4, {.gross = 2'000'000, .special = 400'000}},
              {1, {.gross = 2'000'000, .special = 400'000, .additional = 1'000'000}},
              {7, kExample}}),
     {"330.00", "330.00", "330.00", "890.00", "100.00", "900.00",
      "900.00", "900.00", "900.00", "900.00", "900.00", "900.00"}, "8,280.00",
     {{5, "100,000.00", "25,000.00", "30,000.00", "45,000.00", 10, "2,520.00", "1,980.00",
       "100.00", "15,900.00"},
      {12, "240,000.00", "60,000.00", "72,000.00", "108,000.00", 10, "2,520.00", "8,280.00",
       "900.00", "15,100.00"}}},
    // The cumulative tax falls below what was withheld: nothing until it is above it again.
    {"a late claim above the tax withheld", 2019,
     Payroll(1, kMonths,
             {{4, {.gross = 2'000'000}}, {1, {.gross = 2'000'000, .additional = 5'000'000}},
              {7, {.gross = 2'000'000}}}),
     {"450.00", "450.00", "1,080.00", "1,500.00", "0.00", "0.00",
      "0.00", "1,000.00", "1,500.00", "1,500.00", "1,500.00", "1,500.00"}, "10,480.00",
     {{5, "100,000.00", "25,000.00", "50,000.00", "25,000.00", 3, "0.00", "750.00", "0.00",
       "20,000.00"},
      {8, "160,000.00", "40,000.00", "50,000.00", "70,000.00", 10, "2,520.00", "4,480.00",
       "1,000.00", "19,000.00"}}},
    // The exempt part is in the gross and among the deductions; the relief comes off the tax.
    {"exempt income, donation and relief", 2025,
     Payroll(1, kJanuary,
             {{12, {.gross = 2'000'000, .exempt = 100'000, .special = 400'000,
                    .additional = 200'000, .donation = 50'000, .relief = 10'000}}}),
     {"125.00", "125.00", "125.00", "125.00", "230.00", "650.00",
      "650.00", "650.00", "650.00", "650.00", "650.00", "650.00"}, "5,280.00",
     {{1, "20,000.00", "5,000.00", "7,500.00", "7,500.00", 3, "0.00", "125.00", "125.00",
       "15,875.00"},
      {5, "100,000.00", "25,000.00", "37,500.00", "37,500.00", 10, "2,520.00", "730.00",
       "230.00", "15,770.00"},
      {12, "240,000.00", "60,000.00", "90,000.00", "90,000.00", 10, "2,520.00", "5,280.00",
       "650.00", "15,350.00"}}},
    {"relief above the tax", 2022,
     Payroll(1, kMonths, {{1, {.gross = 1'000'000, .relief = 100'000}}, {11, kTenThousand}}),
     {"0.00", "0.00", "0.00", "0.00", "0.00", "0.00",
      "50.00", "430.00", "500.00", "500.00", "500.00", "500.00"}, "2,480.00",
     {{1, "10,000.00", "5,000.00", "0.00", "5,000.00", 3, "0.00", "0.00", "0.00", "10,000.00"},
      {7, "70,000.00", "35,000.00", "0.00", "35,000.00", 3, "0.00", "50.00", "50.00",
       "9,950.00"},
      {12, "120,000.00", "60,000.00", "0.00", "60,000.00", 10, "2,520.00", "2,480.00",
       "500.00", "9,500.00"}}},
    // Every bound of the annual table, its rate and quick deduction: December alone.
    {"December alone", 2019, Payroll(12, kMonths, {{1, {.gross = 4'099'999}}}),
     {"1,080.00"}, "1,080.00",
     {{12, "40,999.99", "5,000.00", "0.00", "35,999.99", 3, "0.00", "1,080.00", "1,080.00",
       "39,919.99"}}},
    {"December alone", 2020, Payroll(12, kMonths, {{1, {.gross = 4'100'000}}}),
     {"1,080.00"}, "1,080.00",
     {{12, "41,000.00", "5,000.00", "0.00", "36,000.00", 3, "0.00", "1,080.00", "1,080.00",
       "39,920.00"}}},
    {"December alone", 2021, Payroll(12, kMonths, {{1, {.gross = 4'100'001}}}),
     {"1,080.00"}, "1,080.00",
     {{12, "41,000.01", "5,000.00", "0.00", "36,000.01", 10, "2,520.00", "1,080.00", "1,080.00",
       "39,920.01"}}},
    {"December alone", 2022, Payroll(12, kMonths, {{1, {.gross = 14'899'999}}}),
     {"11,880.00"}, "11,880.00",
     {{12, "148,999.99", "5,000.00", "0.00", "143,999.99", 10, "2,520.00", "11,880.00",
       "11,880.00", "137,119.99"}}},
    {"December alone", 2023, Payroll(12, kMonths, {{1, {.gross = 14'900'000}}}),
     {"11,880.00"}, "11,880.00",
     {{12, "149,000.00", "5,000.00", "0.00", "144,000.00", 10, "2,520.00", "11,880.00",
       "11,880.00", "137,120.00"}}},
    {"December alone", 2024, Payroll(12, kMonths, {{1, {.gross = 14'900'001}}}),
     {"11,880.00"}, "11,880.00",
     {{12, "149,000.01", "5,000.00", "0.00", "144,000.01", 20, "16,920.00", "11,880.00",
       "11,880.00", "137,120.01"}}},
    {"December alone", 2025, Payroll(12, kMonths, {{1, {.gross = 30'499'999}}}),
     {"43,080.00"}, "43,080.00",
     {{12, "304,999.99", "5,000.00", "0.00", "299,999.99", 20, "16,920.00", "43,080.00",
       "43,080.00", "261,919.99"}}},
    {"December alone", 2026, Payroll(12, kMonths, {{1, {.gross = 30'500'000}}}),
     {"43,080.00"}, "43,080.00",
     {{12, "305,000.00", "5,000.00", "0.00", "300,000.00", 20, "16,920.00", "43,080.00",
       "43,080.00", "261,920.00"}}},
    {"December alone", 2027, Payroll(12, kMonths, {{1, {.gross = 30'500'001}}}),
     {"43,080.00"}, "43,080.00",
     {{12, "305,000.01", "5,000.00", "0.00", "300,000.01", 25, "31,920.00", "43,080.00",
       "43,080.00", "261,920.01"}}},
    {"December alone", 2019, Payroll(12, kMonths, {{1, {.gross = 42'499'999}}}),
     {"73,080.00"}, "73,080.00",
     {{12, "424,999.99", "5,000.00", "0.00", "419,999.99", 25, "31,920.00", "73,080.00",
       "73,080.00", "351,919.99"}}},
    {"December alone", 2020, Payroll(12, kMonths, {{1, {.gross = 42'500'000}}}),
     {"73,080.00"}, "73,080.00",
     {{12, "425,000.00", "5,000.00", "0.00", "420,000.00", 25, "31,920.00", "73,080.00",
       "73,080.00", "351,920.00"}}},
    {"December alone", 2021, Payroll(12, kMonths, {{1, {.gross = 42'500'001}}}),
     {"73,080.00"}, "73,080.00",
     {{12, "425,000.01", "5,000.00", "0.00", "420,000.01", 30, "52,920.00", "73,080.00",
       "73,080.00", "351,920.01"}}},
    {"December alone", 2022, Payroll(12, kMonths, {{1, {.gross = 66'499'999}}}),
     {"145,080.00"}, "145,080.00",
     {{12, "664,999.99", "5,000.00", "0.00", "659,999.99", 30, "52,920.00", "145,080.00",
       "145,080.00", "519,919.99"}}},
    {"December alone", 2023, Payroll(12, kMonths, {{1, {.gross = 66'500'000}}}),
     {"145,080.00"}, "145,080.00",
     {{12, "665,000.00", "5,000.00", "0.00", "660,000.00", 30, "52,920.00", "145,080.00",
       "145,080.00", "519,920.00"}}},
    {"December alone", 2024, Payroll(12, kMonths, {{1, {.gross = 66'500'001}}}),
     {"145,080.00"}, "145,080.00",
     {{12, "665,000.01", "5,000.00", "0.00", "660,000.01", 35, "85,920.00", "145,080.00",
       "145,080.00", "519,920.01"}}},
    {"December alone", 2025, Payroll(12, kMonths, {{1, {.gross = 96'499'999}}}),
     {"250,080.00"}, "250,080.00",
     {{12, "964,999.99", "5,000.00", "0.00", "959,999.99", 35, "85,920.00", "250,080.00",
       "250,080.00", "714,919.99"}}},
    {"December alone", 2026, Payroll(12, kMonths, {{1, {.gross = 96'500'000}}}),
     {"250,080.00"}, "250,080.00",
     {{12, "965,000.00", "5,000.00", "0.00", "960,000.00", 35, "85,920.00", "250,080.00",
       "250,080.00", "714,920.00"}}},
    {"December alone", 2027, Payroll(12, kMonths, {{1, {.gross = 96'500'001}}}),
     {"250,080.00"}, "250,080.00",
     {{12, "965,000.01", "5,000.00", "0.00", "960,000.01", 45, "181,920.00", "250,080.00",
       "250,080.00", "714,920.01"}}},
    // No rows: a first month outside the year (even with as many months as it would need),
    // months that do not run to December, a rule the year does not have.
    {"first month 0", 2019, Payroll(0, kMonths, {{13, kExample}}), {}, "0.00", {}},
    {"first month -1", 2020, Payroll(-1, kMonths, {{14, kExample}}), {}, "0.00", {}},
    {"first month 13", 2021, Payroll(13, kMonths, {}), {}, "0.00", {}},
    {"first month INT_MIN", 2022, Payroll(INT_MIN, kMonths, {{12, kExample}}), {}, "0.00", {}},
    {"first month INT_MAX", 2023, Payroll(INT_MAX, kMonths, {}), {}, "0.00", {}},
    {"eleven months from January", 2024, Payroll(1, kMonths, {{11, kExample}}), {}, "0.00", {}},
    {"thirteen months from January", 2025, Payroll(1, kMonths, {{13, kExample}}), {}, "0.00", {}},
    {"twelve months from July", 2026, Payroll(7, kJanuary, {{12, kExample}}), {}, "0.00", {}},
    {"no months from December", 2027, Payroll(12, kMonths, {}), {}, "0.00", {}},
    {"basic from January", 2019, Payroll(1, kJanuary, {{12, kExample}}), {}, "0.00", {}},
    {"basic from January, from June", 2020, Payroll(6, kJanuary, {{7, kExample}}), {}, "0.00", {}},
    {"whole year", 2020, Payroll(1, kWholeYear, {{12, kExample}}), {}, "0.00", {}},
    {"whole year from February", 2021, Payroll(2, kWholeYear, {{11, kExample}}), {}, "0.00", {}},
};
// clang-format on

TEST(CurrentWageWithholding, ByYear) {
    for (const WageCase& c : kWages) {
        SCOPED_TRACE(testing::Message() << c.name << ", " << c.year);
        const std::vector<current::MonthRow> rows =
            current::WageWithholding(ParametersFor(c.year), c.payroll);
        EXPECT_EQ(rows.size(), c.withheld.size());
        if (rows.size() != c.withheld.size()) continue;
        Fen year = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].month, c.payroll.firstMonth + static_cast<int>(i));
            EXPECT_EQ(FormatYuan(rows[i].withheld), c.withheld[i]) << "month " << rows[i].month;
            year += rows[i].withheld;
        }
        EXPECT_EQ(FormatYuan(year), c.yearWithheld);
        for (const ShownRow& shown : c.shown) {
            const int i = shown.month - c.payroll.firstMonth;
            EXPECT_EQ(Shown(rows.at(static_cast<std::size_t>(i))), shown);
        }
    }
}

// Far beyond the amounts ReadYuan gives, sums and taxes clamp rather than overflow, and the
// tax still grows from month to month.
TEST(CurrentWageWithholding, HugeWagesAreClampedNotOverflowed) {
    for (int year : {2019, 2027}) {
        SCOPED_TRACE(year);
        const std::vector<current::MonthRow> rows = current::WageWithholding(
            ParametersFor(year), Payroll(1, kMonths, {{12, {.gross = kMax}}}));
        EXPECT_EQ(rows.size(), 12u);
        if (rows.size() != 12) continue;
        EXPECT_EQ(rows[0].cumulativeIncome, kMax);
        EXPECT_EQ(rows[1].cumulativeIncome, kMax);
        EXPECT_EQ(rows[11].cumulativeTax, kMax);
        EXPECT_GT(rows[1].withheld, 0);
    }
}

// ---- which basic-deduction rule a payroll year may use -------------------------------------

struct AvailableRow {
    int year;
    Basic basic;
    const char* byFirstMonth;  // first months 0 to 13: 'Y' available, '.' not; none outside
};

// clang-format off
const AvailableRow kAvailable[] = {
    {2019, kMonths,    ".YYYYYYYYYYYY."},
    {2019, kJanuary,   ".............."},
    {2019, kWholeYear, ".............."},
    {2020, kMonths,    ".YYYYYYYYYYYY."},
    {2020, kJanuary,   ".......YYYYYY."},
    {2020, kWholeYear, ".............."},
    {2021, kMonths,    ".YYYYYYYYYYYY."},
    {2021, kJanuary,   ".YYYYYYYYYYYY."},
    {2021, kWholeYear, ".Y............"},
    {2026, kMonths,    ".YYYYYYYYYYYY."},
    {2026, kJanuary,   ".YYYYYYYYYYYY."},
    {2026, kWholeYear, ".Y............"},
};
// clang-format on

const char* Name(Basic basic) {
    switch (basic) {
    case Basic::MonthsEmployed: return "months employed";
    case Basic::FromJanuary: return "from January";
    case Basic::WholeYear: return "whole year";
    }
    return "?";
}

TEST(CurrentAvailable, ByYearAndFirstMonth) {
    for (const AvailableRow& r : kAvailable) {
        const current::Parameters& p = ParametersFor(r.year);
        for (int month : {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, INT_MAX}) {
            SCOPED_TRACE(testing::Message()
                         << r.year << ", " << Name(r.basic) << ", first month " << month);
            const bool listed = 0 <= month && month <= 13 && r.byFirstMonth[month] == 'Y';
            EXPECT_EQ(current::Available(p, r.basic, month), listed);
        }
    }
}

// ---- the annual settlement -----------------------------------------------------------------

struct SettlementCase {
    const char* name;
    int year;
    current::SettlementInput input;
    Treatment treatment;
    const char *taxable, *tax, *balance;
    bool waived;
};

constexpr Treatment kSeparate = Treatment::Separate, kMerged = Treatment::Merged;

// The waiver's limits: income 120,000 as entered (labour before its 80 %, the bonus only when
// merged) and a payment of 400; a refund is never waived. Author's remuneration leaves fractions
// of a fen: the tax is taken from the exact taxable income, the taxable income shown is rounded.
// Without a bonus both treatments agree, so those rows alternate between them.
// clang-format off
const SettlementCase kSettlements[] = {
    {"example", 2019, {.wages = 24'000'000, .labour = 1'000'000, .special = 4'800'000,
                       .additional = 2'400'000, .withheld = 988'000},
     kSeparate, "116,000.00", "9,080.00", "-800.00", false},
    {"a year of the wage example", 2020,
     {.wages = 24'000'000, .special = 4'800'000, .additional = 2'400'000, .withheld = 828'000},
     kMerged, "108,000.00", "8,280.00", "0.00", false},
    {"other and donation", 2021,
     {.wages = 24'000'000, .labour = 1'000'000, .special = 4'800'000, .additional = 2'400'000,
      .other = 1'200'000, .donation = 1'000'000, .withheld = 988'000},
     kSeparate, "94,000.00", "6,880.00", "-3,000.00", false},
    {"income below the limit", 2021, {.wages = 11'999'999},
     kSeparate, "59,999.99", "3,480.00", "3,480.00", true},
    {"income at the limit", 2022, {.wages = 12'000'000},
     kMerged, "60,000.00", "3,480.00", "3,480.00", true},
    {"income above the limit", 2023, {.wages = 12'000'001},
     kSeparate, "60,000.01", "3,480.00", "3,480.00", false},
    {"labour counted before its 80 %", 2024, {.wages = 10'000'000, .labour = 2'500'000},
     kSeparate, "60,000.00", "3,480.00", "3,480.00", false},
    {"labour at the limit", 2025, {.wages = 10'000'000, .labour = 2'000'000},
     kMerged, "56,000.00", "3,080.00", "3,080.00", true},
    {"payment below the limit", 2026, {.wages = 20'000'000, .withheld = 1'108'001},
     kSeparate, "140,000.00", "11,480.00", "399.99", true},
    {"payment at the limit", 2027, {.wages = 20'000'000, .withheld = 1'108'000},
     kMerged, "140,000.00", "11,480.00", "400.00", true},
    {"payment above the limit", 2019, {.wages = 20'000'000, .withheld = 1'107'999},
     kSeparate, "140,000.00", "11,480.00", "400.01", false},
    {"small refund", 2020, {.wages = 12'000'000, .withheld = 400'000},
     kMerged, "60,000.00", "3,480.00", "-520.00", false},
    {"nothing to pay", 2021, {.wages = 10'000'000, .withheld = 148'000},
     kSeparate, "40,000.00", "1,480.00", "0.00", false},
    {"a large payment", 2022, {.wages = 30'000'000},
     kMerged, "240,000.00", "31,080.00", "31,080.00", false},
    {"author, half a fen up", 2023, {.wages = 6'000'000, .author = 625},
     kSeparate, "3.50", "0.11", "0.11", true},
    {"author, just below half", 2024, {.wages = 6'000'000, .author = 744},
     kMerged, "4.17", "0.12", "0.12", true},
    {"author, just above half", 2025, {.wages = 6'000'000, .author = 506},
     kSeparate, "2.83", "0.09", "0.09", true},
    {"author, shown down", 2026, {.wages = 6'000'000, .author = 8},
     kMerged, "0.04", "0.00", "0.00", false},
    {"author, shown up", 2027, {.wages = 6'000'000, .author = 17},
     kSeparate, "0.10", "0.00", "0.00", false},
    {"author, a fen above 200,000", 2019, {.author = 20'000'001},
     kMerged, "52,000.01", "2,680.00", "2,680.00", false},
    {"negative", 2020, {.author = 17},
     kSeparate, "-59,999.90", "0.00", "0.00", false},
    // The bonus beside the wage example, taxed each way.
    {"bonus separate", 2024, {.wages = 24'000'000, .special = 4'800'000, .additional = 2'400'000,
                              .withheld = 936'000, .bonus = 3'600'000},
     kSeparate, "108,000.00", "9,360.00", "0.00", false},
    {"bonus merged", 2024, {.wages = 24'000'000, .special = 4'800'000, .additional = 2'400'000,
                            .withheld = 936'000, .bonus = 3'600'000},
     kMerged, "144,000.00", "11,880.00", "2,520.00", false},
    {"bonus separate, outside the income limit", 2026, {.wages = 10'000'000, .bonus = 3'000'000},
     kSeparate, "40,000.00", "2,380.00", "2,380.00", true},
    {"bonus merged, inside the income limit", 2026, {.wages = 10'000'000, .bonus = 3'000'000},
     kMerged, "70,000.00", "4,480.00", "4,480.00", false},
    {"bonus merged up to the limit", 2027, {.wages = 9'000'000, .bonus = 3'000'000},
     kMerged, "60,000.00", "3,480.00", "3,480.00", true},
    {"bonus merged a fen above the limit", 2027, {.wages = 9'000'000, .bonus = 3'000'001},
     kMerged, "60,000.01", "3,480.00", "3,480.00", false},
    {"bonus separate, wages at the limit", 2019, {.wages = 12'000'000, .bonus = 5'000'000},
     kSeparate, "60,000.00", "8,270.00", "8,270.00", true},
    {"bonus alone, separate", 2022, {.withheld = 108'000, .bonus = 3'600'000},
     kSeparate, "-60,000.00", "1,080.00", "0.00", false},
    {"bonus alone, merged", 2022, {.withheld = 108'000, .bonus = 3'600'000},
     kMerged, "-24,000.00", "0.00", "-1,080.00", false},
    // Far beyond ReadYuan's amounts: clamped, never overflowed.
    {"huge", 2023,
     {.wages = kMax, .labour = kMax, .author = kMax, .royalty = kMax, .withheld = kMin},
     kSeparate, "92,233,720,368,547,758.07", "92,233,720,368,547,758.07",
     "92,233,720,368,547,758.07", false},
    {"huge, bonus merged", 2025, {.wages = kMax, .withheld = kMin, .bonus = kMax},
     kMerged, "92,233,720,368,547,758.07", "83,010,348,331,484,062.26",
     "92,233,720,368,547,758.07", false},
};
// clang-format on

TEST(CurrentAnnualSettlement, ByYear) {
    for (const SettlementCase& c : kSettlements) {
        SCOPED_TRACE(testing::Message() << c.name << ", " << c.year);
        const current::Settlement s =
            current::AnnualSettlement(ParametersFor(c.year), c.input, c.treatment);
        EXPECT_EQ(FormatYuan(s.taxable), c.taxable);
        EXPECT_EQ(FormatYuan(s.tax), c.tax);
        EXPECT_EQ(FormatYuan(s.balance), c.balance);
        EXPECT_EQ(s.paymentWaived, c.waived);
    }
}

// ---- the monthly special additional deduction ----------------------------------------------

struct ClaimsCase {
    const char* name;
    int year;
    current::AdditionalClaims claims;
    const char* monthly;  // nullptr: refused, the claims cannot go together
};

// Children's education 1,000 a child to 2022, 2,000 from 2023; infant care nothing to 2021,
// 1,000 in 2022, 2,000 from 2023; elderly support 2,000 with a sibling's share at most 1,000 to
// 2022, 3,000 and 1,500 from 2023.
// clang-format off
const ClaimsCase kClaims[] = {
    {"nothing", 2019, {}, "0.00"},
    {"one child in education", 2019, {.childrenInEducation = 1}, "1,000.00"},
    {"one child in education", 2022, {.childrenInEducation = 1}, "1,000.00"},
    {"one child in education", 2023, {.childrenInEducation = 1}, "2,000.00"},
    {"three children in education", 2027, {.childrenInEducation = 3}, "6,000.00"},
    {"two children, half share", 2021, {.childrenInEducation = 2, .childSharePercent = 50},
     "1,000.00"},
    {"two children, half share", 2026, {.childrenInEducation = 2, .childSharePercent = 50},
     "2,000.00"},
    {"a child under 3", 2019, {.childrenUnder3 = 1}, "0.00"},
    {"a child under 3", 2021, {.childrenUnder3 = 1}, "0.00"},
    {"a child under 3", 2022, {.childrenUnder3 = 1}, "1,000.00"},
    {"a child under 3", 2023, {.childrenUnder3 = 1}, "2,000.00"},
    {"a child under 3, half share", 2022, {.childrenUnder3 = 1, .childSharePercent = 50}, "500.00"},
    {"a child under 3, half share", 2026, {.childrenUnder3 = 1, .childSharePercent = 50},
     "1,000.00"},
    {"two children under 3", 2027, {.childrenUnder3 = 2}, "4,000.00"},
    {"degree", 2021, {.degreeEducation = true}, "400.00"},
    {"housing loan", 2022, {.housingLoan = true}, "1,000.00"},
    {"rent, tier 1", 2019, {.rent = RentTier::Tier1}, "1,500.00"},
    {"rent, tier 2", 2023, {.rent = RentTier::Tier2}, "1,100.00"},
    {"rent, tier 3", 2027, {.rent = RentTier::Tier3}, "800.00"},
    {"only child", 2019, {.onlyChild = true}, "2,000.00"},
    {"only child", 2022, {.onlyChild = true}, "2,000.00"},
    {"only child", 2023, {.onlyChild = true}, "3,000.00"},
    {"only child", 2027, {.onlyChild = true}, "3,000.00"},
    {"only child, a share above the cap ignored", 2021,
     {.onlyChild = true, .elderlyShare = 500'000}, "2,000.00"},
    {"only child, a negative share ignored", 2026, {.onlyChild = true, .elderlyShare = -1},
     "3,000.00"},
    {"share below the cap", 2019, {.elderlyShare = 99'999}, "999.99"},
    {"share at the cap", 2019, {.elderlyShare = 100'000}, "1,000.00"},
    {"share above the cap", 2019, {.elderlyShare = 100'001}, nullptr},
    {"share at the cap", 2021, {.elderlyShare = 100'000}, "1,000.00"},
    {"share above the cap", 2021, {.elderlyShare = 100'001}, nullptr},
    {"share below the cap", 2022, {.elderlyShare = 99'999}, "999.99"},
    {"share at the cap", 2022, {.elderlyShare = 100'000}, "1,000.00"},
    {"share above the cap", 2022, {.elderlyShare = 100'001}, nullptr},
    {"share above the old cap", 2023, {.elderlyShare = 100'001}, "1,000.01"},
    {"share below the cap", 2023, {.elderlyShare = 149'999}, "1,499.99"},
    {"share at the cap", 2023, {.elderlyShare = 150'000}, "1,500.00"},
    {"share above the cap", 2023, {.elderlyShare = 150'001}, nullptr},
    {"share at the cap", 2026, {.elderlyShare = 150'000}, "1,500.00"},
    {"share above the cap", 2026, {.elderlyShare = 150'001}, nullptr},
    {"share below the cap", 2027, {.elderlyShare = 149'999}, "1,499.99"},
    {"share at the cap", 2027, {.elderlyShare = 150'000}, "1,500.00"},
    {"share above the cap", 2027, {.elderlyShare = 150'001}, nullptr},
    {"share of 0", 2026, {.elderlyShare = 0}, "0.00"},
    {"negative share", 2021, {.elderlyShare = -1}, nullptr},
    {"all but rent", 2021, {.childrenInEducation = 2, .childrenUnder3 = 1, .childSharePercent = 50,
                            .degreeEducation = true, .housingLoan = true, .elderlyShare = 100'000},
     "3,400.00"},
    {"all but rent", 2026, {.childrenInEducation = 2, .childrenUnder3 = 1, .childSharePercent = 50,
                            .degreeEducation = true, .housingLoan = true, .elderlyShare = 150'000},
     "5,900.00"},
    {"all but the loan", 2022, {.childrenInEducation = 1, .childrenUnder3 = 1,
                                .rent = RentTier::Tier2, .onlyChild = true},
     "5,100.00"},
    {"half share without children", 2027, {.childSharePercent = 50}, "0.00"},
    {"loan with rent, tier 1", 2019, {.housingLoan = true, .rent = RentTier::Tier1}, nullptr},
    {"loan with rent, tier 2", 2023, {.housingLoan = true, .rent = RentTier::Tier2}, nullptr},
    {"loan with rent, tier 3", 2027, {.housingLoan = true, .rent = RentTier::Tier3}, nullptr},
    {"share 0 %", 2021, {.childrenInEducation = 1, .childSharePercent = 0}, nullptr},
    {"share 49 %", 2022, {.childrenInEducation = 1, .childSharePercent = 49}, nullptr},
    {"share 51 %", 2023, {.childrenUnder3 = 1, .childSharePercent = 51}, nullptr},
    {"share 99 %", 2026, {.childrenInEducation = 1, .childSharePercent = 99}, nullptr},
    {"share 101 %", 2027, {.childrenInEducation = 1, .childSharePercent = 101}, nullptr},
    {"share 200 %", 2019, {.childrenInEducation = 1, .childSharePercent = 200}, nullptr},
    {"share -50 %", 2021, {.childrenInEducation = 1, .childSharePercent = -50}, nullptr},
    {"share 0 % without children", 2026, {.childSharePercent = 0}, nullptr},
    {"negative children in education", 2022, {.childrenInEducation = -1}, nullptr},
    {"negative children under 3", 2023, {.childrenUnder3 = -1}, nullptr},
};
// clang-format on

TEST(CurrentMonthlyAdditionalDeduction, ByYear) {
    for (const ClaimsCase& c : kClaims) {
        SCOPED_TRACE(testing::Message() << c.name << ", " << c.year);
        const std::optional<Fen> monthly =
            current::MonthlyAdditionalDeduction(ParametersFor(c.year), c.claims);
        EXPECT_EQ(monthly ? FormatYuan(*monthly) : "refused", c.monthly ? c.monthly : "refused");
    }
}

}  // namespace
