#include "app/current/pages.hpp"

#include "app/current/year_texts.hpp"

#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Which way of taxing the bonus costs less, and by how much.
QString Comparison(Fen separate, Fen combined) {
    if (separate == combined) return Text("两种方式税额相同");
    const QString saving =
        YuanText(separate < combined ? combined - separate : separate - combined);
    return separate < combined ? Text("单独计税较低，比并入综合所得少缴 %1 元").arg(saving)
                               : Text("并入综合所得较低，比单独计税少缴 %1 元").arg(saving);
}

}  // namespace

BonusPage::BonusPage(WagePage& wages, const Parameters& p) : Page(PageId::Bonus, p), wages_(wages) {
    bonus_ =
        addInput(Control::BonusAmount, Text("全年一次性奖金"), Need::Required, Text("税前金额"));
    separate_ = addOutput(Control::BonusSeparateTax, Text("单独计税应纳税额"));
    combined_ = addOutput(Control::BonusCombinedTax, Text("并入综合所得增加的税额"));
    wageTaxable_ = addOutput(Control::BonusWageAnnualTaxable, Text("工资薪金全年累计应纳税所得额"));
    lower_ = addOutput(Control::BonusLower, Text("比较"), Qt::AlignLeft);
    addNote(BonusSeparateNote);
    addNote(
        Text("并入综合所得：把奖金加到“工资薪金”页按其当前内容算出的全年累计应纳税所得额上\n"
             "（该页月工资收入为空时按 0 计），按综合所得年度税率表计算增加的税额。"));
    column().addStretch();
}

void BonusPage::calculate() {
    AmountReader read;
    const Fen bonus = read.read(*bonus_, Need::Required);
    if (!read.ok()) return;
    const std::optional<Fen> wageTaxable = wages_.annualTaxable();
    if (!wageTaxable) return;
    const Fen separate = tax::current::BonusSeparateTax(parameters(), bonus);
    const Fen combined = tax::current::BonusCombinedTax(parameters(), *wageTaxable, bonus);
    separate_->setText(YuanText(separate));
    combined_->setText(YuanText(combined));
    wageTaxable_->setText(YuanText(*wageTaxable));
    // Without separate taxation in the year there is nothing to choose between.
    lower_->setText(parameters().separateBonus ? Comparison(separate, combined)
                                               : BonusWithoutChoice());
}

}  // namespace app::current
