// The current-rules window as a user sees it: what each page shows of what it reads, the
// schedule table, the bonus beside page 1, refused inputs and the lottery exemption.

#include "current_fixture.hpp"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTableView>

namespace uitest {
namespace {

const char* const kAccepted =
    "可以输入 0 到 1,000,000,000,000 元的金额：只用数字，最多一个小数点和两位小数，"
    "例如 20000 或 20000.50；不能带正负号、千位分隔符或其他文字。";

ui::Box Refused(const char* label) {
    return {U("“") + U(label) + U("”中的内容不是可以计算的金额。\n") + U(kAccepted), U("输入有误"),
            ui::BoxIcon::Exclamation};
}
ui::Box Missing(const char* label) {
    return {U("请填写“") + U(label) + U("”：这一项不能为空。\n") + U(kAccepted), U("缺少输入"),
            ui::BoxIcon::Exclamation};
}
ui::Box NoneOf(const char* labels) {
    return {U("请至少填写") + U(labels) + U("中的一项。"), U("缺少输入"), ui::BoxIcon::Exclamation};
}
// The wage page has no year worked out for other pages to take.
const ui::Box kNoWageYear = {
    U("“工资薪金”页还没有算出本年度的逐月预扣预缴明细，没有带入任何数据。\n"
      "请先在该页按“计算”。"),
    U("无法带入"), ui::BoxIcon::Exclamation};
const ui::Box kLotteryExempt = {U("单张彩票中奖不超过 10,000 元，免征个人所得税。"), U("免税提示"),
                                ui::BoxIcon::Information};

const Entries kWageExample = {{Control::WageGross, "20000"},
                              {Control::WageSpecial, "4000"},
                              {Control::WageAdditional, "2000"}};

// What each page shows of the fields it reads and the choices it offers: one case a page lands a
// known input in every result of the page; the others tell the check boxes, the spin box and the
// page's own texts apart. The rules' arithmetic is the tax library's tests'.
struct Worked {
    const char* what;
    Entries wages;  // page 1, not calculated
    PageId page;
    Entries entries;
    std::vector<std::pair<Control, const char*>> shown;
    std::vector<ui::Box> boxes = {};

    friend void PrintTo(const Worked& w, std::ostream* os) { *os << w.what; }
};

using C = Control;
using P = PageId;

// clang-format off
const Worked kWorked[] = {
    {"wage example", {}, P::Wage, kWageExample,
     {{C::WageFirstWithheld, "270.00"}, {C::WageFirstNetPay, "15,730.00"},
      {C::WageYearWithheld, "8,280.00"}, {C::WageAnnualTaxable, "108,000.00"}}},
    {"wage from July", {}, P::Wage,
     {{C::WageGross, "20000"}, {C::WageSpecial, "4000"}, {C::WageAdditional, "2000"},
      {C::WageFirstMonth, "7"}},
     {{C::WageFirstWithheld, "270.00"}, {C::WageYearWithheld, "2,880.00"},
      {C::WageAnnualTaxable, "54,000.00"}}},
    {"wage other and blanks", {}, P::Wage, {{C::WageGross, " 20 000.5 "}, {C::WageOther, "1000"}},
     {{C::WageFirstWithheld, "420.02"}, {C::WageFirstNetPay, "19,580.48"}}},
    {"bonus 36,000.00 alone", {}, P::Bonus, {{C::BonusAmount, "36000"}},
     {{C::BonusSeparateTax, "1,080.00"}, {C::BonusCombinedTax, "1,080.00"},
      {C::BonusWageAnnualTaxable, "0.00"}, {C::BonusLower, "两种方式税额相同"}}},
    {"bonus beside the wage example", kWageExample, P::Bonus, {{C::BonusAmount, "36000"}},
     {{C::BonusSeparateTax, "1,080.00"}, {C::BonusCombinedTax, "3,600.00"},
      {C::BonusWageAnnualTaxable, "108,000.00"},
      {C::BonusLower, "单独计税较低，比并入综合所得少缴 2,520.00 元"}}},
    {"bonus cheaper combined", {{C::WageGross, "3000"}}, P::Bonus, {{C::BonusAmount, "60000"}},
     {{C::BonusSeparateTax, "5,790.00"}, {C::BonusWageAnnualTaxable, "-24,000.00"},
      {C::BonusCombinedTax, "1,080.00"},
      {C::BonusLower, "并入综合所得较低，比单独计税少缴 4,710.00 元"}}},
    {"bonus beside an empty gross wage", {{C::WageSpecial, "4000"}}, P::Bonus,
     {{C::BonusAmount, "36000"}},
     {{C::BonusWageAnnualTaxable, "0.00"}, {C::BonusCombinedTax, "1,080.00"}}},
    {"labour 3,000", {}, P::Labour, {{C::LabourIncome, "3000"}}, {{C::LabourTax, "440.00"}}},
    {"author and royalty 1,000", {}, P::AuthorRoyalty,
     {{C::AuthorIncome, "1000"}, {C::RoyaltyIncome, "1000"}},
     {{C::AuthorTax, "28.00"}, {C::RoyaltyTax, "40.00"}}},
    {"royalty alone", {}, P::AuthorRoyalty, {{C::RoyaltyIncome, "5000"}},
     {{C::AuthorTax, "0.00"}, {C::RoyaltyTax, "800.00"}}},
    {"business", {}, P::Business, {{C::BusinessRevenue, "500000"}, {C::BusinessCosts, "380000"}},
     {{C::BusinessTax, "13,500.00"}}},
    {"business with the 60,000", {}, P::Business,
     {{C::BusinessRevenue, "500000"}, {C::BusinessCosts, "380000"},
      {C::BusinessBasicDeduction, "1"}},
     {{C::BusinessTax, "4,500.00"}}},
    {"interest", {}, P::InterestIncidental, {{C::InterestIncome, "123.45"}},
     {{C::InterestTax, "24.69"}, {C::IncidentalTax, "0.00"}}},
    {"incidental 10,000 without lottery", {}, P::InterestIncidental,
     {{C::IncidentalIncome, "10000"}}, {{C::IncidentalTax, "2,000.00"}}},
    {"lottery 10,000", {}, P::InterestIncidental,
     {{C::IncidentalIncome, "10000"}, {C::LotteryPrize, "1"}, {C::InterestIncome, "100"}},
     {{C::IncidentalTax, "0.00"}, {C::InterestTax, "20.00"}}, {kLotteryExempt}},
    {"lottery ticked, no prize", {}, P::InterestIncidental,
     {{C::InterestIncome, "100"}, {C::LotteryPrize, "1"}}, {{C::IncidentalTax, "0.00"}}},
    {"settlement refund", {}, P::Settlement,
     {{C::SettlementWages, "200000"}, {C::SettlementLabour, "10000"},
      {C::SettlementRoyalty, "20000"}, {C::SettlementAuthor, "10000"},
      {C::SettlementSpecial, "24000"}, {C::SettlementAdditional, "12000"},
      {C::SettlementOther, "6000"}, {C::SettlementWithheld, "10680"}},
     {{C::SettlementSeparateTaxable, "127,600.00"}, {C::SettlementSeparateTax, "10,240.00"},
      {C::SettlementSeparateBalance, "-440.00"},
      {C::SettlementSeparateConclusion, "应退税 440.00 元，可申请退税"},
      {C::SettlementMergedTaxable, "127,600.00"}, {C::SettlementMergedBalance, "-440.00"},
      {C::SettlementBetter, "两种方式税额相同，选择单独计税"}}},
    {"settlement payment", {}, P::Settlement, {{C::SettlementWages, "300000"}},
     {{C::SettlementSeparateTaxable, "240,000.00"}, {C::SettlementSeparateTax, "31,080.00"},
      {C::SettlementSeparateBalance, "31,080.00"},
      {C::SettlementSeparateConclusion, "应补税 31,080.00 元，请在汇算期内补缴"}}},
    {"settlement waived for small income", {}, P::Settlement, {{C::SettlementWages, "120000"}},
     {{C::SettlementMergedBalance, "3,480.00"},
      {C::SettlementMergedConclusion, "应补税 3,480.00 元，但无需补缴：综合所得年收入不超过 120,000 元，"
                                      "或应补税额不超过 400 元的，无需补税（执行至 2027 年 12 月 31 日）"}}},
    {"settlement even", {}, P::Settlement,
     {{C::SettlementWages, "100000"}, {C::SettlementWithheld, "1480"}},
     {{C::SettlementSeparateBalance, "0.00"},
      {C::SettlementSeparateConclusion, "已预缴税额等于应纳税额，无需补税也无退税"}}},
    {"settlement bonus both ways", {}, P::Settlement,
     {{C::SettlementWages, "240000"}, {C::SettlementBonus, "36000"},
      {C::SettlementSpecial, "48000"}, {C::SettlementAdditional, "24000"},
      {C::SettlementWithheld, "9360"}},
     {{C::SettlementSeparateTaxable, "108,000.00"}, {C::SettlementSeparateTax, "9,360.00"},
      {C::SettlementSeparateBalance, "0.00"},
      {C::SettlementSeparateConclusion, "已预缴税额等于应纳税额，无需补税也无退税"},
      {C::SettlementMergedTaxable, "144,000.00"}, {C::SettlementMergedTax, "11,880.00"},
      {C::SettlementMergedBalance, "2,520.00"},
      {C::SettlementMergedConclusion, "应补税 2,520.00 元，请在汇算期内补缴"},
      {C::SettlementBetter, "单独计税对纳税人更有利，比并入综合所得少缴 2,520.00 元"}}},
    {"settlement bonus alone cheaper merged", {}, P::Settlement, {{C::SettlementBonus, "60000"}},
     {{C::SettlementSeparateTaxable, "-60,000.00"}, {C::SettlementSeparateTax, "5,790.00"},
      {C::SettlementMergedTaxable, "0.00"}, {C::SettlementMergedTax, "0.00"},
      {C::SettlementBetter, "并入综合所得对纳税人更有利，比单独计税少缴 5,790.00 元"}}},
    {"settlement donation", {}, P::Settlement,
     {{C::SettlementWages, "240000"}, {C::SettlementDonation, "10000"}},
     {{C::SettlementSeparateTaxable, "170,000.00"}, {C::SettlementSeparateTax, "17,080.00"}}},
    {"bonus in the first dead zone", {}, P::Bonus, {{C::BonusAmount, "38000"}},
     {{C::BonusSeparateTax, "3,590.00"},
      {C::BonusDeadZone, "在 36,000.01 至 38,566.66 元的临界区间内；少发到 36,000.00 元，"
                         "税后 34,920.00 元，反而比现在的 34,410.00 元多 510.00 元"}}},
    {"bonus at the end of the second dead zone", {}, P::Bonus, {{C::BonusAmount, "160499.99"}},
     {{C::BonusDeadZone, "在 144,000.01 至 160,499.99 元的临界区间内；少发到 144,000.00 元，"
                         "税后 129,810.00 元，反而比现在的 129,809.99 元多 0.01 元"}}},
    {"bonus just past the second dead zone", {}, P::Bonus, {{C::BonusAmount, "160500"}},
     {{C::BonusDeadZone, "不在任何临界区间内"}}},
    {"plan without a bonus entered", {}, P::BonusPlan,
     {{C::BonusPlanPay, "400000"}, {C::BonusPlanDeductions, "100000"}},
     {{C::BonusPlanBest, "144,000.00"}, {C::BonusPlanBestTotal, "28,470.00"},
      {C::BonusPlanNoBonusTotal, "43,080.00"}, {C::BonusPlanEnteredTotal, ""},
      {C::BonusPlanConclusion, "奖金发 144,000.00 元、其余作为工资薪金时全年税额最低，"
                               "比不发奖金少缴 14,610.00 元"}}},
    {"plan beside the bonus page's bonus", {{C::BonusAmount, "36000"}}, P::BonusPlan,
     {{C::BonusPlanPay, "400000"}, {C::BonusPlanDeductions, "100000"}},
     {{C::BonusPlanBestTotal, "28,470.00"}, {C::BonusPlanEnteredTotal, "36,960.00"}}},
    {"plan where no bonus is best", {{C::BonusAmount, "1000"}}, P::BonusPlan,
     {{C::BonusPlanPay, "60000"}, {C::BonusPlanDeductions, "60000"}},
     {{C::BonusPlanBest, "0.00"}, {C::BonusPlanBestTotal, "0.00"},
      {C::BonusPlanNoBonusTotal, "0.00"}, {C::BonusPlanEnteredTotal, "30.00"},
      {C::BonusPlanConclusion, "不发全年一次性奖金、全部作为工资薪金时全年税额最低"}}},
};
// clang-format on

class WorkedValues : public CurrentWindowTest, public testing::WithParamInterface<Worked> {};

TEST_P(WorkedValues, AsTheWindowShowsThem) {
    const Worked& w = GetParam();
    enter(w.wages);
    enter(w.entries);
    if (!w.boxes.empty()) watched = &field(w.shown.front().first);
    const QString before = watched ? watched->text() : QString();
    calculate(w.page);
    EXPECT_EQ(boxes, w.boxes);
    for (const QString& seen : watchedWhileOpen) {
        EXPECT_EQ(seen, before) << "written before its box";
    }
    for (const auto& [id, shown] : w.shown) {
        EXPECT_EQ(app::current::PageOf(id), w.page) << testing::PrintToString(id);
        EXPECT_EQ(text(id), U(shown)) << testing::PrintToString(id);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, WorkedValues, testing::ValuesIn(kWorked), NameOf<Worked>);

// The cells of the schedule table, row by row.
std::vector<QStringList> TableCells(QTableView& table) {
    std::vector<QStringList> rows;
    const QAbstractItemModel& model = *table.model();
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model.columnCount(); ++c) row << model.index(r, c).data().toString();
        rows.push_back(row);
    }
    return rows;
}

TEST_F(CurrentWindowTest, ScheduleTableOfTheWageExample) {
    enter(kWageExample);
    calculate(P::Wage);
    QTableView& table = window.control<Control::WageSchedule>();
    const std::vector<QStringList> rows = TableCells(table);
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], (QStringList{U("1月"), "20,000.00", "5,000.00", "6,000.00", "9,000.00", "3",
                                    "0.00", "270.00", "270.00", "15,730.00"}));
    EXPECT_EQ(rows[4], (QStringList{U("5月"), "100,000.00", "25,000.00", "30,000.00", "45,000.00",
                                    "10", "2,520.00", "1,980.00", "900.00", "15,100.00"}));
    for (int m = 0; m < 12; ++m) EXPECT_EQ(rows[m][8], m < 4 ? "270.00" : "900.00") << m + 1;
    EXPECT_EQ(rows[12], (QStringList{U("全年合计"), "240,000.00", "60,000.00", "72,000.00",
                                     "108,000.00", "", "", "8,280.00", "8,280.00", "183,720.00"}));
    const QAbstractItemModel& model = *table.model();
    EXPECT_TRUE(model.index(12, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model.index(3, 9).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_FALSE(model.flags(model.index(3, 9)) & Qt::ItemIsEditable);
}

TEST_F(CurrentWindowTest, BonusUsesPageOneAsItStandsAndLeavesPageOneAlone) {
    enter(kWageExample);
    calculate(P::Wage);
    enter({{C::WageGross, "30000"}});  // typed, not calculated
    const std::vector<QString> pageOne = {text(C::WageYearWithheld), text(C::WageAnnualTaxable)};
    enter({{C::BonusAmount, "36000"}});
    calculate(P::Bonus);
    EXPECT_EQ(text(C::BonusWageAnnualTaxable), "228,000.00");
    EXPECT_EQ(text(C::BonusCombinedTax), "7,200.00");
    EXPECT_EQ(text(C::BonusLower), U("单独计税较低，比并入综合所得少缴 6,120.00 元"));
    EXPECT_EQ(pageOne,
              (std::vector<QString>{text(C::WageYearWithheld), text(C::WageAnnualTaxable)}));
    EXPECT_TRUE(boxes.empty());
}

const Entries kPlan = {
    {C::BonusPlanPay, "400000"}, {C::BonusPlanDeductions, "100000"}, {C::BonusAmount, "36000"}};

struct Refusal {
    const char* what;
    PageId page;
    Entries valid;    // calculated first, so that every output has something to keep
    Entries refused;  // then typed over it
    Control field;    // where the focus goes
    ui::Box box;

    friend void PrintTo(const Refusal& r, std::ostream* os) { *os << r.what; }
};

// clang-format off
const Refusal kRefusals[] = {
    {"wage gross letters", P::Wage, kWageExample, {{C::WageGross, "abc"}}, C::WageGross,
     Refused("月工资收入")},
    {"wage gross empty", P::Wage, kWageExample, {{C::WageGross, " "}}, C::WageGross,
     Missing("月工资收入")},
    {"wage gross too large", P::Wage, kWageExample, {{C::WageGross, "1000000000000.01"}},
     C::WageGross, Refused("月工资收入")},
    {"wage special grouped", P::Wage, kWageExample, {{C::WageSpecial, "4,000"}}, C::WageSpecial,
     Refused("每月专项扣除")},
    {"wage additional negative", P::Wage, kWageExample, {{C::WageAdditional, "-2000"}},
     C::WageAdditional, Refused("每月专项附加扣除")},
    {"wage other exponent", P::Wage, kWageExample, {{C::WageOther, "1e3"}}, C::WageOther,
     Refused("每月其他扣除")},
    {"wage gross first", P::Wage, kWageExample, {{C::WageGross, ""}, {C::WageSpecial, "x"}},
     C::WageGross, Missing("月工资收入")},
    {"bonus empty", P::Bonus, {{C::BonusAmount, "36000"}}, {{C::BonusAmount, ""}}, C::BonusAmount,
     Missing("全年一次性奖金")},
    {"bonus three decimals", P::Bonus, {{C::BonusAmount, "36000"}}, {{C::BonusAmount, "12.345"}},
     C::BonusAmount, Refused("全年一次性奖金")},
    {"bonus with page 1 refused", P::Bonus, {{C::BonusAmount, "36000"}},
     {{C::WageSpecial, "4000元"}}, C::WageSpecial, Refused("每月专项扣除")},
    {"labour empty", P::Labour, {{C::LabourIncome, "3000"}}, {{C::LabourIncome, ""}},
     C::LabourIncome, Missing("每次劳务报酬收入")},
    {"labour full-width digits", P::Labour, {{C::LabourIncome, "3000"}},
     {{C::LabourIncome, "\uFF13\uFF10\uFF10\uFF10"}}, C::LabourIncome, Refused("每次劳务报酬收入")},
    {"author and royalty empty", P::AuthorRoyalty, {{C::AuthorIncome, "1000"}},
     {{C::AuthorIncome, ""}, {C::RoyaltyIncome, ""}}, C::AuthorIncome,
     NoneOf("“每次稿酬收入”、“每次特许权使用费收入”")},
    {"royalty letters", P::AuthorRoyalty, {{C::AuthorIncome, "1000"}}, {{C::RoyaltyIncome, "abc"}},
     C::RoyaltyIncome, Refused("每次特许权使用费收入")},
    {"business revenue empty", P::Business, {{C::BusinessRevenue, "500000"}},
     {{C::BusinessRevenue, ""}}, C::BusinessRevenue, Missing("全年收入总额")},
    {"business costs a point", P::Business, {{C::BusinessRevenue, "500000"}},
     {{C::BusinessCosts, "."}}, C::BusinessCosts, Refused("成本、费用及损失")},
    {"interest and incidental empty", P::InterestIncidental, {{C::InterestIncome, "100"}},
     {{C::InterestIncome, ""}}, C::InterestIncome, NoneOf("“利息、股息、红利所得”、“偶然所得”")},
    {"lottery prize with a sign", P::InterestIncidental,
     {{C::IncidentalIncome, "20000"}, {C::LotteryPrize, "1"}}, {{C::IncidentalIncome, "+500"}},
     C::IncidentalIncome, Refused("偶然所得")},
    {"settlement without income", P::Settlement, {{C::SettlementWages, "240000"}},
     {{C::SettlementWages, ""}, {C::SettlementWithheld, "100"}}, C::SettlementWages,
     NoneOf("“全年工资薪金收入”、“全年劳务报酬收入”、“全年稿酬收入”、“全年特许权使用费收入”、"
            "“全年一次性奖金”")},
    {"settlement donation letters", P::Settlement, {{C::SettlementWages, "240000"}},
     {{C::SettlementDonation, "abc"}}, C::SettlementDonation, Refused("准予扣除的捐赠额")},
    {"plan pay empty", P::BonusPlan, kPlan, {{C::BonusPlanPay, ""}}, C::BonusPlanPay,
     Missing("全年税前收入")},
    {"plan deductions grouped", P::BonusPlan, kPlan, {{C::BonusPlanDeductions, "100,000"}},
     C::BonusPlanDeductions, Refused("全年扣除合计")},
    {"plan with the bonus page's bonus refused", P::BonusPlan, kPlan, {{C::BonusAmount, "x"}},
     C::BonusAmount, Refused("全年一次性奖金")},
    {"plan with a bonus above the pay", P::BonusPlan, kPlan, {{C::BonusAmount, "400000.01"}},
     C::BonusAmount,
     {U("“全年一次性奖金”超过了奖金筹划页的“全年税前收入”，无法按它筹划。"), U("输入有误"),
      ui::BoxIcon::Exclamation}},
    {"settlement withheld grouped", P::Settlement, {{C::SettlementWages, "240000"}},
     {{C::SettlementWithheld, "9,880"}}, C::SettlementWithheld, Refused("已预缴税额")},
};
// clang-format on

class RefusedInput : public CurrentWindowTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedInput, SaysWhatIsAcceptedFocusesTheFieldAndChangesNothing) {
    const Refusal& r = GetParam();
    enter(r.valid);
    calculate(r.page);
    ASSERT_TRUE(boxes.empty());
    window.pages().setCurrentWidget(&page(r.page));
    enter(r.refused);
    const std::map<Control, std::string> before = outputs();
    calculate(r.page);
    EXPECT_EQ(boxes, std::vector<ui::Box>{r.box});
    EXPECT_EQ(outputs(), before);
    QLineEdit& refused = field(r.field);
    EXPECT_EQ(window.focusWidget(), &refused);
    EXPECT_EQ(window.pages().currentWidget(), &page(app::current::PageOf(r.field)));
    EXPECT_EQ(refused.selectedText(), refused.text());
}

INSTANTIATE_TEST_SUITE_P(Fields, RefusedInput, testing::ValuesIn(kRefusals), NameOf<Refusal>);

TEST_F(CurrentWindowTest, PlanListsTheBonusAtEachBoundThePayReaches) {
    enter(kPlan);
    calculate(P::BonusPlan);
    QTableView& table = window.control<C::BonusPlanAlternatives>();
    EXPECT_EQ(TableCells(table),
              (std::vector<QStringList>{{"36,000.00", "1,080.00", "35,880.00", "36,960.00"},
                                        {"144,000.00", "14,190.00", "14,280.00", "28,470.00"},
                                        {"300,000.00", "58,590.00", "0.00", "58,590.00"}}));
    // A pay just short of a bound leaves that bound out.
    enter({{C::BonusPlanPay, "299999.99"}});
    calculate(P::BonusPlan);
    EXPECT_EQ(table.model()->rowCount(), 2);
}

// "从工资薪金页带入" on the settlement and the planner: what each takes from the year the wage
// page worked out, and nothing taken when it worked none out (a wage field refused).
struct FromWages {
    const char* what;
    Control button;
    Entries wages;
    std::vector<std::pair<Control, const char*>> filled;
    std::vector<ui::Box> boxes = {};

    friend void PrintTo(const FromWages& f, std::ostream* os) { *os << f.what; }
};

const Entries kSettlementTyped = {{C::SettlementWages, "1"},      {C::SettlementSpecial, "2"},
                                  {C::SettlementAdditional, "3"}, {C::SettlementOther, "4"},
                                  {C::SettlementDonation, "5"},   {C::SettlementWithheld, "6"},
                                  {C::SettlementLabour, "7"}};

// clang-format off
const FromWages kFromWages[] = {
    {"settlement from the wage example", C::SettlementFromWages, kWageExample,
     {{C::SettlementWages, "240000.00"}, {C::SettlementSpecial, "48000.00"},
      {C::SettlementAdditional, "24000.00"}, {C::SettlementOther, "0.00"},
      {C::SettlementDonation, "0.00"}, {C::SettlementWithheld, "8280.00"},
      {C::SettlementLabour, "7"}}},
    {"settlement from July", C::SettlementFromWages,
     {{C::WageGross, "20000"}, {C::WageOther, "500"}, {C::WageFirstMonth, "7"}},
     {{C::SettlementWages, "120000.00"}, {C::SettlementOther, "3000.00"},
      {C::SettlementWithheld, "6180.00"}}},
    {"settlement with a wage field refused", C::SettlementFromWages,
     {{C::WageGross, "20000"}, {C::WageSpecial, "4000元"}},
     {{C::SettlementWages, "1"}, {C::SettlementSpecial, "2"}, {C::SettlementWithheld, "6"}},
     {Refused("每月专项扣除"), kNoWageYear}},
    {"plan from the wage example", C::BonusPlanFromWages, kWageExample,
     {{C::BonusPlanDeductions, "132000.00"}, {C::BonusPlanPay, "400000"}}},
    {"plan from July", C::BonusPlanFromWages,
     {{C::WageGross, "20000"}, {C::WageSpecial, "4000"}, {C::WageAdditional, "2000"},
      {C::WageOther, "500"}, {C::WageFirstMonth, "7"}},
     {{C::BonusPlanDeductions, "69000.00"}}},
    {"plan with a wage field refused", C::BonusPlanFromWages, {{C::WageGross, "20000"}, {C::WageOther, "-1"}},
     {{C::BonusPlanDeductions, "100000"}}, {Refused("每月其他扣除"), kNoWageYear}},
};
// clang-format on

class FromTheWagePage : public CurrentWindowTest, public testing::WithParamInterface<FromWages> {};

TEST_P(FromTheWagePage, FillsTheYearsFiguresOrNothing) {
    const FromWages& f = GetParam();
    enter(kSettlementTyped);
    enter(kPlan);
    enter(f.wages);
    calculate(P::Wage);
    window.control<QPushButton>(f.button).click();
    EXPECT_EQ(boxes, f.boxes);
    for (const auto& [id, shown] : f.filled) {
        EXPECT_EQ(text(id), U(shown)) << testing::PrintToString(id);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, FromTheWagePage, testing::ValuesIn(kFromWages), NameOf<FromWages>);

// What the settlement takes from the wage page settles with nothing to pay or refund.
TEST_F(CurrentWindowTest, SettlementOfTheWagePagesYearIsEven) {
    enter(kWageExample);
    calculate(P::Wage);
    window.control<C::SettlementFromWages>().click();
    calculate(P::Settlement);
    EXPECT_EQ(text(C::SettlementSeparateTaxable), "108,000.00");
    EXPECT_EQ(text(C::SettlementSeparateBalance), "0.00");
    EXPECT_EQ(text(C::SettlementMergedBalance), "0.00");
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace uitest
