// The pages of business income, and of interest, dividends and incidental income.

#include "app/current/pages.hpp"

#include "app/effects.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

BusinessPage::BusinessPage() : Page("businessPage") {
    revenue_ = addInput("revenue", Text("全年收入总额"), Need::Required);
    costs_ = addInput("costs", Text("成本、费用及损失"), Need::Optional);
    basicDeduction_ = addCheckBox("basicDeduction", Text("没有综合所得，减除费用 60,000 元"));
    tax_ = addOutput("tax", Text("经营所得应纳税额"));
    addNote(
        Text("应纳税所得额 = 收入总额 − 成本、费用及损失（没有综合所得的再减 60,000 元），\n"
             "按经营所得税率表（5% 至 35%）计算。"));
    addNote(Text("未减除任何税收优惠（例如个体工商户经营所得减半征收），所示为减免前的应纳税额。"));
    column().addStretch();
}

void BusinessPage::calculate() {
    AmountReader read;
    const Fen revenue = read.read(*revenue_, Need::Required);
    const Fen costs = read.read(*costs_, Need::Optional);
    if (!read.ok()) return;
    const bool basicDeduction = basicDeduction_->isChecked();
    tax_->setText(YuanText(tax::current::BusinessTax(revenue, costs, basicDeduction)));
}

InterestIncidentalPage::InterestIncidentalPage() : Page("interestIncidentalPage") {
    interest_ = addInput("interest", Text("利息、股息、红利所得"), Need::Optional);
    incidental_ =
        addInput("incidental", Text("偶然所得"), Need::Optional, Text("例如中奖、中彩所得"));
    lottery_ = addCheckBox("lotteryPrize", Text("单张彩票中奖"));
    interestTax_ = addOutput("interestTax", Text("利息、股息、红利所得应纳税额"));
    incidentalTax_ = addOutput("incidentalTax", Text("偶然所得应纳税额"));
    addNote(
        Text("两者均按收入全额的 20% 计税。利息、股息、红利所得未适用任何免税规定\n"
             "（例如持有上市公司股票超过 1 年的股息红利免税）。"));
    addNote(Text("单张彩票中奖不超过 10,000 元的免税；超过的按全额计税。至少填写一项收入。"));
    column().addStretch();
}

void InterestIncidentalPage::calculate() {
    AmountReader read;
    const Fen interest = read.read(*interest_, Need::Optional);
    const Fen incidental = read.read(*incidental_, Need::Optional);
    read.requireOne({interest_, incidental_});
    if (!read.ok()) return;
    const tax::current::IncidentalResult result =
        tax::current::IncidentalTax(incidental, lottery_->isChecked());
    // As in the edition windows, the exemption is told before the result is written; a prize
    // left empty has nothing to be exempt.
    if (result.exempt && !IsBlank(incidental_->text())) {
        PresentBox(*this, {Text("单张彩票中奖不超过 10,000 元，免征个人所得税。"), Text("免税提示"),
                           ui::BoxIcon::Information});
    }
    interestTax_->setText(YuanText(tax::current::InterestDividendTax(interest)));
    incidentalTax_->setText(YuanText(result.tax));
}

}  // namespace app::current
