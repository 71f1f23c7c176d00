// The current-rules window as a user sees it: the worked values on every page, the schedule
// table, the bonus beside page 1, refused inputs and the lottery exemption.

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

const Entries kWageExample = {{"gross", "20000"}, {"special", "4000"}, {"additional", "2000"}};

struct Worked {
    const char* what;
    Entries wages;  // page 1, not calculated
    const char* page;
    Entries entries;
    Entries shown;
    std::vector<ui::Box> boxes = {};

    friend void PrintTo(const Worked& w, std::ostream* os) { *os << w.what; }
};

// clang-format off
const Worked kWorked[] = {
    {"wage example", {}, "wagePage", kWageExample,
     {{"firstWithheld", "270.00"}, {"firstNetPay", "15,730.00"}, {"yearWithheld", "8,280.00"},
      {"annualTaxable", "108,000.00"}}},
    {"wage from July", {}, "wagePage",
     {{"gross", "20000"}, {"special", "4000"}, {"additional", "2000"}, {"firstMonth", "7"}},
     {{"firstWithheld", "270.00"}, {"yearWithheld", "2,880.00"}, {"annualTaxable", "54,000.00"}}},
    {"wage below the deductions", {}, "wagePage", {{"gross", "3000"}, {"special", "500"}},
     {{"firstWithheld", "0.00"}, {"firstNetPay", "2,500.00"}, {"annualTaxable", "-30,000.00"}}},
    {"wage blanks and one decimal", {}, "wagePage", {{"gross", " 20 000.5 "}, {"other", "\u3000"}},
     {{"firstWithheld", "450.02"}, {"firstNetPay", "19,550.48"}}},
    {"bonus 36,000.00 alone", {}, "bonusPage", {{"bonus", "36000"}},
     {{"separateTax", "1,080.00"}, {"combinedTax", "1,080.00"}, {"wageAnnualTaxable", "0.00"},
      {"lower", "两种方式税额相同"}}},
    {"bonus 36,000.01", {}, "bonusPage", {{"bonus", "36000.01"}}, {{"separateTax", "3,390.00"}}},
    {"bonus 144,000.00", {}, "bonusPage", {{"bonus", "144000.00"}}, {{"separateTax", "14,190.00"}}},
    {"bonus 144,000.01", {}, "bonusPage", {{"bonus", "144000.01"}}, {{"separateTax", "27,390.00"}}},
    {"bonus beside the wage example", kWageExample, "bonusPage", {{"bonus", "36000"}},
     {{"separateTax", "1,080.00"}, {"combinedTax", "3,600.00"}, {"wageAnnualTaxable", "108,000.00"},
      {"lower", "单独计税较低，比并入综合所得少缴 2,520.00 元"}}},
    {"bonus cheaper combined", {{"gross", "3000"}}, "bonusPage", {{"bonus", "60000"}},
     {{"separateTax", "5,790.00"}, {"wageAnnualTaxable", "-24,000.00"}, {"combinedTax", "1,080.00"},
      {"lower", "并入综合所得较低，比单独计税少缴 4,710.00 元"}}},
    {"bonus beside an empty gross wage", {{"special", "4000"}}, "bonusPage", {{"bonus", "36000"}},
     {{"wageAnnualTaxable", "0.00"}, {"combinedTax", "1,080.00"}}},
    {"labour 3,000", {}, "labourPage", {{"income", "3000"}}, {{"tax", "440.00"}}},
    {"labour 25,000", {}, "labourPage", {{"income", "25000"}}, {{"tax", "4,000.00"}}},
    {"labour 62,500", {}, "labourPage", {{"income", "62500"}}, {{"tax", "13,000.00"}}},
    {"labour 800", {}, "labourPage", {{"income", "800"}}, {{"tax", "0.00"}}},
    {"author and royalty 1,000", {}, "authorRoyaltyPage", {{"author", "1000"}, {"royalty", "1000"}},
     {{"authorTax", "28.00"}, {"royaltyTax", "40.00"}}},
    {"author and royalty 5,000", {}, "authorRoyaltyPage", {{"author", "5000"}, {"royalty", "5000"}},
     {{"authorTax", "560.00"}, {"royaltyTax", "800.00"}}},
    {"royalty alone", {}, "authorRoyaltyPage", {{"royalty", "5000"}},
     {{"authorTax", "0.00"}, {"royaltyTax", "800.00"}}},
    {"business", {}, "businessPage", {{"revenue", "500000"}, {"costs", "380000"}},
     {{"tax", "13,500.00"}}},
    {"business with the 60,000", {}, "businessPage",
     {{"revenue", "500000"}, {"costs", "380000"}, {"basicDeduction", "1"}}, {{"tax", "4,500.00"}}},
    {"interest", {}, "interestIncidentalPage", {{"interest", "123.45"}},
     {{"interestTax", "24.69"}, {"incidentalTax", "0.00"}}},
    {"incidental 10,000.01", {}, "interestIncidentalPage",
     {{"incidental", "10000.01"}, {"lotteryPrize", "1"}}, {{"incidentalTax", "2,000.00"}}},
    {"incidental 10,000 without lottery", {}, "interestIncidentalPage", {{"incidental", "10000"}},
     {{"incidentalTax", "2,000.00"}}},
    {"lottery 10,000", {}, "interestIncidentalPage",
     {{"incidental", "10000"}, {"lotteryPrize", "1"}, {"interest", "100"}},
     {{"incidentalTax", "0.00"}, {"interestTax", "20.00"}}, {kLotteryExempt}},
    {"lottery ticked, no prize", {}, "interestIncidentalPage",
     {{"interest", "100"}, {"lotteryPrize", "1"}}, {{"incidentalTax", "0.00"}}},
    {"settlement refund", {}, "settlementPage",
     {{"wages", "240000"}, {"labour", "10000"}, {"special", "48000"}, {"additional", "24000"},
      {"withheld", "9880"}},
     {{"taxable", "116,000.00"}, {"tax", "9,080.00"}, {"refund", "800.00"}, {"payment", "0.00"},
      {"conclusion", "应退税 800.00 元，可申请退税"}}},
    {"settlement payment", {}, "settlementPage", {{"wages", "300000"}},
     {{"taxable", "240,000.00"}, {"tax", "31,080.00"}, {"payment", "31,080.00"}, {"refund", "0.00"},
      {"conclusion", "应补税 31,080.00 元，请在汇算期内补缴"}}},
    {"settlement waived for small income", {}, "settlementPage", {{"wages", "120000"}},
     {{"payment", "3,480.00"},
      {"conclusion", "应补税 3,480.00 元，但无需补缴：综合所得年收入不超过 120,000 元，"
                     "或应补税额不超过 400 元的，无需补税（执行至 2027 年 12 月 31 日）"}}},
    {"settlement waived for a small payment", {}, "settlementPage",
     {{"wages", "200000"}, {"withheld", "11080"}},
     {{"tax", "11,480.00"}, {"payment", "400.00"},
      {"conclusion", "应补税 400.00 元，但无需补缴：综合所得年收入不超过 120,000 元，"
                     "或应补税额不超过 400 元的，无需补税（执行至 2027 年 12 月 31 日）"}}},
    {"settlement even", {}, "settlementPage", {{"wages", "100000"}, {"withheld", "1480"}},
     {{"payment", "0.00"}, {"refund", "0.00"},
      {"conclusion", "已预缴税额等于应纳税额，无需补税也无退税"}}},
    {"settlement author's remuneration", {}, "settlementPage", {{"author", "200000.01"}},
     {{"taxable", "52,000.01"}, {"tax", "2,680.00"}}},
};
// clang-format on

class WorkedValues : public CurrentWindowTest, public testing::WithParamInterface<Worked> {};

TEST_P(WorkedValues, AsTheWindowShowsThem) {
    const Worked& w = GetParam();
    enter("wagePage", w.wages);
    enter(w.page, w.entries);
    if (!w.boxes.empty()) watched = &control(w.page, w.shown.front().first);
    const QString before = watched ? watched->text() : QString();
    calculate(w.page);
    EXPECT_EQ(boxes, w.boxes);
    for (const QString& seen : watchedWhileOpen) {
        EXPECT_EQ(seen, before) << "written before its box";
    }
    for (const auto& [name, shown] : w.shown) EXPECT_EQ(text(w.page, name), U(shown)) << name;
}

// The case's description as a test name.
template <typename Case>
std::string NameOf(const testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* c = info.param.what; *c; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
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
    enter("wagePage", kWageExample);
    calculate("wagePage");
    const std::vector<QStringList> rows = TableCells(control<QTableView>("wagePage", "schedule"));
    ASSERT_EQ(rows.size(), 13u);
    EXPECT_EQ(rows[0], (QStringList{U("1月"), "20,000.00", "5,000.00", "6,000.00", "9,000.00", "3",
                                    "0.00", "270.00", "270.00", "15,730.00"}));
    EXPECT_EQ(rows[4], (QStringList{U("5月"), "100,000.00", "25,000.00", "30,000.00", "45,000.00",
                                    "10", "2,520.00", "1,980.00", "900.00", "15,100.00"}));
    for (int m = 0; m < 12; ++m) EXPECT_EQ(rows[m][8], m < 4 ? "270.00" : "900.00") << m + 1;
    EXPECT_EQ(rows[12], (QStringList{U("全年合计"), "240,000.00", "60,000.00", "72,000.00",
                                     "108,000.00", "", "", "8,280.00", "8,280.00", "183,720.00"}));
    const QAbstractItemModel& model = *control<QTableView>("wagePage", "schedule").model();
    EXPECT_TRUE(model.index(12, 0).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_EQ(model.index(3, 9).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
              Qt::AlignRight);
    EXPECT_FALSE(model.flags(model.index(3, 9)) & Qt::ItemIsEditable);
}

TEST_F(CurrentWindowTest, BonusUsesPageOneAsItStandsAndLeavesPageOneAlone) {
    enter("wagePage", kWageExample);
    calculate("wagePage");
    enter("wagePage", {{"gross", "30000"}});  // typed, not calculated
    const std::vector<QString> pageOne = {text("wagePage", "yearWithheld"),
                                          text("wagePage", "annualTaxable")};
    enter("bonusPage", {{"bonus", "36000"}});
    calculate("bonusPage");
    EXPECT_EQ(text("bonusPage", "wageAnnualTaxable"), "228,000.00");
    EXPECT_EQ(text("bonusPage", "combinedTax"), "7,200.00");
    EXPECT_EQ(text("bonusPage", "lower"), U("单独计税较低，比并入综合所得少缴 6,120.00 元"));
    EXPECT_EQ(pageOne, (std::vector<QString>{text("wagePage", "yearWithheld"),
                                             text("wagePage", "annualTaxable")}));
    EXPECT_TRUE(boxes.empty());
}

struct Refusal {
    const char* what;
    const char* page;
    Entries valid;    // calculated first, so that every output has something to keep
    Entries refused;  // then typed over it
    const char* fieldPage;
    const char* field;  // where the focus goes
    ui::Box box;

    friend void PrintTo(const Refusal& r, std::ostream* os) { *os << r.what; }
};

// clang-format off
const Refusal kRefusals[] = {
    {"wage gross letters", "wagePage", kWageExample, {{"gross", "abc"}}, "wagePage", "gross",
     Refused("月工资收入")},
    {"wage gross empty", "wagePage", kWageExample, {{"gross", " "}}, "wagePage", "gross",
     Missing("月工资收入")},
    {"wage gross too large", "wagePage", kWageExample, {{"gross", "1000000000000.01"}}, "wagePage",
     "gross", Refused("月工资收入")},
    {"wage special grouped", "wagePage", kWageExample, {{"special", "4,000"}}, "wagePage",
     "special", Refused("每月专项扣除")},
    {"wage additional negative", "wagePage", kWageExample, {{"additional", "-2000"}}, "wagePage",
     "additional", Refused("每月专项附加扣除")},
    {"wage other exponent", "wagePage", kWageExample, {{"other", "1e3"}}, "wagePage", "other",
     Refused("每月其他扣除")},
    {"wage gross first", "wagePage", kWageExample, {{"gross", ""}, {"special", "x"}}, "wagePage",
     "gross", Missing("月工资收入")},
    {"bonus empty", "bonusPage", {{"bonus", "36000"}}, {{"bonus", ""}}, "bonusPage", "bonus",
     Missing("全年一次性奖金")},
    {"bonus three decimals", "bonusPage", {{"bonus", "36000"}}, {{"bonus", "12.345"}}, "bonusPage",
     "bonus", Refused("全年一次性奖金")},
    {"bonus with page 1 refused", "bonusPage", {{"bonus", "36000"}}, {{"special", "4000元"}},
     "wagePage", "special", Refused("每月专项扣除")},
    {"labour empty", "labourPage", {{"income", "3000"}}, {{"income", ""}}, "labourPage", "income",
     Missing("每次劳务报酬收入")},
    {"labour full-width digits", "labourPage", {{"income", "3000"}},
     {{"income", "\uFF13\uFF10\uFF10\uFF10"}}, "labourPage", "income", Refused("每次劳务报酬收入")},
    {"author and royalty empty", "authorRoyaltyPage", {{"author", "1000"}},
     {{"author", ""}, {"royalty", ""}}, "authorRoyaltyPage", "author",
     NoneOf("“每次稿酬收入”、“每次特许权使用费收入”")},
    {"royalty letters", "authorRoyaltyPage", {{"author", "1000"}}, {{"royalty", "abc"}},
     "authorRoyaltyPage", "royalty", Refused("每次特许权使用费收入")},
    {"business revenue empty", "businessPage", {{"revenue", "500000"}}, {{"revenue", ""}},
     "businessPage", "revenue", Missing("全年收入总额")},
    {"business costs a point", "businessPage", {{"revenue", "500000"}}, {{"costs", "."}},
     "businessPage", "costs", Refused("成本、费用及损失")},
    {"interest and incidental empty", "interestIncidentalPage", {{"interest", "100"}},
     {{"interest", ""}}, "interestIncidentalPage", "interest",
     NoneOf("“利息、股息、红利所得”、“偶然所得”")},
    {"lottery prize with a sign", "interestIncidentalPage",
     {{"incidental", "20000"}, {"lotteryPrize", "1"}}, {{"incidental", "+500"}},
     "interestIncidentalPage", "incidental", Refused("偶然所得")},
    {"settlement without income", "settlementPage", {{"wages", "240000"}},
     {{"wages", ""}, {"withheld", "100"}}, "settlementPage", "wages",
     NoneOf("“全年工资薪金收入”、“全年劳务报酬收入”、“全年稿酬收入”、“全年特许权使用费收入”")},
    {"settlement withheld grouped", "settlementPage", {{"wages", "240000"}},
     {{"withheld", "9,880"}}, "settlementPage", "withheld", Refused("已预缴税额")},
};
// clang-format on

class RefusedInput : public CurrentWindowTest, public testing::WithParamInterface<Refusal> {};

TEST_P(RefusedInput, SaysWhatIsAcceptedFocusesTheFieldAndChangesNothing) {
    const Refusal& r = GetParam();
    enter(r.page, r.valid);
    calculate(r.page);
    ASSERT_TRUE(boxes.empty());
    window.pages().setCurrentWidget(&page(r.page));
    enter(r.fieldPage, r.refused);
    const std::map<std::string, std::string> before = outputs();
    calculate(r.page);
    EXPECT_EQ(boxes, std::vector<ui::Box>{r.box});
    EXPECT_EQ(outputs(), before);
    QLineEdit& field = control(r.fieldPage, r.field);
    EXPECT_EQ(window.focusWidget(), &field);
    EXPECT_EQ(window.pages().currentWidget(), &page(r.fieldPage));
    EXPECT_EQ(field.selectedText(), field.text());
}

INSTANTIATE_TEST_SUITE_P(Fields, RefusedInput, testing::ValuesIn(kRefusals), NameOf<Refusal>);

}  // namespace
}  // namespace uitest
