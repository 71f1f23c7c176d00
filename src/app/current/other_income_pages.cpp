// The pages of business income, and of interest, dividends and incidental income.

#include "app/current/pages.hpp"

#include "app/current/year_texts.hpp"
#include "app/effects.hpp"

#include <QCheckBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

BusinessPage::BusinessPage(const Parameters& p) : Page(PageId::Business, p) {
    revenue_ = addInput(Control::BusinessRevenue, Text("全年收入总额"), Need::Required);
    costs_ = addInput(Control::BusinessCosts, Text("成本、费用及损失"), Need::Optional);
    basicDeduction_ = addCheckBox(Control::BusinessBasicDeduction, BusinessBasicDeductionText);
    tax_ = addOutput(Control::BusinessTax, Text("经营所得应纳税额"));
    addNote(BusinessNote);
    addNote(Text("未减除任何税收优惠（例如个体工商户经营所得减半征收），所示为减免前的应纳税额。"));
    column().addStretch();
}

void BusinessPage::calculate() {
    AmountReader read;
    const Fen revenue = read.read(*revenue_, Need::Required);
    const Fen costs = read.read(*costs_, Need::Optional);
    if (!read.ok()) return;
    const auto deduction = basicDeduction_->isChecked() ? tax::current::BusinessDeduction::Basic
                                                        : tax::current::BusinessDeduction::None;
    tax_->setText(YuanText(tax::current::BusinessTax(parameters(), revenue, costs, deduction)));
}

InterestIncidentalPage::InterestIncidentalPage(const Parameters& p)
    : Page(PageId::InterestIncidental, p) {
    interest_ = addInput(Control::InterestIncome, Text("利息、股息、红利所得"), Need::Optional);
    incidental_ = addInput(Control::IncidentalIncome, Text("偶然所得"), Need::Optional,
                           Text("例如中奖、中彩所得"));
    lottery_ = addCheckBox(Control::LotteryPrize, Text("单张彩票中奖"));
    interestTax_ = addOutput(Control::InterestTax, Text("利息、股息、红利所得应纳税额"));
    incidentalTax_ = addOutput(Control::IncidentalTax, Text("偶然所得应纳税额"));
    addNote(InterestIncidentalNote);
    addNote(LotteryNote);
    column().addStretch();
}

void InterestIncidentalPage::calculate() {
    AmountReader read;
    const Fen interest = read.read(*interest_, Need::Optional);
    const Fen incidental = read.read(*incidental_, Need::Optional);
    read.requireOne({interest_, incidental_});
    if (!read.ok()) return;
    const auto prize =
        lottery_->isChecked() ? tax::current::Prize::Lottery : tax::current::Prize::Other;
    const tax::current::IncidentalResult result =
        tax::current::IncidentalTax(parameters(), incidental, prize);
    // As in the edition windows, the exemption is told before the result is written; a prize
    // left empty has nothing to be exempt.
    if (result.exempt && !IsBlank(incidental_->text())) {
        PresentBox(*this,
                   {LotteryExemptText(parameters()), Text("免税提示"), ui::BoxIcon::Information});
    }
    interestTax_->setText(YuanText(tax::current::InterestDividendTax(parameters(), interest)));
    incidentalTax_->setText(YuanText(result.tax));
}

}  // namespace app::current
