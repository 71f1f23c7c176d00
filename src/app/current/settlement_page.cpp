#include "app/current/pages.hpp"

#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

const char* const kWaiver =
    "综合所得年收入不超过 120,000 元，或应补税额不超过 400 元的，无需补税"
    "（执行至 2027 年 12 月 31 日）";

QString Conclusion(const tax::current::Settlement& settlement) {
    const Fen balance = settlement.balance;
    const QString amount = YuanText(balance < 0 ? -balance : balance);
    if (settlement.balance < 0) return Text("应退税 %1 元，可申请退税").arg(amount);
    if (settlement.balance == 0) return Text("已预缴税额等于应纳税额，无需补税也无退税");
    if (settlement.paymentWaived) {
        return Text("应补税 %1 元，但无需补缴：%2").arg(amount, Text(kWaiver));
    }
    return Text("应补税 %1 元，请在汇算期内补缴").arg(amount);
}

}  // namespace

SettlementPage::SettlementPage() : Page("settlementPage") {
    wages_ = addInput("wages", Text("全年工资薪金收入"), Need::Optional);
    labour_ = addInput("labour", Text("全年劳务报酬收入"), Need::Optional);
    author_ = addInput("author", Text("全年稿酬收入"), Need::Optional);
    royalty_ = addInput("royalty", Text("全年特许权使用费收入"), Need::Optional);
    special_ = addInput("special", Text("全年专项扣除"), Need::Optional,
                        Text("个人缴纳的基本养老、医疗、失业保险和住房公积金"));
    additional_ = addInput("additional", Text("全年专项附加扣除"), Need::Optional,
                           Text("各项合计，含只在汇算时扣除的大病医疗（自付超过 15,000 元的部分，\n"
                                "最多 80,000 元）。年度标准：子女教育、3 岁以下婴幼儿照护每个子女\n"
                                "24,000 元，继续教育 4,800 元（职业资格证书当年 3,600 元），\n"
                                "住房贷款利息 12,000 元，住房租金 18,000 / 13,200 / 9,600 元，\n"
                                "赡养老人最多 36,000 元"));
    other_ = addInput("other", Text("全年其他扣除"), Need::Optional,
                      Text("例如个人养老金，每年最多 12,000 元"));
    withheld_ = addInput("withheld", Text("已预缴税额"), Need::Optional,
                         Text("全年各项综合所得已预扣预缴的税额"));

    taxable_ = addOutput("taxable", Text("综合所得应纳税所得额"));
    tax_ = addOutput("tax", Text("全年应纳税额"));
    payment_ = addOutput("payment", Text("应补税额"));
    refund_ = addOutput("refund", Text("应退税额"));
    conclusion_ = addOutput("conclusion", Text("汇算结论"), Qt::AlignLeft);
    addNote(
        Text("应纳税所得额 = 工资薪金 + 劳务报酬 × 80% + 特许权使用费 × 80% + 稿酬 × 80% × 70%\n"
             "− 60,000 − 专项扣除 − 专项附加扣除 − 其他扣除，按综合所得年度税率表计算；\n"
             "应纳税额减去已预缴税额，为负应退税，为正应补税。"));
    addNote(Text(kWaiver) + Text("。\n至少填写一项收入。"));
    column().addStretch();
}

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
    const tax::current::Settlement settlement = tax::current::AnnualSettlement(input);
    taxable_->setText(YuanText(settlement.taxable));
    tax_->setText(YuanText(settlement.tax));
    payment_->setText(YuanText(settlement.balance > 0 ? settlement.balance : 0));
    refund_->setText(YuanText(settlement.balance < 0 ? -settlement.balance : 0));
    conclusion_->setText(Conclusion(settlement));
}

}  // namespace app::current
