#include "app/current/pages.hpp"

#include "app/current/year_texts.hpp"

#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QString Conclusion(const tax::current::Settlement& settlement, const Parameters& p) {
    const Fen balance = settlement.balance;
    const QString amount = YuanText(balance < 0 ? -balance : balance);
    if (settlement.balance < 0) return Text("应退税 %1 元，可申请退税").arg(amount);
    if (settlement.balance == 0) return Text("已预缴税额等于应纳税额，无需补税也无退税");
    if (settlement.paymentWaived) {
        return Text("应补税 %1 元，但无需补缴：%2").arg(amount, WaiverText(p));
    }
    return Text("应补税 %1 元，请在汇算期内补缴").arg(amount);
}

}  // namespace

SettlementPage::SettlementPage(const Parameters& p) : Page(PageId::Settlement, p) {
    wages_ = addInput(Control::SettlementWages, Text("全年工资薪金收入"), Need::Optional);
    labour_ = addInput(Control::SettlementLabour, Text("全年劳务报酬收入"), Need::Optional);
    author_ = addInput(Control::SettlementAuthor, Text("全年稿酬收入"), Need::Optional);
    royalty_ = addInput(Control::SettlementRoyalty, Text("全年特许权使用费收入"), Need::Optional);
    special_ = addInput(Control::SettlementSpecial, Text("全年专项扣除"), Need::Optional,
                        Text("个人缴纳的基本养老、医疗、失业保险和住房公积金"));
    additional_ = addInput(Control::SettlementAdditional, Text("全年专项附加扣除"), Need::Optional,
                           SettlementAdditionalHint);
    other_ = addInput(Control::SettlementOther, Text("全年其他扣除"), Need::Optional,
                      SettlementOtherHint);
    withheld_ = addInput(Control::SettlementWithheld, Text("已预缴税额"), Need::Optional,
                         Text("全年各项综合所得已预扣预缴的税额"));

    taxable_ = addOutput(Control::SettlementTaxable, Text("综合所得应纳税所得额"));
    tax_ = addOutput(Control::SettlementTax, Text("全年应纳税额"));
    payment_ = addOutput(Control::SettlementPayment, Text("应补税额"));
    refund_ = addOutput(Control::SettlementRefund, Text("应退税额"));
    conclusion_ = addOutput(Control::SettlementConclusion, Text("汇算结论"), Qt::AlignLeft);
    addNote(SettlementNote);
    addNote(SettlementWaiverNote);
    column().addStretch();
}

// The page asks for no bonus: with none, taxing it on its own leaves the comprehensive income
// as entered.
void SettlementPage::calculate() {
    AmountReader read;
    tax::current::SettlementInput input{};
    input.wages = read.read(*wages_, Need::Optional);
    input.labour = read.read(*labour_, Need::Optional);
    input.author = read.read(*author_, Need::Optional);
    input.royalty = read.read(*royalty_, Need::Optional);
    input.special = read.read(*special_, Need::Optional);
    input.additional = read.read(*additional_, Need::Optional);
    input.other = read.read(*other_, Need::Optional);
    input.withheld = read.read(*withheld_, Need::Optional);
    read.requireOne({wages_, labour_, author_, royalty_});
    if (!read.ok()) return;
    const tax::current::Settlement settlement =
        tax::current::AnnualSettlement(parameters(), input, tax::current::BonusTreatment::Separate);
    taxable_->setText(YuanText(settlement.taxable));
    tax_->setText(YuanText(settlement.tax));
    payment_->setText(YuanText(settlement.balance > 0 ? settlement.balance : 0));
    refund_->setText(YuanText(settlement.balance < 0 ? -settlement.balance : 0));
    conclusion_->setText(Conclusion(settlement, parameters()));
}

}  // namespace app::current
