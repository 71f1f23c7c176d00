#include "app/current/pages.hpp"

#include "app/current/wage_year.hpp"
#include "app/current/year_texts.hpp"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// The year's tax on `package` from one employer of which `bonus` is paid as the one-time bonus:
// the rest by the annual table, the bonus on its own where the year allows it, else merged.
Fen TotalTax(const Parameters& p, Fen package, Fen deductions, Fen bonus) {
    if (!p.separateBonus) return tax::current::AnnualTableTax(p, package - deductions);
    return tax::current::AnnualTableTax(p, package - bonus - deductions) +
           tax::current::BonusSeparateTax(p, bonus);
}

QStringList AlternativeHeaders() {
    return {Text("奖金"), Text("奖金单独计税"), Text("其余工资薪金计税"), Text("全年税额合计")};
}

// A bonus at each bound of the monthly table × its months, as far as the package reaches:
// where a dead zone begins, so the candidates for the least tax.
void ShowAlternatives(QStandardItemModel& model, const Parameters& p, Fen package, Fen deductions) {
    model.removeRows(0, model.rowCount());
    if (!p.separateBonus) return;
    for (const tax::current::Bracket& row : p.monthly.first(p.monthly.size() - 1)) {
        const Fen bonus = row.upTo * p.bonusMonths;
        if (bonus > package) break;
        const Fen bonusTax = tax::current::BonusSeparateTax(p, bonus);
        const Fen rest = tax::current::AnnualTableTax(p, package - bonus - deductions);
        QList<QStandardItem*> cells;
        for (const Fen amount : {bonus, bonusTax, rest, bonusTax + rest}) {
            auto* cell = new QStandardItem(YuanText(amount));
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cells << cell;
        }
        model.appendRow(cells);
    }
}

QString Conclusion(const Parameters& p, const tax::current::BonusSplit& best, Fen noBonus) {
    if (!p.separateBonus) return BonusWithoutChoice() + Text("，怎样拆分全年税额都相同");
    if (best.bonus == 0) return Text("不发全年一次性奖金、全部作为工资薪金时全年税额最低");
    return Text("奖金发 %1 元、其余作为工资薪金时全年税额最低，比不发奖金少缴 %2 元")
        .arg(YuanText(best.bonus), YuanText(noBonus - best.totalTax));
}

// Tall enough for every bound of the monthly table, so the table needs no scrolling.
class AlternativesView : public QTableView {
public:
    QSize sizeHint() const override { return {QTableView::sizeHint().width(), HeightFor(7)}; }
    QSize minimumSizeHint() const override {
        return {QTableView::minimumSizeHint().width(), HeightFor(7)};
    }

private:
    int HeightFor(int rows) const {
        return verticalHeader()->defaultSectionSize() * rows +
               horizontalHeader()->sizeHint().height() + 2 * frameWidth();
    }
};

QTableView* AlternativesTable(QStandardItemModel* model) {
    auto* table = new AlternativesView;
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().lineSpacing() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setAccessibleName(Text("按各档临界点发放奖金的全年税额"));
    return table;
}

}  // namespace

BonusPlanPage::BonusPlanPage(WagePage& wages, BonusPage& bonus, const Parameters& p)
    : Page(PageId::BonusPlan, p),
      wagePage_(wages),
      bonusPage_(bonus),
      alternatives_(new QStandardItemModel(this)) {
    pay_ = addInput(Control::BonusPlanPay, Text("全年税前收入"), Need::Required,
                    Text("同一单位全年发放的工资薪金和全年一次性奖金合计"));
    deductions_ = addInput(Control::BonusPlanDeductions, Text("全年扣除合计"), Need::Optional,
                           Text("减除费用、专项扣除、专项附加扣除和其他扣除合计"));
    addInputButton(Control::BonusPlanFromWages, Text("从工资薪金页带入"),
                   [this] { fillFromWages(); });

    best_ = addOutput(Control::BonusPlanBest, Text("全年税额最低的奖金"));
    bestTotal_ = addOutput(Control::BonusPlanBestTotal, Text("该方案全年税额"));
    noBonusTotal_ = addOutput(Control::BonusPlanNoBonusTotal, Text("不发奖金全年税额"));
    enteredTotal_ = addOutput(Control::BonusPlanEnteredTotal, Text("按奖金页奖金全年税额"));
    conclusion_ = addOutput(Control::BonusPlanConclusion, Text("筹划结论"), Qt::AlignLeft);
    addNote(
        Text("全年税额 = 奖金单独计税的税额 + （全年税前收入 − 奖金 − 全年扣除合计）按综合所得\n"
             "年度税率表计算的税额。奖金按整元计，税额相同时取较小的奖金；"
             "“全年一次性奖金”页\n未填写奖金时，“按奖金页奖金全年税额”一项空白。"));

    QTableView* table = AlternativesTable(alternatives_);
    addControl(Control::BonusPlanAlternatives, *table);
    alternatives_->setHorizontalHeaderLabels(AlternativeHeaders());
    auto* title = new QLabel(table->accessibleName());
    title->setBuddy(table);
    column().addWidget(title);
    column().addWidget(table);
    column().addStretch();
}

void BonusPlanPage::calculate() {
    AmountReader read;
    const Fen package = read.read(*pay_, Need::Required);
    const Fen deductions = read.read(*deductions_, Need::Optional);
    QLineEdit& bonusField = bonusPage_.bonusField();
    const bool entered = !IsBlank(bonusField.text());
    const Fen bonus = entered ? read.read(bonusField, Need::Optional) : 0;
    if (read.ok() && bonus > package) {
        read.refuse(bonusField, Text("输入有误"),
                    Text("“%1”超过了奖金筹划页的“%2”，无法按它筹划。")
                        .arg(bonusField.accessibleName(), pay_->accessibleName()));
    }
    if (!read.ok()) return;
    const Parameters& p = parameters();
    const tax::current::BonusSplit best = tax::current::BestBonusSplit(p, package, deductions);
    const Fen noBonus = tax::current::AnnualTableTax(p, package - deductions);
    best_->setText(YuanText(best.bonus));
    bestTotal_->setText(YuanText(best.totalTax));
    noBonusTotal_->setText(YuanText(noBonus));
    enteredTotal_->setText(entered ? YuanText(TotalTax(p, package, deductions, bonus)) : QString());
    conclusion_->setText(Conclusion(p, best, noBonus));
    ShowAlternatives(*alternatives_, p, package, deductions);
}

void BonusPlanPage::clearResults() {
    Page::clearResults();
    alternatives_->removeRows(0, alternatives_->rowCount());
}

void BonusPlanPage::fillFromWages() {
    const std::optional<WageYearTotals> year = WageYearOf(wagePage_, *this);
    if (!year) return;
    deductions_->setText(
        FieldYuanText(year->basic + year->special + year->additional + year->other));
}

}  // namespace app::current
