#include "app/current/pages.hpp"

#include "app/current/year_texts.hpp"
#include "app/effects.hpp"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// When there is room, wide enough for amounts in the millions and tall enough for the whole
// year; a few months at least.
class ScheduleView : public QTableView {
public:
    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        const int amount = metrics.horizontalAdvance(QStringLiteral("99,999,999.99"));
        const QFontMetrics headers(horizontalHeader()->font());
        const int padding = 2 * metrics.averageCharWidth();
        int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
        for (const QString& header : ScheduleHeaders()) {
            width += std::max(amount, headers.horizontalAdvance(header)) + padding;
        }
        return {width, HeightFor(13)};
    }
    QSize minimumSizeHint() const override {
        return {QTableView::minimumSizeHint().width(), HeightFor(5)};
    }

private:
    int HeightFor(int rows) const {
        return verticalHeader()->defaultSectionSize() * rows +
               horizontalHeader()->sizeHint().height() + 2 * frameWidth() +
               horizontalScrollBar()->sizeHint().height();
    }
};

QTableView* ScheduleTable(ScheduleModel* model) {
    auto* table = new ScheduleView;
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    // Rows as tight as the text allows: more of the year in view.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().lineSpacing() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(Text("逐月预扣预缴明细"));
    return table;
}

}  // namespace

WagePage::WagePage(const Parameters& p) : Page(PageId::Wage, p) {
    gross_ =
        addInput(Control::WageGross, Text("月工资收入"), Need::Required, Text("每月税前应发工资"));
    special_ = addInput(Control::WageSpecial, Text("每月专项扣除"), Need::Optional,
                        Text("个人缴纳的基本养老、医疗、失业保险和住房公积金"));
    additional_ = addInput(Control::WageAdditional, Text("每月专项附加扣除"), Need::Optional,
                           WageAdditionalHint);
    other_ = addInput(Control::WageOther, Text("每月其他扣除"), Need::Optional, WageOtherHint);
    firstMonth_ = addNumber(Control::WageFirstMonth, Text("当年任职受雇起始月份"), 1, 12,
                            Text(" 月"), Text("当年从哪个月起在本单位领取工资"));

    firstWithheld_ = addOutput(Control::WageFirstWithheld, Text("首月预扣税额"));
    firstNetPay_ = addOutput(Control::WageFirstNetPay, Text("首月税后收入"));
    yearWithheld_ = addOutput(Control::WageYearWithheld, Text("全年预扣税额合计"));
    annualTaxable_ = addOutput(Control::WageAnnualTaxable, Text("全年累计应纳税所得额"));
    addNote(WageNote);

    model_ = new ScheduleModel(this);
    table_ = ScheduleTable(model_);
    addControl(Control::WageSchedule, *table_);
    export_ = new QPushButton(Text("导出 CSV…"));
    addControl(Control::WageExportCsv, *export_);
    export_->setAutoDefault(true);  // Enter on it exports instead of calculating
    export_->setEnabled(false);
    connect(export_, &QPushButton::clicked, this, [this] { chooseExportFile(); });

    auto* title = new QLabel(table_->accessibleName());
    title->setBuddy(table_);
    auto* heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addStretch();
    heading->addWidget(export_);
    column().addLayout(heading);
    column().addWidget(table_, 1);
}

// The same pay in every month from the first: the months employed count the basic deduction.
std::optional<tax::current::PayrollYear> WagePage::readInput(Need grossNeed) {
    AmountReader read;
    tax::current::MonthIncome month;
    month.gross = read.read(*gross_, grossNeed);
    month.special = read.read(*special_, Need::Optional);
    month.additional = read.read(*additional_, Need::Optional);
    month.other = read.read(*other_, Need::Optional);
    if (!read.ok()) return std::nullopt;
    const int firstMonth = firstMonth_->value();
    return tax::current::PayrollYear{
        firstMonth, tax::current::BasicDeduction::MonthsEmployed,
        std::vector<tax::current::MonthIncome>(static_cast<std::size_t>(13 - firstMonth), month)};
}

void WagePage::calculate() {
    const std::optional<tax::current::PayrollYear> input = readInput(Need::Required);
    if (!input) return;
    Schedule schedule = tax::current::WageWithholding(parameters(), *input);
    if (schedule.empty()) return;  // only for a first month the spin box does not offer
    firstWithheld_->setText(YuanText(schedule.front().withheld));
    firstNetPay_->setText(YuanText(schedule.front().netPay));
    yearWithheld_->setText(YuanText(SumsOf(schedule).withheld));
    annualTaxable_->setText(YuanText(schedule.back().cumulativeTaxable));
    model_->setSchedule(std::move(schedule));
    export_->setEnabled(true);
}

void WagePage::clearResults() {
    Page::clearResults();
    model_->setSchedule({});
    export_->setEnabled(false);
}

std::optional<Fen> WagePage::annualTaxable() {
    const std::optional<tax::current::PayrollYear> input = readInput(Need::Optional);
    if (!input) return std::nullopt;
    if (IsBlank(gross_->text())) return 0;
    const Schedule schedule = tax::current::WageWithholding(parameters(), *input);
    return schedule.empty() ? 0 : schedule.back().cumulativeTaxable;
}

bool WagePage::exportCsv(const QString& path) {
    QString error;
    if (WriteFileAtomically(path, ScheduleCsv(model_->schedule()), error)) return true;
    PresentBox(*this, {Text("CSV 文件没有导出：无法写入“%1”（%2）。\n该位置没有留下不完整的文件。")
                           .arg(QDir::toNativeSeparators(path), error),
                       Text("导出失败"), ui::BoxIcon::Exclamation});
    return false;
}

void WagePage::chooseExportFile() {
    QFileDialog dialog(this, Text("导出 CSV"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(Text("CSV 文件 (*.csv)"));
    dialog.setDefaultSuffix("csv");
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(Text("工资薪金预扣预缴明细.csv"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        exportCsv(dialog.selectedFiles().constFirst());
    }
}

}  // namespace app::current
