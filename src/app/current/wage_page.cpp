#include "app/current/pages.hpp"

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
    table->setObjectName("schedule");
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

WagePage::WagePage() : Page("wagePage") {
    gross_ = addInput("gross", Text("月工资收入"), Need::Required, Text("每月税前应发工资"));
    special_ = addInput("special", Text("每月专项扣除"), Need::Optional,
                        Text("个人缴纳的基本养老、医疗、失业保险和住房公积金"));
    additional_ =
        addInput("additional", Text("每月专项附加扣除"), Need::Optional,
                 Text("各项合计。每月标准：子女教育、3 岁以下婴幼儿照护每个子女 2,000 元，\n"
                      "继续教育 400 元，住房贷款利息 1,000 元，住房租金 1,500 / 1,100 / 800 元\n"
                      "（按城市），赡养老人最多 3,000 元"));
    other_ = addInput("other", Text("每月其他扣除"), Need::Optional,
                      Text("例如个人养老金，每月最多 1,000 元"));
    firstMonth_ = addNumber("firstMonth", Text("当年任职受雇起始月份"), 1, 12, Text(" 月"),
                            Text("当年从哪个月起在本单位领取工资"));

    firstWithheld_ = addOutput("firstWithheld", Text("首月预扣税额"));
    firstNetPay_ = addOutput("firstNetPay", Text("首月税后收入"));
    yearWithheld_ = addOutput("yearWithheld", Text("全年预扣税额合计"));
    annualTaxable_ = addOutput("annualTaxable", Text("全年累计应纳税所得额"));
    addNote(
        Text("累计预扣法：每月减除费用 5,000 元，累计应纳税额按综合所得年度税率表计算；\n"
             "本月预扣税额 = 累计应纳税额 − 此前各月已预扣税额（不小于 0），"
             "税后收入 = 工资 − 专项扣除 − 本月预扣税额。"));

    model_ = new ScheduleModel(this);
    table_ = ScheduleTable(model_);
    export_ = new QPushButton(Text("导出 CSV…"));
    export_->setObjectName("exportCsv");
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

std::optional<tax::current::WageInput> WagePage::readInput(Need grossNeed) {
    AmountReader read;
    const tax::current::WageInput input{read.read(*gross_, grossNeed),
                                        read.read(*special_, Need::Optional),
                                        read.read(*additional_, Need::Optional),
                                        read.read(*other_, Need::Optional), firstMonth_->value()};
    if (!read.ok()) return std::nullopt;
    return input;
}

void WagePage::calculate() {
    const std::optional<tax::current::WageInput> input = readInput(Need::Required);
    if (!input) return;
    Schedule schedule = tax::current::WageWithholding(*input);
    firstWithheld_->setText(YuanText(schedule.front().withheld));
    firstNetPay_->setText(YuanText(schedule.front().netPay));
    yearWithheld_->setText(YuanText(SumsOf(schedule).withheld));
    annualTaxable_->setText(YuanText(schedule.back().cumulativeTaxable));
    model_->setSchedule(std::move(schedule));
    export_->setEnabled(true);
}

std::optional<Fen> WagePage::annualTaxable() {
    const std::optional<tax::current::WageInput> input = readInput(Need::Optional);
    if (!input) return std::nullopt;
    if (IsBlank(gross_->text())) return 0;
    return tax::current::WageWithholding(*input).back().cumulativeTaxable;
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
