// The texts of the current-rules window that state a year's figures, formatted from the year's
// parameters: as they read in 2026, and where the parameters allow another wording (a year
// without infant care, a pension cap, separate bonus taxation or the waiver, or without an end
// announced).

#include "app/current/year_texts.hpp"
#include "tax/current.hpp"

#include <QString>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace uitest {
namespace {

using app::current::Fen;
using app::current::Parameters;

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

struct Standard {
    Fen amount;
    const char* text;
};

class StandardText : public testing::TestWithParam<Standard> {};

TEST_P(StandardText, IsWholeYuanWithoutDecimals) {
    EXPECT_EQ(app::current::StandardText(GetParam().amount).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Amounts, StandardText,
                         testing::Values(Standard{0, "0"}, Standard{40000, "400"},
                                         Standard{200000, "2,000"}, Standard{1200000, "12,000"},
                                         Standard{200050, "2,000.50"}, Standard{5, "0.05"},
                                         Standard{-80000, "-800"}));

// A year's parameters with some changed.
Parameters Changed(int year, const std::function<void(Parameters&)>& change) {
    Parameters p = tax::current::ParametersFor(year);
    change(p);
    return p;
}

// A labour table of two rows, which puts the last on the line of the first.
constexpr tax::current::Bracket kTwoRows[] = {{2'000'000, 20, 0}, {0, 30, 200'000}};

struct Wording {
    const char* what;
    QString (*format)(const Parameters&);
    Parameters p;
    const char* text;

    friend void PrintTo(const Wording& w, std::ostream* os) { *os << w.what; }
};

using namespace app::current;

// Made when the tests are listed, not before main.
std::vector<Wording> Wordings() {
    const Parameters k2026 = tax::current::ParametersFor(2026);
    // clang-format off
    return {
    {"WageNote", WageNote, k2026,
     "累计预扣法：每月减除费用 5,000 元，累计应纳税额按综合所得年度税率表计算；\n"
     "本月预扣税额 = 累计应纳税额 − 此前各月已预扣税额（不小于 0），"
     "税后收入 = 工资 − 专项扣除 − 本月预扣税额。"},
    {"WageAdditionalTwoChildClauses", WageAdditionalHint,
     Changed(2026, [](Parameters& p) { p.infantCare = 100'000; }),
     "各项合计。每月标准：子女教育每个子女 2,000 元、\n3 岁以下婴幼儿照护每个子女 1,000 元，\n"
     "继续教育 400 元，住房贷款利息 1,000 元，住房租金 1,500 / 1,100 / 800 元\n"
     "（按城市），赡养老人最多 3,000 元（非独生子女每人分摊最多 1,500 元）"},
    {"WageOtherCapInWholeYears", WageOtherHint,
     Changed(2026, [](Parameters& p) { p.personalPensionCap = 1'000'000; }),
     "例如个人养老金，每年最多 10,000 元"},
    {"BonusSeparateNote", BonusSeparateNote, k2026,
     "单独计税：以奖金除以 12 的商数查找月度税率表的税率和速算扣除数，\n"
     "应纳税额 = 奖金 × 税率 − 速算扣除数。单独计税的政策执行至 2027 年 12 月 31 日。"},
    {"BonusSeparateNoteWithoutEnd", BonusSeparateNote,
     Changed(2026, [](Parameters& p) { p.separateBonus = tax::current::TimeLimited{}; }),
     "单独计税：以奖金除以 12 的商数查找月度税率表的税率和速算扣除数，\n"
     "应纳税额 = 奖金 × 税率 − 速算扣除数。"},
    {"BonusSeparateNoteWithoutIt", BonusSeparateNote,
     Changed(2026, [](Parameters& p) { p.separateBonus.reset(); }),
     "单独计税：以奖金除以 12 的商数查找月度税率表的税率和速算扣除数，\n"
     "应纳税额 = 奖金 × 税率 − 速算扣除数。本年度没有单独计税的政策，奖金应并入综合所得计税，\n"
     "单独计税的税额仅供比较。"},
    {"BonusDeadZoneNote", BonusDeadZoneNote, k2026,
     "临界区间：单独计税的奖金略超过 36,000、144,000、300,000、420,000、660,000、960,000 元时，\n"
     "多发的部分不够缴增加的税，税后反而比发到该数额时少。"},
    {"BonusDeadZoneNoteTwoRows", BonusDeadZoneNote,
     Changed(2026, [](Parameters& p) { p.monthly = kTwoRows; p.bonusMonths = 6; }),
     "临界区间：单独计税的奖金略超过 120,000 元时，\n"
     "多发的部分不够缴增加的税，税后反而比发到该数额时少。"},
    {"LabourNote", LabourNote, k2026,
     "每次收入不超过 4,000 元的减除费用 800 元，超过 4,000 元的减除 20%；\n"
     "余额不超过 20,000 元的预扣率 20%，20,000 至 50,000 元 30%（速算扣除数 2,000），\n"
     "超过 50,000 元 40%（速算扣除数 7,000）。"},
    {"LabourNoteTwoRows", LabourNote,
     Changed(2026, [](Parameters& p) { p.labour = kTwoRows; }),
     "每次收入不超过 4,000 元的减除费用 800 元，超过 4,000 元的减除 20%；\n"
     "余额不超过 20,000 元的预扣率 20%，\n超过 20,000 元 30%（速算扣除数 2,000）。"},
    {"AuthorRoyaltyNote", AuthorRoyaltyNote, k2026,
     "每次收入不超过 4,000 元的减除费用 800 元，超过 4,000 元的减除 20%；\n"
     "稿酬所得再按 70% 计算。预扣率均为 20%。至少填写一项收入。"},
    {"BusinessBasicDeduction", BusinessBasicDeductionText, k2026,
     "没有综合所得，减除费用 60,000 元"},
    {"BusinessNote", BusinessNote, k2026,
     "应纳税所得额 = 收入总额 − 成本、费用及损失（没有综合所得的再减 60,000 元），\n"
     "按经营所得税率表（5% 至 35%）计算。"},
    {"InterestIncidentalNote", InterestIncidentalNote, k2026,
     "两者均按收入全额的 20% 计税。利息、股息、红利所得未适用任何免税规定\n"
     "（例如持有上市公司股票超过 1 年的股息红利免税）。"},
    {"LotteryNote", LotteryNote, k2026,
     "单张彩票中奖不超过 10,000 元的免税；超过的按全额计税。至少填写一项收入。"},
    {"LotteryExempt", LotteryExemptText, k2026, "单张彩票中奖不超过 10,000 元，免征个人所得税。"},
    {"SettlementNote", SettlementNote, k2026,
     "应纳税所得额 = 工资薪金 + 劳务报酬 × 80% + 特许权使用费 × 80% + 稿酬 × 80% × 70%\n"
     "− 60,000 − 专项扣除 − 专项附加扣除 − 其他扣除 − 准予扣除的捐赠额，按综合所得年度税率表计算；\n"
     "全年一次性奖金单独计税时不计入其中，另按单独计税的税额加上；并入综合所得时计入工资薪金。\n"
     "应纳税额减去已预缴税额，为负应退税，为正应补税。"},
    {"SettlementWaiverNote", SettlementWaiverNote, k2026,
     "综合所得年收入不超过 120,000 元，或应补税额不超过 400 元的，无需补税"
     "（执行至 2027 年 12 月 31 日）。\n至少填写一项收入。"},
    {"SettlementWaiverNoteWithoutEnd", SettlementWaiverNote,
     Changed(2026, [](Parameters& p) { p.waiver->lastYear.reset(); }),
     "综合所得年收入不超过 120,000 元，或应补税额不超过 400 元的，无需补税。\n至少填写一项收入。"},
    {"SettlementWaiverNoteWithoutIt", SettlementWaiverNote,
     Changed(2026, [](Parameters& p) { p.waiver.reset(); }), "至少填写一项收入。"},
    {"WaiverWithoutIt", WaiverText, Changed(2026, [](Parameters& p) { p.waiver.reset(); }), ""},
    };
    // clang-format on
}

class YearWording : public testing::TestWithParam<Wording> {};

TEST_P(YearWording, ReadsAsWritten) {
    const Wording& w = GetParam();
    EXPECT_EQ(w.format(w.p).toStdString(), U(w.text).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Texts, YearWording, testing::ValuesIn(Wordings()),
                         [](const testing::TestParamInfo<Wording>& info) {
                             return std::string(info.param.what);
                         });

}  // namespace
}  // namespace uitest
