#include "app/current/year_texts.hpp"

#include "tax/current.hpp"

#include <QStringList>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString Percent(int rate) { return QString::number(rate) + QLatin1Char('%'); }

// The standards of children's education and infant care, `months` months' worth. Where the two
// are the same they share a clause; a year without infant care does not name it. Two clauses
// take a line each; a single clause breaks before its amount where `lineBreak` says so.
enum class Break { None, BeforeAmount };

QString ChildStandards(const Parameters& p, int months, Break lineBreak) {
    const QString child = StandardText(p.childEducation * months);
    const QString infant = StandardText(p.infantCare * months);
    const QString gap = lineBreak == Break::BeforeAmount ? Text("\n") : Text(" ");
    if (p.infantCare == 0) return Text("子女教育每个子女%1%2 元").arg(gap, child);
    if (p.infantCare == p.childEducation) {
        return Text("子女教育、3 岁以下婴幼儿照护每个子女%1%2 元").arg(gap, child);
    }
    return Text("子女教育每个子女 %1 元、\n3 岁以下婴幼儿照护每个子女 %2 元").arg(child, infant);
}

QString ElderlyStandards(const Parameters& p, int months) {
    return Text("赡养老人最多 %1 元（非独生子女每人分摊最多 %2 元）")
        .arg(StandardText(p.elderlySupport * months), StandardText(p.elderlyShareCap * months));
}

QString RentStandards(const Parameters& p, int months) {
    QStringList tiers;
    for (const Fen tier : p.rent) tiers << StandardText(tier * months);
    return tiers.join(Text(" / "));
}

// Contributions other than to a personal pension, which a year before it had.
const char* const kOtherWithoutPension = "例如企业年金、职业年金、商业健康保险";

// Up to fixedExpensesUpTo less fixedExpenses, above it the rest of remunerationPercent.
QString FixedExpenses(const Parameters& p) {
    return Text("每次收入不超过 %1 元的减除费用 %2 元，超过 %1 元的减除 %3；")
        .arg(StandardText(p.fixedExpensesUpTo), StandardText(p.fixedExpenses),
             Percent(100 - p.remunerationPercent));
}

// The rows of the labour table, the last on a line of its own.
QString LabourRows(const Parameters& p) {
    const tax::current::Table table = p.labour;
    if (table.size() == 1) return Text("余额的预扣率 %1。").arg(Percent(table[0].ratePercent));
    QStringList rows;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const tax::current::Bracket& row = table[i];
        const QString rate = Percent(row.ratePercent);
        const QString deduction =
            row.quickDeduction == 0
                ? QString()
                : Text("（速算扣除数 %1）").arg(StandardText(row.quickDeduction));
        if (i == 0) {
            rows << Text("余额不超过 %1 元的预扣率 %2%3")
                        .arg(StandardText(row.upTo), rate, deduction);
        } else if (i + 1 < table.size()) {
            rows << Text("%1 至 %2 元 %3%4")
                        .arg(StandardText(table[i - 1].upTo), StandardText(row.upTo), rate,
                             deduction);
        } else {
            rows << Text("超过 %1 元 %2%3").arg(StandardText(table[i - 1].upTo), rate, deduction);
        }
    }
    const QString last = rows.takeLast();
    return rows.join(Text("，")) + Text("，\n") + last + Text("。");
}

// The first year in which `has` holds; the last year where none does.
int FirstYearWith(bool (*has)(const Parameters&)) {
    for (int year = tax::current::kFirstYear; year < tax::current::kLastYear; ++year) {
        if (has(tax::current::ParametersFor(year))) return year;
    }
    return tax::current::kLastYear;
}

// A year's limit, or the one of the first year that has it, for the title a year without it
// still shows.
Fen WholeYearWageLimit(const Parameters& p) {
    if (p.wholeYearWageLimit) return *p.wholeYearWageLimit;
    const int year =
        FirstYearWith([](const Parameters& q) { return q.wholeYearWageLimit.has_value(); });
    return tax::current::ParametersFor(year).wholeYearWageLimit.value_or(0);
}

// "6 万元" as payroll texts say it; an amount not in whole ten thousands in yuan.
QString TenThousandsText(Fen amount) {
    constexpr Fen kTenThousandYuan = 1'000'000;
    if (amount % kTenThousandYuan != 0) return StandardText(amount) + Text(" 元");
    return Text("%1 万元").arg(amount / kTenThousandYuan);
}

QString NotThisYear(const Parameters& p, bool (*has)(const Parameters&)) {
    return Text("%1 年没有这项规定（%2 年起适用）").arg(p.year).arg(FirstYearWith(has));
}

}  // namespace

QString StandardText(Fen amount) {
    QString text = QString::fromStdString(tax::current::FormatYuan(amount));
    if (amount % 100 == 0) text.chop(3);  // ".00"
    return text;
}

QString WageAdditionalHint(const Parameters& p) {
    return Text(
               "各项合计。每月标准：%1，\n继续教育 %2 元，住房贷款利息 %3 元，住房租金 %4 元\n"
               "（按城市），%5")
        .arg(ChildStandards(p, 1, Break::None), StandardText(p.degreeEducation),
             StandardText(p.housingLoan), RentStandards(p, 1), ElderlyStandards(p, 1));
}

QString WageOtherHint(const Parameters& p) {
    if (!p.personalPensionCap) return Text(kOtherWithoutPension);
    const Fen cap = *p.personalPensionCap;
    if (cap % 12 != 0) return Text("例如个人养老金，每年最多 %1 元").arg(StandardText(cap));
    return Text("例如个人养老金，每月最多 %1 元").arg(StandardText(cap / 12));
}

QString WageNote(const Parameters& p) {
    return Text(
               "累计预扣法：每月减除费用 %1 元，累计应纳税额按综合所得年度税率表计算；\n"
               "本月预扣税额 = 累计应纳税额 − 此前各月已预扣税额（不小于 0），"
               "税后收入 = 工资 − 专项扣除 − 本月预扣税额。")
        .arg(StandardText(p.monthlyBasicDeduction));
}

QString BonusSeparateNote(const Parameters& p) {
    QString text = Text(
                       "单独计税：以奖金除以 %1 的商数查找月度税率表的税率和速算扣除数，\n"
                       "应纳税额 = 奖金 × 税率 − 速算扣除数。")
                       .arg(p.bonusMonths);
    if (!p.separateBonus) {
        return text + Text(
                          "本年度没有单独计税的政策，奖金应并入综合所得计税，\n"
                          "单独计税的税额仅供比较。");
    }
    if (p.separateBonus->lastYear) {
        text += Text("单独计税的政策执行至 %1 年 12 月 31 日。").arg(*p.separateBonus->lastYear);
    }
    return text;
}

QString BonusWithoutChoice() { return Text("本年度奖金只能并入综合所得计税"); }

QString BonusDeadZoneNote(const Parameters& p) {
    QStringList bounds;
    for (const tax::current::Bracket& row : p.monthly.first(p.monthly.size() - 1)) {
        bounds << StandardText(row.upTo * p.bonusMonths);
    }
    return Text(
               "临界区间：单独计税的奖金略超过 %1 元时，\n"
               "多发的部分不够缴增加的税，税后反而比发到该数额时少。")
        .arg(bounds.join(Text("、")));
}

QString LabourNote(const Parameters& p) { return FixedExpenses(p) + Text("\n") + LabourRows(p); }

QString AuthorRoyaltyNote(const Parameters& p) {
    return FixedExpenses(p) + Text("\n稿酬所得再按 %1 计算。预扣率均为 %2。至少填写一项收入。")
                                  .arg(Percent(p.authorPercent), Percent(p.authorRoyaltyRate));
}

QString BusinessBasicDeductionText(const Parameters& p) {
    return Text("没有综合所得，减除费用 %1 元").arg(StandardText(p.annualBasicDeduction));
}

QString BusinessNote(const Parameters& p) {
    return Text(
               "应纳税所得额 = 收入总额 − 成本、费用及损失（没有综合所得的再减 %1 元），\n"
               "按经营所得税率表（%2 至 %3）计算。")
        .arg(StandardText(p.annualBasicDeduction), Percent(p.business.front().ratePercent),
             Percent(p.business.back().ratePercent));
}

QString InterestIncidentalNote(const Parameters& p) {
    return Text(
               "两者均按收入全额的 %1 计税。利息、股息、红利所得未适用任何免税规定\n"
               "（例如持有上市公司股票超过 1 年的股息红利免税）。")
        .arg(Percent(p.flatRate));
}

QString LotteryNote(const Parameters& p) {
    return Text("单张彩票中奖不超过 %1 元的免税；超过的按全额计税。至少填写一项收入。")
        .arg(StandardText(p.lotteryExemptUpTo));
}

QString LotteryExemptText(const Parameters& p) {
    return Text("单张彩票中奖不超过 %1 元，免征个人所得税。")
        .arg(StandardText(p.lotteryExemptUpTo));
}

QString SettlementAdditionalHint(const Parameters& p) {
    return Text(
               "各项合计，含只在汇算时扣除的大病医疗（自付超过 %1 元的部分，\n"
               "最多 %2 元）。年度标准：%3，继续教育 %4 元（职业资格证书当年 %5 元），\n"
               "住房贷款利息 %6 元，住房租金 %7 元，\n%8")
        .arg(StandardText(p.seriousIllnessAbove), StandardText(p.seriousIllnessUpTo),
             ChildStandards(p, 12, Break::BeforeAmount), StandardText(p.degreeEducation * 12),
             StandardText(p.certificateEducation), StandardText(p.housingLoan * 12),
             RentStandards(p, 12), ElderlyStandards(p, 12));
}

QString SettlementOtherHint(const Parameters& p) {
    if (!p.personalPensionCap) return Text(kOtherWithoutPension);
    return Text("例如个人养老金，每年最多 %1 元").arg(StandardText(*p.personalPensionCap));
}

QString SettlementNote(const Parameters& p) {
    return Text(
               "应纳税所得额 = 工资薪金 + 劳务报酬 × %1 + 特许权使用费 × %1 + 稿酬 × %1 × %2\n"
               "− %3 − 专项扣除 − 专项附加扣除 − 其他扣除 − "
               "准予扣除的捐赠额，按综合所得年度税率表计算；\n"
               "全年一次性奖金单独计税时不计入其中，另按单独计税的税额加上；并入综合所得时计入工资"
               "薪金。\n"
               "应纳税额减去已预缴税额，为负应退税，为正应补税。")
        .arg(Percent(p.remunerationPercent), Percent(p.authorPercent),
             StandardText(p.annualBasicDeduction));
}

QString WaiverText(const Parameters& p) {
    if (!p.waiver) return {};
    QString text =
        Text("综合所得年收入不超过 %1 元，或应补税额不超过 %2 元的，无需补税")
            .arg(StandardText(p.waiver->incomeUpTo), StandardText(p.waiver->paymentUpTo));
    if (p.waiver->lastYear) text += Text("（执行至 %1 年 12 月 31 日）").arg(*p.waiver->lastYear);
    return text;
}

QString SettlementWaiverNote(const Parameters& p) {
    const QString needed = Text("至少填写一项收入。");
    if (!p.waiver) return needed;
    return WaiverText(p) + Text("。\n") + needed;
}

}  // namespace app::current

namespace app::current {

using tax::current::BasicDeduction;

QString BasicTitle(BasicDeduction rule) {
    switch (rule) {
    case BasicDeduction::MonthsEmployed: return Text("按任职受雇月份计算");
    case BasicDeduction::FromJanuary: return Text("本年首次取得工资薪金");
    case BasicDeduction::WholeYear: break;
    }
    return Text("上年在本单位全年受雇且工资不超过 %1")
        .arg(TenThousandsText(
            WholeYearWageLimit(tax::current::ParametersFor(tax::current::kLastYear))));
}

QString BasicExplanation(const Parameters& p, BasicDeduction rule) {
    const QString monthly = StandardText(p.monthlyBasicDeduction);
    switch (rule) {
    case BasicDeduction::MonthsEmployed:
        return Text("每月 %1 元乘以当年在本单位任职受雇的月份数").arg(monthly);
    case BasicDeduction::FromJanuary:
        return Text("当年此前没有工资薪金所得：从 1 月起按每月 %1 元累计").arg(monthly);
    case BasicDeduction::WholeYear: break;
    }
    return Text("上年各月均在本单位领取工资，全年不超过 %1 元：1 月起即减除 %2 元")
        .arg(StandardText(WholeYearWageLimit(p)), StandardText(p.annualBasicDeduction));
}

QString BasicUnavailable(const Parameters& p, BasicDeduction rule, int firstMonth) {
    if (tax::current::Available(p, rule, firstMonth)) return {};
    switch (rule) {
    case BasicDeduction::MonthsEmployed: return {};
    case BasicDeduction::FromJanuary:
        if (!p.fromJanuaryFirstMonth) {
            return NotThisYear(
                p, [](const Parameters& q) { return q.fromJanuaryFirstMonth.has_value(); });
        }
        return Text("%1 年只适用于 %2 月及以后起任职受雇的")
            .arg(p.year)
            .arg(*p.fromJanuaryFirstMonth);
    case BasicDeduction::WholeYear: break;
    }
    if (!p.wholeYearWageLimit) {
        return NotThisYear(p, [](const Parameters& q) { return q.wholeYearWageLimit.has_value(); });
    }
    return Text("只适用于 1 月起在本单位任职受雇的");
}

QString ChildEducationStandard(const Parameters& p) {
    return Text("每个子女每月 %1 元").arg(StandardText(p.childEducation));
}

QString InfantCareStandard(const Parameters& p) {
    if (p.infantCare == 0) {
        return NotThisYear(p, [](const Parameters& q) { return q.infantCare != 0; });
    }
    return Text("每个子女每月 %1 元").arg(StandardText(p.infantCare));
}

QString DegreeEducationStandard(const Parameters& p) {
    return Text("每月 %1 元").arg(StandardText(p.degreeEducation));
}

QString HousingLoanStandard(const Parameters& p) {
    return Text("首套住房，每月 %1 元；不能与住房租金同时扣除").arg(StandardText(p.housingLoan));
}

QString RentTierText(const Parameters& p, int tier) {
    static const char* const kCities[] = {"直辖市、省会城市、计划单列市等",
                                          "市辖区户籍人口较多的其他城市", "其他城市"};
    return Text("%1：每月 %2 元")
        .arg(Text(kCities[tier]), StandardText(p.rent[static_cast<std::size_t>(tier)]));
}

QString OnlyChildStandard(const Parameters& p) {
    return Text("每月 %1 元").arg(StandardText(p.elderlySupport));
}

QString ElderlyShareStandard(const Parameters& p) {
    return Text("与兄弟姐妹约定的分摊额，每月最多 %1 元").arg(StandardText(p.elderlyShareCap));
}

QString ElderlyShareAboveCap(const Parameters& p) {
    return Text("非独生子女每月分摊的赡养老人扣除不能超过 %1 元")
        .arg(StandardText(p.elderlyShareCap));
}

}  // namespace app::current
