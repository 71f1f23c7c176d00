#include "app/current/pages.hpp"

#include "app/current/additional_dialog.hpp"
#include "app/current/year_file.hpp"
#include "app/current/year_texts.hpp"
#include "app/effects.hpp"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A table of amounts under `headers`: wide enough for amounts in the millions when there is
// room, tall enough for `rows` rows (Qt's own height for 0), and a few months at least.
class AmountTableView : public QTableView {
public:
    AmountTableView(QStringList headers, int rows) : headers_(std::move(headers)), rows_(rows) {}

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        const int amount = metrics.horizontalAdvance(QStringLiteral("99,999,999.99"));
        const QFontMetrics headers(horizontalHeader()->font());
        const int padding = 2 * metrics.averageCharWidth();
        int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
        for (const QString& header : headers_) {
            width += std::max(amount, headers.horizontalAdvance(header)) + padding;
        }
        return {width, rows_ > 0 ? HeightFor(rows_) : QTableView::sizeHint().height()};
    }
    QSize minimumSizeHint() const override {
        return {QTableView::minimumSizeHint().width(), HeightFor(4)};
    }

private:
    int HeightFor(int rows) const {
        return verticalHeader()->defaultSectionSize() * rows +
               horizontalHeader()->sizeHint().height() + 2 * frameWidth() +
               horizontalScrollBar()->sizeHint().height();
    }

    QStringList headers_;
    int rows_;
};

QTableView* ScheduleTable(ScheduleModel* model) {
    auto* table = new AmountTableView(ScheduleHeaders(), 13);  // the months and the year
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

// Cells are typed into like a spreadsheet's: typing replaces the cell, Enter or F2 edits it.
class MonthsView : public AmountTableView {
public:
    MonthsView() : AmountTableView(MonthGridHeaders(), 0) {}

protected:
    // Enter edits the cell rather than refilling the grid from the quick form.
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && state() != EditingState && currentIndex().isValid()) {
            edit(currentIndex());
            event->accept();
            return;
        }
        AmountTableView::keyPressEvent(event);
    }
};

QTableView* MonthsTable(MonthGridModel* model) {
    auto* table = new MonthsView;
    table->setModel(model);
    table->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().lineSpacing() + 6);
    // The amounts share the width; the month takes what it needs.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->setAccessibleName(Text("逐月收入"));
    table->setCurrentIndex(model->index(0, 1));
    return table;
}

constexpr tax::current::BasicDeduction kBasicRules[] = {
    tax::current::BasicDeduction::MonthsEmployed, tax::current::BasicDeduction::FromJanuary,
    tax::current::BasicDeduction::WholeYear};

// A title over its table, a note beside the title and, to the right, a button.
QWidget* Titled(QLabel* title, QLabel* note, QWidget* aside, QWidget* widget) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addSpacing(title->fontMetrics().averageCharWidth() * 2);
    heading->addWidget(note, 1);
    if (aside) heading->addWidget(aside);
    layout->addLayout(heading);
    layout->addWidget(widget, 1);
    return column;
}

}  // namespace

WagePage::WagePage(const Parameters& p) : Page(PageId::Wage, p) {
    gross_ =
        addInput(Control::WageGross, Text("月工资收入"), Need::Required, Text("每月税前应发工资"));
    special_ = addInput(Control::WageSpecial, Text("每月专项扣除"), Need::Optional,
                        Text("个人缴纳的基本养老、医疗、失业保险和住房公积金"));
    QPushButton* items = makeButton(Control::WageAdditionalItems, Text("按项目填写(&D)…"),
                                    [this] { chooseAdditionalItems(); });
    additional_ = addInput(Control::WageAdditional, Text("每月专项附加扣除"), Need::Optional,
                           WageAdditionalHint, items);
    other_ = addInput(Control::WageOther, Text("每月其他扣除"), Need::Optional, WageOtherHint);
    firstMonth_ = addNumber(Control::WageFirstMonth, Text("当年任职受雇起始月份"), 1, 12,
                            Text(" 月"), Text("当年从哪个月起在本单位领取工资"));
    addBasicRules();

    firstWithheld_ = addOutput(Control::WageFirstWithheld, Text("首月预扣税额"));
    firstNetPay_ = addOutput(Control::WageFirstNetPay, Text("首月税后收入"));
    yearWithheld_ = addOutput(Control::WageYearWithheld, Text("全年预扣税额合计"));
    annualTaxable_ = addOutput(Control::WageAnnualTaxable, Text("全年累计应纳税所得额"));

    // The year's tables, its chart and the take-home worked back share the page's lower part.
    auto* tabs = new QTabWidget;
    tabs->addTab(makeScheduleTab(), Text("预扣明细(&S)"));
    tabs->addTab(makeMonthsTab(), Text("逐月收入(&M)"));
    chart_ = new YearChart;
    tabs->addTab(chart_, Text("全年图表(&C)"));
    tabs->addTab(makeTargetTab(), Text("由税后倒算税前(&G)"));
    tabs->setUsesScrollButtons(false);
    column().addWidget(tabs, 1);
    // A tab brought forward takes what is typed next in its table or field, as a page does.
    connect(tabs, &QTabWidget::currentChanged, this, [this, tabs] {
        QWidget* first = tabs->currentWidget()->focusProxy();
        if (first && !tabs->tabBar()->hasFocus()) first->setFocus(Qt::TabFocusReason);
    });

    connect(firstMonth_, &QSpinBox::valueChanged, this, [this](int month) {
        months_->setFirstMonth(month);
        offerBasicRules();
        if (!model_->schedule().empty()) workOutYear();
    });
    for (QRadioButton* rule : basic_) {
        connect(rule, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !model_->schedule().empty()) workOutYear();
        });
    }
    connect(months_, &MonthGridModel::monthsChanged, this, [this] { workOutYear(); });
    // Reported once the cell's editor has closed, so that the box does not take the focus from
    // an editor still committing.
    connect(months_, &MonthGridModel::refused, this, &WagePage::reportRefusedCell,
            Qt::QueuedConnection);
    offerBasicRules();

    // Down the quick form and its choices, the results, then the tabs' controls in their order.
    const QWidget* const order[] = {gross_,
                                    special_,
                                    additional_,
                                    items,
                                    other_,
                                    firstMonth_,
                                    basic_[0],
                                    basic_[1],
                                    basic_[2],
                                    &calculateButton(),
                                    firstWithheld_,
                                    firstNetPay_,
                                    yearWithheld_,
                                    annualTaxable_,
                                    export_,
                                    table_,
                                    import_,
                                    monthsTable_,
                                    targetNet_,
                                    control(Control::WageGrossForNet),
                                    neededGross_,
                                    targetFirstNetPay_,
                                    targetDecemberNetPay_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    }
}

// A row each, the rule's line beside it, under the first month that decides what is offered.
void WagePage::addBasicRules() {
    const Control ids[] = {Control::WageBasicMonthsEmployed, Control::WageBasicFromJanuary,
                           Control::WageBasicWholeYear};
    for (std::size_t i = 0; i < basic_.size(); ++i) {
        basic_[i] = new QRadioButton(BasicTitle(kBasicRules[i]));
        addControl(ids[i], *basic_[i]);
        basic_[i]->setAccessibleName(basic_[i]->text());
        basicLines_[i] = new QLabel;
        addInputRow(i == 0 ? new QLabel(Text("基本减除费用")) : nullptr, basic_[i], basicLines_[i]);
    }
    basic_[0]->setChecked(true);
}

QWidget* WagePage::makeTargetTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);
    targetNet_ = makeInput(Control::WageTargetNet, Need::Required);
    QPushButton* button =
        makeButton(Control::WageGrossForNet, Text("倒算"), [this] { grossForNet(); });
    neededGross_ = makeOutput(Control::WageNeededGross);
    targetFirstNetPay_ = makeOutput(Control::WageTargetFirstNetPay);
    targetDecemberNetPay_ = makeOutput(Control::WageTargetDecemberNetPay);
    const std::pair<QString, QLineEdit*> rows[] = {
        {Text("期望月均税后收入"), targetNet_},
        {Text("所需月工资收入"), neededGross_},
        {Text("该工资首月税后收入"), targetFirstNetPay_},
        {Text("该工资 12 月税后收入"), targetDecemberNetPay_},
    };
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(FieldLabel(rows[row].first, rows[row].second), row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
    grid->addWidget(button, 0, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);
    tab->setFocusProxy(targetNet_);
    return tab;
}

QWidget* WagePage::makeMonthsTab() {
    months_ = new MonthGridModel(this);
    monthsTable_ = MonthsTable(months_);
    addControl(Control::WageMonths, *monthsTable_);
    auto* title = new QLabel(monthsTable_->accessibleName());
    title->setBuddy(monthsTable_);
    import_ = makeButton(Control::WageImportCsv, Text("导入 CSV…"), [this] { chooseImportFile(); });
    QWidget* tab =
        Titled(title, new QLabel(Text("输入即改写该格，全年随即重算；“计算”按上方各项重新填写")),
               import_, monthsTable_);
    tab->setFocusProxy(monthsTable_);
    return tab;
}

QWidget* WagePage::makeScheduleTab() {
    model_ = new ScheduleModel(this);
    table_ = ScheduleTable(model_);
    addControl(Control::WageSchedule, *table_);
    export_ = makeButton(Control::WageExportCsv, Text("导出 CSV…"), [this] { chooseExportFile(); });
    export_->setEnabled(false);
    auto* title = new QLabel(table_->accessibleName());
    title->setBuddy(table_);
    // The method beside the schedule it explains.
    auto* note = new QLabel;
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    follow(WageNote, [note](const QString& text) { note->setText(text); });
    QWidget* tab = Titled(title, note, export_, table_);
    tab->setFocusProxy(table_);
    return tab;
}

// A rule the year or the first month does not have is disabled with the reason in its line; a
// choice that becomes unavailable falls back to the months employed.
void WagePage::offerBasicRules() {
    for (std::size_t i = 0; i < basic_.size(); ++i) {
        const QString reason = BasicUnavailable(parameters(), kBasicRules[i], firstMonth_->value());
        basic_[i]->setEnabled(reason.isEmpty());
        basicLines_[i]->setText(reason.isEmpty() ? BasicExplanation(parameters(), kBasicRules[i])
                                                 : reason);
        basicLines_[i]->setEnabled(reason.isEmpty());
        if (!reason.isEmpty() && basic_[i]->isChecked()) basic_[0]->setChecked(true);
    }
}

void WagePage::yearChosen() { offerBasicRules(); }

tax::current::BasicDeduction WagePage::basicDeduction() const {
    for (std::size_t i = 0; i < basic_.size(); ++i) {
        if (basic_[i]->isChecked()) return kBasicRules[i];
    }
    return tax::current::BasicDeduction::MonthsEmployed;
}

// The same pay in every month from the first.
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
        firstMonth, basicDeduction(),
        std::vector<tax::current::MonthIncome>(static_cast<std::size_t>(13 - firstMonth), month)};
}

tax::current::PayrollYear WagePage::gridYear() const {
    return {months_->firstMonth(), basicDeduction(), months_->months()};
}

const Schedule& WagePage::schedule() const { return model_->schedule(); }

std::optional<tax::current::PayrollYear> WagePage::payrollYear() const {
    if (model_->schedule().empty()) return std::nullopt;
    return gridYear();
}

// Fills the grid from the quick form, which works the year out; a take-home asked for is worked
// back from the same form, alone where no gross wage is given.
void WagePage::calculate() {
    const bool target = !IsBlank(targetNet_->text());
    if (target && IsBlank(gross_->text())) {
        grossForNet();
        return;
    }
    const std::optional<tax::current::PayrollYear> input = readInput(Need::Required);
    if (!input) return;
    months_->fill(input->firstMonth, input->months.front());
    if (target) grossForNet();
}

void WagePage::workOutYear() {
    Schedule schedule = tax::current::WageWithholding(parameters(), gridYear());
    if (schedule.empty()) return;  // only for a rule the year lacks, which is not offered
    firstWithheld_->setText(YuanText(schedule.front().withheld));
    firstNetPay_->setText(YuanText(schedule.front().netPay));
    yearWithheld_->setText(YuanText(SumsOf(schedule).withheld));
    annualTaxable_->setText(YuanText(schedule.back().cumulativeTaxable));
    chart_->setSchedule(schedule);
    model_->setSchedule(std::move(schedule));
    export_->setEnabled(true);
}

void WagePage::reportRefusedCell(int month, const QString& column) {
    ShowPageOf(*monthsTable_);
    monthsTable_->setFocus(Qt::OtherFocusReason);
    PresentBox(
        *monthsTable_,
        {Text("%1月的“%2”不是可以计算的金额，该格保留原来的金额。\n").arg(month).arg(column) +
             AcceptedAmounts(),
         Text("输入有误"), ui::BoxIcon::Exclamation});
}

void WagePage::chooseAdditionalItems() {
    AdditionalDialog dialog(parameters(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.total()) {
        additional_->setText(FieldYuanText(*dialog.total()));
    }
    additional_->setFocus(Qt::OtherFocusReason);
}

// The quick form's other amounts, first month and rule are the shape of the year, with the same
// gross in every month.
void WagePage::grossForNet() {
    AmountReader read;
    const Fen target = read.read(*targetNet_, Need::Required);
    if (!read.ok()) return;
    const std::optional<tax::current::PayrollYear> shape = readInput(Need::Optional);
    if (!shape) return;
    const std::optional<Fen> gross = tax::current::GrossForNet(parameters(), *shape, target);
    for (QLineEdit* field : {neededGross_, targetFirstNetPay_, targetDecemberNetPay_}) {
        field->clear();
    }
    if (!gross) {
        targetNet_->setFocus(Qt::OtherFocusReason);
        PresentBox(*targetNet_, {Text("无法倒算：任何可以输入的月工资都达不到每月平均税后收入 "
                                      "%1 元。\n请检查各项扣除，或降低“期望月均税后收入”。")
                                     .arg(YuanText(target)),
                                 Text("无法倒算"), ui::BoxIcon::Exclamation});
        return;
    }
    tax::current::PayrollYear year = *shape;
    for (tax::current::MonthIncome& month : year.months) month.gross = *gross;
    const Schedule schedule = tax::current::WageWithholding(parameters(), year);
    neededGross_->setText(YuanText(*gross));
    targetFirstNetPay_->setText(YuanText(schedule.front().netPay));
    targetDecemberNetPay_->setText(YuanText(schedule.back().netPay));
}

void WagePage::clearResults() {
    Page::clearResults();
    model_->setSchedule({});
    chart_->setSchedule({});
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
    if (WriteFileAtomically(path, YearCsv(gridYear(), model_->schedule()), error)) return true;
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

// The first month first, so that the rules it allows are offered before the file's is chosen;
// the months last, which works the year out.
bool WagePage::importCsv(const QString& path) {
    const YearImport read = ReadYearCsvFile(path, parameters());
    if (!read.year) {
        PresentBox(*this, {Text("CSV 文件没有导入，逐月收入保持原样：\n") +
                               read.problems.join(QLatin1Char('\n')),
                           Text("导入失败"), ui::BoxIcon::Exclamation});
        return false;
    }
    {
        const QSignalBlocker quiet(firstMonth_);
        firstMonth_->setValue(read.year->firstMonth);
    }
    offerBasicRules();
    const auto rule = std::find(std::begin(kBasicRules), std::end(kBasicRules), read.year->basic);
    basic_[static_cast<std::size_t>(rule - std::begin(kBasicRules))]->setChecked(true);
    months_->setMonths(read.year->firstMonth, read.year->months);
    return true;
}

void WagePage::chooseImportFile() {
    QFileDialog dialog(this, Text("导入 CSV"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(Text("CSV 文件 (*.csv)"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        importCsv(dialog.selectedFiles().constFirst());
    }
}

}  // namespace app::current
