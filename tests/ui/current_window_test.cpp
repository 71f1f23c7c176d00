// The current-rules window as a user sees it: what each page shows of what it reads, the
// schedule table, the bonus beside page 1, refused inputs and the lottery exemption.

#include "current_fixture.hpp"

#include <QAbstractItemModel>
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
     {{C::SettlementTaxable, "127,600.00"}, {C::SettlementTax, "10,240.00"},
      {C::SettlementRefund, "440.00"}, {C::SettlementPayment, "0.00"},
      {C::SettlementConclusion, "应退税 440.00 元，可申请退税"}}},
    {"settlement payment", {}, P::Settlement, {{C::SettlementWages, "300000"}},
     {{C::SettlementTaxable, "240,000.00"}, {C::SettlementTax, "31,080.00"},
      {C::SettlementPayment, "31,080.00"}, {C::SettlementRefund, "0.00"},
      {C::SettlementConclusion, "应补税 31,080.00 元，请在汇算期内补缴"}}},
    {"settlement waived for small income", {}, P::Settlement, {{C::SettlementWages, "120000"}},
     {{C::SettlementPayment, "3,480.00"},
      {C::SettlementConclusion, "应补税 3,480.00 元，但无需补缴：综合所得年收入不超过 120,000 元，"
                                "或应补税额不超过 400 元的，无需补税（执行至 2027 年 12 月 31 日）"}}},
    {"settlement even", {}, P::Settlement,
     {{C::SettlementWages, "100000"}, {C::SettlementWithheld, "1480"}},
     {{C::SettlementPayment, "0.00"}, {C::SettlementRefund, "0.00"},
      {C::SettlementConclusion, "已预缴税额等于应纳税额，无需补税也无退税"}}},
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
     NoneOf("“全年工资薪金收入”、“全年劳务报酬收入”、“全年稿酬收入”、“全年特许权使用费收入”")},
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

}  // namespace
}  // namespace uitest
