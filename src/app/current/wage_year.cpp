#include "app/current/wage_year.hpp"

#include "app/current/pages.hpp"
#include "app/effects.hpp"

namespace app::current {

std::optional<WageYearTotals> WageYearOf(const WagePage& wages, QWidget& asking) {
    const std::optional<tax::current::PayrollYear> year = wages.payrollYear();
    if (!year) {
        PresentBox(asking, {QString::fromUtf8("“工资薪金”页还没有算出本年度的逐月预扣预缴明细，"
                                              "没有带入任何数据。\n请先在该页按“计算”。"),
                            QString::fromUtf8("无法带入"), ui::BoxIcon::Exclamation});
        return std::nullopt;
    }
    WageYearTotals totals;
    for (const tax::current::MonthIncome& month : year->months) {
        totals.wages += month.gross - month.exempt;
        totals.special += month.special;
        totals.additional += month.additional;
        totals.other += month.other;
        totals.donation += month.donation;
    }
    totals.basic = wages.schedule().back().cumulativeBasic;
    totals.withheld = SumsOf(wages.schedule()).withheld;
    return totals;
}

}  // namespace app::current
