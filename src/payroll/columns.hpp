#pragma once
// The columns of the wage template that a payroll file is read by, and the withholding columns
// written after them.

#include "tax/current.hpp"

#include <array>
#include <optional>
#include <string_view>

namespace payroll {

enum class Column {
    // required: the month, its gross pay and the employee's key (IdNumber where the file has
    // it, else StaffNumber)
    Month,
    Gross,
    IdNumber,
    StaffNumber,
    // each month's own amount
    Exempt,
    Pension,
    Medical,
    Unemployment,
    HousingFund,  // the special deduction: the four
    Special,      // or their monthly total instead
    Annuity,
    HealthInsurance,
    DeferredPension,
    Other,  // other deductions
    Donation,
    Relief,
    // cumulative from January to the month, as the template gives them
    ChildEducation,
    ContinuingEducation,
    HousingLoan,
    Rent,
    ElderlySupport,
    InfantCare,
    AdditionalTotal,  // the six categories' total instead of them
    PersonalPension,  // last: its increase is an other deduction, not an additional one
    // 按任职月份 / 自1月 / 全年6万, the same for all rows of an employee
    BasicRule,
};
inline constexpr std::size_t kColumnCount = static_cast<std::size_t>(Column::BasicRule) + 1;

std::string_view ColumnName(Column column);

// The column a header cell names: blanks around it are ignored, and full-width parentheses
// stand for ASCII ones ("企业（职业）年金"), as spreadsheets in a Chinese locale write them.
std::optional<Column> ColumnNamed(std::string_view header);

// Amount columns in the order they are checked, and which of them are cumulative.
inline constexpr std::array kAmountColumns = {Column::Gross,
                                              Column::Exempt,
                                              Column::Pension,
                                              Column::Medical,
                                              Column::Unemployment,
                                              Column::HousingFund,
                                              Column::Special,
                                              Column::Annuity,
                                              Column::HealthInsurance,
                                              Column::DeferredPension,
                                              Column::Other,
                                              Column::Donation,
                                              Column::Relief,
                                              Column::ChildEducation,
                                              Column::ContinuingEducation,
                                              Column::HousingLoan,
                                              Column::Rent,
                                              Column::ElderlySupport,
                                              Column::InfantCare,
                                              Column::AdditionalTotal,
                                              Column::PersonalPension};
inline constexpr std::array kCumulativeColumns = {
    Column::ChildEducation,  Column::ContinuingEducation,
    Column::HousingLoan,     Column::Rent,
    Column::ElderlySupport,  Column::InfantCare,
    Column::AdditionalTotal, Column::PersonalPension};

// A total and the columns it stands for: a file gives one or the other, never both, or the
// same deduction would count twice (a file written by withhold has 累计专项附加扣除 among its
// results, which read again would add to its categories).
struct TotalColumn {
    Column total;
    std::array<Column, 6> parts;  // the first `count`
    std::size_t count;
};
inline constexpr std::array kTotalColumns = {
    TotalColumn{Column::Special,
                {Column::Pension, Column::Medical, Column::Unemployment, Column::HousingFund},
                4},
    TotalColumn{Column::AdditionalTotal,
                {Column::ChildEducation, Column::ContinuingEducation, Column::HousingLoan,
                 Column::Rent, Column::ElderlySupport, Column::InfantCare},
                6}};

// The basic-deduction rule a cell names, blanks around it ignored.
std::optional<tax::current::BasicDeduction> ReadBasicRule(std::string_view cell);
std::string_view BasicRuleName(tax::current::BasicDeduction basic);

// The withholding columns appended to every row, in their order.
inline constexpr std::array<std::string_view, 14> kWithholdingColumns = {"累计收入",
                                                                         "累计免税收入",
                                                                         "累计减除费用",
                                                                         "累计专项扣除",
                                                                         "累计专项附加扣除",
                                                                         "累计其他扣除",
                                                                         "累计准予扣除的捐赠额",
                                                                         "累计应纳税所得额",
                                                                         "税率",
                                                                         "速算扣除数",
                                                                         "累计应纳税额",
                                                                         "累计减免税额",
                                                                         "累计已预扣预缴税额",
                                                                         "本期应预扣预缴税额"};

}  // namespace payroll
