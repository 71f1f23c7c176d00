#include "app/current/pages.hpp"

#include "app/current/wage_year.hpp"
#include "app/current/year_texts.hpp"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace app::current {
namespace {

using tax::current::BonusTreatment;

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

// The treatment with the lower tax; with the same tax, the bonus on its own, which keeps it
// out of the comprehensive income.
QString Better(Fen separate, Fen merged) {
    if (separate == merged) return Text("两种方式税额相同，选择单独计税");
    const QString saving = YuanText(separate < merged ? merged - separate : separate - merged);
    return separate < merged ? Text("单独计税对纳税人更有利，比并入综合所得少缴 %1 元").arg(saving)
                             : Text("并入综合所得对纳税人更有利，比单独计税少缴 %1 元").arg(saving);
}

}  // namespace

SettlementPage::SettlementPage(WagePage& wages, const Parameters& p)
    : Page(PageId::Settlement, p), wagePage_(wages) {
    wages_ = addInput(Control::SettlementWages, Text("全年工资薪金收入"), Need::Optional,
                      Text("不含全年一次性奖金和免税收入"));
    labour_ = addInput(Control::SettlementLabour, Text("全年劳务报酬收入"), Need::Optional);
    author_ = addInput(Control::SettlementAuthor, Text("全年稿酬收入"), Need::Optional);
    royalty_ = addInput(Control::SettlementRoyalty, Text("全年特许权使用费收入"), Need::Optional);
    bonus_ = addInput(Control::SettlementBonus, Text("全年一次性奖金"), Need::Optional);
    special_ = addInput(Control::SettlementSpecial, Text("全年专项扣除"), Need::Optional,
                        Text("个人缴纳的基本养老、医疗、失业保险和住房公积金"));
    additional_ = addInput(Control::SettlementAdditional, Text("全年专项附加扣除"), Need::Optional,
                           SettlementAdditionalHint);
    other_ = addInput(Control::SettlementOther, Text("全年其他扣除"), Need::Optional,
                      SettlementOtherHint);
    donation_ = addInput(Control::SettlementDonation, Text("准予扣除的捐赠额"), Need::Optional);
    withheld_ = addInput(Control::SettlementWithheld, Text("已预缴税额"), Need::Optional,
                         Text("全年各项综合所得和全年一次性奖金已预扣预缴的税额"));
    addInputButton(Control::SettlementFromWages, Text("从工资薪金页带入"),
                   [this] { fillFromWages(); });

    // Two columns: the bonus on its own on the left, merged on the right.
    separate_.taxable =
        addOutput(Control::SettlementSeparateTaxable, Text("单独计税：应纳税所得额"));
    merged_.taxable =
        addOutput(Control::SettlementMergedTaxable, Text("并入综合所得：应纳税所得额"));
    separate_.tax = addOutput(Control::SettlementSeparateTax, Text("单独计税：全年应纳税额"));
    merged_.tax = addOutput(Control::SettlementMergedTax, Text("并入综合所得：全年应纳税额"));
    separate_.balance =
        addOutput(Control::SettlementSeparateBalance, Text("单独计税：应补（退）税额"));
    merged_.balance =
        addOutput(Control::SettlementMergedBalance, Text("并入综合所得：应补（退）税额"));
    separate_.conclusion =
        addOutput(Control::SettlementSeparateConclusion, Text("单独计税：汇算结论"), Qt::AlignLeft);
    merged_.conclusion = addOutput(Control::SettlementMergedConclusion,
                                   Text("并入综合所得：汇算结论"), Qt::AlignLeft);
    better_ = addOutput(Control::SettlementBetter, Text("较优方式"), Qt::AlignLeft);
    addNote(SettlementNote);
    addNote(SettlementWaiverNote);
    column().addStretch();
}

void SettlementPage::calculate() {
    AmountReader read;
    tax::current::SettlementInput input{};
    input.wages = read.read(*wages_, Need::Optional);
    input.labour = read.read(*labour_, Need::Optional);
    input.author = read.read(*author_, Need::Optional);
    input.royalty = read.read(*royalty_, Need::Optional);
    input.bonus = read.read(*bonus_, Need::Optional);
    input.special = read.read(*special_, Need::Optional);
    input.additional = read.read(*additional_, Need::Optional);
    input.other = read.read(*other_, Need::Optional);
    input.donation = read.read(*donation_, Need::Optional);
    input.withheld = read.read(*withheld_, Need::Optional);
    read.requireOne({wages_, labour_, author_, royalty_, bonus_});
    if (!read.ok()) return;
    const Parameters& p = parameters();
    const auto merged = tax::current::AnnualSettlement(p, input, BonusTreatment::Merged);
    show(merged_, merged);
    if (!p.separateBonus) {
        for (QLineEdit* field : {separate_.taxable, separate_.tax, separate_.balance}) {
            field->clear();
        }
        separate_.conclusion->setText(Text("本年度没有全年一次性奖金单独计税的政策"));
        better_->setText(BonusWithoutChoice());
        return;
    }
    const auto separate = tax::current::AnnualSettlement(p, input, BonusTreatment::Separate);
    show(separate_, separate);
    better_->setText(Better(separate.tax, merged.tax));
}

void SettlementPage::show(const Outcome& outcome, const tax::current::Settlement& settlement) {
    outcome.taxable->setText(YuanText(settlement.taxable));
    outcome.tax->setText(YuanText(settlement.tax));
    outcome.balance->setText(YuanText(settlement.balance));
    outcome.conclusion->setText(Conclusion(settlement, parameters()));
}

void SettlementPage::fillFromWages() {
    const std::optional<WageYearTotals> year = WageYearOf(wagePage_, *this);
    if (!year) return;
    const std::pair<QLineEdit*, Fen> filled[] = {
        {wages_, year->wages}, {special_, year->special},   {additional_, year->additional},
        {other_, year->other}, {donation_, year->donation}, {withheld_, year->withheld},
    };
    for (const auto& [field, amount] : filled) field->setText(FieldYuanText(amount));
}

}  // namespace app::current
